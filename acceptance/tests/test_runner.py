"""The runner from outside: a failed road names its step and keeps a screenshot, an
interrupted or killed runner leaves no process behind, and roads run side by side."""

import os
import pathlib
import re
import signal
import subprocess
import tempfile
import time
import unittest
import uuid

HERE = pathlib.Path(__file__).resolve().parent
RUN = HERE.parent / "run.py"
BUILD = pathlib.Path(os.environ.get("MVF_ACCEPTANCE_BUILD_DIR", HERE.parents[1] / "build"))


def processes_marked(mark):
    """Live processes whose environment holds MVF_SELFTEST=<mark>."""
    needle = f"MVF_SELFTEST={mark}".encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/environ", "rb") as environ:
                if needle in environ.read().split(b"\0"):
                    found.append(int(entry))
        except OSError:
            pass
    return found


def wait_for(condition, timeout):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


class RunnerTest(unittest.TestCase):
    def setUp(self):
        if not (BUILD / "tests" / "tray_probe").exists():
            self.skipTest(f"tray_probe is not built in {BUILD}")
        self.output = pathlib.Path(tempfile.mkdtemp(prefix="mvf-runner-test-"))
        self.mark = uuid.uuid4().hex
        self.addCleanup(subprocess.run, ["rm", "-rf", str(self.output)])

    def runner(self, *roads, roads_dir=HERE / "roads"):
        env = dict(os.environ, MVF_SELFTEST=self.mark)
        return subprocess.Popen(
            ["/usr/bin/python3", str(RUN), "--build-dir", str(BUILD), "--output-dir", str(self.output),
             "--roads-dir", str(roads_dir), *roads],
            env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
        )

    def read_until(self, runner, pattern, timeout=30):
        """The runner's output up to the first line matching `pattern`."""
        lines, deadline = [], time.monotonic() + timeout
        while time.monotonic() < deadline:
            line = runner.stdout.readline()
            if not line:
                break
            lines.append(line)
            if re.search(pattern, line):
                return "".join(lines)
        self.fail(f"no line matching {pattern!r} in:\n{''.join(lines)}")

    def wait_for_step_three(self, runner):
        output = self.read_until(runner, r"02 wait for the tray icon .* ok")
        waiting = self.output / "blocks" / "waiting"
        self.assertTrue(wait_for(waiting.exists, 30), "the road did not reach step 03")
        return output

    def assert_nothing_left(self, timeout=10):
        self.assertTrue(
            wait_for(lambda: not processes_marked(self.mark), timeout),
            f"processes left behind: {processes_marked(self.mark)}",
        )

    def test_failed_step_is_named_and_leaves_a_screenshot(self):
        runner = self.runner("fails_at_named_step")
        output, _ = runner.communicate(timeout=60)
        self.assertEqual(runner.returncode, 1, output)
        self.assertIn('step 03 (wait for window "No Such Window") failed', output)
        self.assertIn("road fails_at_named_step: FAILED at step 03", output)
        self.assertNotIn("never taken", output)
        shot = self.output / "fails_at_named_step" / "03-failure.png"
        self.assertEqual(shot.read_bytes()[:8], b"\x89PNG\r\n\x1a\n")
        tree = (self.output / "fails_at_named_step" / "03-failure-windows.txt").read_text()
        self.assertIn("Root window", tree)
        self.assert_nothing_left()

    def test_interrupted_road_ends_everything(self):
        for sig in (signal.SIGINT, signal.SIGTERM):
            with self.subTest(signal=sig.name):
                runner = self.runner("blocks")
                self.wait_for_step_three(runner)
                self.assertTrue(processes_marked(self.mark))
                runner.send_signal(sig)
                output, _ = runner.communicate(timeout=30)
                self.assertEqual(runner.returncode, 130, output)
                self.assertIn("INTERRUPTED", output)
                self.assertIn("during step 03 (wait until interrupted)", output)
                self.assert_nothing_left()

    def test_killed_runner_takes_its_session_along(self):
        runner = self.runner("blocks")
        output = self.wait_for_step_three(runner)
        scratch = re.search(r"scratch folder (\S+)", output).group(1)
        runner.kill()
        runner.communicate(timeout=10)
        self.assert_nothing_left()
        # The next session sweeps the scratch folder the killed runner could not remove.
        self.assertTrue(pathlib.Path(scratch).exists())
        second = self.runner("fails_at_named_step")
        second.communicate(timeout=60)
        self.assertFalse(pathlib.Path(scratch).exists())

    def test_a_detached_grandchild_ends_with_the_session(self):
        runner = self.runner("leaves_detached_child")
        output, _ = runner.communicate(timeout=60)
        self.assertEqual(runner.returncode, 0, output)
        self.assertIn("the detached child runs on its own ... ok", output)
        self.assert_nothing_left()

    def test_a_road_can_have_a_desktop_without_a_tray(self):
        runner = self.runner("no_tray")
        output, _ = runner.communicate(timeout=60)
        self.assertEqual(runner.returncode, 0, output)
        self.assert_nothing_left()

    def test_roads_run_side_by_side_on_their_own_displays(self):
        first = self.runner("probe", roads_dir=HERE.parent / "roads")
        second_output = pathlib.Path(tempfile.mkdtemp(prefix="mvf-runner-test-"))
        self.addCleanup(subprocess.run, ["rm", "-rf", str(second_output)])
        second = subprocess.Popen(
            ["/usr/bin/python3", str(RUN), "--build-dir", str(BUILD), "--output-dir", str(second_output), "probe"],
            env=dict(os.environ, MVF_SELFTEST=self.mark), stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
        )
        outputs = [first.communicate(timeout=120)[0], second.communicate(timeout=120)[0]]
        for runner, output in zip((first, second), outputs):
            self.assertEqual(runner.returncode, 0, output)
        displays = [re.search(r"display (:\d+)", output).group(1) for output in outputs]
        self.assertNotEqual(displays[0], displays[1])
        self.assert_nothing_left()

    def test_a_named_road_whose_program_is_not_built_fails(self):
        runner = self.runner("needs_missing_program")
        output, _ = runner.communicate(timeout=30)
        self.assertEqual(runner.returncode, 1, output)
        self.assertIn("no_such_program not built", output)

    def test_unknown_road_is_a_usage_error(self):
        runner = self.runner("no_such_road")
        output, _ = runner.communicate(timeout=30)
        self.assertEqual(runner.returncode, 2, output)
        self.assertIn("no such road: no_such_road", output)


if __name__ == "__main__":
    unittest.main()
