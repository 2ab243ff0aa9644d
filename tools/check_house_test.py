#!/usr/bin/env python3
"""The house check on small made-up houses: it passes a sound one and names each fault."""

import json
import os
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_house  # noqa: E402

TABLE = """# Architecture

## Layers

| folder | target | namespace | links (direct) | what |
|---|---|---|---|---|
| `core/` | `core` | `mvf::core` | — | the plain core |
| `ui/` | `ui`, program `app` | `mvf::ui` | `core`, Qt Widgets | widgets and the program |
| `ui/model/` | `ui_model` (shared) | `mvf::model` | `core` | a plain layer inside a Qt folder |
| `cli/one/`, `cli/two/` | programs `one`, `two` | `mvf::cli` | `core`; `ui_model`, `core` | two tools |
| `tools/` | — | — | — | scripts |

## Conventions
"""


class House:
    """A source folder with the table, the targets CMake would write and a compile database."""

    def __init__(self, root):
        self.root = root
        self.build = os.path.join(root, "build")
        self.targets = {}
        self.units = []
        self.write("docs/ARCHITECTURE.md", TABLE)

    def write(self, path, text):
        full = os.path.join(self.root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text)

    def target(self, name, folder, links=(), interface_links=(), kind="STATIC_LIBRARY",
               sources=(), include_dirs=()):
        self.targets[name] = {"type": kind, "folder": folder, "links": list(links),
                              "interface_links": list(interface_links)}
        for source in sources:
            flags = " ".join(f"-I{os.path.join(self.root, d)}" for d in include_dirs)
            self.units.append({
                "directory": self.build,
                "command": f"/usr/bin/c++ {flags} -o {folder}/CMakeFiles/{name}.dir/x.o "
                           f"-c {os.path.join(self.root, folder, source)}",
                "file": os.path.join(self.root, folder, source),
            })

    def check(self):
        os.makedirs(self.build, exist_ok=True)
        targets = os.path.join(self.build, "house_targets.json")
        commands = os.path.join(self.build, "compile_commands.json")
        with open(targets, "w", encoding="utf-8") as f:
            json.dump(self.targets, f)
        with open(commands, "w", encoding="utf-8") as f:
            json.dump(self.units, f)
        _, faults = check_house.check(self.root, targets, commands)
        return faults


def sound_house(root):
    h = House(root)
    h.write("core/include/core/api.h", "#pragma once\n#include <string>\n")
    h.write("core/src/detail.h", "#pragma once\n")
    h.write("core/src/api.cpp", '#include "core/api.h"\n#include "detail.h"\n')
    h.write("core/tests/helper.h", '#pragma once\n#include "detail.h"\n')
    h.write("core/tests/api_test.cpp", '#include "core/api.h"\n#include "helper.h"\n')
    h.write("ui/include/ui/window.h",
            '#pragma once\n#include "core/api.h"\n#include <QWidget>\n')
    h.write("ui/src/window.cpp", '#include "ui/window.h"\n')
    h.write("ui/src/main.cpp", '#include "ui/window.h"\n#include "core/api.h"\n')
    h.write("ui/demo/demo.cpp", '#include "ui/window.h"\n#include "ui/model/rows.h"\n')
    h.write("ui/model/include/ui/model/rows.h", '#pragma once\n#include "core/api.h"\n')
    h.write("ui/model/src/rows.cpp", '#include "ui/model/rows.h"\n')
    h.write("ui/model/tests/rows_test.cpp", '#include "ui/model/rows.h"\n')
    h.write("cli/one/src/main.cpp", '#include "core/api.h"\n')
    h.write("cli/two/src/main.cpp", '#include "ui/model/rows.h"\n#include "core/api.h"\n')
    h.write("tools/probe.cpp", '#include "../core/src/detail.h"\n')
    h.target("core", "core", sources=["src/api.cpp"], include_dirs=["core/include", "core/src"])
    h.target("core_tests", "core/tests", links=["core"], kind="EXECUTABLE",
             sources=["api_test.cpp"], include_dirs=["core/include", "core/src"])
    h.target("ui", "ui", links=["core", "Qt6::Widgets"], interface_links=["core", "Qt6::Widgets"],
             sources=["src/window.cpp"], include_dirs=["ui/include", "core/include"])
    # The program links only the library, which hands the core on: the row's links count.
    h.target("app", "ui", links=["ui"], kind="EXECUTABLE", sources=["src/main.cpp"],
             include_dirs=["ui/include", "core/include"])
    # A demo reaches a layer beside its own, through any link.
    h.target("ui_demo", "ui/demo", links=["ui", "ui_model"], kind="EXECUTABLE",
             sources=["demo.cpp"], include_dirs=["ui/include", "ui/model/include",
                                                 "core/include"])
    h.target("ui_model", "ui/model", links=["core"], interface_links=["core"],
             kind="SHARED_LIBRARY", sources=["src/rows.cpp"],
             include_dirs=["ui/model/include", "core/include"])
    h.target("ui_model_tests", "ui/model/tests", links=["ui_model"], kind="EXECUTABLE",
             sources=["rows_test.cpp"], include_dirs=["ui/model/include", "core/include"])
    h.target("one", "cli/one", links=["core"], kind="EXECUTABLE", sources=["src/main.cpp"],
             include_dirs=["core/include"])
    h.target("two", "cli/two", links=["ui_model", "core"], kind="EXECUTABLE",
             sources=["src/main.cpp"], include_dirs=["ui/model/include", "core/include"])
    h.target("probe", "tools", kind="EXECUTABLE", sources=["probe.cpp"])
    h.target("stamp", "", kind="UTILITY")
    return h


class HouseCheckTest(unittest.TestCase):
    def setUp(self):
        self._dir = tempfile.TemporaryDirectory()
        self.house = sound_house(self._dir.name)

    def tearDown(self):
        self._dir.cleanup()

    def assertOneFault(self, *words):
        faults = self.house.check()
        self.assertEqual(len(faults), 1, faults)
        for word in words:
            self.assertIn(word, faults[0])

    def test_a_sound_house_passes(self):
        self.assertEqual(self.house.check(), [])

    def test_a_link_missing_from_the_table_or_only_in_it_is_named(self):
        self.house.targets["core"]["links"] = ["ui_model"]
        faults = self.house.check()
        self.assertIn("core links ui_model, which its row (docs/ARCHITECTURE.md:7) does not "
                      "list", faults)
        self.house.targets["core"]["links"] = []
        self.house.targets["ui"]["links"] = ["Qt6::Widgets"]
        self.house.targets["ui"]["interface_links"] = []
        self.house.targets["app"]["links"] = ["ui"]
        faults = "\n".join(self.house.check())
        self.assertIn("the table says ui/ links core; the build does not", faults)

    def test_each_folder_of_a_shared_row_has_its_own_links(self):
        self.house.targets["one"]["links"] = ["core", "ui_model"]
        self.house.write("cli/one/src/main.cpp", '#include "core/api.h"\n')
        self.assertOneFault("one links ui_model, which its row", "does not list")
        self.house.targets["one"]["links"] = ["core"]
        self.house.targets["two"]["links"] = ["ui_model"]
        self.house.write("cli/two/src/main.cpp", '#include "ui/model/rows.h"\n')
        self.assertOneFault("the table says cli/two/ links core; the build does not")

    def test_a_target_without_a_row_or_a_row_without_its_target_fails(self):
        self.house.target("settings", "settings")
        self.assertOneFault("settings (settings/) is in no row")
        del self.house.targets["settings"]
        del self.house.targets["app"]
        self.assertOneFault("`app` (ui/) is not a target of the build")
        self.house.target("app", "cli/one", links=["ui"], kind="EXECUTABLE")
        faults = "\n".join(self.house.check())
        self.assertIn("`app` is made in cli/one/, the table puts it in ui/", faults)

    def test_a_helper_of_a_layer_links_no_more_than_its_layer(self):
        self.house.target("core_objects", "core", links=["ui"], kind="OBJECT_LIBRARY")
        self.assertOneFault("core_objects, a part of core/, links ui")
        self.house.targets["core_objects"]["links"] = ["Qt6::Gui"]
        self.assertOneFault("core_objects, a part of core/, links Qt Gui")

    def test_tests_and_demos_never_link_a_layer_above_their_own(self):
        self.house.targets["core_tests"]["links"] = ["core", "ui_model"]
        self.assertOneFault("core_tests (core/tests/) links ui_model, a layer above its own")
        self.house.targets["core_tests"]["links"] = ["core"]
        self.house.target("model_demo", "ui/model/demo", links=["ui", "two"], kind="EXECUTABLE")
        self.assertOneFault("model_demo (ui/model/demo/) links two, a layer above its own")

    def test_the_table_itself_is_checked(self):
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace(
            "| `core/` | `core` | `mvf::core` | — |", "| `core/` | `core` | `mvf::core` | `ui` |"))
        self.house.targets["core"]["links"] = ["ui"]
        faults = "\n".join(self.house.check())
        self.assertIn("cycle: core -> ui -> core", faults)
        self.house.targets["core"]["links"] = []
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace("| — | the plain core |", "| — |"))
        faults = "\n".join(self.house.check())
        self.assertIn("ARCHITECTURE.md:7: 4 cells where the header has 5", faults)
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace(
            "| `core`; `ui_model`, `core` |", "| `core`; `ui_models` |"))
        faults = "\n".join(self.house.check())
        self.assertIn("cli/two/ links `ui_models`, which is no row's target", faults)
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace("programs `one`, `two`",
                                                               "program `one`"))
        faults = "\n".join(self.house.check())
        self.assertIn("a row of 2 folders names one target per folder", faults)

    def test_an_include_that_points_up_fails(self):
        # Not on the core's include path (the compiler fails too), yet named by the check.
        self.house.write("core/src/api.cpp", '#include "ui/model/rows.h"\n')
        self.assertOneFault("core/src/api.cpp:1", "core does not link ui_model")
        self.house.write("core/src/api.cpp",
                         '#include "../../ui/model/include/ui/model/rows.h"\n')
        self.assertOneFault("core/src/api.cpp:1", "core does not link ui_model")

    def test_includes_reach_only_public_headers_of_directly_linked_layers(self):
        self.house.write("ui/src/window.cpp", '#include "../../core/src/detail.h"\n')
        self.assertOneFault("ui/src/window.cpp:1", "a private header of core/")
        self.house.write("ui/src/window.cpp", '#include "ui/window.h"\n')
        # two links ui_model, which hands the core on; two's row links the core itself.
        self.house.targets["two"]["links"] = ["ui_model"]
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace(
            "| `core`; `ui_model`, `core` |", "| `core`; `ui_model` |"))
        self.assertOneFault("cli/two/src/main.cpp:2", "two does not link core (core/) directly")

    def test_tests_reach_their_layer_and_sources_never_reach_tests(self):
        self.house.write("core/src/api.cpp", '#include "../tests/helper.h"\n')
        self.assertOneFault("core/src/api.cpp:1", "a test file")

    def test_a_public_header_reaches_only_what_its_target_hands_on(self):
        self.house.targets["ui_model"]["interface_links"] = ["$<LINK_ONLY:core>"]
        self.assertOneFault("ui/model/include/ui/model/rows.h:2", "links only privately")
        self.house.targets["ui_model"]["interface_links"] = ["core"]
        self.house.write("core/include/core/api.h", '#pragma once\n#include "detail.h"\n')
        faults = "\n".join(self.house.check())
        self.assertIn("a public header includes a private one", faults)

    def test_only_rows_that_name_qt_use_it(self):
        self.house.write("ui/model/src/rows.cpp",
                         '#include "ui/model/rows.h"\n#include <QtCore/QString>\n')
        self.assertOneFault("ui/model/src/rows.cpp:2", "QtCore/QString", "names no Qt")
        self.house.write("ui/model/src/rows.cpp", '#include "ui/model/rows.h"\n')
        self.house.write("core/tests/helper.h", "#pragma once\n#include <qglobal.h>\n")
        self.assertOneFault("core/tests/helper.h:2", "qglobal.h")
        self.house.write("core/tests/helper.h", "#pragma once\n")
        self.house.targets["core_tests"]["links"].append("Qt6::Test")
        self.assertOneFault("core_tests links Qt6::Test", "core/ is a layer without Qt")
        self.house.targets["core_tests"]["links"].remove("Qt6::Test")
        self.house.targets["app"]["links"].append("Qt6::PrintSupport")
        self.assertOneFault("ui, app link Qt PrintSupport/Widgets", "says Qt Widgets")

    def test_tests_of_a_layer_above_a_qt_layer_may_use_qt(self):
        self.house.target("shell", "shell", links=["ui"], sources=["src/shell.cpp"],
                          include_dirs=["shell/include", "ui/include", "core/include"])
        self.house.target("shell_tests", "shell/tests", links=["shell", "Qt6::Widgets"],
                          kind="EXECUTABLE", sources=["shell_test.cpp"],
                          include_dirs=["shell/include", "ui/include", "core/include"])
        self.house.write("shell/src/shell.cpp", '#include "ui/window.h"\n')
        self.house.write("shell/tests/shell_test.cpp", "#include <QApplication>\n")
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace(
            "| `tools/` |",
            "| `shell/` | `shell` | `mvf::shell` | `ui` | the shell |\n| `tools/` |"))
        self.assertEqual(self.house.check(), [])
        self.house.write("shell/src/shell.cpp", '#include "ui/window.h"\n#include <QWidget>\n')
        self.assertOneFault("shell/src/shell.cpp:2", "names no Qt")


if __name__ == "__main__":
    unittest.main()
