"""What the finder's roads share: a quiet start (no splash, no notice, the window placed),
where its buttons and column headers are, scratch trees of files, mvfind's hits for the
same criteria, the results files the finder writes, the tray icon's looks told apart by
their pictures, a file slow to search, and a default application that notes what it opens."""

import os
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


def search_from_tray(road, finder, icon, masks, expression, folder, subfolders=True):
    """"New search" from the tray menu: masks, expression and folder typed in, Begin Search."""
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.choose_menu_item("&New search")
    dialog = road.wait_window(TITLE, program=finder)
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
