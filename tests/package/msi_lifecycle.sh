#!/usr/bin/env bash
# The x64 package end to end in a fresh 64-bit prefix: silent install, the
# installed program (data in AppData, Help Topics, Exit), an upgrade to a
# higher version while the program runs, and silent removal.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
msi="$dist/Lumetta-$version-x64.msi"
need "$msi"
fresh_prefix

msiexec "$msi" /i
check "program installed" test -f "$install_dir/lumetta.exe"
check "help file beside it" test -f "$install_dir/Lumetta.chm"
check "the command-line companion beside it answers --help" \
  bash -c "'$LUMETTA_WINE' '$install_dir/lumetta-cli.exe' --help </dev/null 2>/dev/null | grep -q export-ics"
check "Start-menu shortcut" shortcut_present
check "Run entry starts the installed program" \
  test "$(reg_value "$run_key" 'Lumetta Calendar')" = '"C:\Program Files\Lumetta Calendar\lumetta.exe"'
arp="$(arp_keys)"
check "one Add/Remove Programs entry" test "$(wc -l <<<"$arp")" -eq 1
check "entry shows version $version" test "$(reg_value "$arp" DisplayVersion)" = "$version"
check "entry shows the publisher" test "$(reg_value "$arp" Publisher)" = "Lumetta Calendar"
check "entry has the help link" test "$(reg_value "$arp" HelpLink)" = "https://lumetta.example.org/help/"

start_program 'C:\Program Files\Lumetta Calendar\lumetta.exe'
remote command 32774   # Help > Help Topics
sleep 3
viewer="$(help_viewer)"
check "Help Topics opens the installed Lumetta.chm in the help viewer" test -n "$viewer"
# A help file open in the viewer would stay in use through the upgrade.
[ -z "$viewer" ] || kill "$viewer"
check "the program ends on Exit" exit_program
check "it kept its files in AppData" test -f "$appdata/settings.bin" -a -d "$appdata/notes"
check "nothing written beside the program" \
  test "$(ls "$install_dir" | sort | tr '\n' ' ')" = "Lumetta.chm lumetta-cli.exe lumetta.exe "

# The user's own files, which neither the upgrade nor the removal may touch.
mkdir -p "$appdata/notes" && echo "dentist at 10" >"$appdata/notes/marker.txt"

# The same program, packaged as a higher version, installed while it runs.
newer="${version%.*}.$(( ${version##*.} + 1 ))"
newer_dist="$prefix/newer"
LUMETTA_PACKAGE_SETUP=no LUMETTA_PACKAGE_VERSION="$newer" LUMETTA_PACKAGE_DIST="$newer_dist" \
  bash "$LUMETTA_ROOT/scripts/package.sh" >/dev/null
start_program 'C:\Program Files\Lumetta Calendar\lumetta.exe'
msiexec "$newer_dist/Lumetta-$newer-x64.msi" /i
check "the running program was asked to close and ended" bash -c "! kill -0 $program_pid 2>/dev/null"
wait "$program_pid"
cp -a "$appdata" "$prefix/appdata-before"
arp="$(arp_keys)"
check "upgrade leaves one entry" test "$(wc -l <<<"$arp")" -eq 1
check "entry shows version $newer" test "$(reg_value "$arp" DisplayVersion)" = "$newer"
check "upgraded program in place" test -f "$install_dir/lumetta.exe"
check "the user's files survived the upgrade" test -f "$appdata/notes/marker.txt" -a -f "$appdata/settings.bin"

msiexec "$newer_dist/Lumetta-$newer-x64.msi" /x
check "removal takes the program folder" test ! -e "$install_dir"
check "removal takes the shortcut" bash -c "! find '$prefix/drive_c' -name 'Lumetta Calendar.lnk' | grep -q ."
check "removal takes the Run entry" test -z "$(reg_value "$run_key" 'Lumetta Calendar')"
check "removal takes the Add/Remove entry" test -z "$(arp_keys)"
check "removal leaves AppData untouched" same_files "$prefix/appdata-before" "$appdata"

# AUTOSTART=0: no Run entry.
msiexec "$msi" /i AUTOSTART=0
check "AUTOSTART=0 installs the program" test -f "$install_dir/lumetta.exe"
check "AUTOSTART=0 leaves out the Run entry" test -z "$(reg_value "$run_key" 'Lumetta Calendar')"
finish
