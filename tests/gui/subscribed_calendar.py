#!/usr/bin/python3
"""A subscribed calendar in the program (the GUI test SubscribedCalendar under
Wine), served by python3's own web server on a free local port. The server's
log must show the first download whole and the second answered 304.

  subscribed_calendar.py WINE_EXEC GUI_TESTS_EXE WORK_FOLDER
"""
import os
import shutil
import subprocess
import sys
import time

CALENDAR = (
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Holidays//EN\r\n"
    "BEGIN:VEVENT\r\nUID:spring\r\nDTSTART;VALUE=DATE:20250317\r\n"
    "DTEND;VALUE=DATE:20250318\r\nSUMMARY:Spring Holiday\r\nEND:VEVENT\r\n"
    "BEGIN:VEVENT\r\nUID:call\r\nDTSTART:20250316T110000Z\r\nDTEND:20250316T113000Z\r\n"
    "SUMMARY:Team call\r\nEND:VEVENT\r\n"
    "END:VCALENDAR\r\n")


def main():
    wine, gui_tests, work = sys.argv[1:4]
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    with open(os.path.join(work, "holidays.ics"), "w", newline="") as f:
        f.write(CALENDAR)
    log_path = os.path.join(work, "server.log")
    with open(log_path, "w") as log:
        server = subprocess.Popen(
            ["/usr/bin/python3", "-u", "-c",
             "import http.server, functools, sys\n"
             "h = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])\n"
             "s = http.server.ThreadingHTTPServer(('127.0.0.1', 0), h)\n"
             "print('port', s.server_address[1], flush=True)\n"
             "s.serve_forever()\n", work],
            stdout=subprocess.PIPE, stderr=log, text=True)
    try:
        port = server.stdout.readline().split()[1]
        env = dict(os.environ, TZ="UTC",
                   LUMETTA_TEST_SUBSCRIBE_URL="http://127.0.0.1:%s/holidays.ics" % port)
        run = subprocess.run([wine, gui_tests, "--gtest_filter=SubscribedCalendar.*"], env=env,
                             capture_output=True, text=True, timeout=240,
                             stdin=subprocess.DEVNULL)
        print(run.stdout[-3000:], run.stderr[-2000:])
    finally:
        server.terminate()
        server.wait()
    time.sleep(0.1)
    answers = [line.split('"')[2].split()[0] for line in open(log_path)
               if '"GET /holidays.ics ' in line]
    print("the server answered:", answers)
    if run.returncode != 0 or "[  PASSED  ] 1 test" not in run.stdout:
        return 1
    return 0 if answers[:1] == ["200"] and "304" in answers[1:] else 1


if __name__ == "__main__":
    sys.exit(main())
