"""The results window from the tray: "Last search results" shows the rows of a prepared
"last search results.ser"; "TB" switches the toolbar to the medium size and back; the About box."""

NEEDS = ["MVFinder", "mvfind"]
TIMEOUT = 90

# The caption bar's buttons, right to left from the window's right edge: done, maximise,
# options, "TB", roll-up (18 pixels wide each, 2 pixels apart around options), inside
# the 2-pixel frame and the bar's 2-pixel margin.
TB_FROM_RIGHT = 71
OPTIONS_FROM_RIGHT = 51
CAPTION_MIDDLE = 12


def prepare(road):
    found = road.home / "found"
    found.mkdir()
    for name, text in [("Alpha notes.txt", "alpha\n"), ("beta.txt", "beta beta\n"),
                       ("Gamma list.txt", "g\r\n" * 40), ("delta.log", "not listed\n")]:
        (found / name).write_text(text)
    (road.program_dir / "searchresults").mkdir(exist_ok=True)
    mvfind = road.start("mvfind", "-m", "*.txt", "-o",
                        str(road.program_dir / "searchresults" / "last search results.ser"),
                        str(found))
    road.wait_exit(mvfind, status=0)
    # Neither the splash nor the notice: straight to the tray.
    config = road.config_home / "Korvath"
    config.mkdir(parents=True, exist_ok=True)
    (config / "Morvel Vantor Finder.conf").write_text(
        "[General]\nFindMsg=1\nSplash=0\nVFLastX=200\nVFLastY=150\nVFLastCX=760\nVFLastCY=480\n")


def run(road):
    prepare(road)
    finder = road.start("MVFinder")
    icon = road.wait_tray_icon(finder, timeout=20)
    road.click_tray_icon(icon, button="right")
    road.choose_menu_item("&Last search results")
    window = road.wait_window("Morvel Vantor Finder 2.1", program=finder)
    with road.step("the window stands where the settings put it"):
        road.check((window.x, window.y, window.width, window.height) == (200, 150, 560, 330),
                   f"the window is {window.geometry}")
    road.screenshot("results window small toolbar", window=window)

    road.click(window, window.width - TB_FROM_RIGHT, CAPTION_MIDDLE)
    road.screenshot("results window medium toolbar", window=window)
    road.click(window, window.width - TB_FROM_RIGHT, CAPTION_MIDDLE)
    road.screenshot("results window small toolbar again", window=window)

    # The options menu's About box.
    road.click(window, window.width - OPTIONS_FROM_RIGHT, CAPTION_MIDDLE)
    road.wait_menu(finder)
    road.screenshot("options menu")
    road.choose_menu_item("&About")
    about = road.wait_window("About Morvel Vantor Finder 2.1", program=finder)
    road.screenshot("about box", window=about)
    road.press_keys("Return", window=about)
    road.wait_window_gone(about)

    road.click_tray_icon(icon, button="right")
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(finder, status=0)
    settings = road.settings()
    with road.step("the small toolbar and the window's place were kept"):
        road.check(settings.get("Toolbars/VFTBMode") == "S",
                   f"VFTBMode is {settings.get('Toolbars/VFTBMode')!r}")
        road.check(settings.get("VFVisible") == "1", f"VFVisible is {settings.get('VFVisible')!r}")
        place = [settings.get(k) for k in ("VFLastX", "VFLastY", "VFLastCX", "VFLastCY")]
        road.check(place == ["200", "150", "760", "480"], f"the place is {place}")
