"""A program starts another one detached and ends; the road finds the other one by its
program, and the session must end it."""

import pathlib
import shutil

NEEDS = []


def run(road):
    # A program of the scratch folder, as the programs start each other from there.
    shutil.copy(shutil.which("sleep"), road.program_dir / "napper")
    spawner = road.program_dir / "spawner"
    spawner.write_text("#!/bin/sh\nsetsid ./napper 300 </dev/null >/dev/null 2>&1 &\necho $! > child.pid\n")
    spawner.chmod(0o755)
    road.wait_exit(road.start("spawner", cwd=road.program_dir), status=0)
    child = road.wait_file("child.pid").strip()
    with road.step("the detached child runs on its own"):
        road.check(pathlib.Path(f"/proc/{child}").exists(), f"process {child} is not running")
    with road.step("it is found by its program, the ended spawner is not"):
        road.wait_until(lambda: road.processes_of("napper") == [int(child)], 5,
                        lambda: f"napper processes: {road.processes_of('napper')}, the child is {child}")
        road.check(road.processes_of("spawner") == [], f"spawner processes: {road.processes_of('spawner')}")
