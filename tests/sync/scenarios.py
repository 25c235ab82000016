#!/usr/bin/python3
"""The CalDAV sync of lumetta-cli against a real server (started by the CTest
fixture, see caldav_server.py), with python3-caldav playing the user's other
device. Every scenario gets a fresh calendar and a fresh diary.

  scenarios.py [--wine WINE_EXEC] LUMETTA_CLI SERVER_FOLDER [SCENARIO ...]

With --wine the Windows lumetta-cli.exe is run through that wrapper.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import traceback
import uuid

import caldav

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import caldav_server  # noqa: E402

CLI = None
WINE = None
SERVER = None
KEPT = object()  # no password in the environment: the one the account keeps
REC = 204


# --- the diary's data file (204-byte records, see src/store/DataFile.h) -------

def read_diary(path):
    if not os.path.exists(path):
        return []
    data = open(path, "rb").read()
    out = []
    for i in range(0, len(data) - REC + 1, REC):
        r = data[i:i + REC]
        y, mo, d, h, mi, mday, kind = struct.unpack_from("<7i", r, 0)
        text = r[56:157].split(b"\0")[0].decode("cp1252")
        out.append({"key": f"{y:04d}-{mo:02d}-{d:02d} {h:02d}:{mi:02d}", "text": text,
                    "kind": kind, "raw": bytearray(r)})
    return out


def write_diary(path, records):
    with open(path, "wb") as f:
        for r in records:
            f.write(bytes(r["raw"]))


def make_record(y, mo, d, h, mi, text, kind=0, until=0, month_day=None):
    """An entry as the program writes it; the copies of a series share the
    first one's month day."""
    r = bytearray(REC)
    struct.pack_into("<10i", r, 0, y, mo, d, h, mi, month_day or d, kind, 0, 0, -1)
    if kind == 3:
        wd = ["Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"]
        import datetime
        r[45:56] = (("every " + wd[datetime.date(y, mo, d).weekday()])[:10].encode()
                    .ljust(11, b"\0"))
    t = text.encode("cp1252")[:100]
    r[56:56 + len(t)] = t
    struct.pack_into("<8i", r, 160, 0, 0, 0, 0, until, 1, 0, 0)
    return {"key": f"{y:04d}-{mo:02d}-{d:02d} {h:02d}:{mi:02d}", "text": text, "kind": kind,
            "raw": r}


def set_text(record, text):
    record["raw"][56:157] = bytes(101)
    t = text.encode("cp1252")[:100]
    record["raw"][56:56 + len(t)] = t
    record["text"] = text


def epoch(y, mo, d, h, mi):
    import calendar
    return calendar.timegm((y, mo, d, h, mi, 0))


# --- the other device ----------------------------------------------------------

def vevent(uid, start, summary, extra=""):
    return (f"BEGIN:VEVENT\r\nUID:{uid}\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:{start}\r\n"
            f"DURATION:PT30M\r\nSUMMARY:{summary}\r\n{extra}END:VEVENT\r\n")


def vcalendar(*events):
    return ("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//other device//EN\r\n" +
            "".join(events) + "END:VCALENDAR\r\n")


class Env:
    def __init__(self, name):
        self.folder = tempfile.mkdtemp(prefix="lumetta-sync-")
        self.data = os.path.join(self.folder, "Lumetta.bin")
        self.url = open(os.path.join(SERVER, "url")).read()
        self.client = caldav.DAVClient(self.url, username=caldav_server.USER,
                                       password=caldav_server.PASSWORD)
        self.calname = "cal-" + uuid.uuid4().hex[:8]
        self.cal = self.client.principal().make_calendar(name=self.calname, cal_id=self.calname)
        self.password = caldav_server.PASSWORD
        out = self.cli("account", "add", self.url, "--user", caldav_server.USER, "--calendar",
                       self.calname, "--name", "test")
        assert out.returncode == 0, out.stderr

    def command(self, *args):
        if WINE:
            return [WINE, CLI, "--file", "Z:" + self.data.replace("/", "\\"), *args]
        return [CLI, "--file", self.data, *args]

    def environment(self, password=None):
        env = dict(os.environ, TZ="UTC",
                   LUMETTA_CALDAV_PASSWORD=password if password is not None else self.password)
        if password is KEPT:
            del env["LUMETTA_CALDAV_PASSWORD"]
        return env

    def cli(self, *args, password=None):
        return subprocess.run(self.command(*args), capture_output=True, text=True,
                              env=self.environment(password), timeout=120, stdin=subprocess.DEVNULL)

    def sync(self, *args, expect=0):
        r = self.cli("sync", *args)
        assert r.returncode == expect, f"sync exit {r.returncode}: {r.stdout}{r.stderr}"
        m = re.search(r"Downloaded (\d+), uploaded (\d+), deleted (\d+) here and (\d+) on the "
                      r"server, (\d+) conflicts?", r.stdout + r.stderr)
        self.last = r.stdout + r.stderr
        return tuple(int(x) for x in m.groups()) if m else None

    def diary(self):
        return sorted((r["key"], r["text"]) for r in read_diary(self.data))

    def objects(self):
        """uid -> raw text of every object of the calendar."""
        out = {}
        for ev in self.cal.events():
            text = ev.data
            uid = re.search(r"^UID:(.*?)\r?$", text, re.M).group(1)
            assert uid not in out, f"UID {uid} twice on the server"
            out[uid] = text
        return out

    def summaries(self):
        """(start, summary) of every VEVENT on the server, overrides included."""
        out = []
        for text in self.objects().values():
            for block in re.findall(r"BEGIN:VEVENT(.*?)END:VEVENT", text.replace("\r\n ", ""),
                                    re.S):
                start = re.search(r"^DTSTART[^:\n]*:(\S+)", block, re.M).group(1)
                summary = re.search(r"^SUMMARY:(.*?)\r?$", block, re.M).group(1).replace("\\,", ",")
                out.append((start, summary))
        return sorted(out)

    def put(self, uid, start, summary, extra=""):
        self.cal.save_event(vcalendar(vevent(uid, start, summary, extra)))

    def put_raw(self, text):
        self.cal.save_event(text)

    def remove(self, uid):
        self.cal.event_by_uid(uid).delete()

    def fill_diary(self, records):
        write_diary(self.data, records)

    def collection_folder(self):
        """Where the server keeps the calendar's objects (found by its name)."""
        for root, dirs, _ in os.walk(os.path.join(SERVER, "store")):
            if self.calname in dirs:
                return os.path.join(root, self.calname)
        raise AssertionError("no folder of the calendar")

    def state_file(self):
        return os.path.join(self.folder, "Lumetta.test.sync")


def sample_diary():
    return [make_record(2027, 3, 1, 9, 0, "Dentist"),
            make_record(2027, 3, 2, 10, 30, "Call the bank"),
            make_record(2027, 3, 3, 14, 0, "Team meeting"),
            make_record(2027, 3, 4, 8, 0, "Gym")]


# --- scenarios -------------------------------------------------------------------

def first_sync_up(env):
    until = epoch(2027, 3, 29, 23, 59)
    series = [make_record(2027, 3, d, 17, 0, "Choir", kind=3, until=until, month_day=1)
              for d in (1, 8, 15, 22, 29)]
    env.fill_diary(sample_diary() + series)
    assert env.sync() == (0, 5, 0, 0, 0)
    objs = env.objects()
    assert len(objs) == 5, objs.keys()
    choir = [t for t in objs.values() if "Choir" in t][0]
    assert "RRULE:FREQ=WEEKLY;UNTIL=20270329T235900" in choir, choir
    assert ("20270303T140000", "Team meeting") in env.summaries()
    assert env.sync() == (0, 0, 0, 0, 0)


def first_sync_down(env):
    env.put("d1", "20270310T090000", "Flight to Oslo")
    env.put("d2", "20270311T113000", "Lunch with Ann")
    env.put_raw(vcalendar(
        "BEGIN:VEVENT\r\nUID:d3\r\nDTSTAMP:20260101T000000Z\r\nDTSTART;VALUE=DATE:20270312\r\n"
        "SUMMARY:Holiday\r\nEND:VEVENT\r\n"))
    assert env.sync() == (3, 0, 0, 0, 0)
    assert env.diary() == [("2027-03-10 09:00", "Flight to Oslo"),
                           ("2027-03-11 11:30", "Lunch with Ann")], env.diary()
    notes = open(os.path.join(env.folder, "notes", "20270312.txt"), "rb").read()
    assert b"Holiday" in notes
    assert env.sync() == (0, 0, 0, 0, 0)


def changes_both_sides(env):
    env.fill_diary(sample_diary())
    env.put("s1", "20270320T090000", "Server one")
    env.put("s2", "20270321T090000", "Server two")
    assert env.sync() == (2, 4, 0, 0, 0)
    # The other device: changes s1, deletes s2, adds s3.
    env.put("s1", "20270320T090000", "Server one, moved room")
    env.remove("s2")
    env.put("s3", "20270322T100000", "Server three")
    # Here: the dentist changes, the bank call goes, a new entry comes.
    recs = read_diary(env.data)
    for r in recs:
        if r["text"] == "Dentist":
            set_text(r, "Dentist at 9, bring card")
    recs = [r for r in recs if r["text"] != "Call the bank"]
    recs.append(make_record(2027, 3, 5, 12, 0, "New here"))
    write_diary(env.data, recs)
    assert env.sync() == (2, 2, 1, 1, 0)
    assert env.diary() == [("2027-03-01 09:00", "Dentist at 9, bring card"),
                           ("2027-03-03 14:00", "Team meeting"),
                           ("2027-03-04 08:00", "Gym"),
                           ("2027-03-05 12:00", "New here"),
                           ("2027-03-20 09:00", "Server one, moved room"),
                           ("2027-03-22 10:00", "Server three")], env.diary()
    assert [s for _, s in env.summaries()] == [
        "Dentist at 9, bring card", "Team meeting", "Gym", "New here",
        "Server one, moved room", "Server three"], env.summaries()
    assert env.sync() == (0, 0, 0, 0, 0)


def conflict(env):
    env.fill_diary(sample_diary())
    assert env.sync() == (0, 4, 0, 0, 0)
    uid = [u for u, t in env.objects().items() if "Gym" in t][0]
    env.put(uid, "20270304T080000", "Gym (their version)")
    recs = read_diary(env.data)
    for r in recs:
        if r["text"] == "Gym":
            set_text(r, "Gym (our version)")
    write_diary(env.data, recs)
    assert env.sync() == (0, 0, 0, 0, 1)
    diary = env.diary()
    assert ("2027-03-04 08:00", "Gym (their version)") in diary, diary
    assert ("2027-03-04 08:30", "CONFLICT: Gym (our version)") in diary, diary
    # The kept version goes up as an item of its own; nothing is lost anywhere.
    assert env.sync() == (0, 1, 0, 0, 0)
    names = [s for _, s in env.summaries()]
    assert "Gym (their version)" in names and "CONFLICT: Gym (our version)" in names, names
    assert env.sync() == (0, 0, 0, 0, 0)


def server_series(env):
    env.put_raw(vcalendar(
        vevent("series-1", "20270405T180000", "Piano lesson",
               "RRULE:FREQ=WEEKLY;COUNT=5\r\nEXDATE:20270419T180000\r\n"),
        "BEGIN:VEVENT\r\nUID:series-1\r\nDTSTAMP:20260101T000000Z\r\n"
        "RECURRENCE-ID:20270426T180000\r\nDTSTART:20270427T190000\r\nDURATION:PT30M\r\n"
        "SUMMARY:Piano lesson (moved)\r\nEND:VEVENT\r\n"))
    assert env.sync() == (1, 0, 0, 0, 0)
    assert env.diary() == [("2027-04-05 18:00", "Piano lesson"),
                           ("2027-04-12 18:00", "Piano lesson"),
                           ("2027-04-27 19:00", "Piano lesson (moved)"),
                           ("2027-05-03 18:00", "Piano lesson")], env.diary()
    before = env.objects()
    assert env.sync() == (0, 0, 0, 0, 0)
    assert env.objects() == before


def lost_state(env):
    env.fill_diary(sample_diary())
    env.put("s1", "20270320T090000", "Server one")
    assert env.sync() == (1, 4, 0, 0, 0)
    diary, objs = env.diary(), env.objects()
    os.remove(env.state_file())
    assert env.sync() == (0, 0, 0, 0, 0)
    assert env.diary() == diary and env.objects() == objs
    assert env.sync() == (0, 0, 0, 0, 0)


def refused_token(env):
    env.fill_diary(sample_diary())
    assert env.sync() == (0, 4, 0, 0, 0)
    env.put("s1", "20270320T090000", "Server one")
    state = open(env.state_file()).read()
    state = re.sub(r"^token\t.*$", "token\thttp://example.invalid/sync/not-a-token", state,
                   flags=re.M)
    open(env.state_file(), "w").write(state)
    assert env.sync() == (1, 0, 0, 0, 0)
    assert len(env.diary()) == 5 and len(env.objects()) == 5
    assert env.sync() == (0, 0, 0, 0, 0)


def server_stopped(env):
    records = [make_record(2027, 6, 1 + i // 40, 0, 0, f"Entry {i}") for i in range(120)]
    for i, r in enumerate(records):
        struct.pack_into("<2i", r["raw"], 12, (i % 40) // 2, 30 * (i % 2))
    env.fill_diary(records)
    proc = subprocess.Popen(env.command("sync"), stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True, env=env.environment())
    # Stopped once some of the uploads are through.
    deadline = time.time() + 60
    while time.time() < deadline and proc.poll() is None:
        if len(os.listdir(env.collection_folder())) >= 10:
            break
        time.sleep(0.05)
    caldav_server.stop(SERVER)
    out, err = proc.communicate(timeout=120)
    caldav_server.restart(SERVER)
    assert proc.returncode == 1, (proc.returncode, out, err)
    assert "cannot be reached" in err or "failed" in err, err
    assert len(env.diary()) == 120
    env.sync()
    assert len(env.objects()) == 120 and len(env.diary()) == 120
    assert env.sync() == (0, 0, 0, 0, 0)


def wrong_password(env):
    env.fill_diary(sample_diary())
    assert env.sync() == (0, 4, 0, 0, 0)
    env.put("s1", "20270320T090000", "Server one")
    diary, state = open(env.data, "rb").read(), open(env.state_file(), "rb").read()
    r = env.cli("sync", password="wrong")
    assert r.returncode == 4, (r.returncode, r.stderr)
    assert "refused the user name or password" in r.stderr, r.stderr
    assert open(env.data, "rb").read() == diary
    assert open(env.state_file(), "rb").read() == state
    assert env.sync() == (1, 0, 0, 0, 0)


def twenty_quiet_syncs(env):
    env.fill_diary(sample_diary())
    env.put("s1", "20270320T090000", "Server one")
    env.sync()
    env.sync()
    diary = open(env.data, "rb").read()
    objs = {str(ev.url): (ev.data, ev.get_property(caldav.dav.GetEtag()))
            for ev in env.cal.events()}
    for _ in range(20):
        assert env.sync() == (0, 0, 0, 0, 0)
    assert open(env.data, "rb").read() == diary
    after = {str(ev.url): (ev.data, ev.get_property(caldav.dav.GetEtag()))
             for ev in env.cal.events()}
    assert after == objs


def many_deletes_ask(env):
    env.fill_diary(sample_diary())
    assert env.sync() == (0, 4, 0, 0, 0)
    write_diary(env.data, [])
    env.sync(expect=3)
    assert len(env.objects()) == 4
    assert env.sync("--allow-deletes") == (0, 0, 0, 4, 0)
    assert env.objects() == {}


def kept_password(env):
    """Windows keeps the password given at account add, protected for the user."""
    key = os.path.join(env.folder, "Lumetta.test.key")
    assert os.path.getsize(key) > 0
    for name in os.listdir(env.folder):
        assert env.password.encode() not in open(os.path.join(env.folder, name), "rb").read(), name
    env.fill_diary(sample_diary())
    r = env.cli("sync", password=KEPT)
    assert r.returncode == 0 and "uploaded 4" in r.stdout, (r.returncode, r.stdout, r.stderr)
    open(key, "r+b").write(b"\0" * 8)  # damaged: the password is asked for, none comes
    r = env.cli("sync", password=KEPT)
    assert r.returncode == 1 and "no password" in r.stderr, (r.returncode, r.stderr)
    assert env.cli("account", "remove", "test").returncode == 0
    assert not os.path.exists(key)


SCENARIOS = [
    ("first sync up", first_sync_up),
    ("first sync down", first_sync_down),
    ("changes on both sides", changes_both_sides),
    ("conflict", conflict),
    ("server series", server_series),
    ("lost state file", lost_state),
    ("refused sync token", refused_token),
    ("server stopped mid-sync", server_stopped),
    ("wrong password", wrong_password),
    ("20 quiet syncs", twenty_quiet_syncs),
    ("many deletes ask first", many_deletes_ask),
    ("kept password", kept_password),
]
# Where the system keeps passwords (the Windows build).
KEEPS_PASSWORDS = {"kept password"}


def main():
    global CLI, WINE, SERVER
    args = sys.argv[1:]
    if args[0] == "--wine":
        WINE, args = args[1], args[2:]
    CLI, SERVER = args[0], args[1]
    wanted = args[2:]
    kind = open(os.path.join(SERVER, "kind")).read()
    failed = 0
    for name, scenario in SCENARIOS:
        if (wanted and name not in wanted) or (not WINE and name in KEEPS_PASSWORDS):
            continue
        started = time.time()
        env = None
        try:
            env = Env(name)
            scenario(env)
            print(f"PASS {kind}: {name} ({time.time() - started:.1f} s)", flush=True)
            shutil.rmtree(env.folder, ignore_errors=True)
        except Exception:
            failed += 1
            print(f"FAIL {kind}: {name}", flush=True)
            traceback.print_exc()
            if env is not None:
                print(f"  (diary kept in {env.folder})")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
