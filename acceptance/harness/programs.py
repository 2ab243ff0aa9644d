"""Steps that start programs and watch them end."""

import pathlib
import signal
import subprocess

from . import processes
from .steps import DEFAULT_TIMEOUT, Failed


class Program:
    """A program the road started: its process, exit status and output files."""

    def __init__(self, name, popen, stdout_path, stderr_path):
        self.name, self.popen = name, popen
        self.pid = popen.pid
        self.stdout_path, self.stderr_path = stdout_path, stderr_path

    @property
    def status(self):
        """The exit status, negative for a signal, or None while it runs."""
        return self.popen.poll()

    @property
    def running(self):
        return self.status is None

    def stdout(self):
        return pathlib.Path(self.stdout_path).read_text(errors="replace")

    def stderr(self):
        return pathlib.Path(self.stderr_path).read_text(errors="replace")

    def stderr_tail(self, lines=8):
        """The last lines of its stderr, ready to end a failure message."""
        try:
            tail = self.stderr().splitlines()[-lines:]
        except OSError:
            return ""
        return ("; its stderr ends:\n    " + "\n    ".join(tail)) if tail else ""

    def __repr__(self):
        return f"{self.name} (pid {self.pid})"


class ProgramSteps:
    def start(self, program, *args, env=None, cwd=None):
        """Starts `program` from the scratch program folder, with `args`; `env` adds
        variables, `cwd` (default: the scratch HOME) is its working folder. Its stdout and
        stderr go to <output>/<program>-<n>.stdout/.stderr. Returns a Program."""
        with self.step(" ".join(["start", program, *map(str, args)])):
            path = self.program_dir / program
            if not path.exists():
                raise Failed(f"{program} is not in the program folder {self.program_dir}")
            count = self._started[program] = self._started.get(program, 0) + 1
            stem = self.output_dir / f"{program}-{count}"
            environment = self.env
            environment.update(env or {})
            with open(f"{stem}.stdout", "wb") as out, open(f"{stem}.stderr", "wb") as err:
                popen = processes.spawn(
                    [str(path), *map(str, args)],
                    env=environment,
                    cwd=str(cwd or self.home),
                    stdout=out,
                    stderr=err,
                )
            started = Program(program, popen, f"{stem}.stdout", f"{stem}.stderr")
            self.programs.append(started)
            return started

    def wait_exit(self, program, status=0, timeout=DEFAULT_TIMEOUT):
        """Waits until `program` has ended and checks its exit status (negative: killed by
        that signal)."""
        with self.step(f"wait for {program.name} to exit with status {status}"):
            try:
                program.popen.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                raise Failed(f"{program.name} still runs after {timeout:g} s") from None
            if program.status != status:
                raise Failed(
                    f"{program.name} {processes.describe_status(program.status)}; "
                    f"expected exit status {status}{program.stderr_tail()}"
                )

    def kill(self, program, sig=signal.SIGKILL):
        """Sends `sig` to `program` and waits until it has ended (a crash, a forced stop)."""
        name = signal.Signals(sig).name
        with self.step(f"kill {program.name} with {name}"):
            if program.running:
                program.popen.send_signal(sig)
            try:
                program.popen.wait(timeout=DEFAULT_TIMEOUT)
            except subprocess.TimeoutExpired:
                raise Failed(f"{program.name} still runs {DEFAULT_TIMEOUT:g} s after {name}") from None
