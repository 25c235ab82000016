#!/usr/bin/env bash
# Takes the README's screenshots from the real program under Wine: today's
# planner opened with View > Today and a few entries typed into it as a user
# would, beside a subscribed calendar's, with its Appointment menu open; the main window's View menu; the
# week view showing the entries; the year view; the to-do window; the
# Calendar Accounts dialog with an account being typed in. Writes
# docs/day-planner.png, docs/planner-menu.png, docs/main-menu.png,
# docs/week-view.png, docs/year-view.png, docs/todo-window.png and
# docs/accounts-dialog.png, on a
# private 1366x768 laptop-sized desktop on a screen of its own (the year view
# fits itself to it). With a DPI (144: a display scale of 150 %) the same
# pictures are taken on a 1920x1080 desktop at that scale, as
# docs/<name>-<percent>.png.
#   scripts/readme-screenshots.sh [dpi]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
bash scripts/setup.sh >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 --target lumetta lumetta_remote >/dev/null
. scripts/wine-env.sh
lumetta_wine_template

readonly kTodayCommand=32833 kWeekCommand=32797 kYearCommand=32795 kToDoCommand=32816
readonly kAccountsCommand=32912
dpi="${1:-96}"
suffix="" kDesktopSize=1366x768 screen=1400x800x24
if [ "$dpi" != 96 ]; then
  suffix="-$((dpi * 100 / 96))" kDesktopSize=1920x1080 screen=2000x1120x24
  export LUMETTA_DPI="$dpi"
fi
readonly kTaskbarHeight=$((40 * dpi / 96)) kDesktopSize
prefix="$(mktemp -d /tmp/lumetta-readme.XXXXXX)"
cleanup() { lumetta_wine_stop; rm -rf "$prefix"; }
trap cleanup EXIT
lumetta_wine_new_prefix "$prefix"
install_dir="$prefix/drive_c/Program Files/Lumetta Calendar"
mkdir -p "$install_dir" docs
cp build/win64/src/shell/lumetta.exe "$install_dir/lumetta.exe"
cp build/win64/tests/e2e/lumetta_remote.exe "$prefix/drive_c/lumetta_remote.exe"
export WINEPREFIX="$prefix"
# A screen of its own, larger than the desktop that is on it.
unset DISPLAY
LUMETTA_XVFB_SCREEN=$screen lumetta_wine_start_display
# The prefix's desktop size, set before any Wine process reads it.
sed -i "s/^\"shell\"=\"[0-9x]*\"/\"shell\"=\"$kDesktopSize\"/" "$prefix/user.reg"
lumetta_wine_start_server
remote() { "$LUMETTA_WINE" 'C:\lumetta_remote.exe' "$@" </dev/null >/dev/null; }

# A subscribed team calendar (a local .ics file) with events today and
# tomorrow: the planner and the week view show them read-only in teal.
today="$(date +%Y%m%d)"
tomorrow="$(date -d tomorrow +%Y%m%d)"
printf '%s\r\n' BEGIN:VCALENDAR VERSION:2.0 PRODID:-//Team//EN \
  BEGIN:VEVENT UID:a "DTSTART;VALUE=DATE:$today" "SUMMARY:Sprint 12 starts" END:VEVENT \
  BEGIN:VEVENT UID:b "DTSTART:${today}T140000" "DTEND:${today}T150000" \
  "SUMMARY:Design review" END:VEVENT \
  BEGIN:VEVENT UID:c "DTSTART:${tomorrow}T093000" "DTEND:${tomorrow}T100000" \
  "SUMMARY:Release planning" END:VEVENT END:VCALENDAR >"$prefix/drive_c/team.ics"
data_dir="$(echo "$prefix"/drive_c/users/*/AppData/Roaming | cut -d' ' -f1)/Lumetta Calendar"
mkdir -p "$data_dir"
printf 'calendar\t1\tTeam\tC:\\team.ics\t808000\t1\t1\t\t\n' >"$data_dir/Lumetta.subscriptions"

"$LUMETTA_WINE" 'C:\Program Files\Lumetta Calendar\lumetta.exe' </dev/null >/dev/null 2>&1 &
program_pid=$!
remote wait 30000
sleep 3
remote command "$kTodayCommand"
sleep 2
# The slot editor has the keyboard on 8:00am; Enter moves to the next slot.
for entry in "Stand-up with the team" "" "Dentist (Dr. Okafor)" "" "" "Lunch with Ana" "" \
             "Review the quarterly budget" "\"" "" "Call the garage about the car"; do
  [ -n "$entry" ] && xdotool type --delay 5 "$entry"
  xdotool key Return
  sleep 0.2
done
sleep 1
# grab FILE: the Wine desktop without its taskbar, trimmed to its windows.
grab() {
  local desktop
  desktop="$(xdotool search --name 'Wine desktop' | head -n 1)"
  import -window "$desktop" "$prefix/raw.png"
  convert "$prefix/raw.png" -gravity South -chop "0x$kTaskbarHeight" +repage -trim +repage "$1"
}
grab "docs/day-planner$suffix.png"
# menu KEY FILE: opens a menu of the active window with its access key.
menu() {
  xdotool key "$1"
  sleep 1
  grab "$2"
  xdotool key Escape Escape
  sleep 0.5
}
menu alt+a "docs/planner-menu$suffix.png"
xdotool key Escape   # the planner commits and closes
sleep 1
menu alt+v "docs/main-menu$suffix.png"
remote command "$kWeekCommand"
sleep 2
grab "docs/week-view$suffix.png"
xdotool key Escape
sleep 1
remote command "$kYearCommand"
sleep 2
grab "docs/year-view$suffix.png"
xdotool key Escape
sleep 1
remote command "$kToDoCommand"
sleep 2
xdotool type --delay 5 "Renew the passport"
xdotool key Return
sleep 0.5
grab "docs/todo-window$suffix.png"
xdotool key Escape
sleep 1
# File > Calendar Accounts..., an account being added.
remote command "$kAccountsCommand"
sleep 2
xdotool key alt+d
xdotool type --delay 5 "https://dav.example.org/"
xdotool key alt+u
xdotool type --delay 5 "ana"
sleep 0.5
grab "docs/accounts-dialog$suffix.png"
xdotool key Escape
sleep 1
remote exit 20000
wait "$program_pid"
echo "readme-screenshots: docs/{day-planner,planner-menu,main-menu,week-view,year-view,todo-window,accounts-dialog}$suffix.png"
