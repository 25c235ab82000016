# shellcheck shell=bash
# Shared by the package tests: the packages of build/dist, a fresh Wine
# prefix per scenario, registry look-ups and checks that name what failed.
set -uo pipefail
LUMETTA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
. "$LUMETTA_ROOT/scripts/wine-env.sh"

dist="${LUMETTA_DIST:-$LUMETTA_ROOT/build/dist}"
version="$(sed -n 's/^#define LUMETTA_VERSION_TEXT "\(.*\)"$/\1/p' "$LUMETTA_ROOT/res/version.h")"
failures=0

check() {  # check WHAT COMMAND...: passes when COMMAND succeeds
  local what="$1"; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
finish() { echo "$failures failed"; [ "$failures" -eq 0 ]; }
need() { [ -f "$1" ] || { echo "FAILED: $1 missing (run scripts/package.sh)"; exit 1; }; }

# A fresh prefix with its own server on the caller's display (or Xvfb).
fresh_prefix() {
  prefix="$(mktemp -d /tmp/lumetta-package.XXXXXX)"
  trap 'lumetta_wine_stop; rm -rf "$prefix"' EXIT
  lumetta_wine_new_prefix "$prefix" || exit 1
  export WINEPREFIX="$prefix"
  lumetta_wine_start_display || exit 1
  lumetta_wine_start_server
  appdata="$prefix/drive_c/users/$(id -un)/AppData/Roaming/Lumetta Calendar"
  install_dir="$prefix/drive_c/Program Files/Lumetta Calendar"
}

wine_run() { "$LUMETTA_WINE" "$@" </dev/null 2>/dev/null; }
# msiexec PACKAGE /i|/x [PROPERTY=VALUE...]: silently.
msiexec() {
  local name; name="$(basename "$1")"
  cp "$1" "$prefix/drive_c/$name"
  wine_run msiexec "$2" "C:\\$name" /qn "${@:3}"
}
# reg_value KEY NAME: the value's data, empty when it is missing.
reg_value() {
  wine_run reg query "$1" /v "$2" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
}
# The Add/Remove Programs keys whose DisplayName names Lumetta.
arp_keys() {
  local base='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' key
  for key in $(wine_run reg query "$base" | tr -d '\r' | grep -o '{[-0-9A-F]*}$'); do
    [ "$(reg_value "$base\\$key" DisplayName)" = "Lumetta Calendar & Day Planner" ] && echo "$base\\$key"
  done
}
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
shortcut_present() { find "$prefix/drive_c" -name 'Lumetta Calendar.lnk' | grep -q .; }

remote="$LUMETTA_ROOT/build/win64/tests/e2e/lumetta_remote.exe"
remote() { wine_run "$remote" "$@" >/dev/null; }
# start_program WINDOWS-PATH: started from the Unix cwd (not the program's folder).
start_program() { "$LUMETTA_WINE" "$1" </dev/null >/dev/null 2>&1 & program_pid=$!; remote wait 30000; }
# exit_program: File > Exit; true when it ended with exit code 0.
exit_program() { remote exit 20000 && wait "$program_pid"; }
# The help viewer of this prefix showing the installed help file: its pid.
help_viewer() {
  local pid
  for pid in $(pgrep -f 'hh.exe'); do
    grep -qzx "WINEPREFIX=$prefix" "/proc/$pid/environ" 2>/dev/null \
      && tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q 'Program Files.Lumetta Calendar.Lumetta.chm' \
      && echo "$pid" && return
  done
}
same_files() { diff -r "$1" "$2" >/dev/null; }
