"""A foreground search from the tray's "New search": two masks, a content expression with
AND, sub-folders; the window shows the hits as they come and sorts them by size on a
header click; the largest hit opens with the desktop's application, then, with "Use Morvel
Viewer" on, in the viewer, where a typed line is saved to the file; the hits are mvfind's
for the same criteria, and the dialog's entries and the option are remembered at exit."""

import _finder

NEEDS = ["MVFinder", "mvfind", "vantorviewer"]
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
LARGEST = "deep/deeper/zeta.md"
TYPED = "A line typed in the viewer"


def run(road):
    tree = _finder.make_tree(road.home / "notes", FILES)
    opened = _finder.default_application(road)
    _finder.quiet_start(road)
    finder = road.start("MVFinder", env=_finder.VIEWER_LOG)
    icon = road.wait_tray_icon(finder, timeout=20)
    at_rest = _finder.wait_tray_still(road, icon)

    dialog = _finder.new_search(road, finder, icon)
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

    # Enter on the first row opens the largest hit with the desktop's application.
    largest = tree / LARGEST
    road.click(window, *_finder.row_middle(0))
    road.press_keys("Return", window=window)
    road.wait_until(lambda: opened.exists() and opened.read_text().splitlines() == [str(largest)], 10,
                    lambda: f"the desktop was asked to open {opened.read_text() if opened.exists() else 'nothing'}")

    # With the viewer chosen, a double click opens it there; what is typed is saved to disk.
    _finder.choose_option(road, finder, window, "&Use Morvel Viewer")
    road.double_click(window, *_finder.row_middle(0))
    viewer = _finder.one_viewer(road)
    road.type_text(TYPED, window=viewer)
    road.press_keys("Return", window=viewer)
    # Opened again before it was saved: the viewer brings the edited document to the front
    # (a fresh copy from disk would lose the typed line when saved).
    road.activate(window)
    road.double_click(window, *_finder.row_middle(0))
    _finder.wait_viewer_handed_over(road, viewer)
    with road.step("the viewer brought its document forward and opened no second one"):
        road.check(_finder.viewer_log(finder, "front", largest) == 2
                   and _finder.viewer_log(finder, "opened", largest) == 1,
                   f"the viewer logged: {finder.stderr()}")
    road.screenshot("the largest hit in the viewer, a line typed", window=viewer)
    road.press_keys("ctrl+s", window=viewer)
    saved = road.wait_file(largest, contains=TYPED)
    with road.step("the file holds the typed line above its old text"):
        road.check(saved == TYPED + "\n" + FILES[LARGEST], f"it holds {saved[:80]!r}...")
    _finder.exit_viewer(road, viewer)
    with road.step("the desktop's application was not asked again"):
        road.check(opened.read_text().splitlines() == [str(largest)], f"it opened {opened.read_text()}")

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
    with road.step("the dialog's entries and lists and the viewer option were written at exit"):
        wanted = {"VFindString": EXPRESSION, "VMaskString": MASKS, "VDirString": str(tree),
                  "VFBoolAND": "1", "VFSearchSub": "1", "UseViewer": "1"}
        seen = {key: settings.get(key) for key in wanted}
        road.check(seen == wanted, f"the settings hold {seen}")
        road.check(settings.numbered("VFindList") == [EXPRESSION],
                   f"VFindList is {settings.numbered('VFindList')}")
        road.check(settings.numbered("VFileMask") == [MASKS],
                   f"VFileMask is {settings.numbered('VFileMask')}")
