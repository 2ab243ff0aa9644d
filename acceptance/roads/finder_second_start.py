"""A second start while the finder runs: the "already running" box, no second tray icon,
nothing written; the first copy runs on and exits as usual."""

NEEDS = ["MVFinder"]
TIMEOUT = 60


def run(road):
    config = road.config_home / "Korvath"
    config.mkdir(parents=True, exist_ok=True)
    (config / "Morvel Vantor Finder.conf").write_text("[General]\nFindMsg=1\nSplash=0\n")

    first = road.start("MVFinder")
    icon = road.wait_tray_icon(first, timeout=20)
    settings_file = road.settings_path()
    before = road.file_state(settings_file)

    second = road.start("MVFinder")
    box = road.wait_window("Morvel Vantor Finder Already Running!", program=second)
    road.screenshot("already running", window=box)
    with road.step("the second copy added no tray icon and wrote nothing"):
        icons = road.tray_icons()
        road.check(len(icons) == 1, f"the tray holds {icons}")
        road.check(not road.file_state(settings_file).differs_from(before), "the settings file changed")
    road.press_keys("Return", window=box)
    road.wait_exit(second, status=1)

    with road.step("the first copy runs on"):
        road.check(first.running, "the first copy ended")
    road.click_tray_icon(icon, button="right")
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(first, status=0)
