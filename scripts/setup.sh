#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12 (run as root).
# Idempotent and quick when everything is there: it only asks dpkg, and calls
# apt-get only for what is missing.
set -euo pipefail

packages=(
  # native build and tests
  cmake ninja-build g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev
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
  # time zone rules: the store tests fix TZ to zones with daylight saving
  tzdata
)
# 32-bit Wine: runs the 32-bit program on hosts whose kernel runs 32-bit code.
packages_i386=(wine32:i386)

# Packages of the list that are not installed (one dpkg-query for all).
missing_of() {
  local have native
  native="$(dpkg --print-architecture)"
  have=" $(dpkg-query -W -f='${binary:Package}=${db:Status-Status} ' "$@" 2>/dev/null || true) "
  for p in "$@"; do
    [[ "$have" == *" $p=installed "* || "$have" == *" $p:$native=installed "* ]] || echo "$p"
  done
}

mapfile -t missing < <(missing_of "${packages[@]}" "${packages_i386[@]}")
i386_enabled=yes
dpkg --print-foreign-architectures | grep -qx i386 || i386_enabled=no

if [ ${#missing[@]} -eq 0 ] && [ $i386_enabled = yes ]; then
  echo "setup: all packages are installed"
  exit 0
fi

install_line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages: ${missing[*]}" >&2
  echo "setup: run as root (or install them yourself):" >&2
  [ $i386_enabled = yes ] || echo "  dpkg --add-architecture i386" >&2
  echo "  apt-get update && DEBIAN_FRONTEND=noninteractive $install_line" >&2
  exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt_opts=(-o DPkg::Lock::Timeout=600 -o Acquire::Retries=3)
if [ $i386_enabled = no ]; then
  echo "setup: enabling the i386 architecture"
  dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}"
apt-get "${apt_opts[@]}" update -qq
apt-get "${apt_opts[@]}" install -y -qq --no-install-recommends "${missing[@]}" </dev/null

mapfile -t still < <(missing_of "${missing[@]}")
if [ ${#still[@]} -ne 0 ]; then
  echo "setup: failed to install: ${still[*]}" >&2
  exit 1
fi
echo "setup: done"
