"""Numbered steps: each prints one line, waits with a bound, and fails naming itself."""

import contextlib
import subprocess
import time

from . import processes, xlib

DEFAULT_TIMEOUT = 10.0
_POLL = 0.02


class Failed(Exception):
    """A step's condition was not met; the message says what was seen instead."""


class StepFailure(Exception):
    def __init__(self, number, title, message):
        super().__init__(f"step {number:02d} ({title}) failed: {message}")
        self.number, self.title, self.message = number, title, message


_FAILURES = (Failed, AssertionError, OSError, ValueError, subprocess.SubprocessError, xlib.XError)


class StepRunner:
    """Numbers, times and prints steps; the base of Road."""

    def __init__(self, log):
        self.log = log
        self.step_number = 0
        self.current_step = None  # (number, title) while a step runs, and after it failed
        self._depth = 0

    @contextlib.contextmanager
    def step(self, title):
        """A numbered step. A step inside another step is part of that one."""
        if self._depth:
            yield
            return
        self.step_number += 1
        number = self.step_number
        self.current_step = (number, title)
        started = time.monotonic()
        self._depth += 1
        try:
            yield
        except _FAILURES as error:
            self._log_failed(number, title, started)
            raise StepFailure(number, title, str(error) or type(error).__name__) from error
        except Exception as error:  # a fault in the road or the harness: still name the step
            self._log_failed(number, title, started)
            raise StepFailure(number, title, f"{type(error).__name__}: {error}") from error
        finally:
            self._depth -= 1
        self.current_step = None
        self.log(f"  {number:02d} {title} ... ok ({time.monotonic() - started:.2f} s)")

    def _log_failed(self, number, title, started):
        self.log(f"  {number:02d} {title} ... FAILED after {time.monotonic() - started:.2f} s")

    def check(self, condition, message):
        """Inside `with road.step(...)`: fails the step with `message` unless `condition`."""
        if not condition:
            raise Failed(message)

    def wait_until(self, condition, timeout, failure, watch=()):
        """Polls `condition` until it returns something true, and returns that. `failure`
        (a text, or a function giving one) says what was seen when time runs out. A
        program in `watch` that ends meanwhile fails the wait at once."""
        deadline = time.monotonic() + timeout
        while True:
            value = condition()
            if value:
                return value
            for program in watch:
                if not program.running:
                    raise Failed(
                        f"{program.name} {processes.describe_status(program.status)} "
                        f"while waiting{program.stderr_tail()}"
                    )
            if time.monotonic() > deadline:
                text = failure() if callable(failure) else failure
                raise Failed(f"{text} (waited {timeout:g} s)")
            time.sleep(_POLL)
