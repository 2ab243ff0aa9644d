"""One road's world: its own X display with a window manager and a system tray, scratch
home and configuration folders, and a scratch copy of the program folder.

The session is a context manager: whatever happens inside (a failed step, an exception,
Ctrl-C, SIGTERM), leaving it ends every process it started and removes its scratch folders.
"""

import os
import pathlib
import secrets
import select
import shutil
import signal
import subprocess
import tempfile
import time

from . import processes, xlib

SCREEN = "1280x800x24"
TRAY_SELECTION = "_NET_SYSTEM_TRAY_S0"
START_TIMEOUT = 15.0
TOOLS = ("Xvfb", "xauth", "openbox", "trayer", "xmessage", "xdotool", "xwininfo", "import")
_POLL = 0.01


class SessionError(Exception):
    """The display, the window manager or the tray could not be brought up."""


class Session:
    def __init__(self, name, build_dir, output_dir, programs=(), tray=True, keep_scratch=False):
        self.name = name
        self.build_dir = pathlib.Path(build_dir).resolve()
        self.output_dir = pathlib.Path(output_dir)
        self.programs = list(programs)
        self.with_tray = tray  # False: a desktop without a system tray
        self.keep_scratch = keep_scratch
        self.mark = secrets.token_hex(8)
        self.scratch = None
        self.display = None  # ":N"
        self.x = None  # xlib.Display
        self.env = {}
        self._cookie = secrets.token_bytes(16)
        self._infrastructure = []  # (name, Popen), in start order
        self.tray_pid = self.window_manager_pid = None
        self._logs = []

    # Scratch folders, in the places programs look for them.
    home = property(lambda self: self.scratch / "home")
    config_home = property(lambda self: self.home / ".config")
    data_home = property(lambda self: self.home / ".local" / "share")
    cache_home = property(lambda self: self.home / ".cache")
    runtime_dir = property(lambda self: self.scratch / "runtime")
    program_dir = property(lambda self: self.scratch / "program")

    def __enter__(self):
        # Whatever start-up left half done (a failure, Ctrl-C), close() finds by the mark.
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def _start(self):
        missing = [tool for tool in TOOLS if shutil.which(tool) is None]
        if missing:
            raise SessionError(f"not installed: {', '.join(missing)} (tools/deps.sh accept installs them)")
        processes.become_subreaper()
        self.output_dir.mkdir(parents=True, exist_ok=True)
        _sweep_stale_scratch()
        self.scratch = pathlib.Path(tempfile.mkdtemp(prefix=f"{_SCRATCH_PREFIX}{self.name}-"))
        (self.scratch / _OWNER_FILE).write_text(str(os.getpid()))
        for folder in (self.config_home, self.data_home, self.cache_home, self.program_dir):
            folder.mkdir(parents=True)
        self.runtime_dir.mkdir(mode=0o700)
        self._copy_programs()
        self.env = self._environment()
        self._start_display()
        self._start_window_manager()
        if self.with_tray:
            self._start_tray()

    def _copy_programs(self):
        """The program folder holds lock files, results and logs: each road gets its own copy."""
        bin_dir = self.build_dir / "bin"
        if bin_dir.is_dir():
            shutil.copytree(bin_dir, self.program_dir, symlinks=True, dirs_exist_ok=True)
        for program in self.programs:
            if (self.program_dir / program).exists():
                continue
            test_program = self.build_dir / "tests" / program
            if not test_program.exists():
                raise SessionError(f"{program} is not built (looked in {bin_dir} and {test_program.parent})")
            shutil.copy2(test_program, self.program_dir / program)

    def _environment(self):
        env = {
            key: value
            for key, value in os.environ.items()
            if not key.startswith(("XDG_", "QT_", "WAYLAND_", "DBUS_", "GTK_", "SESSION_MANAGER", "LC_"))
            and key not in ("DISPLAY", "XAUTHORITY", "DESKTOP_SESSION", "LANGUAGE")
        }
        env.update(
            {
                processes.MARK_VARIABLE: self.mark,
                "HOME": str(self.home),
                "XDG_CONFIG_HOME": str(self.config_home),
                "XDG_DATA_HOME": str(self.data_home),
                "XDG_CACHE_HOME": str(self.cache_home),
                "XDG_RUNTIME_DIR": str(self.runtime_dir),
                "XDG_SESSION_TYPE": "x11",
                "XAUTHORITY": str(self.scratch / "Xauthority"),
                # No session bus: Qt must dock its tray icon through the XEmbed tray
                # protocol, and nothing of the developer's own desktop may answer.
                "DBUS_SESSION_BUS_ADDRESS": f"unix:path={self.scratch / 'no-session-bus'}",
                "NO_AT_BRIDGE": "1",
                "QT_QPA_PLATFORM": "xcb",
                "QT_ACCESSIBILITY": "0",
                "LANG": "C.UTF-8",  # a road that needs another locale passes it to start()
            }
        )
        return env

    def _log_file(self, name):
        folder = self.output_dir / "session"
        folder.mkdir(parents=True, exist_ok=True)
        handle = open(folder / f"{name}.log", "wb")
        self._logs.append(handle)
        return handle

    def _launch(self, name, argv, **kwargs):
        log = self._log_file(name)
        process = processes.spawn(
            argv, env=self.env, cwd=self.home, stdout=log, stderr=subprocess.STDOUT, **kwargs
        )
        self._infrastructure.append((name, process))
        return process

    def _log_tail(self, name, lines=15):
        path = self.output_dir / "session" / f"{name}.log"
        try:
            text = path.read_text(errors="replace").splitlines()
        except OSError:
            return ""
        return "\n".join(text[-lines:])

    def _wait_until(self, what, name, process, condition):
        deadline = time.monotonic() + START_TIMEOUT
        while True:
            if condition():
                return
            if process.poll() is not None:
                raise SessionError(
                    f"{name} {processes.describe_status(process.returncode)} before {what}:\n"
                    + self._log_tail(name)
                )
            if time.monotonic() > deadline:
                raise SessionError(f"{what}: not within {START_TIMEOUT:g} s\n" + self._log_tail(name))
            time.sleep(_POLL)

    def _start_display(self):
        # The server loads every cookie in its authority file whatever display it names,
        # so the file can be written before the server has chosen its number.
        auth = self.env["XAUTHORITY"]
        pathlib.Path(auth).touch(mode=0o600)
        self._xauth(auth, ":0")
        read_end, write_end = os.pipe()
        try:
            server = self._launch(
                "Xvfb",
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", SCREEN,
                 "-nolisten", "tcp", "-noreset", "-auth", auth],
                pass_fds=(write_end,),
            )
            os.close(write_end)
            write_end = None
            number = self._read_display_number(read_end, server)
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.display = f":{number}"
        self._xauth(auth, self.display)
        self.env["DISPLAY"] = self.display
        self.x = xlib.Display(self.display, self._cookie)

    def _read_display_number(self, read_end, server):
        """Xvfb picks a free display itself and writes its number once it accepts clients."""
        deadline = time.monotonic() + START_TIMEOUT
        answer = b""
        while not answer.endswith(b"\n"):
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise SessionError(f"Xvfb did not report a display within {START_TIMEOUT:g} s")
            ready, _, _ = select.select([read_end], [], [], min(remaining, 0.1))
            if ready:
                chunk = os.read(read_end, 64)
                if not chunk:
                    break
                answer += chunk
            elif server.poll() is not None:
                break
        if not answer.strip().isdigit():
            server.wait(timeout=5) if server.poll() is None else None
            raise SessionError("Xvfb did not start:\n" + self._log_tail("Xvfb"))
        return int(answer)

    def _xauth(self, auth_file, display):
        subprocess.run(
            ["xauth", "-q", "-f", auth_file, "add", display, "MIT-MAGIC-COOKIE-1", self._cookie.hex()],
            check=True,
            env=self.env,
            stdout=subprocess.DEVNULL,
        )

    def _start_window_manager(self):
        wm = self._launch("openbox", ["openbox", "--sm-disable"])
        self.window_manager_pid = wm.pid

        def announced():
            check = self.x.window_property(self.x.root, "_NET_SUPPORTING_WM_CHECK")
            return check is not None and self.x.window_property(check, "_NET_SUPPORTING_WM_CHECK") == check

        self._wait_until("the window manager announces itself", "openbox", wm, announced)
        # Openbox announces itself before it listens: events that reach it in between
        # wait in its queue until the next event arrives, so a window mapped then stays
        # unmapped. It is ready once a window of ours has really been taken in (framed,
        # given a WM_STATE); each poll nudges it with an event so that it gets there.
        title = f"mvf-window-manager-ready-{self.mark}"
        ping = processes.spawn(
            ["xmessage", "-title", title, "-geometry", "+0+0", "ready"],
            env=self.env, cwd=self.home, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
        )
        nudges = iter(range(1, 1 << 30))
        try:
            def managed():
                for window in self.x.descendants(self.x.root):
                    if self.x.title(window) == title and self.x.is_viewable(window):
                        if self.x.has_property(window, "WM_STATE"):
                            return True
                self.x.nudge(next(nudges))
                return False

            self._wait_until("the window manager takes in a first window", "openbox", wm, managed)
        finally:
            processes.end_processes([ping.pid], grace=3)
            ping.wait()

        def forgotten():  # so that the first window of a road is placed on an empty screen
            clients = self.x.property(self.x.root, "_NET_CLIENT_LIST", "WINDOW")
            return clients is None or not clients[2]

        self._wait_until("the window manager lets the first window go", "openbox", wm, forgotten)

    def _start_tray(self):
        tray = self._launch(
            "trayer",
            ["trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
             "--height", "32", "--iconspacing", "4", "--SetDockType", "true",
             "--SetPartialStrut", "true", "--transparent", "false", "--tint", "0x404040"],
        )
        self.tray_pid = tray.pid

        def docked():
            if self.x.selection_owner(TRAY_SELECTION) is None:
                return False
            # The tray's own window is up once the window manager has shown it.
            return any(
                self.x.pid(window) == tray.pid and self.x.is_viewable(window)
                for window in self.x.descendants(self.x.root)
            )

        self._wait_until(f"the system tray owns {TRAY_SELECTION} and is shown", "trayer", tray, docked)

    def close(self):
        """Ends every process of the session (programs first, then the tray, the window
        manager and the display) and removes the scratch folders."""
        _blocked(True)
        try:
            infrastructure = {process.pid for _, process in self._infrastructure}
            leftovers = set(processes.marked_processes(self.mark)) | set(processes.own_children())
            processes.end_processes(sorted(leftovers - infrastructure), grace=3)
            if self.x is not None:
                self.x.close()
                self.x = None
            for _, process in reversed(self._infrastructure):
                processes.end_processes([process.pid], grace=3)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    pass
            self._infrastructure = []
            # Anything that slipped out while the display went down.
            processes.end_processes(processes.marked_processes(self.mark), grace=1)
            for log in self._logs:
                log.close()
            self._logs = []
            if self.scratch is not None and not self.keep_scratch:
                shutil.rmtree(self.scratch, ignore_errors=True)
        finally:
            _blocked(False)


_SCRATCH_PREFIX = "mvf-road-"
_OWNER_FILE = "runner.pid"


def _sweep_stale_scratch():
    """Removes the scratch folders of runners that were killed outright (SIGKILL leaves
    no chance to clean up); a folder whose runner lives is left alone."""
    for folder in pathlib.Path(tempfile.gettempdir()).glob(_SCRATCH_PREFIX + "*"):
        try:
            owner = int((folder / _OWNER_FILE).read_text())
        except (OSError, ValueError):
            continue
        if not pathlib.Path(f"/proc/{owner}").exists():
            shutil.rmtree(folder, ignore_errors=True)


def _blocked(block):
    """Holds SIGINT, SIGTERM and SIGHUP back while the session ends, so that a second
    interruption cannot leave half a session behind."""
    signals = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}
    signal.pthread_sigmask(signal.SIG_BLOCK if block else signal.SIG_UNBLOCK, signals)
