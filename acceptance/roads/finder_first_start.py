"""The finder's first start: splash, notice (ticked), tray icon; "Exit and Unload" ends it
and writes the settings, and the notice stays away at the next start."""

NEEDS = ["MVFinder"]
TIMEOUT = 90


def run(road):
    finder = road.start("MVFinder")
    splash = road.wait_window("Morvel Vantor Finder", program=finder, timeout=15)
    with road.step("the splash is 510 x 263 and centred on the 1280 x 800 screen"):
        road.check((splash.width, splash.height) == (510, 263), f"the splash is {splash.geometry}")
        road.check((splash.x, splash.y) == ((1280 - 510) // 2, (800 - 263) // 2),
                   f"the splash is at {splash.x}, {splash.y}")
    road.screenshot("splash")
    notice = road.wait_window("Notice!", program=finder, timeout=15)
    road.wait_window_gone(splash, timeout=5)
    road.screenshot("notice", window=notice)
    road.press_keys("space", window=notice)  # the check box has the focus first
    road.screenshot("notice ticked", window=notice)
    road.press_keys("Return", window=notice)
    road.wait_window_gone(notice)

    icon = road.wait_tray_icon(finder)
    road.screenshot("tray icon docked")
    road.click_tray_icon(icon, button="right")
    road.wait_menu(finder)
    road.screenshot("tray menu at rest")
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(finder, status=0)

    settings = road.settings()
    with road.step("the settings were written at exit"):
        road.check(settings.get("FindMsg") == "1", f"FindMsg is {settings.get('FindMsg')!r}")
        road.check(settings.get("VFOpen") == "No", f"VFOpen is {settings.get('VFOpen')!r}")
        road.check(settings.get("Splash") == "1", f"Splash is {settings.get('Splash')!r}")
        road.check(settings.get("Toolbars/VFTBMode") == "S",
                   f"Toolbars/VFTBMode is {settings.get('Toolbars/VFTBMode')!r}")

    # The notice was ticked away: the next start goes from the splash to the tray.
    again = road.start("MVFinder")
    icon = road.wait_tray_icon(again, timeout=20)
    with road.step("no notice at the second start"):
        road.check(not road.windows("Notice!", program=again), "the notice came up again")
    road.click_tray_icon(icon, button="right")
    road.choose_menu_item("&Exit and Unload")
    road.wait_exit(again, status=0)
