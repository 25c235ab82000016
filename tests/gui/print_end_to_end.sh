#!/usr/bin/env bash
# Prints a week through the system's print dialog to a Wine PostScript
# printer (the GUI test WinePrinterTest), then reads the PostScript back
# with ghostscript and looks for the texts of the printed page.
# usage: print_end_to_end.sh <gui_tests.exe> <wine-exec.sh>
set -uo pipefail
exe="$1"
runner="$2"
command -v gs >/dev/null || { echo "ghostscript (gs) is not installed"; exit 1; }
output="$(mktemp /tmp/lumetta-print.XXXXXX.ps)"
trap 'rm -f "$output"' EXIT
LUMETTA_PRINT_OUTPUT="$output" "$runner" "$exe" --gtest_filter='WinePrinterTest.*' || exit 1
[ -s "$output" ] || { echo "nothing was printed to $output"; exit 1; }
text="$(gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile=- "$output")"
status=0
for want in "Starting 9/7/2025" "by Lumetta Calendar" "Monday, September 8" "9:30am" \
            "Dentist appointment" "Saturday, September 13" "Market stall"; do
  if ! grep -qF "$want" <<<"$text"; then
    echo "missing on the printed page: $want"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "the printed page holds every expected text"
[ "$status" -eq 0 ] || { echo "--- page text:"; echo "$text"; }
exit "$status"
