#!/usr/bin/env bash
# Builds the Windows packages into build/dist/:
#   Lumetta-<version>-x86.msi       the 32-bit program, for every Windows
#   Lumetta-<version>-x64.msi       the 64-bit program
#   Lumetta-<version>-portable.zip  both programs, the help file and a read-me
# The version is LUMETTA_VERSION_TEXT of res/version.h (the header VERSIONINFO
# uses); LUMETTA_PACKAGE_VERSION overrides it (the upgrade test builds a
# "newer" package of the same program with it) and LUMETTA_PACKAGE_DIST the
# output folder.
#
# The help file Lumetta.chm is compiled with chmcmd from help/, with
# screenshots taken from the real 64-bit program under Wine
# (scripts/help-screenshots.sh; they are taken again when the program changed).
# The packages are built with wixl (msitools); msibuild then adds what wixl
# cannot express (see add_to_package).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

[ "${LUMETTA_PACKAGE_SETUP:-yes}" = no ] || bash scripts/setup.sh

version="$(sed -n 's/^#define LUMETTA_VERSION_TEXT "\(.*\)"$/\1/p' res/version.h)"
version="${LUMETTA_PACKAGE_VERSION:-$version}"
# Windows Installer versions: major.minor.build, each a number.
[[ "$version" =~ ^[0-9]{1,3}\.[0-9]{1,3}\.[0-9]{1,5}$ ]] \
  || { echo "package: version \"$version\" is not major.minor.build" >&2; exit 1; }

dist="${LUMETTA_PACKAGE_DIST:-$root/build/dist}"
work="$root/build/package"
mkdir -p "$dist" "$work"

# build PRESET TARGET...: quietly, the log in build/package.
build() {
  local preset="$1"; shift
  echo "package: building $preset ($*)"
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" -j2 --target "$@"; } \
      >"$work/build-$preset.log" 2>&1; then
    tail -n 30 "$work/build-$preset.log" >&2
    echo "package: build of $preset failed (log: $work/build-$preset.log)" >&2
    exit 1
  fi
}
build win lumetta lumetta_close lumetta-cli
build win64 lumetta lumetta_close lumetta_remote lumetta-cli

# The help file, from a copy of help/ with the screenshots beside it.
help_work="$work/help"
shots="$work/screenshots"
program64="build/win64/src/shell/lumetta.exe"
if [ ! -f "$shots/main-window.png" ] || [ "$program64" -nt "$shots/main-window.png" ]; then
  echo "package: taking the help's screenshots under Wine"
  rm -rf "$shots"
  bash scripts/help-screenshots.sh "$program64" build/win64/tests/e2e/lumetta_remote.exe "$shots"
fi
rm -rf "$help_work"
cp -r help "$help_work"
mkdir -p "$help_work/images"
cp "$shots"/*.png "$help_work/images/"
(cd "$help_work" && chmcmd Lumetta.hhp >"$work/chmcmd.log" 2>&1) || true
if [ ! -s "$help_work/Lumetta.chm" ] || grep -qiE 'error|not found' "$work/chmcmd.log"; then
  cat "$work/chmcmd.log" >&2
  echo "package: the help file did not compile" >&2
  exit 1
fi

# add_to_package MSI: what wixl cannot author.
#  - The Run entry's component is installed only when AUTOSTART is not 0.
#  - CloseLumetta: lumetta_close.exe, stored in the package's Binary table,
#    runs before InstallValidate (type 2 = executable from the Binary table,
#    +64 = its exit code is ignored), in the user interface sequence too, so
#    that with the full interface it runs in the signed-in user's session;
#    not in the removal of the older version during an upgrade (the newer
#    package closed the program already).
add_to_package() {
  msibuild "$1" -q "UPDATE \`Component\` SET \`Condition\` = 'AUTOSTART <> \"0\"' WHERE \`Component\` = 'Autostart'"
  msibuild "$1" -q "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`) VALUES ('CloseLumetta', 66, 'CloseTool')"
  msibuild "$1" -q "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('CloseLumetta', 'NOT UPGRADINGPRODUCTCODE', 1390)"
  msibuild "$1" -q "INSERT INTO \`InstallUISequence\` (\`Action\`, \`Sequence\`) VALUES ('CloseLumetta', 1290)"
}

# package ARCH PRESET TRIPLE: one .msi from a staging folder of stripped programs.
package() {
  local arch="$1" preset="$2" triple="$3" stage="$work/stage-$1"
  local msi="$dist/Lumetta-$version-$arch.msi"
  rm -rf "$stage" && mkdir -p "$stage"
  "$triple-strip" -o "$stage/lumetta.exe" "build/$preset/src/shell/lumetta.exe"
  "$triple-strip" -o "$stage/lumetta_close.exe" "build/$preset/installer/lumetta_close.exe"
  "$triple-strip" -o "$stage/lumetta-cli.exe" "build/$preset/src/cli/lumetta-cli.exe"
  cp "$help_work/Lumetta.chm" res/lumetta.ico "$stage/"
  rm -f "$msi"
  # wixl finds the sources relative to the current folder.
  (cd "$stage" && wixl -a "$arch" -D Version="$version" -D Arch="$arch" -D SourceDir=. \
     -o "$msi" "$root/installer/Lumetta.wxs")
  add_to_package "$msi"
  echo "package: $msi"
}
package x86 win i686-w64-mingw32
package x64 win64 x86_64-w64-mingw32

# The portable zip: one folder, both programs sharing the files beside them.
portable="$work/portable/Lumetta Calendar"
zip_file="$dist/Lumetta-$version-portable.zip"
rm -rf "$work/portable" "$zip_file" && mkdir -p "$portable"
cp "$work/stage-x86/lumetta.exe" "$portable/lumetta.exe"
cp "$work/stage-x64/lumetta.exe" "$portable/lumetta64.exe"
cp "$work/stage-x86/lumetta-cli.exe" "$portable/lumetta-cli.exe"
cp "$help_work/Lumetta.chm" "$portable/"
sed "s/@VERSION@/$version/g; s/\$/\r/" installer/portable-readme.txt >"$portable/ReadMe.txt"
(cd "$work/portable" && zip -q -X -r "$zip_file" "Lumetta Calendar")
echo "package: $zip_file"
