#!/usr/bin/python3
"""The program's own sync (the GUI tests SyncInProgram under Wine) against a
real server. The other device puts events on fresh calendars first, changes
one when the program asks it to (a file in a shared folder), and reads back
what the program's planner sent afterwards. A slow server is played by a
proxy in front of the same server that holds every answer back a while.

  program_sync.py WINE_EXEC GUI_TESTS_EXE SERVER_FOLDER
"""
import http.client
import http.server
import os
import re
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import uuid

import caldav

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import caldav_server  # noqa: E402
import scenarios  # noqa: E402

DELAY_S = 2.0
TESTS = 4


def slow_proxy(target):
    """Serves on a free local port, forwarding every request to `target` a
    few seconds late; answers the proxy's own base URL."""
    backend = urllib.parse.urlsplit(target)

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def forward(self):
            body = self.rfile.read(int(self.headers.get("Content-Length") or 0))
            time.sleep(DELAY_S)
            conn = http.client.HTTPConnection(backend.hostname, backend.port, timeout=30)
            headers = {k: v for k, v in self.headers.items()
                       if k.lower() not in ("host", "connection")}
            conn.request(self.command, self.path, body=body, headers=headers)
            answer = conn.getresponse()
            data = answer.read()
            self.send_response(answer.status, answer.reason)
            for k, v in answer.getheaders():
                if k.lower() not in ("transfer-encoding", "connection", "content-length"):
                    self.send_header(k, v.replace(f"http://{backend.netloc}", own))
            self.send_header("Content-Length", str(len(data)))
            self.end_headers()
            self.wfile.write(data)

        do_GET = do_PUT = do_DELETE = do_OPTIONS = do_PROPFIND = do_REPORT = forward

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    own = f"http://127.0.0.1:{server.server_address[1]}"
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return own + backend.path


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def main():
    wine, gui_tests, server = sys.argv[1:4]
    url = open(os.path.join(server, "url")).read()
    client = caldav.DAVClient(url, username=caldav_server.USER, password=caldav_server.PASSWORD)
    principal = client.principal()
    names = [prefix + uuid.uuid4().hex[:8] for prefix in ("cal-", "conflict-", "many-")]
    cal, other, many = [principal.make_calendar(name=n, cal_id=n) for n in names]
    cal.save_event(scenarios.vcalendar(
        scenarios.vevent("other-1", "20250316T140000Z", "Made on the phone")))
    other.save_event(scenarios.vcalendar(
        scenarios.vevent("other-2", "20250317T090000Z", "Planned on the phone")))
    for hour in (9, 10, 11):
        many.save_event(scenarios.vcalendar(
            scenarios.vevent(f"many-{hour}", f"20250318T{hour:02}0000Z", f"Meeting {hour}")))
    signals = tempfile.mkdtemp(prefix="lumetta-sync-signals-")
    env = dict(os.environ, TZ="UTC", LUMETTA_TEST_CALDAV_URL=url,
               LUMETTA_TEST_CALDAV_SLOW_URL=slow_proxy(url),
               LUMETTA_TEST_CALDAV_USER=caldav_server.USER,
               LUMETTA_TEST_CALDAV_PASSWORD=caldav_server.PASSWORD,
               LUMETTA_TEST_CALDAV_CALENDAR=names[0],
               LUMETTA_TEST_CALDAV_CONFLICT_CALENDAR=names[1],
               LUMETTA_TEST_CALDAV_MANY_CALENDAR=names[2],
               LUMETTA_TEST_CALDAV_SIGNALS=windows_path(signals))
    run = subprocess.Popen([wine, gui_tests, "--gtest_filter=SyncInProgram.*"], env=env,
                           stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                           stdin=subprocess.DEVNULL)
    # The program asks for the other device's changes (a file named for the
    # change) once it has synced, and waits for the answer file.
    def change():
        event = other.event_by_uid("other-2")
        event.data = event.data.replace("Planned on the phone", "Changed on the phone")
        event.save()

    changes = {"change": ("changed", change),
               "delete": ("deleted", lambda: [e.delete() for e in many.events()])}

    def other_device():
        while run.poll() is None:
            for ask, (done, act) in changes.items():
                if os.path.exists(os.path.join(signals, ask)):
                    act()
                    os.remove(os.path.join(signals, ask))
                    open(os.path.join(signals, done), "w").close()
            time.sleep(0.1)

    threading.Thread(target=other_device, daemon=True).start()
    try:
        out, err = run.communicate(timeout=280)
    except subprocess.TimeoutExpired:
        run.kill()
        out, err = run.communicate()
    print(out[-5000:], err[-2000:])
    if run.returncode != 0 or f"[  PASSED  ] {TESTS} tests" not in out:
        return 1
    summaries = [m for ev in cal.events() for m in re.findall(r"^SUMMARY:(.*?)\r?$", ev.data, re.M)]
    print("on the server:", summaries)
    if sorted(summaries) != ["Made on the phone", "Typed in a planner"]:
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
