"""A foreground search from the tray's "New search": two masks, a content expression with
AND, sub-folders; the window shows the hits as they come and sorts them by size on a
header click; the hits are mvfind's for the same criteria, and the dialog's entries are
remembered at exit."""

import _finder

NEEDS = ["MVFinder", "mvfind"]
TIMEOUT = 90

FILES = {
    "alpha.txt": "the needle and the thread\n",
    "beta.md": "needle\n" + "filler line\n" * 40 + "thread\n",
    "gamma.txt": "a needle only\n",
    "other.txt": "a thread only\n",
    "deep/delta.txt": "THREAD, then Needle\r\n",
    "deep/epsilon.log": "needle thread: not a searched name\n",
    "deep/deeper/zeta.md": "x" * 3000 + "\nneedle in a thread\n",
    ".hidden/eta.txt": "needle thread, but in a hidden folder\n",
}
MASKS = "*.txt,*.md"
EXPRESSION = "needle|thread"


def run(road):
    tree = _finder.make_tree(road.home / "notes", FILES)
    _finder.quiet_start(road)
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    at_rest = _finder.wait_tray_still(road, icon)

    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.choose_menu_item("&New search")
    dialog = road.wait_window(_finder.TITLE, program=finder)
    # The first showing puts the focus in the mask box; the expression box follows it.
    road.type_text(MASKS, window=dialog)
    road.press_keys("Tab", window=dialog)
    road.type_text(EXPRESSION, window=dialog)
    _finder.press_changing(road, dialog, "alt+a")  # "Boolean &AND (Must match all)"
    road.screenshot("find what with AND", window=dialog)
    road.press_keys("alt+l", window=dialog)  # "&Look Where"
    road.press_keys("alt+v", window=dialog)  # "Dri&ve/Directory list"
    road.type_text(str(tree), window=dialog)
    _finder.press_changing(road, dialog, "alt+s")  # "&Search subdirectories"
    road.screenshot("look where with sub-folders", window=dialog)
    road.press_keys("Return", window=dialog)  # "Begin Search"
    road.wait_window_gone(dialog)

    window = road.wait_window(_finder.TITLE, program=finder)
    _finder.wait_tray_still(road, icon, at_rest)
    road.screenshot("hits sorted by name", window=window)

    road.click(window, _finder.column_middle(2), _finder.HEADER_Y)  # "Size on Disk"
    road.screenshot("hits sorted by size", window=window)
    road.click(window, _finder.column_middle(2), _finder.HEADER_Y)
    road.screenshot("hits sorted by size, largest first", window=window)

    _finder.finish(road, finder, icon)
    expected = _finder.mvfind_hits(road, "-s", "-m", MASKS, "-f", EXPRESSION, "--and", str(tree))
    results = _finder.read_results(road)
    with road.step("the hits saved at exit are mvfind's"):
        road.check(len(expected) == 4, f"mvfind found {expected}")
        road.check(results.paths() == expected, f"the finder saved {results}, mvfind found {expected}")
        road.check(results.count == 4, f"the file announces {results.count} entries")
        road.check("Boolean: AND" in results.summary and EXPRESSION in results.summary,
                   f"the summary is {results.summary!r}")

    settings = road.settings()
    with road.step("the dialog's entries and lists were written at exit"):
        wanted = {"VFindString": EXPRESSION, "VMaskString": MASKS, "VDirString": str(tree),
                  "VFBoolAND": "1", "VFSearchSub": "1"}
        seen = {key: settings.get(key) for key in wanted}
        road.check(seen == wanted, f"the settings hold {seen}")
        road.check(settings.numbered("VFindList") == [EXPRESSION],
                   f"VFindList is {settings.numbered('VFindList')}")
        road.check(settings.numbered("VFileMask") == [MASKS],
                   f"VFileMask is {settings.numbered('VFileMask')}")
