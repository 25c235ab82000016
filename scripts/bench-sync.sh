#!/usr/bin/env bash
# Times lumetta-cli's CalDAV sync beside vdirsyncer doing the same job to a
# local folder, against a local Radicale (hyperfine): the first sync of N
# events from the server into an empty diary (vdirsyncer: into an empty
# folder), the first sync of N entries up to an empty calendar (vdirsyncer:
# N files up), and a sync with nothing changed. Results go to
# build/bench/sync-*.json and a table to the terminal.
#   N=10000 (events)   RUNS=3 (hyperfine's --runs for the first syncs)
set -euo pipefail
cd "$(dirname "$0")/.."
n=${N:-10000}
runs=${RUNS:-3}
py=/usr/bin/python3

cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target lumetta-cli
cli=$PWD/build/bench-build/src/cli/lumetta-cli
out=$PWD/build/bench
work=$out/sync
rm -rf "$work"
mkdir -p "$work"
server=$work/server
trap '$py tests/sync/caldav_server.py stop "$server"' EXIT
$py tests/sync/caldav_server.py start radicale "$server"
url=$(cat "$server/url")
url=${url%/}
auth=(-s -o /dev/null -u tester:secret-pw)

# N events on the server (written as Radicale keeps them, then read once so
# that its cache is warm), N entries in a diary, N files in a folder.
$py - "$server/store/collection-root/tester" "$work" "$n" <<'PY'
import json, os, struct, sys
root, work, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
props = {"tag": "VCALENDAR", "C:supported-calendar-component-set": "VEVENT"}
down = os.path.join(root, "down")
os.makedirs(down)
json.dump(props, open(os.path.join(down, ".Radicale.props"), "w"))
os.makedirs(os.path.join(work, "up-files"))
diary = bytearray()
for i in range(n):
    day, slot = divmod(i, 48)
    y, rest = 2025 + day // 336, day % 336
    m, d = rest // 28 + 1, rest % 28 + 1
    h, mi = slot // 2, 30 * (slot % 2)
    ev = ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\nBEGIN:VEVENT\r\n"
          f"UID:ev-{i}\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:{y:04d}{m:02d}{d:02d}T{h:02d}{mi:02d}00\r\n"
          f"DURATION:PT30M\r\nSUMMARY:Event number {i}\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n")
    open(os.path.join(down, f"ev-{i}.ics"), "w", newline="").write(ev)
    open(os.path.join(work, "up-files", f"ev-{i}.ics"), "w", newline="").write(ev)
    r = bytearray(204)
    struct.pack_into("<10i", r, 0, y, m, d, h, mi, d, 0, 0, 0, -1)
    t = f"Entry number {i}".encode()
    r[56:56 + len(t)] = t
    struct.pack_into("<8i", r, 160, 0, 0, 0, 0, 0, 1, 0, 0)
    diary += r
open(os.path.join(work, "up.bin"), "wb").write(diary)
PY
curl "${auth[@]}" -X PROPFIND -H "Depth: 1" "$url/tester/down/"

export LUMETTA_CALDAV_PASSWORD=secret-pw TZ=UTC
mkdir -p "$work/down" "$work/up"
"$cli" --file "$work/down/Lumetta.bin" account add "$url/tester/down/" --user tester --name bench >/dev/null
curl "${auth[@]}" -X MKCALENDAR "$url/tester/up/"
"$cli" --file "$work/up/Lumetta.bin" account add "$url/tester/up/" --user tester --name bench >/dev/null

vdir_config() {  # NAME CALENDAR-URL
  mkdir -p "$work/vdir-$1"
  cat >"$work/vdir-$1.conf" <<CONF
[general]
status_path = "$work/vdir-$1-status/"
[pair bench]
a = "bench_local"
b = "bench_remote"
collections = null
[storage bench_local]
type = "filesystem"
path = "$work/vdir-$1/"
fileext = ".ics"
[storage bench_remote]
type = "caldav"
url = "$2"
username = "tester"
password = "secret-pw"
CONF
}
vdir_config down "$url/tester/down/"
vdir_config up "$url/tester/up/"
reset_up="curl ${auth[*]} -X DELETE $url/tester/up/ && curl ${auth[*]} -X MKCALENDAR $url/tester/up/"

hyperfine --runs "$runs" --export-json "$out/sync-down.json" \
  --prepare "rm -f $work/down/Lumetta.bin $work/down/*.sync; rm -rf $work/down/notes" \
  -n "lumetta-cli: $n events down" "$cli --file $work/down/Lumetta.bin sync" \
  --prepare "rm -rf $work/vdir-down $work/vdir-down-status; mkdir -p $work/vdir-down; yes | vdirsyncer -c $work/vdir-down.conf discover >/dev/null 2>&1" \
  -n "vdirsyncer: $n events down" "vdirsyncer -c $work/vdir-down.conf sync"

hyperfine --runs "$runs" --export-json "$out/sync-up.json" \
  --prepare "$reset_up; cp $work/up.bin $work/up/Lumetta.bin; rm -f $work/up/*.sync" \
  -n "lumetta-cli: $n entries up" "$cli --file $work/up/Lumetta.bin sync" \
  --prepare "$reset_up; rm -rf $work/vdir-up $work/vdir-up-status; cp -r $work/up-files $work/vdir-up; yes | vdirsyncer -c $work/vdir-up.conf discover >/dev/null 2>&1" \
  -n "vdirsyncer: $n files up" "vdirsyncer -c $work/vdir-up.conf sync"

# Nothing changed: the diary holds the N events and the state file their
# sync token (one request).
"$cli" --file "$work/down/Lumetta.bin" sync >/dev/null
"$cli" --file "$work/down/Lumetta.bin" sync >/dev/null
vdirsyncer -c "$work/vdir-down.conf" sync >/dev/null 2>&1
hyperfine --warmup 2 --runs 20 --export-json "$out/sync-quiet.json" \
  -n "lumetta-cli: nothing changed, $n events" "$cli --file $work/down/Lumetta.bin sync" \
  -n "vdirsyncer: nothing changed, $n events" "vdirsyncer -c $work/vdir-down.conf sync"
