"""Finding windows: by title, by program, as they appear and disappear."""

import re

from .steps import DEFAULT_TIMEOUT


class Window:
    """A viewable window as found: X id, title, owning pid and client area on the screen."""

    def __init__(self, window_id, title, pid, geometry):
        self.id, self.title, self.pid, self.geometry = window_id, title, pid, geometry

    x = property(lambda self: self.geometry.x)
    y = property(lambda self: self.geometry.y)
    width = property(lambda self: self.geometry.width)
    height = property(lambda self: self.geometry.height)
    center = property(lambda self: self.geometry.center)

    @property
    def name(self):
        """How steps name the window: its title, else its id."""
        return self.title or f"0x{self.id:x}"

    def __repr__(self):
        return f"window 0x{self.id:x} {self.title!r} {self.geometry}"


def describe_title(title):
    return f"/{title.pattern}/" if isinstance(title, re.Pattern) else f'"{title}"'


def title_matches(wanted, title):
    if title is None:
        return False
    if isinstance(wanted, re.Pattern):
        return wanted.search(title) is not None
    return title == wanted


class WindowSteps:
    def viewable_windows(self):
        """Every viewable window id, parents before children, bottom to top. A window
        that is not viewable hides its whole subtree, which is therefore skipped."""
        pending = list(reversed(self.x.children(self.x.root)))
        while pending:
            window_id = pending.pop()
            if self.x.is_viewable(window_id):
                yield window_id
                pending.extend(reversed(self.x.children(window_id)))

    def windows(self, title=None, program=None):
        """The viewable windows now (bottom to top), optionally only those titled `title`
        (a str: exactly; a compiled regex: searched) or belonging to `program`."""
        found = []
        for window_id in self.viewable_windows():
            window_title = self.x.title(window_id)
            if title is not None and not title_matches(title, window_title):
                continue
            pid = self.x.pid(window_id)
            if program is not None and pid != program.pid:
                continue
            geometry = self.x.geometry(window_id)
            if geometry is not None:
                found.append(Window(window_id, window_title, pid, geometry))
        return found

    def titled_windows_text(self):
        titles = [f"{w.title!r} {w.geometry}" for w in self.windows() if w.title]
        return "viewable windows with titles: " + (", ".join(titles) if titles else "none")

    def wait_window(self, title, program=None, timeout=DEFAULT_TIMEOUT):
        """Waits for a viewable window titled `title` (str: exactly; re.compile(...):
        searched), of `program` if given, and returns the topmost such Window."""
        with self.step(f"wait for window {describe_title(title)}"):
            found = self.wait_until(
                lambda: self.windows(title, program),
                timeout,
                lambda: f"no viewable window {describe_title(title)}; {self.titled_windows_text()}",
                [program] if program else [],
            )
            return found[-1]

    def wait_window_gone(self, window, timeout=DEFAULT_TIMEOUT):
        """Waits until a Window (or every window with that title) is destroyed or hidden."""
        if isinstance(window, Window):
            described = repr(window)
            shown = lambda: self.x.is_viewable(window.id)  # noqa: E731
        else:
            described = f"window {describe_title(window)}"
            shown = lambda: self.windows(window)  # noqa: E731
        with self.step(f"wait for {described} to disappear"):
            self.wait_until(lambda: not shown(), timeout, f"{described} is still shown")

    def geometry(self, window):
        """The window's client area on the screen now (it may have moved), or None."""
        return self.x.geometry(window.id)

    def activate(self, window):
        """Raises and focuses a window through the window manager, and waits until it is
        the active window and has the keyboard focus (keys typed next reach it)."""
        with self.step(f"activate {window.name}"):
            self.xdotool("windowactivate", "--sync", str(window.id))
            self.wait_until(
                lambda: self._holds_activation(window.id),
                DEFAULT_TIMEOUT,
                lambda: f"{window!r} did not get the focus (it is at 0x{self.x.input_focus() or 0:x})",
            )

    def _holds_activation(self, window_id):
        if self.x.window_property(self.x.root, "_NET_ACTIVE_WINDOW") != window_id:
            return False
        focus = self.x.input_focus()
        return focus is not None and (focus == window_id or window_id in self.ancestors(focus))

    def ancestors(self, window_id):
        found, parent = [], self.x.parent(window_id)
        while parent:
            found.append(parent)
            parent = self.x.parent(parent)
        return found
