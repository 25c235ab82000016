#!/usr/bin/python3
"""The program's own sync (the GUI test SyncInProgram under Wine) against a
real server: the other device puts an event on a fresh calendar first and
reads back what the program's planner sent afterwards.

  program_sync.py WINE_EXEC GUI_TESTS_EXE SERVER_FOLDER
"""
import os
import re
import subprocess
import sys
import uuid

import caldav

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import caldav_server  # noqa: E402
import scenarios  # noqa: E402


def main():
    wine, gui_tests, server = sys.argv[1:4]
    url = open(os.path.join(server, "url")).read()
    client = caldav.DAVClient(url, username=caldav_server.USER, password=caldav_server.PASSWORD)
    name = "cal-" + uuid.uuid4().hex[:8]
    cal = client.principal().make_calendar(name=name, cal_id=name)
    cal.save_event(scenarios.vcalendar(
        scenarios.vevent("other-1", "20250316T140000Z", "Made on the phone")))
    env = dict(os.environ, TZ="UTC", LUMETTA_TEST_CALDAV_URL=url,
               LUMETTA_TEST_CALDAV_USER=caldav_server.USER,
               LUMETTA_TEST_CALDAV_PASSWORD=caldav_server.PASSWORD,
               LUMETTA_TEST_CALDAV_CALENDAR=name)
    run = subprocess.run([wine, gui_tests, "--gtest_filter=SyncInProgram.*"], env=env,
                         capture_output=True, text=True, timeout=240, stdin=subprocess.DEVNULL)
    print(run.stdout[-3000:], run.stderr[-2000:])
    if run.returncode != 0 or "[  PASSED  ] 1 test" not in run.stdout:
        return 1
    summaries = [m for ev in cal.events() for m in re.findall(r"^SUMMARY:(.*?)\r?$", ev.data, re.M)]
    print("on the server:", summaries)
    if sorted(summaries) != ["Made on the phone", "Typed in a planner"]:
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
