#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (run as root).
# Idempotent and quick when everything is there: it only asks dpkg, and calls
# apt-get only for what is missing.
#
# Robust against a broken package index: a failing `apt-get update` is retried,
# then set-up goes on with the indexes that did update. 32-bit Wine is optional
# and installed in a step of its own, only where the kernel runs 32-bit code; if
# it cannot be installed set-up says so and goes on with 64-bit Wine. Set-up
# fails only when a required package could not be installed, and names it.
#
# A failed optional step is not tried again for a day (a stamp in the state
# folder), so later runs stay quick.
#
# For tests: LUMETTA_SETUP_RUNS_32BIT=yes|no overrides the kernel probe,
# LUMETTA_SETUP_RETRY_DELAY sets the seconds between update attempts and
# LUMETTA_SETUP_STATE the state folder.
set -euo pipefail

packages=(
  # native build and tests
  cmake ninja-build g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev
  # the formatting check of the test command
  clang-format
  # fuzzing (libFuzzer and sanitizer runtimes)
  clang llvm libclang-rt-14-dev
  # Windows cross build: mingw-w64 with POSIX threads (GoogleTest needs std::mutex),
  # 32-bit (the shipped program) and 64-bit (what runs under Wine here), with windres
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  # Wine, with the parts its recommendations would bring that we use: its own
  # fonts and the X11 extensions of its display driver
  wine wine64 fonts-wine
  libxrender1 libxrandr2 libxi6 libxcursor1 libxcomposite1 libxinerama1 libxfixes3 libxxf86vm1
  # headless display, screenshots, window lookup, fonts (TeX Gyre Pagella stands in
  # for Palatino Linotype)
  xvfb x11-utils imagemagick xdotool fonts-texgyre
  python3 git
  # an independent iCalendar reader for the export tests
  python3-icalendar
  # an independent reader of recurrences for the import test of real calendars
  python3-recurring-ical-events
  # the CalDAV sync: HTTP for the native lumetta-cli, two real servers and an
  # independent client for its tests, vdirsyncer and hyperfine for its benchmark
  libcurl4-openssl-dev radicale xandikos python3-caldav python3-aiohttp
  vdirsyncer hyperfine
  # reads back the PostScript that the print test sends to a Wine printer
  ghostscript
  # time zone rules: the store tests fix TZ to zones with daylight saving
  tzdata
  # packages (scripts/package.sh): Windows Installer packages (wixl, and
  # msitools to read them back), the help compiler chmcmd (Free Pascal
  # utilities), zip; chmlib's extract_chmLib decompiles the help in its tests
  wixl msitools fp-utils zip unzip libchm-bin
)
# 32-bit Wine: runs the shipped 32-bit program, on hosts whose kernel runs 32-bit code.
optional_i386=(wine32:i386)

retry_delay="${LUMETTA_SETUP_RETRY_DELAY:-5}"
state_dir="${LUMETTA_SETUP_STATE:-/var/lib/lumetta-setup}"
i386_stamp="$state_dir/optional-i386-failed"
apt_opts=(-o DPkg::Lock::Timeout=600 -o Acquire::Retries=3)
export DEBIAN_FRONTEND=noninteractive

# Packages of the list that are not installed (one dpkg-query for all).
missing_of() {
  local have native
  native="$(dpkg --print-architecture)"
  have=" $(dpkg-query -W -f='${binary:Package}=${db:Status-Status} ' "$@" 2>/dev/null || true) "
  for p in "$@"; do
    [[ "$have" == *" $p=installed "* || "$have" == *" $p:$native=installed "* ]] || echo "$p"
  done
}

# Whether the kernel executes 32-bit x86 code: run a 96-byte i386 ELF that
# exits with status 42 (many virtual machines' kernels lack IA32 emulation).
kernel_runs_32bit() {
  case "${LUMETTA_SETUP_RUNS_32BIT:-}" in yes) return 0 ;; no) return 1 ;; esac
  [ "$(uname -m)" = x86_64 ] || return 1
  local probe rc=0
  probe="$(mktemp)"
  printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000'\
'\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000'\
'\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010'\
'\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000'\
'\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  ( "$probe" ) 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ]
}

# apt-get update, retried; when an index still fails, go on with the others and
# name the failing indexes in one line.
update_indexes() {
  local out attempt
  for attempt in 1 2 3; do
    if out="$(apt-get "${apt_opts[@]}" update -qq 2>&1)"; then
      return 0
    fi
    [ "$attempt" -lt 3 ] && sleep "$retry_delay"
  done
  local failed
  failed="$(grep -oE 'Failed to fetch [^ ]+' <<<"$out" | sed 's/Failed to fetch //' | sort -u | paste -sd ' ')"
  echo "setup: package index update failed (${failed:-$(tail -n 1 <<<"$out")}); going on with the indexes that did update"
}

# apt-get install of the given packages; true when all of them are installed after.
install_packages() {
  apt-get "${apt_opts[@]}" install -y -qq --no-install-recommends "$@" </dev/null || true
  [ -z "$(missing_of "$@")" ]
}

mapfile -t missing < <(missing_of "${packages[@]}")
want_i386=no
if [ -n "$(find "$i386_stamp" -mmin -1440 2>/dev/null)" ]; then
  : # tried within the last day and failed
elif kernel_runs_32bit && [ -n "$(missing_of "${optional_i386[@]}")" ]; then
  want_i386=yes
fi

if [ ${#missing[@]} -eq 0 ] && [ $want_i386 = no ]; then
  echo "setup: all packages are installed"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: optional 32-bit Wine is not installed (as root: dpkg --add-architecture i386; apt-get update; apt-get install ${optional_i386[*]})"
    exit 0
  fi
  echo "setup: missing packages: ${missing[*]}" >&2
  echo "setup: run as root (or install them yourself):" >&2
  echo "  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

# Required packages: everything the build, the tests and run.sh need.
if [ ${#missing[@]} -ne 0 ]; then
  echo "setup: installing ${missing[*]}"
  update_indexes
  if ! install_packages "${missing[@]}"; then
    # One uninstallable package makes apt-get refuse the whole set: install the
    # rest one by one so the failure names exactly what is missing.
    mapfile -t left < <(missing_of "${missing[@]}")
    for p in "${left[@]}"; do install_packages "$p" >/dev/null 2>&1 || true; done
    mapfile -t still < <(missing_of "${missing[@]}")
    if [ ${#still[@]} -ne 0 ]; then
      echo "setup: failed to install required packages: ${still[*]}" >&2
      exit 1
    fi
  fi
fi

# Optional 32-bit Wine, in a step of its own.
if [ $want_i386 = yes ]; then
  added_i386=no
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    added_i386=yes
  fi
  update_indexes
  if install_packages "${optional_i386[@]}" >/dev/null 2>&1; then
    echo "setup: installed optional ${optional_i386[*]}"
    rm -f "$i386_stamp"
  else
    echo "setup: optional ${optional_i386[*]} could not be installed; going on with 64-bit Wine"
    mkdir -p "$state_dir" && touch "$i386_stamp"
    if [ $added_i386 = yes ] && ! dpkg-query -W -f='${binary:Package}=${db:Status-Status}\n' 2>/dev/null | grep -q ':i386=installed$'; then
      dpkg --remove-architecture i386
    fi
  fi
fi
echo "setup: done"
