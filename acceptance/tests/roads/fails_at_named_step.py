"""A road that fails at its third step: the runner must name it and clean up."""

NEEDS = ["tray_probe"]


def run(road):
    probe = road.start("tray_probe")
    road.wait_tray_icon(probe)
    road.wait_window("No Such Window", timeout=1)
    road.screenshot("never taken")
