"""Deleting found files through the dialogs: two hits to the Trash (the multiple-deletion
dialog), one from disk (asked for the file), and one in a folder that cannot be written,
which stays listed while the failure is told; the list saved at exit shows what remains."""

import os
import subprocess

import _finder

NEEDS = ["MVFinder", "mvfind"]
TIMEOUT = 120

FILES = {
    "docs/a.txt": "needle a\n",
    "docs/b.txt": "needle b\n",
    "docs/c.txt": "needle c\n",
    "docs/d.txt": "needle d\n",
    "locked/e.txt": "needle e\n",
}
ROW_HEIGHT = 18
FIRST_ROW_Y = 73


def make_read_only(folder):
    """The folder's entries cannot be removed: no write permission, and for root, who is
    not held by that, the immutable attribute where the file system has it. False when
    neither holds here."""
    folder.chmod(0o555)
    if os.geteuid() == 0:
        subprocess.run(["chattr", "+i", str(folder)], capture_output=True)
    probe = folder / "probe"
    try:
        probe.touch()
    except OSError:
        return True
    probe.unlink()
    return False


def writable_again(folder):
    if os.geteuid() == 0:
        subprocess.run(["chattr", "-i", str(folder)], capture_output=True)
    folder.chmod(0o755)


def select_row(road, window, row):
    road.click(window, 60, FIRST_ROW_Y + ROW_HEIGHT * row)


def run(road):
    tree = _finder.make_tree(road.home / "notes", FILES)
    locked = tree / "locked"
    if not make_read_only(locked):
        # The machine lets this user remove anything: the fourth file fails another way,
        # taken away behind the finder's back before it tries.
        writable_again(locked)
        locked = None
    try:
        walk(road, tree, locked)
    finally:
        if locked:
            writable_again(locked)


def walk(road, tree, locked):
    trash = road.data_home / "Trash"
    _finder.quiet_start(road)
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    at_rest = _finder.wait_tray_still(road, icon)
    _finder.search_from_tray(road, finder, icon, "*.txt", "needle", tree)
    window = road.wait_window(_finder.TITLE, program=finder)
    _finder.wait_tray_still(road, icon, at_rest)
    road.screenshot("five hits", window=window)

    # a.txt and b.txt to the Trash, without further questions.
    select_row(road, window, 0)
    road.press_keys("shift+Down", window=window)
    road.press_keys("Delete", window=window)
    dialog = road.wait_window("Multiple File Deletions", program=finder)
    _finder.press_changing(road, dialog, "alt+r")  # "Send them all to the &Recycle bin"
    road.screenshot("two to the trash", window=dialog)
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)
    for name in ("a.txt", "b.txt"):
        road.wait_file(trash / "files" / name, text=FILES[f"docs/{name}"])
        road.wait_file(trash / "info" / f"{name}.trashinfo", contains=f"Path={tree}/docs/{name}")

    # c.txt, now the first row, from disk: the one-file question for each file.
    select_row(road, window, 0)
    road.press_keys("Delete", window=window)
    dialog = road.wait_window("Multiple File Deletions", program=finder)
    road.press_keys("Return", window=dialog)  # "&Ask to recycle or delete each file"
    road.wait_window_gone(dialog)
    options = road.wait_window("File Delete Options", program=finder)
    _finder.press_changing(road, options, "alt+d")  # "&Delete file from disk"
    road.screenshot("one from disk", window=options)
    road.press_keys("Return", window=options)
    road.wait_window_gone(options)
    road.wait_until(lambda: not (tree / "docs" / "c.txt").exists(), 10, "c.txt is still there")

    # e.txt, the last row, cannot be removed: it stays listed and the failure is told.
    if not locked:
        (tree / "locked" / "e.txt").unlink()
    select_row(road, window, 1)
    road.press_keys("Delete", window=window)
    dialog = road.wait_window("Multiple File Deletions", program=finder)
    _finder.press_changing(road, dialog, "alt+d")  # "&Delete them all from disk"
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)
    sure = road.wait_window("Warning", program=finder)
    road.screenshot("sure to delete from disk", window=sure)
    road.press_keys("Return", window=sure)
    road.wait_window_gone(sure)
    failure = road.wait_window("Vantor Finder Error", program=finder)
    road.screenshot("the file that stayed", window=failure)
    road.press_keys("Return", window=failure)
    road.wait_window_gone(failure)
    road.point_at(window)
    road.screenshot("what remains", window=window)

    _finder.finish(road, finder, icon)
    with road.step("two files in the Trash, one gone from disk, the locked one kept"):
        trashed = sorted(p.name for p in (trash / "files").iterdir())
        road.check(trashed == ["a.txt", "b.txt"], f"the Trash holds {trashed}")
        infos = sorted(p.name for p in (trash / "info").iterdir())
        road.check(infos == ["a.txt.trashinfo", "b.txt.trashinfo"], f"its info: {infos}")
        road.check(not (tree / "docs" / "c.txt").exists(), "c.txt is still on disk")
        road.check((tree / "docs" / "d.txt").exists(), "d.txt is gone")
        if locked:
            road.check((locked / "e.txt").exists(), "e.txt is gone")
    with road.step("the list saved at exit shows what remains"):
        paths = _finder.read_results(road).paths()
        road.check(paths == [f"{tree}/docs/d.txt", f"{tree}/locked/e.txt"], f"it holds {paths}")
