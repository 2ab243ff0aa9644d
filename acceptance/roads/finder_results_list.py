"""The results list at work: the rows of a prepared "last search results.ser", a click on
the size column's header (twice: largest first), the first row deleted to the trash through
the multiple-deletion dialog, and the list saved at exit without it."""

NEEDS = ["MVFinder", "mvfind"]
TIMEOUT = 90

# The files found, with sizes that order them differently from their names.
FOUND = [("Alpha notes.txt", "alpha\n"), ("beta.txt", "beta beta\n"),
         ("Gamma list.txt", "g\r\n" * 40)]
# Column widths kept in the settings; the size column is the third.
WIDTHS = [150, 150, 90, 130, 130]


def prepare(road):
    found = road.home / "found"
    found.mkdir()
    for name, text in FOUND:
        (found / name).write_bytes(text.encode())
    results = road.program_dir / "searchresults"
    results.mkdir(exist_ok=True)
    mvfind = road.start("mvfind", "-m", "*.txt", "-o", str(results / "last search results.ser"),
                        str(found))
    road.wait_exit(mvfind, status=0)
    config = road.config_home / "Korvath"
    config.mkdir(parents=True, exist_ok=True)
    columns = "".join(f"VFCol{i}={w}\n" for i, w in enumerate(WIDTHS))
    (config / "Morvel Vantor Finder.conf").write_text(
        "[General]\nFindMsg=1\nSplash=0\nVFLastX=200\nVFLastY=150\nVFLastCX=840\nVFLastCY=500\n"
        + columns)


def run(road):
    prepare(road)
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    road.click_tray_icon(icon, button="right")
    road.choose_menu_item("&Last search results")
    window = road.wait_window("Morvel Vantor Finder 2.1", program=finder)
    road.screenshot("rows of the last search results", window=window)

    # The header's middle in the window's client area: below the frame, the caption bar
    # and the small toolbar.
    header_y = 55
    size_x = 2 + WIDTHS[0] + WIDTHS[1] + WIDTHS[2] // 2
    road.click(window, size_x, header_y)
    road.click(window, size_x, header_y)
    road.screenshot("sorted by size, largest first", window=window)

    # The first row is now the largest file: a click below the rows gives the list the
    # keyboard, End and Home select the first row, Delete deletes it to the trash.
    road.click(window, 2 + WIDTHS[0] // 2, 200)
    road.press_keys("End", window=window)
    road.press_keys("Home", window=window)
    road.press_keys("Delete", window=window)
    dialog = road.wait_window("Multiple File Deletions", program=finder)
    road.screenshot("multiple deletions dialog", window=dialog)
    road.press_keys("alt+r", window=dialog)
    road.press_keys("Return", window=dialog)
    road.wait_window_gone(dialog)
    trashed = road.data_home / "Trash" / "files" / "Gamma list.txt"
    road.wait_file(trashed)
    road.wait_file(road.data_home / "Trash" / "info" / "Gamma list.txt.trashinfo",
                   contains="Path=")
    with road.step("only the largest file went, whole"):
        road.check(trashed.read_bytes() == b"g\r\n" * 40, "the trashed file differs")
        road.check(not (road.home / "found" / "Gamma list.txt").exists(), "it is still there")
        for name, _ in FOUND[:2]:
            road.check((road.home / "found" / name).exists(), f"{name} is gone too")
    road.screenshot("the list without it", window=window)

    road.click_tray_icon(icon, button="right")
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(finder, status=0)
    saved = (road.program_dir / "searchresults" / "last search results.ser").read_bytes()
    with road.step("the list saved at exit holds the two files left"):
        road.check(saved.startswith(b"2  files were found"), saved[:60])
        road.check(b"Gamma list.txt" not in saved, "the deleted file is still listed")
        road.check(b"Alpha notes.txt" in saved and b"beta.txt" in saved, saved)
    settings = road.settings()
    with road.step("the column widths were kept"):
        kept = [settings.get(f"VFCol{i}") for i in range(5)]
        road.check(kept == [str(w) for w in WIDTHS], f"the widths are {kept}")
