"""The viewer opens a file, takes typed text and Ctrl+S, takes a second start's file,
shows a selection, a bookmark and the split view, and goes to a line."""

import re

NEEDS = ["vantorviewer"]
TIMEOUT = 90
TRAY = False

FIRST = "Hello world\nsecond line\n"
SECOND = "Handed over\nby a second start\nwith a third line\n"


def run(road):
    first = road.home / "first.txt"
    first.write_text(FIRST)
    viewer = road.start("vantorviewer", first)
    window = road.wait_window(re.compile("^Vantor Finder Viewer"), program=viewer, timeout=20)

    # The caret starts at the top of the new document window.
    road.type_text("Typed: ", window=window)
    road.press_keys("ctrl+s", window=window)
    road.wait_file(first, text="Typed: " + FIRST)

    # A second start hands its file to the first and ends without a window of its own.
    second = road.home / "second file.txt"
    second.write_text(SECOND)
    handing = road.start("vantorviewer", second)
    road.wait_exit(handing, status=0, timeout=20)
    with road.step("the second start showed no window"):
        road.check(not road.windows(program=handing), f"it showed {road.windows(program=handing)}")

    # The handed-over file is the active document: what is typed now lands in it.
    road.type_text("Edited: ", window=window)
    road.press_keys("ctrl+s", window=window)
    road.wait_file(second, text="Edited: " + SECOND)
    road.wait_file(first, text="Typed: " + FIRST)

    # A bookmark on line 2, a selection over two lines, and the split view (Window, Split).
    road.press_keys("Down", "ctrl+shift+1", "ctrl+Home", "shift+Down", "shift+End", window=window)
    road.press_keys("alt+w", window=window)
    road.wait_menu(viewer)
    road.choose_menu_item("&Split")
    road.screenshot("selection, bookmark and split view", window=window)

    # Go to line 3 through the real input box, type there, save.
    road.press_keys("F4", window=window)
    box = road.wait_window("Go to Line Number", program=viewer)
    road.press_keys("ctrl+a", window=box)
    road.type_text("3", window=box)
    road.press_keys("Return", window=box)
    road.wait_window_gone(box)
    road.type_text("Line three: ", window=window)
    road.press_keys("ctrl+s", window=window)
    road.wait_file(second, text="Edited: Handed over\nby a second start\nLine three: with a third line\n")

    # Exit: nothing is modified, so no question.
    road.press_keys("alt+f", window=window)
    road.wait_menu(viewer)
    road.choose_menu_item("E&xit")
    road.wait_exit(viewer, status=0)
