"""A program starts another one detached and ends; the session must end the other one."""

import pathlib

NEEDS = []


def run(road):
    spawner = road.program_dir / "spawner"
    spawner.write_text("#!/bin/sh\nsetsid sleep 300 </dev/null >/dev/null 2>&1 &\necho $! > child.pid\n")
    spawner.chmod(0o755)
    road.wait_exit(road.start("spawner", cwd=road.program_dir), status=0)
    child = road.wait_file("child.pid").strip()
    with road.step("the detached child runs on its own"):
        road.check(pathlib.Path(f"/proc/{child}").exists(), f"process {child} is not running")
