"""Reads the INI files Qt's QSettings writes, the way Qt reads them back.

Keys come back as "Group/Key" ("[General]" holds the keys without a group); a value is a
str, or a list of str where Qt wrote an unquoted comma list. Special values Qt marks with a
leading "@" ("@Variant(...)", "@ByteArray(...)") are returned as written.
"""

import re

_SIMPLE_ESCAPES = {
    "a": "\a", "b": "\b", "f": "\f", "n": "\n", "r": "\r", "t": "\t", "v": "\v",
    '"': '"', "'": "'", "?": "?", "\\": "\\", ";": ";", ",": ",",
}
_HEX = "0123456789abcdefABCDEF"


class IniError(Exception):
    pass


def unescape_key(text):
    """Qt writes "/" inside a section as "\\" and other characters as %XX or %UXXXX."""
    result, i = [], 0
    while i < len(text):
        ch = text[i]
        if ch == "\\":
            result.append("/")
            i += 1
        elif ch == "%" and text[i + 1 : i + 2] == "U" and _is_hex(text[i + 2 : i + 6], 4):
            result.append(chr(int(text[i + 2 : i + 6], 16)))
            i += 6
        elif ch == "%" and _is_hex(text[i + 1 : i + 3], 2):
            result.append(chr(int(text[i + 1 : i + 3], 16)))
            i += 3
        else:
            result.append(ch)
            i += 1
    return "".join(result)


def _is_hex(text, length):
    return len(text) == length and all(c in _HEX for c in text)


def unescape_value(text):
    """One value: a str, or a list of str when it was an unquoted comma list."""
    items, current, i, quoted, was_quoted = [], [], 0, False, False
    while i < len(text):
        ch = text[i]
        if ch == "\\" and i + 1 < len(text):
            code = text[i + 1]
            if code in _SIMPLE_ESCAPES:
                current.append(_SIMPLE_ESCAPES[code])
                i += 2
            elif code == "x":  # hex digits, as many as follow
                j = i + 2
                while j < len(text) and text[j] in _HEX:
                    j += 1
                current.append(chr(int(text[i + 2 : j] or "0", 16)))
                i = j
            elif code in "01234567":
                j = i + 1
                while j < len(text) and text[j] in "01234567":
                    j += 1
                current.append(chr(int(text[i + 1 : j], 8)))
                i = j
            else:  # an unknown escape stands for the character itself
                current.append(code)
                i += 2
        elif ch == '"':
            quoted = not quoted
            was_quoted = True
            i += 1
        elif ch == "," and not quoted:
            items.append(_finish_item(current, was_quoted))
            current, was_quoted = [], False
            i += 1
            while i < len(text) and text[i] == " ":
                i += 1
        else:
            current.append(ch)
            i += 1
    if quoted:
        raise IniError(f"unterminated quote in value {text!r}")
    items.append(_finish_item(current, was_quoted))
    if len(items) > 1:
        return items
    return _variant_text(items[0])


def _finish_item(characters, was_quoted):
    text = "".join(characters)
    return text if was_quoted else text.rstrip(" ")


def _variant_text(text):
    # A string that begins with "@" is written with the "@" doubled.
    return text[1:] if text.startswith("@@") else text


class Settings(dict):
    """Keys "Group/Key" (keys of [General] without a group) to values."""

    def group(self, name):
        """The keys directly inside one group, without the group's prefix."""
        prefix = name.rstrip("/") + "/"
        return {
            key[len(prefix) :]: value
            for key, value in self.items()
            if key.startswith(prefix) and "/" not in key[len(prefix) :]
        }

    def numbered(self, name):
        """A list kept as values "0", "1", "2", ... of a group, read up to the first gap."""
        values, inside = [], self.group(name)
        while str(len(values)) in inside:
            values.append(inside[str(len(values))])
        return values


_SECTION = re.compile(r"^\[(.*)\]\s*$")


def parse(text):
    settings, section = Settings(), ""
    for number, raw in enumerate(text.splitlines(), 1):
        line = raw.strip()
        if not line or line[0] in ";#":
            continue
        match = _SECTION.match(line)
        if match:
            # [General] holds the keys without a group; a group really named "General"
            # is written as [%General].
            written = match.group(1)
            section = {"General": "", "%General": "General"}.get(written, unescape_key(written))
            continue
        if "=" not in line:
            raise IniError(f"line {number} is neither a section nor a key: {raw!r}")
        key, value = line.split("=", 1)
        key = unescape_key(key.strip())
        full_key = f"{section}/{key}" if section else key
        settings[full_key] = unescape_value(value.strip())
    return settings


def read(path):
    with open(path, encoding="utf-8", errors="replace") as handle:
        return parse(handle.read())
