"""The results file: the hits of a search come back after an exit and a restart; the list is
saved through "Save" as a .ser file, cleared, and loaded back through "Load" with the same
rows; a list the user loaded is not written over the last results at exit."""

import re

import _finder

NEEDS = ["MVFinder", "mvfind"]
TIMEOUT = 120

FILES = {
    "letters/alpha.txt": "dear needle\n",
    "letters/beta.txt": "no\n",
    "letters/old/gamma.txt": "needle\r\n" * 30,
    "letters/old/delta.txt": "the Needle",
}


def run(road):
    tree = _finder.make_tree(road.home, FILES) / "letters"
    _finder.quiet_start(road)
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    at_rest = _finder.wait_tray_still(road, icon)
    _finder.search_from_tray(road, finder, icon, "*.txt", "needle", tree)
    road.wait_window(_finder.TITLE, program=finder)
    _finder.wait_tray_still(road, icon, at_rest)
    _finder.finish(road, finder, icon)
    expected = _finder.mvfind_hits(road, "-s", "-m", "*.txt", "-f", "needle", str(tree))
    with road.step("the hits were saved as the last results at exit"):
        road.check(_finder.read_results(road).paths() == expected,
                   f"saved {_finder.read_results(road)}, mvfind found {expected}")
    last = road.file_state(_finder.LAST_RESULTS)

    # The next start shows them again.
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.choose_menu_item("&Last search results")
    window = road.wait_window(_finder.TITLE, program=finder)
    road.screenshot("the last results after a restart", window=window)

    # "Save": the save dialog opens in the results folder; a name without extension gets ".ser".
    road.click(window, *_finder.toolbar_button("save"))
    save = road.wait_window("Save Search Results List As", program=finder)
    road.screenshot("the save dialog", window=save)
    road.type_text("kept", window=save)
    road.press_keys("Return", window=save)
    road.wait_window_gone(save)
    kept = "searchresults/kept.ser"
    road.wait_file(kept, contains="files were found")
    with road.step("the saved file holds the rows shown"):
        road.check(_finder.read_results(road, kept).paths() == expected,
                   f"kept.ser holds {_finder.read_results(road, kept)}")

    road.click(window, *_finder.toolbar_button("clear"))
    confirm = road.wait_window("Confirm", program=finder)
    road.screenshot("asked to clear", window=confirm)
    road.press_keys("alt+y", window=confirm)
    road.wait_window_gone(confirm)
    road.screenshot("the list cleared", window=window)

    road.click(window, *_finder.toolbar_button("load"))
    load = road.wait_window(re.compile("^Open"), program=finder)
    road.type_text("kept.ser", window=load)
    road.press_keys("Return", window=load)
    road.wait_window_gone(load)
    road.point_at(window)  # off the button, whose hint would take the first panel
    road.screenshot("the list loaded back", window=window)

    _finder.finish(road, finder, icon)
    with road.step("the loaded list was not written over the last results"):
        road.check(not road.file_state(_finder.LAST_RESULTS).differs_from(last),
                   "last search results.ser was written at exit")
