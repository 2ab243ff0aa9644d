"""A running search steered from the tray: stopped from its menu (the hits found so far are
shown and, as a file could not be read, the log is offered); paused, greyed and "Paused....",
resumed; and closing the window during a search asks the cancel question, ends the search
without the log question and leaves the finder running until "Exit and Unload"."""

import os

import _finder

NEEDS = ["MVFinder", "mvfind"]
TIMEOUT = 120

FILES = {
    "one.txt": "a needle\n",
    "two.txt": "the needle, again\n",
    "sub/three.txt": "NEEDLE\n",
    "sub/hay.txt": "hay\n",
}


def new_search(road, finder, icon):
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.choose_menu_item("&New search")
    dialog = road.wait_window(_finder.TITLE, program=finder)
    return dialog


def tray_menu(road, finder, icon, item, screenshot=None):
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    if screenshot:
        road.screenshot(screenshot)
    road.choose_menu_item(item)


def run(road):
    tree = _finder.make_tree(road.home / "notes", FILES)
    # Read before the rest and never openable: the search logs it.
    os.symlink(tree / "nowhere", tree / "broken.txt")
    # Sixty-four gigabytes of zero bytes, on no disk space: the search is still reading
    # them whenever the road acts (it tests binary files here).
    (tree / "sub" / "zz").mkdir()
    with (tree / "sub" / "zz" / "huge.bin").open("wb") as huge:
        os.truncate(huge.fileno(), 64 << 30)
    _finder.quiet_start(road)
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    at_rest = _finder.wait_tray_still(road, icon)

    dialog = new_search(road, finder, icon)
    road.type_text("*.txt,*.bin", window=dialog)
    road.press_keys("Tab", window=dialog)
    road.type_text("needle", window=dialog)
    road.press_keys("alt+l", window=dialog)
    road.press_keys("alt+v", window=dialog)
    road.type_text(str(tree), window=dialog)
    _finder.press_changing(road, dialog, "alt+s")  # "&Search subdirectories"
    road.press_keys("alt+h", window=dialog)
    _finder.press_changing(road, dialog, "alt+s")  # "&Skip binary files" off
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)
    window = road.wait_window(_finder.TITLE, program=finder)
    _finder.check_tray_animates(road, icon)

    # Stopped from the tray menu: asked first; then the log of the unreadable file is offered.
    tray_menu(road, finder, icon, "&Stop search", screenshot="the search menu")
    question = road.wait_window("Error", program=finder)
    road.screenshot("asked to stop", window=question)
    road.press_keys("alt+y", window=question)
    road.wait_window_gone(question)
    offer = road.wait_window("Warning", program=finder)
    road.screenshot("the log offered", window=offer)
    road.press_keys("Escape", window=offer)
    road.wait_window_gone(offer)
    _finder.wait_tray_still(road, icon, at_rest)
    road.screenshot("stopped with the hits found so far", window=window)

    # Paused and resumed from the tray menu.
    dialog = new_search(road, finder, icon)
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)
    _finder.check_tray_animates(road, icon)
    tray_menu(road, finder, icon, "&Pause search")
    paused = _finder.wait_tray_still(road, icon)
    with road.step("the paused search greys the icon"):
        road.check(paused != at_rest, "the icon looks as at rest")
    road.screenshot("paused", window=window)
    tray_menu(road, finder, icon, "&Resume search", screenshot="the search menu while paused")
    _finder.check_tray_animates(road, icon)

    # Closing the window during the search asks to cancel it; the window stays, the search
    # ends without asking about the log.
    road.press_keys("alt+F4", window=window)
    question = road.wait_window("Error", program=finder)
    road.screenshot("asked to cancel", window=question)
    road.press_keys("alt+y", window=question)
    road.wait_window_gone(question)
    # A log question would come before the icon is at rest.
    _finder.wait_tray_still(road, icon, at_rest)
    with road.step("the finder runs on, its window shown, no log question"):
        road.check(finder.running, "the finder ended")
        road.check(road.windows(_finder.TITLE, program=finder), "the window is gone")
        road.check(not road.windows("Warning", program=finder), "the log was offered")
    road.screenshot("cancelled, still running", window=window)

    _finder.finish(road, finder, icon)
    expected = _finder.mvfind_hits(road, "-s", "-m", "*.txt", "-f", "needle", str(tree))
    results = _finder.read_results(road)
    with road.step("the hits found before the cancel were saved at exit"):
        road.check(len(expected) == 3, f"mvfind found {expected}")
        road.check(results.paths() == expected, f"the finder saved {results}, mvfind found {expected}")
    log = road.wait_file("searchresults/search errors.err")
    with road.step("the error log names the unreadable file"):
        road.check("broken.txt" in log, f"the log holds {log!r}")
