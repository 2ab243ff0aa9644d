"""The system tray: which icons are docked there, and clicking them."""

from .steps import DEFAULT_TIMEOUT, Failed
from .windows import Window


class TrayIcon(Window):
    """An icon window embedded in the tray."""

    def __repr__(self):
        return f"tray icon 0x{self.id:x} of pid {self.pid} at {self.geometry}"


class TraySteps:
    def tray_icons(self, program=None):
        """The icon windows docked in the tray now (left to right), optionally only
        `program`'s. A docked icon is a window embedded (XEmbed) inside the tray's window."""
        icons = []
        for window_id in self.viewable_windows():
            if not self.x.has_property(window_id, "_XEMBED_INFO") or not self._inside_tray(window_id):
                continue
            pid = self.x.pid(window_id)
            if program is not None and pid != program.pid:
                continue
            geometry = self.x.geometry(window_id)
            if geometry is not None and geometry.width > 0 and geometry.height > 0:
                icons.append(TrayIcon(window_id, self.x.title(window_id), pid, geometry))
        return sorted(icons, key=lambda icon: (icon.x, icon.y))

    def _require_tray(self):
        if not self.session.with_tray:
            raise Failed("this road's desktop has no system tray (TRAY = False)")

    def _inside_tray(self, window_id):
        return any(self.x.pid(parent) == self.session.tray_pid for parent in self.ancestors(window_id))

    def _tray_panel(self):
        for window_id in self.viewable_windows():
            if self.x.pid(window_id) != self.session.tray_pid:
                continue
            if "_NET_WM_WINDOW_TYPE_DOCK" in self.x.window_types(window_id):
                return window_id
        return None

    def _tray_settled(self):
        """The tray's icons as laid out for good, or None while the tray re-arranges.

        A new icon is shown at once and only then does the tray grow its panel and move
        its icons; a click meanwhile lands beside the icon. The layout is final when the
        panel has the size it asks for, sits at its screen corner, holds every icon
        whole, and two looks in a row agree."""
        panel = self._tray_panel()
        if panel is None:
            return None
        area, screen = self.x.geometry(panel), self.x.geometry(self.x.root)
        hints = self.x.property(panel, "WM_NORMAL_HINTS")  # [5], [6]: minimum size
        if area is None or screen is None or not hints or len(hints[2]) < 7:
            return None
        if (hints[2][5], hints[2][6]) != (area.width, area.height):
            return None
        if (area.x + area.width, area.y) != (screen.width, 0):
            return None
        icons = self.tray_icons()
        for icon in icons:
            g = icon.geometry
            inside_x = area.x <= g.x and g.x + g.width <= area.x + area.width
            inside_y = area.y <= g.y and g.y + g.height <= area.y + area.height
            if not (inside_x and inside_y):
                return None
        layout = [(icon.id, icon.geometry.as_tuple()) for icon in icons]
        previous, self._last_tray_layout = self._last_tray_layout, layout
        return icons if layout == previous else None

    def _icons_text(self):
        return f"icons there: {self.tray_icons() or 'none'}"

    def wait_tray_icon(self, program=None, timeout=DEFAULT_TIMEOUT):
        """Waits until `program`'s icon is docked in the tray and the tray has laid it out
        for good, and returns it as a TrayIcon."""
        whose = f" of {program.name}" if program else ""
        with self.step(f"wait for the tray icon{whose}"):
            self._require_tray()

            def docked():
                mine = [i for i in self._tray_settled() or [] if program is None or i.pid == program.pid]
                return mine[0] if mine else None

            return self.wait_until(
                docked,
                timeout,
                lambda: f"no icon{whose} docked in the tray; {self._icons_text()}",
                [program] if program else [],
            )

    def click_tray_icon(self, icon, button="left"):
        """Clicks the middle of a tray icon, once the tray's layout is final."""
        with self.step(f"{button}-click the tray icon 0x{icon.id:x}"):
            self._require_tray()
            self.wait_until(
                lambda: self._tray_settled() is not None,
                DEFAULT_TIMEOUT,
                lambda: f"the tray keeps re-arranging; {self._icons_text()}",
            )
            geometry = self.x.geometry(icon.id)
            if geometry is None or not self.x.is_viewable(icon.id):
                raise Failed(f"{icon!r} is no longer in the tray; {self._icons_text()}")
            self.click_on_screen(icon.id, *geometry.center, button)
