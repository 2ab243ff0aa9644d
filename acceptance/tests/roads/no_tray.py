"""On a desktop without a system tray, a Qt program sees none (nothing else answers)."""

NEEDS = ["tray_probe"]
TRAY = False


def run(road):
    probe = road.start("tray_probe")
    road.wait_exit(probe, status=3)
    with road.step("the probe says why"):
        road.check("no system tray" in probe.stderr(), f"its stderr: {probe.stderr()!r}")
