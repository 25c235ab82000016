#!/usr/bin/env bash
# Times our command-line agenda beside remind and calcurse on the same
# synthetic diaries: "start, load everything, print one day's agenda" and
# "... one month's agenda", for each size and shape, in one hyperfine run,
# with the floor beside them: a process that only opens our data file. Installs
# the other tools from Debian when they are missing (only this script needs
# them). Results go to build/bench/peers.json (a later run of other sizes
# replaces only its own results there), a table to the terminal.
#   SIZES="100000 1000000" (default both)   RUNS=10 (hyperfine's --min-runs)
#   WARMUP=1   SPANS="day month" (default both)
#   SHAPES="series plain" (default both: the diary with alarms and weekly
#   series, and one of plain one-off appointments)
# 100,000 entries lie in the half-hour slots of 2020-2030; 1,000,000 do not
# fit there (192,864 slots), and remind reads only the years from 1990, so
# that diary fills quarter hours of 1990-2037 (1,683,072 slots).
set -euo pipefail
cd "$(dirname "$0")/.."
sizes=${SIZES:-100000 1000000}
runs=${RUNS:-10}
warmup=${WARMUP:-1}
spans=${SPANS:-day month}
shapes=${SHAPES:-series plain}

if ! command -v remind >/dev/null || ! command -v calcurse >/dev/null ||
   ! command -v hyperfine >/dev/null; then
  sudo=; [ "$(id -u)" = 0 ] || sudo=sudo
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q remind calcurse hyperfine
fi

cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target peer_diary open_only lumetta-cli
bin=build/bench-build
out=build/bench
mkdir -p "$out"

# Day and month inside both diaries; July has 31 days.
day=2025-07-16
cmds=()
for shape in $shapes; do
  for n in $sizes; do
    dir=$out/peers/$shape/$n
    if [ "$n" -le 192864 ]; then range=(2020 2030 30); else range=(1990 2037 15); fi
    flag=; [ "$shape" = plain ] && flag=--plain
    if [ ! -s "$dir/Lumetta.bin" ] || [ "$(cat "$dir/made" 2>/dev/null)" != "$n ${range[*]}" ]; then
      rm -rf "$dir"
      "$bin/bench/peer_diary" $flag "$n" "$dir" "${range[@]}"
      touch "$dir/calcurse/todo"  # calcurse will not start without one
      echo "$n ${range[*]}" >"$dir/made"
    fi
    cli="$bin/src/cli/lumetta-cli --file $dir/Lumetta.bin agenda"
    cal="calcurse -D $dir/calcurse --read-only"
    # The agenda's first run after the data file changed reads all of it and
    # writes its index; hyperfine's warm-up runs do that.
    cmds+=(-n "floor $shape $n" "$bin/bench/open_only $dir/Lumetta.bin")
    for span in $spans; do
      if [ "$span" = day ]; then
        cmds+=(-n "lumetta-cli day $shape $n" "$cli $day --days 1"
               -n "remind day $shape $n" "remind -q $dir/diary.rem 16 Jul 2025"
               -n "calcurse day $shape $n" "$cal -d 07/16/2025")
      else
        cmds+=(-n "lumetta-cli month $shape $n" "$cli 2025-07-01 --days 31"
               -n "remind month $shape $n" "remind -q -s $dir/diary.rem Jul 2025"
               -n "calcurse month $shape $n"
               "$cal -Q --filter-type cal --from 07/01/2025 --days 31")
      fi
    done
  done
done

hyperfine -N --warmup "$warmup" --min-runs "$runs" --export-json "$out/peers-run.json" \
  "${cmds[@]}" >/dev/null

# Merges the run into peers.json, then the table: mean times, the floor,
# and how many times faster our agenda is.
python3 - "$out/peers-run.json" "$out/peers.json" <<'EOF'
import json, os, sys
run = json.load(open(sys.argv[1]))
if os.path.exists(sys.argv[2]):
    kept = json.load(open(sys.argv[2]))["results"]
    names = {r["command"] for r in run["results"]}
    run["results"] = [r for r in kept if r["command"] not in names] + run["results"]
json.dump(run, open(sys.argv[2], "w"), indent=2)
os.remove(sys.argv[1])
results = {r["command"]: r["mean"] for r in run["results"]}
print("| Entries | Diary | Agenda | floor | lumetta-cli | vs floor | remind | calcurse "
      "| vs remind | vs calcurse |")
print("|---:|---|---|---:|---:|---:|---:|---:|---:|---:|")
rows = {tuple(c.split()[1:]) for c in results if c.startswith("lumetta-cli ")}
rows = [r for r in rows if len(r) == 3]  # (span, shape, size); older runs' names had no shape
for span, shape, n in sorted(rows, key=lambda r: (int(r[2]), r[1], r[0] != "day")):
    l, r, c = (results.get(f"{t} {span} {shape} {n}") for t in ("lumetta-cli", "remind", "calcurse"))
    f = results.get(f"floor {shape} {n}")
    if None in (l, r, c, f):
        continue
    print(f"| {int(n):,} | {shape} | {span} | {f*1e3:.2f} ms | {l*1e3:.2f} ms | {l/f:.1f}x "
          f"| {r*1e3:.1f} ms | {c*1e3:.1f} ms | {r/l:.1f}x | {c/l:.1f}x |")
EOF
