"""A background search: the window goes, the tray icon animates while the search runs and
then waits greyed, with its hint and no menu; the tray click shows the results. Again in the
open-files mode: the click asks to open the three hits, and the desktop opens each one."""

import _finder

NEEDS = ["MVFinder", "mvfind"]
TIMEOUT = 120

FILES = {
    "one.txt": "a needle\n",
    "two.txt": "hay\nthe needle\nhay\n",
    "sub/three.txt": "NEEDLE\r\n",
    "sub/hay.txt": "only hay\n",
}
MASKS = "*.txt,*.bin"


def new_search(road, finder, icon):
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.choose_menu_item("&New search")
    return road.wait_window(_finder.TITLE, program=finder)


def run(road):
    tree = _finder.make_tree(road.home / "notes", FILES)
    # Zero bytes the search reads for a few seconds (it tests binary files here).
    _finder.slow_file(road, tree / "sub" / "slow.bin")
    opened = _finder.default_application(road)
    _finder.quiet_start(road)
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    at_rest = _finder.wait_tray_still(road, icon)

    dialog = new_search(road, finder, icon)
    road.type_text(MASKS, window=dialog)
    road.press_keys("Tab", window=dialog)
    road.type_text("needle", window=dialog)
    road.press_keys("alt+l", window=dialog)
    road.press_keys("alt+v", window=dialog)
    road.type_text(str(tree), window=dialog)
    _finder.press_changing(road, dialog, "alt+s")  # "&Search subdirectories"
    road.press_keys("alt+h", window=dialog)  # "&How to Search"
    _finder.press_changing(road, dialog, "alt+g")  # "Search in back&ground thread"
    # "&Skip binary files" off: the slow file is read.
    _finder.press_changing(road, dialog, "alt+s")
    road.screenshot("how to search in the background", window=dialog)
    road.press_keys("alt+r", window=dialog)  # "&Results Handling"
    road.press_keys("alt+s", window=dialog)  # "&Show results list window when finished"
    road.screenshot("results handling shows the list", window=dialog)
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)

    _finder.check_tray_animates(road, icon)
    with road.step("no window shows while the search runs"):
        road.check(not road.windows(_finder.TITLE, program=finder), "a finder window is shown")
    road.screenshot("tray animating")
    waiting = _finder.wait_tray_still(road, icon)
    with road.step("the results wait behind the greyed icon"):
        road.check(waiting != at_rest, "the icon looks as at rest")
        road.check(not road.windows(_finder.TITLE, program=finder), "a finder window is shown")
    shown = len(road.windows(program=finder))
    road.point_at(icon)
    road.wait_until(lambda: len(road.windows(program=finder)) > shown, 5, "no tooltip came up")
    road.screenshot("results waiting with their hint")

    road.click_tray_icon(icon)
    window = road.wait_window(_finder.TITLE, program=finder)
    _finder.wait_tray_still(road, icon, at_rest)
    road.screenshot("results shown after the click", window=window)

    # The same search in the open-files mode: the window goes to the tray again.
    dialog = new_search(road, finder, icon)
    road.press_keys("alt+r", window=dialog)
    _finder.press_changing(road, dialog, "alt+o")  # "&Open up to" 20 "files with hits"
    road.screenshot("results handling opens the files", window=dialog)
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)
    road.wait_window_gone(window)
    _finder.wait_tray_still(road, icon, waiting)
    road.click_tray_icon(icon)
    confirm = road.wait_window("Confirm", program=finder)
    road.screenshot("asked to open the hits", window=confirm)
    road.press_keys("Return", window=confirm)
    road.wait_window_gone(confirm)
    expected = _finder.mvfind_hits(road, "-s", "--binaries", "-m", MASKS, "-f", "needle",
                                   str(tree))
    road.wait_until(lambda: opened.exists() and len(opened.read_text().splitlines()) == 3, 10,
                    lambda: f"the desktop was asked to open {opened.read_text() if opened.exists() else 'nothing'}")
    with road.step("the desktop opened the three hits, and no window came up"):
        road.check(len(expected) == 3, f"mvfind found {expected}")
        road.check(sorted(opened.read_text().splitlines()) == expected,
                   f"opened {opened.read_text().splitlines()}, mvfind found {expected}")
        road.check(not road.windows(_finder.TITLE, program=finder), "a finder window is shown")
    _finder.wait_tray_still(road, icon, at_rest)

    _finder.finish(road, finder, icon)
    results = _finder.read_results(road)
    with road.step("the hits saved at exit are mvfind's"):
        road.check(results.paths() == expected, f"the finder saved {results}, mvfind found {expected}")
