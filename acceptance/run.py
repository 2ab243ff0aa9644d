#!/usr/bin/python3
"""Runs acceptance roads: each one drives the real programs on its own X display, with a
window manager and a system tray, from outside, as a person would.

    acceptance/run.py                 every road whose programs are built
    acceptance/run.py probe           the named roads
    acceptance/run.py --repeat 10 probe

Screenshots, program output and failure reports go to build/acceptance/<road>/.
Exits 0 when every road passed, 1 when one failed, 2 on a usage error.
"""

import argparse
import importlib.util
import os
import pathlib
import shutil
import signal
import sys
import time
import traceback

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

from harness.road import Road, StepFailure  # noqa: E402
from harness.session import Session, SessionError  # noqa: E402


class Interrupted(BaseException):
    """SIGTERM or SIGHUP: end the road as Ctrl-C would, tearing everything down."""


def _interrupt(signum, _frame):
    raise Interrupted(signal.Signals(signum).name)


def load_road(path):
    # Roads share helpers kept beside them in files whose names begin with "_".
    if str(path.parent) not in sys.path:
        sys.path.insert(0, str(path.parent))
    road_module = importlib.util.spec_from_file_location(f"road_{path.stem}", path)
    module = importlib.util.module_from_spec(road_module)
    road_module.loader.exec_module(module)
    if not callable(getattr(module, "run", None)):
        raise SystemExit(f"{path}: a road defines run(road)")
    return module


def missing_programs(module, build_dir):
    return [
        name
        for name in getattr(module, "NEEDS", [])
        if not (build_dir / "bin" / name).exists() and not (build_dir / "tests" / name).exists()
    ]


def log(line):
    try:
        print(line, flush=True)
    except BrokenPipeError:  # whoever read the output went away; the roads still end cleanly
        sys.stdout = open(os.devnull, "w")


def run_road(name, module, args):
    """Runs one road in its own session. Returns True when it passed."""
    output_dir = args.output_dir / name
    shutil.rmtree(output_dir, ignore_errors=True)
    output_dir.mkdir(parents=True)
    summary = (module.__doc__ or "").strip().splitlines()
    log(f"road {name}" + (f": {summary[0]}" if summary else ""))
    started = time.monotonic()
    road = None
    try:
        session = Session(
            name,
            args.build_dir,
            output_dir,
            programs=getattr(module, "NEEDS", []),
            tray=getattr(module, "TRAY", True),
            keep_scratch=args.keep_scratch,
        )
        with session:
            log(
                f"  display {session.display} up in {time.monotonic() - started:.2f} s, "
                f"scratch folder {session.scratch}"
            )
            road = Road(name, session, output_dir, log)
            try:
                module.run(road)
            except StepFailure as failure:
                _report(road, failure.number, f"step {failure.number:02d} ({failure.title}) failed: {failure.message}")
                log(f"road {name}: FAILED at step {failure.number:02d} ({failure.title}) after {time.monotonic() - started:.1f} s")
                return False
            except Exception:
                after = f"after step {road.step_number:02d}" if road.step_number else "before its first step"
                _report(road, road.step_number + 1, f"the road's own code failed {after}:\n{traceback.format_exc()}")
                log(f"road {name}: FAILED {after}")
                return False
            except (KeyboardInterrupt, Interrupted) as interruption:
                where = f"during step {road.current_step[0]:02d} ({road.current_step[1]})" if road.current_step else f"after step {road.step_number:02d}"
                log(f"road {name}: INTERRUPTED ({interruption or 'SIGINT'}) {where}; ending its programs and display")
                raise
    except SessionError as error:
        log(f"  the session could not start: {error}")
        log(f"road {name}: FAILED before its first step")
        return False
    log(f"road {name}: passed in {time.monotonic() - started:.1f} s ({road.step_number} steps; screenshots in {output_dir})")
    return True


def _report(road, number, message):
    log(f"  {message}")
    for line in road.failure_report(number):
        log(f"  {line}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("roads", nargs="*", help="road names (files in the roads folder); all by default")
    parser.add_argument("--build-dir", type=pathlib.Path, default=HERE.parent / "build")
    parser.add_argument("--output-dir", type=pathlib.Path, help="default: <build-dir>/acceptance")
    parser.add_argument("--roads-dir", type=pathlib.Path, default=HERE / "roads")
    parser.add_argument("--repeat", type=int, default=1, help="run each road this many times")
    parser.add_argument("--keep-scratch", action="store_true", help="keep the scratch folders")
    parser.add_argument("--list", action="store_true", help="list the roads and what they need")
    args = parser.parse_args()
    args.build_dir = args.build_dir.resolve()
    args.output_dir = (args.output_dir or args.build_dir / "acceptance").resolve()

    available = {path.stem: path for path in sorted(args.roads_dir.glob("*.py")) if not path.stem.startswith("_")}
    if args.list:
        for name, path in available.items():
            module = load_road(path)
            missing = missing_programs(module, args.build_dir)
            log(f"{name}: needs {', '.join(getattr(module, 'NEEDS', [])) or 'nothing'}" + (f" (not built: {', '.join(missing)})" if missing else ""))
        return 0
    unknown = [name for name in args.roads if name not in available]
    if unknown:
        log(f"no such road: {', '.join(unknown)} (roads: {', '.join(available) or 'none'})")
        return 2

    signal.signal(signal.SIGTERM, _interrupt)
    signal.signal(signal.SIGHUP, _interrupt)
    failed = []
    try:
        for name in args.roads or list(available):
            module = load_road(available[name])
            missing = missing_programs(module, args.build_dir)
            if missing:
                log(f"road {name}: {'FAILED' if args.roads else 'skipped'}: {', '.join(missing)} not built in {args.build_dir}")
                if args.roads:
                    failed.append(name)
                continue
            for attempt in range(args.repeat):
                if args.repeat > 1:
                    log(f"-- run {attempt + 1} of {args.repeat}")
                if not run_road(name, module, args):
                    # The failed run's screenshots and reports stay for reading.
                    failed.append(name if args.repeat == 1 else f"{name} (run {attempt + 1})")
                    break
    except (KeyboardInterrupt, Interrupted):
        return 130
    if failed:
        log(f"failed: {', '.join(failed)}")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
