#!/usr/bin/env bash
# The portable zip: its contents, and the 64-bit program unpacked onto drive
# D: of a fresh prefix keeps its files beside itself, none in AppData.
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
zip_file="$dist/Lumetta-$version-portable.zip"
need "$zip_file"
fresh_prefix

stick="$prefix/stick"
mkdir -p "$stick"
ln -s "$stick" "$prefix/dosdevices/d:"
unzip -q "$zip_file" -d "$stick"
folder="$stick/Lumetta Calendar"
check "zip holds both programs, the command-line companion, the help and the read-me" \
  test "$(ls "$folder" | sort | tr '\n' ' ')" = "Lumetta.chm ReadMe.txt lumetta-cli.exe lumetta.exe lumetta64.exe "
check "read-me names version $version" grep -q "Lumetta Calendar & Day Planner $version" "$folder/ReadMe.txt"
check "lumetta.exe is the 32-bit program" bash -c "x86_64-w64-mingw32-objdump -f '$folder/lumetta.exe' | grep -q pei-i386"

start_program 'D:\Lumetta Calendar\lumetta64.exe'
check "the program ends on Exit" exit_program
check "its files are beside it" test -f "$folder/settings.bin" -a -d "$folder/notes"
check "nothing in AppData" test ! -e "$appdata"
finish
