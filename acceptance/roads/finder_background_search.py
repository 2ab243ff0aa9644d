"""A background search: the window goes, the tray icon animates while the search runs and
then waits greyed, with its hint and no menu; the tray click shows the results. Again in the
open-files mode, with the finder's own viewer chosen: the click asks to open the three hits,
and one viewer process shows the three files, each in its document window, each saved with
a line typed into it."""

import pathlib

import _finder

NEEDS = ["MVFinder", "mvfind", "vantorviewer"]
TIMEOUT = 120

FILES = {
    "one.txt": "a needle\n",
    "two.txt": "hay\nthe needle\nhay\n",
    "sub/three notes – über.txt": "NEEDLE\r\n",
    "sub/hay.txt": "only hay\n",
}
MASKS = "*.txt,*.bin"


def check_three_documents(road, viewer, expected):
    """The Window menu lists three documents: each one, brought to the front from there,
    takes a typed line and is saved; the three files on disk are the three hits."""
    before = {path: pathlib.Path(path).read_bytes() for path in expected}
    road.press_keys("alt+w", window=viewer)
    road.wait_menu()
    road.screenshot("the viewer's three documents")
    road.choose_menu_item("&Tile")
    for number in (1, 2, 3):
        road.press_keys("alt+w", window=viewer)
        road.wait_menu()
        road.choose_menu_item(f"&{number}")
        road.type_text(f"Seen {number}: ", window=viewer)
        road.press_keys("ctrl+s", window=viewer)
    road.screenshot("three documents tiled, each edited", window=viewer)

    def marked():
        found = {}
        for path, old in before.items():
            now = pathlib.Path(path).read_bytes()
            for number in (1, 2, 3):
                if now == f"Seen {number}: ".encode() + old:
                    found[path] = number
        return found

    with road.step("each of the three hits holds its own typed line above its old text"):
        road.wait_until(lambda: len(set(marked().values())) == 3, 10,
                        lambda: f"the files hold {[pathlib.Path(p).read_bytes()[:40] for p in expected]}")


def run(road):
    tree = _finder.make_tree(road.home / "notes", FILES)
    # Zero bytes the search reads for a few seconds (it tests binary files here).
    _finder.slow_file(road, tree / "sub" / "slow.bin")
    _finder.quiet_start(road, UseViewer=1)
    finder = road.start("MVFinder", env=_finder.VIEWER_LOG)
    icon = road.wait_tray_icon(finder, timeout=20)
    at_rest = _finder.wait_tray_still(road, icon)

    dialog = _finder.new_search(road, finder, icon)
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
    if _finder.show_tray_hint(road, finder, icon):
        road.screenshot("results waiting with their hint")

    road.click_tray_icon(icon)
    window = road.wait_window(_finder.TITLE, program=finder)
    _finder.wait_tray_still(road, icon, at_rest)
    road.screenshot("results shown after the click", window=window)

    # The same search in the open-files mode: the window goes to the tray again.
    dialog = _finder.new_search(road, finder, icon)
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
    viewer = _finder.one_viewer(road)
    with road.step("no finder window came up"):
        road.check(len(expected) == 3, f"mvfind found {expected}")
        road.check(not road.windows(_finder.TITLE, program=finder), "a finder window is shown")
    _finder.wait_tray_still(road, icon, at_rest)
    with road.step("the viewer opened each hit once"):
        road.wait_until(lambda: all(_finder.viewer_log(finder, "opened", path) == 1 for path in expected),
                        10, lambda: f"the viewer logged: {finder.stderr()}")
    check_three_documents(road, viewer, expected)
    _finder.exit_viewer(road, viewer)

    _finder.finish(road, finder, icon)
    results = _finder.read_results(road)
    with road.step("the hits saved at exit are mvfind's"):
        road.check(results.paths() == expected, f"the finder saved {results}, mvfind found {expected}")
