#!/usr/bin/env bash
# Both packages read back with msiinfo and msiextract (the x86 one cannot be
# installed by 64-bit Wine): their files, the architecture of the programs,
# version, folders, shortcut, Run entry, upgrade and closing rows.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT

row() { msiinfo export "$msi" "$1" | tr -d '\r' | grep -qE "$2"; }
for case in "x86 Intel ProgramFilesFolder pei-i386" "x64 x64 ProgramFiles64Folder pei-x86-64"; do
  read -r arch platform folder format <<<"$case"
  msi="$dist/Lumetta-$version-$arch.msi"
  need "$msi"
  check "$arch: platform $platform" bash -c "msiinfo suminfo '$msi' | grep -q '^Template: $platform;1033'"
  check "$arch: version $version" row Property "^ProductVersion	$version\$"
  check "$arch: per-machine" row Property '^ALLUSERS	1$'
  check "$arch: installs into $folder\\Lumetta Calendar" row Directory "^INSTALLDIR	$folder	Lumetta Calendar\$"
  check "$arch: Start-menu shortcut" row Shortcut '^LumettaShortcut	ProgramMenuFolder	Lumetta Calendar	'
  check "$arch: Run entry under HKCU" row Registry '	1	Software\\Microsoft\\Windows\\CurrentVersion\\Run	Lumetta Calendar	'
  check "$arch: Run entry only without AUTOSTART=0" row Component '^Autostart	.*	AUTOSTART <> "0"	'
  check "$arch: removes an older version" row Upgrade '		8\.2\.1		1		WIX_UPGRADE_DETECTED$|		'"$version"'		1		WIX_UPGRADE_DETECTED$'
  check "$arch: closes a running Lumetta" row CustomAction '^CloseLumetta	66	CloseTool'
  check "$arch: before the files are checked" row InstallExecuteSequence '^CloseLumetta	NOT UPGRADINGPRODUCTCODE	1390$'
  check "$arch: Add/Remove icon and help link" \
    bash -c "msiinfo export '$msi' Property | grep -q '^ARPPRODUCTICON	Lumetta.ico' && msiinfo export '$msi' Property | grep -q '^ARPHELPLINK	https://'"
  rm -rf "$work/$arch" && mkdir -p "$work/$arch"
  (cd "$work/$arch" && msiextract "$msi" >/dev/null)
  exe="$(find "$work/$arch" -name lumetta.exe)"
  check "$arch: lumetta.exe extracted" test -n "$exe"
  check "$arch: lumetta.exe is $format" bash -c "objdump -f '$exe' 2>/dev/null | grep -q 'file format $format' || x86_64-w64-mingw32-objdump -f '$exe' | grep -q 'file format $format'"
  check "$arch: Lumetta.chm beside it" test -f "$(dirname "$exe")/Lumetta.chm"
done
finish
