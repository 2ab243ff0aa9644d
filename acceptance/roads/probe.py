"""The harness proves itself on its own tray probe: tray menu, window, typing, exit."""

NEEDS = ["tray_probe"]
TIMEOUT = 60

# A comma, quotes and a semicolon make the settings file quote and escape the value; the
# last characters are beyond the display's keyboard and beyond Latin-1.
TYPED = 'Probe says: hello, "tray"; 42 – café €'


def run(road):
    probe = road.start("tray_probe")
    icon = road.wait_tray_icon(probe)

    road.click_tray_icon(icon, button="right")
    road.wait_menu(probe)
    road.screenshot("tray menu open")
    road.choose_menu_item("&Write file")
    road.wait_file("written.txt", text="written from the tray menu\n")

    road.click_tray_icon(icon, button="left")
    window = road.wait_window("Probe Window", program=probe)
    with road.step("the window has the probe's fixed size"):
        road.check((window.width, window.height) == (320, 90), f"the window is {window.geometry}")
    road.click(window, 160, 25)  # the line edit
    road.type_text(TYPED, window=window)
    road.click(window, 160, 65)  # the button
    road.wait_file("typed.txt", text=TYPED)
    settings = road.settings(application="Tray Probe")
    with road.step("the settings file holds the typed text"):
        road.check(settings.get("LastText") == TYPED, f"LastText is {settings.get('LastText')!r}")
        road.check(settings.get("Window/Saves") == "1", f"Window/Saves is {settings.get('Window/Saves')!r}")
    road.screenshot("window with typed text")
    road.screenshot("probe window alone", window=window)

    # Once more by keyboard: the caret to the end, one more character, the button's Alt key.
    before = road.file_state("typed.txt")
    road.click(window, 160, 25)
    road.press_keys("End", window=window)
    road.type_text("!", window=window)
    road.press_keys("alt+s", window=window)
    road.wait_file_changed("typed.txt", since=before)
    road.wait_file("typed.txt", text=TYPED + "!")

    # The menu has two rows and no separator: "E&xit" is the second.
    road.click_tray_icon(icon, button="right")
    road.choose_menu_item(row=1, rows=2)
    road.wait_exit(probe, status=0)
    road.wait_window_gone(window)
