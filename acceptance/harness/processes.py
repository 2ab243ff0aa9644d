"""Starting and ending the processes of a session so that none can outlive it.

Every process a session starts carries the session's mark in its environment, and so do
the processes those start (a program may start another one detached). Ending a session
ends every process on the machine that carries its mark, then reaps what became ours.
Should the runner itself be killed outright, its direct children get SIGKILL from the
kernel (parent-death signal); once the X server is gone the programs lose their display
and end too.
"""

import ctypes
import os
import signal
import subprocess
import time

_PR_SET_PDEATHSIG = 1
_PR_SET_CHILD_SUBREAPER = 36
_libc = ctypes.CDLL(None, use_errno=True)

MARK_VARIABLE = "MVF_ACCEPTANCE_SESSION"
# Our own children by pid: their Popen collects their exit status, nobody else may.
_spawned = {}


def become_subreaper():
    """Orphans of our children become our children, so that we can end and reap them."""
    _libc.prctl(_PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0)


def _die_with_parent(parent_pid):
    def prepare():
        # The runner holds signals back while it ends a session; a child starts clean.
        signal.pthread_sigmask(signal.SIG_SETMASK, set())
        _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)
        if os.getppid() != parent_pid:  # the parent died before the signal was armed
            os._exit(1)

    return prepare


def spawn(argv, env, cwd, stdout, stderr, pass_fds=()):
    """Starts a process in its own session (a terminal's Ctrl-C reaches only the runner,
    which ends everything in order) that dies with the runner."""
    process = subprocess.Popen(
        argv,
        env=env,
        cwd=cwd,
        stdin=subprocess.DEVNULL,
        stdout=stdout,
        stderr=stderr,
        pass_fds=pass_fds,
        start_new_session=True,
        preexec_fn=_die_with_parent(os.getpid()),
    )
    _spawned[process.pid] = process
    return process


def _environment_has(pid, needle):
    try:
        with open(f"/proc/{pid}/environ", "rb") as environ:
            return needle in environ.read().split(b"\0")
    except OSError:  # gone, or a zombie, or not ours
        return False


def marked_processes(mark):
    """Pids of the live processes whose environment carries this session mark."""
    needle = f"{MARK_VARIABLE}={mark}".encode()
    own = os.getpid()
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit() and int(entry) != own and _environment_has(entry, needle):
            found.append(int(entry))
    return found


def _state_and_parent(pid):
    """The process's state letter and its parent's pid (as bytes), or None once it is gone.
    A zombie ("Z") has ended; only its exit status is left to collect."""
    try:
        with open(f"/proc/{pid}/stat", "rb") as stat:
            fields = stat.read().rsplit(b")", 1)[1].split()
    except OSError:
        return None
    return fields[0], fields[1]


def _children(state_wanted):
    """Pids of our children, adopted orphans included, whose state `state_wanted` accepts."""
    own = str(os.getpid()).encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        facts = _state_and_parent(entry)
        if facts and facts[1] == own and state_wanted(facts[0]):
            found.append(int(entry))
    return found


def own_children():
    """Pids of our live children, adopted orphans included."""
    return _children(lambda state: state != b"Z")


def alive(pid):
    facts = _state_and_parent(pid)
    return facts is not None and facts[0] != b"Z"


def _reap():
    """Collects the exit status of our ended children: through its Popen for a process we
    started (so that its exit status stays right), directly for an adopted orphan."""
    for pid in _children(lambda state: state == b"Z"):
        process = _spawned.pop(pid, None)
        if process is not None and process.returncode is None:
            process.poll()
        else:  # an adopted orphan (perhaps under the pid of a child reaped long ago)
            try:
                os.waitpid(pid, os.WNOHANG)
            except ChildProcessError:
                pass


def end_processes(pids, grace):
    """SIGTERM, up to `grace` seconds to end, then SIGKILL. Returns the pids that needed it."""
    pids = [pid for pid in pids if alive(pid)]
    for pid in pids:
        try:
            os.kill(pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
    deadline = time.monotonic() + grace
    while time.monotonic() < deadline and any(alive(pid) for pid in pids):
        _reap()
        time.sleep(0.01)
    killed = [pid for pid in pids if alive(pid)]
    for pid in killed:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    deadline = time.monotonic() + 5
    while time.monotonic() < deadline and any(alive(pid) for pid in killed):
        time.sleep(0.01)
    _reap()
    return killed


def describe_status(status):
    """Popen's returncode as a person reads it after a program's name."""
    if status is None:
        return "still runs"
    if status < 0:
        try:
            return f"was killed by {signal.Signals(-status).name}"
        except ValueError:
            return f"was killed by signal {-status}"
    return f"exited with status {status}"
