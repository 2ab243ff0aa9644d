"""The pointer, the keyboard and pop-up menus, driven through xdotool (XTEST), so that the
programs receive the same events a person's hands would cause."""

import re
import subprocess

from .steps import DEFAULT_TIMEOUT, Failed
from .windows import Window

# xdotool's pause between two keys: long enough that no toolkit merges or drops keys
# under load, short enough that typing stays quick.
KEY_DELAY_MS = 20
BUTTONS = {"left": 1, "middle": 2, "right": 3}

# Override-redirect windows of these types are not menus.
_NOT_MENU_TYPES = {
    "_NET_WM_WINDOW_TYPE_TOOLTIP",
    "_NET_WM_WINDOW_TYPE_NOTIFICATION",
    "_NET_WM_WINDOW_TYPE_DND",
    "_NET_WM_WINDOW_TYPE_SPLASH",
    "_NET_WM_WINDOW_TYPE_COMBO",
}


def keysym(character):
    """The X key symbol that types `character`."""
    code = ord(character)
    if 0x20 <= code <= 0x7E or 0xA0 <= code <= 0xFF:
        return code  # Latin-1 symbols are their code points
    return 0x01000000 | code


def accelerator(label):
    """The key of a label's "&" accelerator: "&Write file" -> "w", "E&xit" -> "x"."""
    match = re.search(r"&([A-Za-z0-9])", label.replace("&&", ""))
    if not match:
        raise ValueError(f"the label {label!r} has no & accelerator letter; choose the item by row")
    return match.group(1).lower()


class InputSteps:
    def xdotool(self, *args):
        result = subprocess.run(
            ["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=DEFAULT_TIMEOUT + 5
        )
        if result.returncode != 0:
            raise Failed(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")

    def click(self, window, x=None, y=None, button="left"):
        """Clicks at (x, y) of the window's client area (its middle by default)."""
        where = "its middle" if x is None and y is None else f"({x}, {y})"
        with self.step(f"{button}-click {window.name} at {where}"):
            geometry = self.x.geometry(window.id)
            if geometry is None or not self.x.is_viewable(window.id):
                raise Failed(f"{window!r} is no longer shown")
            x = geometry.width // 2 if x is None else x
            y = geometry.height // 2 if y is None else y
            if not (0 <= x < geometry.width and 0 <= y < geometry.height):
                raise Failed(f"({x}, {y}) lies outside {window!r}")
            self.click_on_screen(window.id, geometry.x + x, geometry.y + y, button)

    def click_on_screen(self, window_id, x, y, button):
        """Clicks the screen point (x, y), which must show `window_id` (not one covering it)."""
        if button not in BUTTONS:
            raise ValueError(f"button must be one of {', '.join(BUTTONS)}")
        shown = self._window_at(x, y)
        if shown is not None and shown != window_id and window_id not in self.ancestors(shown):
            covering = next((w for w in [shown, *self.ancestors(shown)] if self.x.title(w)), shown)
            raise Failed(f"the point ({x}, {y}) shows {self.x.title(covering) or hex(covering)}")
        # One xdotool call: the server handles its motion before its click, in order.
        # (--sync would wait forever when the pointer is at the point already.)
        self.xdotool("mousemove", str(x), str(y), "click", str(BUTTONS[button]))

    def _window_at(self, x, y):
        """The deepest viewable window under a screen point."""
        found, window = None, self.x.root
        while True:
            child = None
            for candidate in reversed(self.x.children(window)):
                geometry = self.x.geometry(candidate)
                if geometry and geometry.contains(x, y) and self.x.is_viewable(candidate):
                    child = candidate
                    break
            if child is None:
                return found
            found = window = child

    def point_at(self, target):
        """Moves the pointer onto the middle of a Window or TrayIcon and leaves it there (a
        tooltip shows after a moment)."""
        with self.step(f"point at {getattr(target, 'name', target)!s}"):
            geometry = self.x.geometry(target.id)
            if geometry is None or not self.x.is_viewable(target.id):
                raise Failed(f"{target!r} is not shown")
            x, y = geometry.center
            # Entering, then moving inside: toolkits start their tooltip on a move.
            self.xdotool("mousemove", str(x - 1), str(y - 1))
            self.xdotool("mousemove", str(x), str(y))

    def type_text(self, text, window=None):
        """Types `text` where the keyboard focus is; with `window`, activates it first."""
        into = f" into {window.name}" if window else ""
        with self.step(f"type {text!r}{into}"):
            if window is not None:
                self.activate(window)
            self.x.add_keysyms(keysym(c) for c in text if c >= " " and c != "\x7f")
            self.xdotool("type", "--delay", str(KEY_DELAY_MS), "--", text)

    def press_keys(self, *keys, window=None):
        """Presses keys by xdotool name ("Return", "Escape", "ctrl+s", "alt+f", "Down"),
        one after the other; with `window`, activates it first."""
        into = f" in {window.name}" if window else ""
        with self.step(f"press {' '.join(keys)}{into}"):
            if window is not None:
                self.activate(window)
            self.xdotool("key", "--delay", str(KEY_DELAY_MS), *keys)

    # ---- pop-up menus -----------------------------------------------------------------

    def menus(self, program=None):
        """The open pop-up menus now, bottom to top (a sub-menu above its parent),
        optionally only `program`'s. A pop-up menu is a program's top-level window that
        bypasses the window manager (override-redirect) and is no tooltip: toolkits do
        not agree on marking menus by window type."""
        infrastructure = {self.session.tray_pid, self.session.window_manager_pid}
        found = []
        for window_id in self.x.children(self.x.root):
            if not self.x.is_viewable(window_id) or not self.x.is_override_redirect(window_id):
                continue
            pid = self.x.pid(window_id)
            if pid is None or pid in infrastructure or (program is not None and pid != program.pid):
                continue
            if set(self.x.window_types(window_id)) & _NOT_MENU_TYPES:
                continue
            geometry = self.x.geometry(window_id)
            if geometry is not None and geometry.width > 2 and geometry.height > 2:
                found.append(Window(window_id, self.x.title(window_id), pid, geometry))
        return found

    def wait_menu(self, program=None, timeout=DEFAULT_TIMEOUT):
        """Waits until a pop-up menu is open and returns the topmost one as a Window."""
        whose = f" of {program.name}" if program else ""
        with self.step(f"wait for a pop-up menu{whose}"):
            return self.wait_until(lambda: self.menus(program), timeout, f"no pop-up menu{whose} is open")[-1]

    def choose_menu_item(self, label=None, row=None, rows=None, timeout=DEFAULT_TIMEOUT):
        """Chooses an item of the topmost open pop-up menu: by `label`'s "&" accelerator
        ("&Write file" presses w), or by position: `row` (from 0) of `rows` equally high
        rows (a menu without separators). Waits until the menu has closed or a sub-menu
        has opened."""
        if label is not None:
            which, key = repr(label), accelerator(label)
        elif row is not None and rows and 0 <= row < rows:
            which, key = f"in row {row + 1} of {rows}", None
        else:
            raise ValueError("choose_menu_item needs a label with an & accelerator, or 0 <= row < rows")
        with self.step(f"choose menu item {which}"):
            menu = self.wait_until(self.menus, timeout, "no pop-up menu is open")[-1]
            before = {m.id for m in self.menus()}
            if key is not None:
                self.xdotool("key", "--delay", str(KEY_DELAY_MS), key)
            else:
                y = menu.y + (2 * row + 1) * menu.height // (2 * rows)
                self.click_on_screen(menu.id, menu.x + menu.width // 2, y, "left")

            def taken():
                now = {m.id for m in self.menus()}
                return menu.id not in now or bool(now - before)

            self.wait_until(taken, timeout, f"the menu at {menu.geometry} stayed open and no sub-menu opened")
