"""Read-only questions to an X server, through the system's libX11 (ctypes, no extra modules).

The harness asks the server directly because the answers it needs (who owns the tray
selection, which windows are viewable right now, where a window sits on the root) must be
exact and cheap enough to poll every few milliseconds. Input goes through xdotool and
screenshots through ImageMagick. This module changes only two things on the server: a
marker property of the harness's own (nudge), and spare key codes (add_keysyms).
"""

import ctypes
import ctypes.util
import hashlib

_lib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")

Window = ctypes.c_ulong
Atom = ctypes.c_ulong
_SUCCESS = 0
_IS_VIEWABLE = 2
_Z_PIXMAP = 2
_ANY_PROPERTY_TYPE = 0


class _XErrorEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("resourceid", ctypes.c_ulong),
        ("serial", ctypes.c_ulong),
        ("error_code", ctypes.c_ubyte),
        ("request_code", ctypes.c_ubyte),
        ("minor_code", ctypes.c_ubyte),
    ]


class _XWindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int),
        ("y", ctypes.c_int),
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("border_width", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p),
        ("root", Window),
        ("c_class", ctypes.c_int),
        ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int),
        ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong),
        ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int),
        ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int),
        ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int),
        ("screen", ctypes.c_void_p),
    ]


class _XImage(ctypes.Structure):
    # Only the leading fields are read; the image is freed with XDestroyImage's own steps.
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.POINTER(_XErrorEvent))
_IO_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p)
_IO_ERROR_EXIT_HANDLER = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.c_void_p)


def _declare(name, restype, *argtypes):
    function = getattr(_lib, name)
    function.restype = restype
    function.argtypes = list(argtypes)
    return function


_XOpenDisplay = _declare("XOpenDisplay", ctypes.c_void_p, ctypes.c_char_p)
_XCloseDisplay = _declare("XCloseDisplay", ctypes.c_int, ctypes.c_void_p)
_XSetAuthorization = _declare(
    "XSetAuthorization", None, ctypes.c_char_p, ctypes.c_int, ctypes.c_char_p, ctypes.c_int
)
_XDefaultRootWindow = _declare("XDefaultRootWindow", Window, ctypes.c_void_p)
_XInternAtom = _declare("XInternAtom", Atom, ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int)
_XGetAtomName = _declare("XGetAtomName", ctypes.c_void_p, ctypes.c_void_p, Atom)
_XGetSelectionOwner = _declare("XGetSelectionOwner", Window, ctypes.c_void_p, Atom)
_XQueryTree = _declare(
    "XQueryTree",
    ctypes.c_int,
    ctypes.c_void_p,
    Window,
    ctypes.POINTER(Window),
    ctypes.POINTER(Window),
    ctypes.POINTER(ctypes.POINTER(Window)),
    ctypes.POINTER(ctypes.c_uint),
)
_XGetWindowAttributes = _declare(
    "XGetWindowAttributes",
    ctypes.c_int,
    ctypes.c_void_p,
    Window,
    ctypes.POINTER(_XWindowAttributes),
)
_XTranslateCoordinates = _declare(
    "XTranslateCoordinates",
    ctypes.c_int,
    ctypes.c_void_p,
    Window,
    Window,
    ctypes.c_int,
    ctypes.c_int,
    ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(Window),
)
_XGetWindowProperty = _declare(
    "XGetWindowProperty",
    ctypes.c_int,
    ctypes.c_void_p,
    Window,
    Atom,
    ctypes.c_long,
    ctypes.c_long,
    ctypes.c_int,
    Atom,
    ctypes.POINTER(Atom),
    ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_void_p),
)
_XGetImage = _declare(
    "XGetImage",
    ctypes.POINTER(_XImage),
    ctypes.c_void_p,
    Window,
    ctypes.c_int,
    ctypes.c_int,
    ctypes.c_uint,
    ctypes.c_uint,
    ctypes.c_ulong,
    ctypes.c_int,
)
_XChangeProperty = _declare(
    "XChangeProperty",
    ctypes.c_int,
    ctypes.c_void_p,
    Window,
    Atom,
    Atom,
    ctypes.c_int,
    ctypes.c_int,
    ctypes.c_void_p,
    ctypes.c_int,
)
_XFlush = _declare("XFlush", ctypes.c_int, ctypes.c_void_p)
_XGetInputFocus = _declare(
    "XGetInputFocus", ctypes.c_int, ctypes.c_void_p, ctypes.POINTER(Window), ctypes.POINTER(ctypes.c_int)
)
_XDisplayKeycodes = _declare(
    "XDisplayKeycodes", ctypes.c_int, ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)
)
_XGetKeyboardMapping = _declare(
    "XGetKeyboardMapping",
    ctypes.POINTER(ctypes.c_ulong),
    ctypes.c_void_p,
    ctypes.c_ubyte,
    ctypes.c_int,
    ctypes.POINTER(ctypes.c_int),
)
_XChangeKeyboardMapping = _declare(
    "XChangeKeyboardMapping",
    ctypes.c_int,
    ctypes.c_void_p,
    ctypes.c_int,
    ctypes.c_int,
    ctypes.POINTER(ctypes.c_ulong),
    ctypes.c_int,
)
_XFree = _declare("XFree", ctypes.c_int, ctypes.c_void_p)
_XSync = _declare("XSync", ctypes.c_int, ctypes.c_void_p, ctypes.c_int)
_XSetErrorHandler = _declare("XSetErrorHandler", ctypes.c_void_p, _ERROR_HANDLER)
_XSetIOErrorHandler = _declare("XSetIOErrorHandler", ctypes.c_void_p, _IO_ERROR_HANDLER)
_XSetIOErrorExitHandler = _declare(
    "XSetIOErrorExitHandler", None, ctypes.c_void_p, _IO_ERROR_EXIT_HANDLER, ctypes.c_void_p
)


class XError(Exception):
    """The X server cannot be reached, or stopped answering."""


# Errors arrive through one process-wide callback; windows vanish between two questions
# all the time (a menu closes, a program exits), so a failed request is an answer
# ("gone"), never a reason to end the process as Xlib's default handler would.
_failed_requests = []
_lost_connections = set()


@_ERROR_HANDLER
def _note_error(_display, event):
    _failed_requests.append(event.contents.error_code)
    return 0


@_IO_ERROR_HANDLER
def _quiet_io_error(_display):
    return 0


@_IO_ERROR_EXIT_HANDLER
def _note_lost_connection(display, _data):
    _lost_connections.add(display)


_XSetErrorHandler(_note_error)
_XSetIOErrorHandler(_quiet_io_error)


class Geometry:
    """A window's client area on the root window: left, top, width, height."""

    def __init__(self, x, y, width, height):
        self.x, self.y, self.width, self.height = x, y, width, height

    @property
    def center(self):
        return (self.x + self.width // 2, self.y + self.height // 2)

    def contains(self, x, y):
        return self.x <= x < self.x + self.width and self.y <= y < self.y + self.height

    def __eq__(self, other):
        return isinstance(other, Geometry) and self.as_tuple() == other.as_tuple()

    def as_tuple(self):
        return (self.x, self.y, self.width, self.height)

    def __repr__(self):
        return f"{self.width}x{self.height}+{self.x}+{self.y}"


class Display:
    """One connection to the server; every question is answered from the server's state now."""

    def __init__(self, name, cookie):
        _XSetAuthorization(b"MIT-MAGIC-COOKIE-1", 18, cookie, len(cookie))
        self._handle = _XOpenDisplay(name.encode())
        if not self._handle:
            raise XError(f"cannot connect to the X display {name}")
        _XSetIOErrorExitHandler(self._handle, _note_lost_connection, None)
        self.name = name
        self.root = _XDefaultRootWindow(self._handle)
        self._atoms = {}

    def close(self):
        if self._handle:
            if self._handle not in _lost_connections:
                _XCloseDisplay(self._handle)
            self._handle = None

    def _check_connection(self):
        if self._handle is None or self._handle in _lost_connections:
            raise XError(f"the connection to the X display {self.name} was lost")

    def _call(self, function, *args):
        """Runs one request; returns (result, failed) where failed means an X error came back."""
        self._check_connection()
        del _failed_requests[:]
        result = function(self._handle, *args)
        self._check_connection()
        return result, bool(_failed_requests)

    def sync(self):
        self._call(_XSync, 0)

    def nudge(self, value):
        """Rewrites the marker property _MVF_ACCEPTANCE_NUDGE on the root window, which
        sends every client watching the root (the window manager) an event."""
        data = ctypes.c_ulong(value)
        self._call(
            _XChangeProperty,
            self.root,
            self.atom("_MVF_ACCEPTANCE_NUDGE"),
            self.atom("CARDINAL"),
            32,
            0,  # PropModeReplace
            ctypes.byref(data),
            1,
        )
        self._call(_XFlush)

    def _keyboard_mapping(self):
        """{key code: [key symbols]} of the whole keyboard."""
        low, high, per_code = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        self._call(_XDisplayKeycodes, ctypes.byref(low), ctypes.byref(high))
        count = high.value - low.value + 1
        symbols, _ = self._call(_XGetKeyboardMapping, low.value, count, ctypes.byref(per_code))
        if not symbols:
            raise XError("the keyboard mapping could not be read")
        try:
            width = per_code.value
            return {
                low.value + i: [symbols[i * width + j] for j in range(width)] for i in range(count)
            }
        finally:
            _XFree(symbols)

    def add_keysyms(self, keysyms):
        """Puts each key symbol that no key produces yet on a spare key code, for good.

        xdotool types a character missing from the keyboard by mapping it onto a key for
        that one press and mapping it away again at once; a toolkit that reads the
        keyboard mapping a moment late then sees nothing there and drops the character.
        A mapping that stays has no such moment."""
        mapping = self._keyboard_mapping()
        present = {symbol for symbols in mapping.values() for symbol in symbols}
        wanted = [symbol for symbol in dict.fromkeys(keysyms) if symbol not in present]
        spare = [code for code, symbols in sorted(mapping.items()) if not any(symbols)]
        if len(wanted) > len(spare):
            raise XError(f"{len(wanted)} characters to add to the keyboard, {len(spare)} spare keys")
        for symbol, code in zip(wanted, spare):
            pair = (ctypes.c_ulong * 2)(symbol, symbol)  # the same with and without Shift
            self._call(_XChangeKeyboardMapping, code, 2, pair, 1)
        if wanted:
            self.sync()

    def atom(self, name):
        if name not in self._atoms:
            self._atoms[name], _ = self._call(_XInternAtom, name.encode(), 0)
        return self._atoms[name]

    def atom_name(self, atom):
        pointer, failed = self._call(_XGetAtomName, atom)
        if failed or not pointer:
            return None
        try:
            return ctypes.string_at(pointer).decode("latin-1")
        finally:
            _XFree(pointer)

    def input_focus(self):
        """The window that has the keyboard focus now (None, or the root, for no window)."""
        focus, revert = Window(), ctypes.c_int()
        self._call(_XGetInputFocus, ctypes.byref(focus), ctypes.byref(revert))
        return focus.value if focus.value > 1 else None  # 0 is None, 1 is PointerRoot

    def selection_owner(self, selection):
        owner, _ = self._call(_XGetSelectionOwner, self.atom(selection))
        return owner or None

    def tree(self, window):
        """(parent, children bottom to top), or None when the window is gone."""
        root, parent = Window(), Window()
        children = ctypes.POINTER(Window)()
        count = ctypes.c_uint()
        status, failed = self._call(
            _XQueryTree,
            window,
            ctypes.byref(root),
            ctypes.byref(parent),
            ctypes.byref(children),
            ctypes.byref(count),
        )
        if failed or not status:
            return None
        try:
            return parent.value, [children[i] for i in range(count.value)]
        finally:
            if children:
                _XFree(children)

    def children(self, window):
        answer = self.tree(window)
        return answer[1] if answer else []

    def parent(self, window):
        answer = self.tree(window)
        return answer[0] if answer else None

    def descendants(self, window):
        """Every window below `window`, depth first, parents before their children."""
        pending = list(reversed(self.children(window)))
        while pending:
            current = pending.pop()
            yield current
            pending.extend(reversed(self.children(current)))

    def _attributes(self, window):
        attributes = _XWindowAttributes()
        status, failed = self._call(_XGetWindowAttributes, window, ctypes.byref(attributes))
        if failed or not status:
            return None
        return attributes

    def is_viewable(self, window):
        attributes = self._attributes(window)
        return attributes is not None and attributes.map_state == _IS_VIEWABLE

    def is_override_redirect(self, window):
        attributes = self._attributes(window)
        return attributes is not None and bool(attributes.override_redirect)

    def geometry(self, window):
        """The window's area in root coordinates, or None when it is gone."""
        attributes = self._attributes(window)
        if attributes is None:
            return None
        x, y, child = ctypes.c_int(), ctypes.c_int(), Window()
        status, failed = self._call(
            _XTranslateCoordinates,
            window,
            self.root,
            0,
            0,
            ctypes.byref(x),
            ctypes.byref(y),
            ctypes.byref(child),
        )
        if failed or not status:
            return None
        return Geometry(x.value, y.value, attributes.width, attributes.height)

    def property(self, window, name, type_name=None):
        """(type name, format, items) of a property, or None. Items: bytes for format 8, ints else."""
        requested = self.atom(type_name) if type_name else _ANY_PROPERTY_TYPE
        actual_type, actual_format = Atom(), ctypes.c_int()
        count, remaining = ctypes.c_ulong(), ctypes.c_ulong()
        data = ctypes.c_void_p()
        status, failed = self._call(
            _XGetWindowProperty,
            window,
            self.atom(name),
            0,
            1 << 20,
            0,
            requested,
            ctypes.byref(actual_type),
            ctypes.byref(actual_format),
            ctypes.byref(count),
            ctypes.byref(remaining),
            ctypes.byref(data),
        )
        if failed or status != _SUCCESS or not actual_type.value:
            if data.value:
                _XFree(data)
            return None
        try:
            if actual_format.value == 8:
                items = ctypes.string_at(data, count.value)
            elif actual_format.value == 16:
                items = list(ctypes.cast(data, ctypes.POINTER(ctypes.c_short))[: count.value])
            else:  # format 32 items are C longs in Xlib's answer
                items = list(ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[: count.value])
        finally:
            if data.value:
                _XFree(data)
        return self.atom_name(actual_type.value), actual_format.value, items

    def title(self, window):
        """The window's title (_NET_WM_NAME, else WM_NAME), or None."""
        answer = self.property(window, "_NET_WM_NAME", "UTF8_STRING")
        if answer and answer[1] == 8:
            return answer[2].decode("utf-8", "replace")
        answer = self.property(window, "WM_NAME")
        if answer and answer[1] == 8:
            return answer[2].decode("latin-1")
        return None

    def pid(self, window):
        answer = self.property(window, "_NET_WM_PID", "CARDINAL")
        return answer[2][0] if answer and answer[2] else None

    def window_types(self, window):
        answer = self.property(window, "_NET_WM_WINDOW_TYPE", "ATOM")
        if not answer:
            return []
        return [self.atom_name(atom) for atom in answer[2]]

    def window_property(self, window, name):
        """The first window id in a WINDOW property, or None."""
        answer = self.property(window, name, "WINDOW")
        return answer[2][0] if answer and answer[2] else None

    def has_property(self, window, name):
        return self.property(window, name) is not None

    def picture_digest(self, window):
        """A digest of the window's pixels now, or None when it is gone or not viewable."""
        attributes = self._attributes(window)
        if attributes is None or attributes.map_state != _IS_VIEWABLE:
            return None
        image, failed = self._call(
            _XGetImage, window, 0, 0, attributes.width, attributes.height, ~0 & 0xFFFFFFFF, _Z_PIXMAP
        )
        if failed or not image:
            return None
        try:
            picture = image.contents
            size = picture.bytes_per_line * picture.height
            return hashlib.blake2b(ctypes.string_at(picture.data, size), digest_size=16).digest()
        finally:
            _XFree(image.contents.data)
            _XFree(image)
