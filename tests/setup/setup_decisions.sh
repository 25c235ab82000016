#!/usr/bin/env bash
# Set-up's decisions against stand-in apt-get, dpkg, dpkg-query and id on PATH:
# a package index that fails to update, an optional package that cannot be
# installed, a required package that cannot be installed.
set -uo pipefail
setup="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/scripts/setup.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# The stand-ins keep the machine's state in $STATE: installed packages (one
# "name" per line, i386 ones as "name:i386"), foreign architectures, a log of calls.
mkdir -p "$work/bin"
cat >"$work/bin/apt-get" <<'STUB'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STATE/calls"
args=(); for a in "$@"; do case "$a" in -o) skip=1 ;; *) [ -n "${skip:-}" ] && skip= || args+=("$a") ;; esac; done
case "${args[0]}" in
  update)
    if [ -n "${FAIL_INDEX:-}" ] && grep -qx i386 "$STATE/arches" 2>/dev/null; then
      echo "E: Failed to fetch $FAIL_INDEX  File has unexpected size (1 != 2). Mirror sync in progress?" >&2
      exit 100
    fi ;;
  install)
    pkgs=(); for a in "${args[@]:1}"; do [[ "$a" == -* ]] || pkgs+=("$a"); done
    for p in "${pkgs[@]}"; do
      if [[ " ${UNINSTALLABLE:-} " == *" $p "* ]]; then echo "E: Unable to locate package $p" >&2; exit 100; fi
      # an i386 package needs the architecture and an i386 index in step with amd64
      if [[ "$p" == *:i386 ]] && { [ -n "${FAIL_INDEX:-}" ] || ! grep -qx i386 "$STATE/arches" 2>/dev/null; }; then
        echo "E: Unable to correct problems, you have held broken packages." >&2; exit 100
      fi
    done
    printf '%s\n' "${pkgs[@]}" >>"$STATE/installed" ;;
esac
STUB
cat >"$work/bin/dpkg" <<'STUB'
#!/usr/bin/env bash
echo "dpkg $*" >>"$STATE/calls"
case "$1" in
  --print-architecture) echo amd64 ;;
  --print-foreign-architectures) cat "$STATE/arches" 2>/dev/null ;;
  --add-architecture) echo "$2" >>"$STATE/arches" ;;
  --remove-architecture) sed -i "/^$2\$/d" "$STATE/arches" ;;
esac
STUB
cat >"$work/bin/dpkg-query" <<'STUB'
#!/usr/bin/env bash
# -W -f=FORMAT [names...]: prints "name=installed " (or per line) for installed ones
shift 2
if [ $# -eq 0 ]; then sed 's/$/=installed/' "$STATE/installed" 2>/dev/null; exit 0; fi
for p in "$@"; do grep -qx "$p" "$STATE/installed" 2>/dev/null && printf '%s=installed ' "$p"; done
exit 0
STUB
printf '#!/bin/sh\necho 0\n' >"$work/bin/id"
chmod +x "$work/bin/"*

required="$(sed -n '/^packages=(/,/^)/p' "$setup" | grep -v '^ *#' | sed 's/#.*//; s/packages=(//; s/)//' | tr -s ' \n' '\n' | sed '/^$/d')"

# run_setup NAME RUNS_32BIT [env...]: a fresh machine where nothing but $PRESET is installed
run_setup() {
  local name="$1" runs32="$2"; shift 2
  export STATE="$work/$name"; mkdir -p "$STATE"; : >"$STATE/installed"; : >"$STATE/arches"
  [ -n "${PRESET:-}" ] && printf '%s\n' $PRESET >"$STATE/installed"
  out="$(env "$@" PATH="$work/bin:$PATH" LUMETTA_SETUP_RUNS_32BIT="$runs32" LUMETTA_SETUP_RETRY_DELAY=0 \
         LUMETTA_SETUP_STATE="$STATE/state" bash "$setup" 2>&1)"
  rc=$?
}

check() { # check DESCRIPTION CONDITION...
  local what="$1"; shift
  if "$@"; then echo "ok    $what"; else echo "FAIL  $what"; echo "$out" | sed 's/^/      | /'; failures=$((failures + 1)); fi
}
has() { grep -q -- "$1" <<<"$out"; }
installed() { grep -qx -- "$1" "$STATE/installed"; }
arch_added() { grep -qx i386 "$STATE/arches"; }

# 1. The i386 index fails to update and wine32:i386 cannot be installed: the
#    required packages come from the 64-bit step, the i386 architecture is removed again.
run_setup broken-i386 yes FAIL_INDEX=http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz
check "broken i386 index: set-up succeeds" test "$rc" -eq 0
check "broken i386 index: every required package installed" bash -c "diff <(sort -u '$STATE/installed') <(sort -u <<<'$required') >/dev/null"
check "broken i386 index: the failing index is named in one line" test "$(grep -c 'binary-i386/Packages.xz' <<<"$out")" -eq 1
check "broken i386 index: the optional package is reported, not fatal" has "optional wine32:i386 could not be installed"
check "broken i386 index: update retried" test "$(grep -c 'update' "$STATE/calls")" -ge 3
check "broken i386 index: the i386 architecture is not left added" bash -c "! grep -qx i386 '$STATE/arches'"
check "broken i386 index: nothing i386 installed" bash -c "! grep -q ':i386' '$STATE/installed'"

# ... and the next run does not try the optional step again the same day.
out="$(env PATH="$work/bin:$PATH" LUMETTA_SETUP_RUNS_32BIT=yes LUMETTA_SETUP_STATE="$STATE/state" bash "$setup" 2>&1)"; rc=$?
check "after a failed optional step: the next run is quick" has "all packages are installed"

# 2. A kernel without 32-bit support: no i386 step at all.
run_setup no-32bit no
check "64-bit-only kernel: succeeds without touching i386" bash -c "[ $rc -eq 0 ] && ! grep -q 'add-architecture' '$STATE/calls'"

# 3. The optional package installs where it can.
run_setup good-i386 yes
check "32-bit kernel, good indexes: wine32:i386 installed" installed wine32:i386

# 4. A required package that cannot be installed: set-up fails and names it
#    (and only it); the other packages are still installed.
run_setup broken-required no UNINSTALLABLE=xdotool
check "uninstallable required package: set-up fails" test "$rc" -ne 0
check "uninstallable required package: named" has "failed to install required packages: xdotool$"
check "uninstallable required package: the others installed" installed wine64

# 5. Everything installed: no apt-get at all.
PRESET="$required" run_setup complete no
check "complete machine: apt-get not called" bash -c "[ $rc -eq 0 ] && ! grep -q apt-get '$STATE/calls'"

[ "$failures" -eq 0 ] && echo "setup decisions: all passed" || echo "setup decisions: $failures failed"
[ "$failures" -eq 0 ]
