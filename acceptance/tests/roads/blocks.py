"""A road that waits at its third step until it is interrupted."""

NEEDS = ["tray_probe"]


def run(road):
    probe = road.start("tray_probe")
    road.wait_tray_icon(probe)
    with road.step("wait until interrupted"):
        (road.output_dir / "waiting").write_text("")  # tells the test that it got here
        road.wait_until(lambda: False, 600, "nobody interrupted the road")
