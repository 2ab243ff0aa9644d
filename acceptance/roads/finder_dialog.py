"""The search dialog on a real display: a mask, an expression and a folder typed in, Begin
Search, and the hits are mvfind's; then a background search; the pages and the character
map pictured."""

NEEDS = ["finder_dialog_demo", "mvfind"]
TIMEOUT = 120

FILES = {
    "a.txt": "the needle\n",
    "hay.txt": "only hay\n",
    "notes.log": "a needle, but not a text file\n",
    "sub/b.txt": "line one\r\nThe NEEDLE\r\n",
    "sub/deeper/c.txt": "needle at the end",
    "sub/Mixed Case.txt": "nEeDlE",
}


def make_tree(road):
    tree = road.home / "tree"
    for name, text in FILES.items():
        path = tree / name
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_text(text)
    return tree


def mvfind_hits(road, tree):
    mvfind = road.start("mvfind", "-s", "-m", "*.txt", "-f", "needle", str(tree))
    road.wait_exit(mvfind, status=0)
    return sorted(mvfind.stdout().splitlines())


def run(road):
    tree = make_tree(road)
    demo = road.start("finder_dialog_demo")
    dialog = road.wait_window("Morvel Vantor Finder 2.1", program=demo)
    road.screenshot("find what page", window=dialog)

    # The focus starts in the mask box; the expression box follows it.
    road.type_text("*.txt", window=dialog)
    road.press_keys("Tab", window=dialog)
    road.type_text("needle", window=dialog)
    road.press_keys("alt+l", window=dialog)  # "&Look Where"
    road.press_keys("alt+v", window=dialog)  # "Dri&ve/Directory list"
    road.type_text(str(tree), window=dialog)
    road.press_keys("alt+s", window=dialog)  # "&Search subdirectories"
    road.screenshot("look where page", window=dialog)  # also waits for the box's click
    road.press_keys("alt+h", window=dialog)
    road.screenshot("how to search page", window=dialog)
    road.press_keys("alt+r", window=dialog)
    road.screenshot("results handling page", window=dialog)
    road.press_keys("Return", window=dialog)  # "Begin Search", the default button

    road.wait_file("search-1.outcome", contains="background 0")
    expected = mvfind_hits(road, tree)
    with road.step("the dialog's search found mvfind's hits"):
        found = road.wait_file("search-1.txt").splitlines()
        road.check(sorted(found) == expected, f"found {found}, mvfind {expected}")
        road.check(len(found) == 4, f"{len(found)} hits")

    # The same search in the background thread, from the dialog as it was left.
    dialog = road.wait_window("Morvel Vantor Finder 2.1", program=demo)
    road.press_keys("alt+h", window=dialog)
    road.press_keys("alt+g", window=dialog)  # "Search in back&ground thread"
    # A mnemonic clicks its box a moment later (the click is animated): the picture
    # settles once it has.
    road.screenshot("background search chosen", window=dialog)
    road.press_keys("Return", window=dialog)
    road.wait_file("search-2.outcome", contains="background 1\nhint 4 hits found! Click to process....")
    with road.step("the background search found the same hits"):
        road.check(sorted(road.wait_file("search-2.txt").splitlines()) == expected, "they differ")

    # The character map from the first page.
    dialog = road.wait_window("Morvel Vantor Finder 2.1", program=demo)
    road.press_keys("alt+w", window=dialog)
    road.press_keys("alt+d", window=dialog)  # "&Date Filters"
    road.screenshot("date filters", window=dialog)
    road.press_keys("alt+i", window=dialog)  # "&Insert special character"
    charmap = road.wait_window("Special Characters", program=demo)
    road.screenshot("character map", window=charmap)
    road.press_keys("Escape", window=charmap)
    road.wait_window_gone(charmap)

    road.press_keys("alt+c", window=dialog)  # "&Close"
    road.wait_exit(demo, status=0)
