#!/usr/bin/python3
"""Starts or stops a local CalDAV server for the sync tests, each with a fresh
store in its own folder: Radicale (htpasswd, plain) or Xandikos (behind a
small Basic-auth check, since it has none of its own).

  caldav_server.py start radicale|xandikos FOLDER   -> FOLDER/url, FOLDER/pid
  caldav_server.py stop FOLDER
"""
import base64
import os
import shutil
import signal
import socket
import subprocess
import sys
import time

USER = "tester"
PASSWORD = "secret-pw"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def wait_for(port, proc, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        if proc.poll() is not None:
            return False
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=0.5):
                return True
        except OSError:
            time.sleep(0.1)
    return False


def xandikos_main(folder, port):
    """Runs Xandikos (its aiohttp handler) behind Basic authentication."""
    from aiohttp import web
    from xandikos.web import XandikosApp, XandikosBackend

    store = os.path.join(folder, "store")
    os.makedirs(store, exist_ok=True)
    backend = XandikosBackend(store)
    backend._mark_as_principal("/user/")
    backend.create_principal("/user/", create_defaults=False)
    dav = XandikosApp(backend, current_user_principal="/user/")
    expected = "Basic " + base64.b64encode(f"{USER}:{PASSWORD}".encode()).decode()

    async def handler(request):
        if request.headers.get("Authorization") != expected:
            return web.Response(status=401, headers={"WWW-Authenticate": 'Basic realm="x"'})
        return await dav.aiohttp_handler(request, "/")

    async def well_known(request):
        return web.HTTPFound("/")

    app = web.Application(client_max_size=512 << 20)
    app.router.add_route("*", "/.well-known/caldav", well_known)
    app.router.add_route("*", "/{path_info:.*}", handler)
    web.run_app(app, host="127.0.0.1", port=port, print=None, access_log=None)


def start(kind, folder, port=None):
    if port is None:
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        port = free_port()
    log = open(os.path.join(folder, "server.log"), "a")
    if kind == "radicale":
        users = os.path.join(folder, "users")
        with open(users, "w") as f:
            f.write(f"{USER}:{PASSWORD}\n")
        config = os.path.join(folder, "config")
        with open(config, "w") as f:
            f.write(f"""[server]
hosts = 127.0.0.1:{port}
[auth]
type = htpasswd
htpasswd_filename = {users}
htpasswd_encryption = plain
delay = 0
[storage]
filesystem_folder = {os.path.join(folder, "store")}
[rights]
type = owner_only
[logging]
level = warning
""")
        cmd = ["/usr/bin/python3", "-m", "radicale", "--config", config]
        url = f"http://127.0.0.1:{port}/"
    else:
        cmd = ["/usr/bin/python3", os.path.abspath(__file__), "serve-xandikos", folder, str(port)]
        url = f"http://127.0.0.1:{port}/"
    proc = subprocess.Popen(cmd, stdout=log, stderr=log, start_new_session=True)
    if not wait_for(port, proc):
        print(open(os.path.join(folder, "server.log")).read())
        sys.exit(f"{kind} did not start")
    with open(os.path.join(folder, "pid"), "w") as f:
        f.write(str(proc.pid))
    with open(os.path.join(folder, "url"), "w") as f:
        f.write(url)
    with open(os.path.join(folder, "kind"), "w") as f:
        f.write(kind)


def stop(folder, hard=False):
    try:
        pid = int(open(os.path.join(folder, "pid")).read())
    except OSError:
        return
    try:
        os.killpg(pid, signal.SIGKILL if hard else signal.SIGTERM)
        for _ in range(100):
            os.killpg(pid, 0)
            time.sleep(0.05)
    except ProcessLookupError:
        pass
    os.remove(os.path.join(folder, "pid"))


def restart(folder):
    """The same server on the same port and store, after a stop."""
    kind = open(os.path.join(folder, "kind")).read()
    port = int(open(os.path.join(folder, "url")).read().rsplit(":", 1)[1].strip("/"))
    start(kind, folder, port)


if __name__ == "__main__":
    if sys.argv[1] == "start":
        start(sys.argv[2], sys.argv[3])
    elif sys.argv[1] == "stop":
        stop(sys.argv[2])
    elif sys.argv[1] == "serve-xandikos":
        xandikos_main(sys.argv[2], int(sys.argv[3]))
