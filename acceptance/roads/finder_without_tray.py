"""On a desktop without a system tray the finder shows its window instead: "Done"
minimises it, and the options menu carries "Exit and Unload"."""

import time

NEEDS = ["MVFinder"]
TIMEOUT = 60
TRAY = False

# The options button sits third from the right of the caption bar (see finder_results_window).
OPTIONS_FROM_RIGHT = 51
DONE_FROM_RIGHT = 13
CAPTION_MIDDLE = 12


def _shown_within(road, finder, seconds):
    deadline = time.monotonic() + seconds
    while not road.windows("Morvel Vantor Finder 2.1", finder):
        if time.monotonic() > deadline:
            return False
        time.sleep(0.1)
    return True


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

    # The window manager brings the minimised window back. Under load it can drop the
    # chord while it is still busy minimising, and a person would press it again.
    for _ in range(5):
        road.press_keys("alt+Tab")
        if _shown_within(road, finder, 3):
            break
    window = road.wait_window("Morvel Vantor Finder 2.1", program=finder)
    road.click(window, window.width - OPTIONS_FROM_RIGHT, CAPTION_MIDDLE)
    road.wait_menu(finder)
    road.screenshot("options menu without tray")
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(finder, status=0)
    settings = road.settings()
    with road.step("the settings were written at exit"):
        road.check(settings.get("VFOpen") == "No", f"VFOpen is {settings.get('VFOpen')!r}")
