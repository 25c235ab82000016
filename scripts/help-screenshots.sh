#!/usr/bin/env bash
# Takes the help file's screenshots from the real program under Wine:
#   help-screenshots.sh PROGRAM.exe REMOTE.exe OUTDIR
# PROGRAM is installed into a fresh prefix (copy of the template) as
# "C:\Program Files\Lumetta Calendar\lumetta.exe" and started with an empty
# diary; REMOTE (lumetta_remote.exe) opens its dialogs and ends it. Writes
# main-window.png, find-dialog.png and backup-dialog.png to OUTDIR, each the
# Wine desktop cropped to the program's windows.
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 lumetta.exe lumetta_remote.exe outdir" >&2; exit 2; }
program="$1" remote="$2" out="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/wine-env.sh"

# The menu commands that open the dialogs shown in the help.
readonly kFindCommand=32840 kBackupCommand=32838
# Wine's taskbar at the bottom of the 1024x768 desktop, cut off before trimming.
readonly kTaskbarHeight=40

prefix="$(mktemp -d /tmp/lumetta-shots.XXXXXX)"
cleanup() { lumetta_wine_stop; rm -rf "$prefix"; }
trap cleanup EXIT
lumetta_wine_new_prefix "$prefix"
install_dir="$prefix/drive_c/Program Files/Lumetta Calendar"
mkdir -p "$install_dir" "$out"
cp "$program" "$install_dir/lumetta.exe"
cp "$remote" "$prefix/drive_c/lumetta_remote.exe"
export WINEPREFIX="$prefix"
lumetta_wine_start_display
lumetta_wine_start_server

remote() { "$LUMETTA_WINE" 'C:\lumetta_remote.exe' "$@" </dev/null >/dev/null; }

# grab FILE: the Wine desktop without its taskbar.
grab() {
  local desktop
  desktop="$(xdotool search --name 'Wine desktop' | head -n 1)"
  [ -n "$desktop" ] || { echo "help-screenshots: no Wine desktop window" >&2; return 1; }
  import -window "$desktop" "$prefix/raw.png"
  convert "$prefix/raw.png" -gravity South -chop "0x$kTaskbarHeight" +repage "$1"
}

"$LUMETTA_WINE" 'C:\Program Files\Lumetta Calendar\lumetta.exe' </dev/null >/dev/null 2>&1 &
program_pid=$!
remote wait 30000
sleep 3   # the windows paint and the start-up summary closes
# The main window: the desktop trimmed to what stands on it.
grab "$prefix/main.png"
convert "$prefix/main.png" -trim +repage "$out/main-window.png"
# A dialog (it opens at the mouse pointer): what changed against the main window.
for pair in "$kFindCommand find-dialog.png" "$kBackupCommand backup-dialog.png"; do
  read -r command name <<<"$pair"
  remote command "$command"
  sleep 2
  grab "$prefix/dialog.png"
  box="$(convert "$prefix/main.png" "$prefix/dialog.png" -compose difference -composite \
           -threshold 0 -trim -format '%wx%h%X%Y' info:)"
  convert "$prefix/dialog.png" -crop "$box" +repage "$out/$name"
  xdotool key Escape   # closes the dialog
  sleep 1
done
remote exit 20000
wait "$program_pid"
echo "help-screenshots: $(ls "$out" | tr '\n' ' ')in $out"
