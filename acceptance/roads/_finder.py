"""What the finder's roads share: a quiet start (no splash, no notice, the window placed),
where its buttons, column headers and rows are, scratch trees of files, mvfind's hits for
the same criteria, the results files the finder writes, the tray icon's looks told apart by
their pictures, a file slow to search, a default application that notes what it opens,
and the viewer the finder opens files in."""

import os
import re
import time

TITLE = "Morvel Vantor Finder 2.1"  # the main window's and the search dialog's caption
LAST_RESULTS = "searchresults/last search results.ser"

# Where the main window stands (client 860 x 400 at 100, 80), its five column widths, and
# the places on it a person clicks: the results list's header row with the small toolbar,
# and the caption bar's buttons counted from its right edge (see finder_results_window).
PLACE = {"VFLastX": 100, "VFLastY": 80, "VFLastCX": 964, "VFLastCY": 484}
COLUMNS = (150, 330, 100, 130, 130)
HEADER_Y = 55
# The small toolbar's nine buttons, 24 pixels wide and 3 apart, in their order.
TOOLBAR_Y = 34
BUTTONS = ("new search", "open", "delete", "clear", "load", "save", "stop", "help", "done")
CAPTION_MIDDLE = 12
DONE_FROM_RIGHT = 13
OPTIONS_FROM_RIGHT = 51
# The results list's rows below the header.
ROW_HEIGHT = 18
FIRST_ROW_Y = 73
# The viewer's main window: its title, then the active document's when that is maximised.
VIEWER_TITLE = re.compile("^Vantor Finder Viewer")


def quiet_start(road, **values):
    """Settings for a start straight to the tray, with the window's place and widths."""
    config = road.config_home / "Korvath"
    config.mkdir(parents=True, exist_ok=True)
    lines = ["[General]", "FindMsg=1", "Splash=0"]
    lines += [f"{key}={value}" for key, value in PLACE.items()]
    lines += [f"VFCol{i}={width}" for i, width in enumerate(COLUMNS)]
    lines += [f"{key}={value}" for key, value in values.items()]
    (config / "Morvel Vantor Finder.conf").write_text("\n".join(lines) + "\n")


def column_middle(column):
    """The x of a column header's middle in the window's client area (inside its frame)."""
    return 2 + sum(COLUMNS[:column]) + COLUMNS[column] // 2


def row_middle(row):
    """The (x, y) in the window's client area of a point inside the results list's row
    `row` (from 0), in its first column."""
    return 60, FIRST_ROW_Y + ROW_HEIGHT * row


def toolbar_button(name):
    """The (x, y) of a small toolbar button's middle in the window's client area."""
    return 24 + 27 * BUTTONS.index(name), TOOLBAR_Y


def make_tree(root, files):
    """Writes {relative path: text} under root and returns root."""
    for name, text in files.items():
        path = root / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    return root


def mvfind_hits(road, *arguments):
    """The full paths mvfind finds with these arguments, sorted."""
    mvfind = road.start("mvfind", *arguments)
    road.wait_exit(mvfind, status=0)
    return sorted(mvfind.stdout().splitlines())


class Results:
    """A results file as the finder writes it: the summary line and one row per entry."""

    def __init__(self, text):
        lines = text.split("\r\n")
        self.count = int(lines[0].split()[0])
        self.summary = lines[2]
        self.rows = [line.split("\t") for line in lines[6:] if line]

    def paths(self):
        """The entries' full paths, sorted."""
        return sorted(f"{row[2].rstrip()}/{row[0].rstrip()}" for row in self.rows)

    def __repr__(self):
        return f"{self.count} entries: {self.paths()}"


def read_results(road, path=LAST_RESULTS):
    return Results(road.path(path).read_bytes().decode("utf-8", errors="replace"))


def tray_looks(road, icon, seconds=0.6):
    """The different pictures the tray icon shows during `seconds`."""
    looks = set()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        looks.add(road.picture_digest(icon))
        time.sleep(0.03)
    looks.discard(None)
    return looks


def wait_tray_still(road, icon, look=None, timeout=30):
    """Waits until the icon stops changing (and shows `look`, when given); returns its picture."""
    with road.step("wait for the tray icon to hold still" + (" at its look" if look else "")):

        def still():
            looks = tray_looks(road, icon, 0.35)
            if len(looks) != 1 or (look is not None and look not in looks):
                return None
            return [next(iter(looks))]

        return road.wait_until(still, timeout, "the tray icon kept changing or shows another picture")[0]


def check_tray_animates(road, icon):
    with road.step("the tray icon animates"):
        looks = tray_looks(road, icon)
        road.check(len(looks) >= 3, f"it showed {len(looks)} pictures in 0.6 s")


def finish(road, finder, icon):
    """"Exit and Unload" from the tray menu at rest; the finder ends well."""
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(finder, status=0)


def slow_file(road, path, seconds=3.0):
    """A file of zero bytes, taking no room on the disk, that a search testing binary files
    reads for about `seconds` on this machine (measured with mvfind on a smaller one): a
    search that walks it runs long enough to be watched, and ends by itself."""
    probe = path.with_name("probe.bin")
    probe.parent.mkdir(parents=True, exist_ok=True)
    probe_size = 128 << 20
    with probe.open("wb") as zeros:
        os.truncate(zeros.fileno(), probe_size)
    started = time.monotonic()
    mvfind = road.start("mvfind", "--binaries", "-q", "-m", "probe.bin", "-f", "needle",
                        str(probe.parent))
    road.wait_exit(mvfind, status=1)
    took = max(time.monotonic() - started, 0.01)
    probe.unlink()
    size = int(probe_size * seconds / took)
    size = min(max(size, 64 << 20), 32 << 30)
    with path.open("wb") as slow:
        os.truncate(slow.fileno(), size)
    return path


def default_application(road):
    """Makes a recorder the desktop's application for plain text: each file the desktop is
    asked to open is written to the returned log, one line each."""
    log = road.home / "opened.txt"
    recorder = road.home / "recorder.sh"
    recorder.write_text(f'#!/bin/sh\nprintf "%s\\n" "$1" >> "{log}"\n')
    recorder.chmod(0o755)
    applications = road.data_home / "applications"
    applications.mkdir(parents=True, exist_ok=True)
    (applications / "recorder.desktop").write_text(
        "[Desktop Entry]\nType=Application\nName=Recorder\n"
        f"Exec={recorder} %f\nMimeType=text/plain;\n")
    road.config_home.mkdir(parents=True, exist_ok=True)
    (road.config_home / "mimeapps.list").write_text(
        "[Default Applications]\ntext/plain=recorder.desktop\n")
    return log


def press_changing(road, window, keys):
    """Presses keys that change what the window shows (a mnemonic ticking a box, which Qt
    animates as a click a moment later) and waits until the window's picture has changed
    and held still again."""
    before = road.picture_digest(window)
    road.press_keys(keys, window=window)
    with road.step(f"wait for {keys} to change {window.name}"):
        road.wait_until(lambda: road.picture_digest(window) != before, 5, "nothing changed")

        def settled():
            first = road.picture_digest(window)
            time.sleep(0.25)
            return first == road.picture_digest(window)

        road.wait_until(settled, 5, "the picture kept changing")


def new_search(road, finder, icon):
    """"New search" from the tray menu; returns the search dialog. It has the main window's
    title: the dialog is the window of that title that was not shown before."""
    shown = {window.id for window in road.windows(TITLE, program=finder)}
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.choose_menu_item("&New search")
    with road.step("wait for the search dialog"):
        return road.wait_until(
            lambda: [w for w in road.windows(TITLE, program=finder) if w.id not in shown], 10,
            lambda: f"no new window {TITLE!r}; {road.titled_windows_text()}", [finder])[-1]


def search_from_tray(road, finder, icon, masks, expression, folder, subfolders=True):
    """"New search" from the tray menu: masks, expression and folder typed in, Begin Search."""
    dialog = new_search(road, finder, icon)
    road.type_text(masks, window=dialog)
    road.press_keys("Tab", window=dialog)
    road.type_text(expression, window=dialog)
    road.press_keys("alt+l", window=dialog)
    road.press_keys("alt+v", window=dialog)
    road.type_text(str(folder), window=dialog)
    if subfolders:
        press_changing(road, dialog, "alt+s")  # "&Search subdirectories"
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)


def hints(road, program):
    """The hint (tooltip) windows `program` shows now."""
    return [w for w in road.windows(program=program)
            if "_NET_WM_WINDOW_TYPE_TOOLTIP" in road.x.window_types(w.id)]


def show_tray_hint(road, finder, icon):
    """The pointer leaves the icon (it may have rested there since the icon's menu), then
    comes back to it, as a person's hand would; true when the hint came up.

    About one run in ten on a loaded machine the toolkit shows no hint at all after the
    icon's menu was used, however often the pointer comes back (the finder's event loop is
    idle then, and its hint text set; the toolkit never makes its hint window). The hint's
    text is the unit tests' business: here the road says so and goes on."""
    road.move_pointer(640, 400)
    with road.step("wait until no hint is shown"):
        road.wait_until(lambda: not hints(road, finder), 10, "a hint stays up")
    road.point_at(icon)
    with road.step("look for the tray icon's hint, 5 s at most"):
        deadline = time.monotonic() + 5
        while not hints(road, finder) and time.monotonic() < deadline:
            time.sleep(0.05)
    if hints(road, finder):
        return True
    road.log("     the toolkit showed no hint within 5 s (a known quirk of its tray): going on")
    return False


def choose_option(road, finder, window, label):
    """Chooses an item of the window's options menu (the caption bar's options button)."""
    road.click(window, window.width - OPTIONS_FROM_RIGHT, CAPTION_MIDDLE)
    road.wait_menu(finder)
    road.choose_menu_item(label)


def one_viewer(road, timeout=20):
    """Waits until exactly one viewer process runs (starts that handed their files over
    have ended) and returns its main window."""
    window = road.wait_window(VIEWER_TITLE, timeout=timeout)
    with road.step("wait for one viewer process"):
        road.wait_until(lambda: len(road.processes_of("vantorviewer")) == 1, timeout,
                        lambda: f"viewer processes: {road.processes_of('vantorviewer')}")
        road.check(road.x.pid(window.id) in road.processes_of("vantorviewer"),
                   f"{window!r} belongs to no viewer process")
    return window


def wait_viewer_handed_over(road, window, timeout=20):
    """After another window was active: waits until a new viewer start has handed its file
    to the running viewer, which comes to the front, and has ended."""
    with road.step("the running viewer comes to the front"):
        road.wait_until(lambda: road.x.window_property(road.x.root, "_NET_ACTIVE_WINDOW") == window.id,
                        timeout, "another window stays active")
    return one_viewer(road, timeout)


# Started with this, the finder's viewers note each document they open or bring to the
# front ("mvf.viewer.documents: opened <name>", "... front <name>") on the standard error
# they inherit from it.
VIEWER_LOG = {"QT_LOGGING_RULES": "mvf.viewer.*.info=true"}


def viewer_log(program, what, name):
    """How often the viewers started by `program` (with VIEWER_LOG) logged `what` for `name`."""
    return program.stderr().splitlines().count(f"mvf.viewer.documents: {what} {name}")


def exit_viewer(road, window):
    """File, Exit in the viewer (nothing left unsaved, so no question); its process ends."""
    road.press_keys("alt+f", window=window)
    road.wait_menu()
    road.choose_menu_item("E&xit")
    with road.step("the viewer ended"):
        road.wait_until(lambda: not road.processes_of("vantorviewer"), 10,
                        lambda: f"viewer processes: {road.processes_of('vantorviewer')}")
