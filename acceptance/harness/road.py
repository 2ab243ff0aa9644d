"""A road: the steps a person at the machine takes, in one session.

Road gathers the steps of programs.py, windows.py, tray.py, input.py, screenshots.py and
files.py; every step waits for a real condition with a bound, prints one numbered line,
and on failure raises StepFailure naming the step and what was seen instead.
"""

import pathlib
import subprocess

from . import processes
from .files import FileState, FileSteps
from .input import InputSteps
from .programs import Program, ProgramSteps
from .screenshots import ScreenshotSteps
from .steps import DEFAULT_TIMEOUT, Failed, StepFailure, StepRunner
from .tray import TrayIcon, TraySteps
from .windows import Window, WindowSteps

# What roads and the runner use.
__all__ = ["Road", "StepFailure", "Failed", "DEFAULT_TIMEOUT", "Program", "Window", "TrayIcon", "FileState"]


class Road(StepRunner, ProgramSteps, WindowSteps, TraySteps, InputSteps, ScreenshotSteps, FileSteps):
    def __init__(self, name, session, output_dir, log=print):
        super().__init__(log)
        self.name = name
        self.session = session
        self.output_dir = pathlib.Path(output_dir)
        self.programs = []
        self._started = {}
        self._last_tray_layout = None

    # The road's world: the session's display and scratch folders.
    display = property(lambda self: self.session.display)
    env = property(lambda self: dict(self.session.env))
    home = property(lambda self: self.session.home)
    config_home = property(lambda self: self.session.config_home)
    data_home = property(lambda self: self.session.data_home)
    runtime_dir = property(lambda self: self.session.runtime_dir)
    program_dir = property(lambda self: self.session.program_dir)
    x = property(lambda self: self.session.x)

    def failure_report(self, number):
        """After a failure at step `number`: a screenshot, the window tree, the windows,
        tray icons and programs' states, kept in the output folder. Returns lines to print."""
        lines = []
        try:
            lines.append(f"screenshot at the failure: {self.take_screenshot(f'{number:02d}-failure.png')}")
        except Exception as error:  # the display itself may be what failed
            lines.append(f"no screenshot at the failure: {error}")
        tree = subprocess.run(["xwininfo", "-root", "-tree"], env=self.env, capture_output=True, text=True, timeout=30)
        tree_path = self.output_dir / f"{number:02d}-failure-windows.txt"
        tree_path.write_text(tree.stdout + tree.stderr)
        lines.append(f"window tree at the failure: {tree_path}")
        try:
            lines.append(self.titled_windows_text())
            lines.append(f"tray icons: {self.tray_icons() or 'none'}")
        except Exception as error:
            lines.append(f"the display could not be asked: {error}")
        for program in self.programs:
            state = processes.describe_status(program.status)
            lines.append(f"{program} {state}; output in {program.stdout_path}, {program.stderr_path}")
        return lines
