"""The INI reader against a file Qt 6.4's QSettings wrote (tests/data/qsettings-6.4.conf,
written by setting each value below through QSettings in IniFormat)."""

import pathlib
import unittest

from harness import ini

DATA = pathlib.Path(__file__).parent / "data"


class QtWrittenFile(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.settings = ini.read(DATA / "qsettings-6.4.conf")

    def test_texts_come_back_as_qt_stored_them(self):
        expected = {
            "Plain": "hello world",
            "Comma": "a, b",
            "Quote": 'say "hi"',
            "Semi": "x;y=z",
            "Back": "C:\\dir\\file",
            "Lead": "  padded  ",
            "Newline": "one\ntwo\tthree\r",
            "Unicode": "caf\u00e9 \u20ac \U0001F600",
            "Empty": "",
            "At": "@start",
            "Ctrl": "a\x01b",
            "Hash": "#notcomment",
        }
        for key, value in expected.items():
            with self.subTest(key=key):
                self.assertEqual(self.settings[key], value)

    def test_numbers_and_booleans_are_their_texts(self):
        self.assertEqual(self.settings["Int"], "42")
        self.assertEqual(self.settings["Bool"], "true")

    def test_an_unquoted_comma_list_is_a_list(self):
        self.assertEqual(self.settings["List"], ["x", "y z"])

    def test_keys_are_unescaped_and_grouped(self):
        self.assertEqual(self.settings["Key With Space"], "v")
        self.assertEqual(self.settings["General"], "g")  # a key of [General], not a group
        self.assertEqual(self.settings["Group/Key"], "k")
        self.assertEqual(self.settings["Group/Sub/Deep"], "d")
        self.assertEqual(self.settings.group("Group"), {"Key": "k"})

    def test_a_numbered_list_stops_at_its_first_gap(self):
        # VFindList holds "2" and "10" but no "0": the list is empty.
        self.assertEqual(self.settings.numbered("VFindList"), [])
        self.assertEqual(self.settings.numbered("Toolbars"), ["zero"])


class NumberedLists(unittest.TestCase):
    def test_numeric_order_not_text_order(self):
        lines = ["[VDirectoryList]"] + [f"{n}=folder {n}" for n in sorted(range(12), key=str)]
        settings = ini.parse("\n".join(lines))
        self.assertEqual(settings.numbered("VDirectoryList"), [f"folder {n}" for n in range(12)])


class Malformed(unittest.TestCase):
    def test_unterminated_quote(self):
        with self.assertRaises(ini.IniError):
            ini.parse('[General]\nKey="open')

    def test_line_without_key(self):
        with self.assertRaises(ini.IniError):
            ini.parse("[General]\njust words")

    def test_group_named_general(self):
        settings = ini.parse("[%General]\nKey=1\n[General]\nKey=2")
        self.assertEqual(settings["General/Key"], "1")
        self.assertEqual(settings["Key"], "2")


if __name__ == "__main__":
    unittest.main()
