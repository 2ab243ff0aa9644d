"""On a desktop without a system tray the finder shows its window instead: "Done"
minimises it, and the options menu carries "Exit and Unload"."""

NEEDS = ["MVFinder"]
TIMEOUT = 60
TRAY = False

# The options button sits third from the right of the caption bar (see finder_results_window).
OPTIONS_FROM_RIGHT = 51
DONE_FROM_RIGHT = 13
CAPTION_MIDDLE = 12


def run(road):
    config = road.config_home / "Korvath"
    config.mkdir(parents=True, exist_ok=True)
    (config / "Morvel Vantor Finder.conf").write_text(
        "[General]\nFindMsg=1\nSplash=0\nVFLastX=100\nVFLastY=100\nVFLastCX=600\nVFLastCY=400\n")
    finder = road.start("MVFinder")
    window = road.wait_window("Morvel Vantor Finder 2.1", program=finder, timeout=20)
    road.screenshot("window without tray", window=window)

    road.click(window, window.width - DONE_FROM_RIGHT, CAPTION_MIDDLE)
    road.wait_window_gone(window)
    with road.step("Done minimised the window rather than ending the finder"):
        road.check(finder.running, "the finder ended")

    road.press_keys("alt+Tab")  # the window manager brings the minimised window back
    window = road.wait_window("Morvel Vantor Finder 2.1", program=finder)
    road.click(window, window.width - OPTIONS_FROM_RIGHT, CAPTION_MIDDLE)
    road.wait_menu(finder)
    road.screenshot("options menu without tray")
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(finder, status=0)
    settings = road.settings()
    with road.step("the settings were written at exit"):
        road.check(settings.get("VFOpen") == "No", f"VFOpen is {settings.get('VFOpen')!r}")
