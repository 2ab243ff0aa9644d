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

| folder | target | namespace | links (direct) | Qt | what |
|---|---|---|---|---|---|
| `core/` | `core` | `mvf::core` | — | no | the plain core |
| `ui/` | `ui` | `mvf::ui` | `core` | yes | widgets |
| `ui/model/` | `ui_model` | `mvf::model` | `core` | no | a plain layer inside a Qt folder |
| `tools/` | — | — | — | — | scripts |

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
        report = check_house.Report()
        rows = check_house.read_table(os.path.join(self.root, check_house.TABLE), report)
        t = check_house.Targets(targets)
        source = os.path.realpath(self.root)
        check_house.check_graph(rows, t, report)
        check_house.check_includes(rows, t, source, os.path.realpath(self.build), commands,
                                   report)
        check_house.check_qt(rows, t, source, report)
        return report.faults


def sound_house(root):
    h = House(root)
    h.write("core/include/core/api.h", "#pragma once\n#include <string>\n")
    h.write("core/src/detail.h", "#pragma once\n")
    h.write("core/src/api.cpp", '#include "core/api.h"\n#include "detail.h"\n')
    h.write("core/tests/helper.h", '#pragma once\n#include "detail.h"\n')
    h.write("core/tests/api_test.cpp", '#include "core/api.h"\n#include "helper.h"\n')
    h.write("ui/include/ui/window.h", '#pragma once\n#include "core/api.h"\n#include <QWidget>\n')
    h.write("ui/src/window.cpp", '#include "ui/window.h"\n')
    h.write("ui/model/include/ui/model/rows.h", '#pragma once\n#include "core/api.h"\n')
    h.write("ui/model/src/rows.cpp", '#include "ui/model/rows.h"\n')
    h.write("tools/probe.cpp", '#include "../core/src/detail.h"\n')
    h.target("core", "core", sources=["src/api.cpp"], include_dirs=["core/include", "core/src"])
    h.target("core_tests", "core/tests", links=["core"], kind="EXECUTABLE",
             sources=["api_test.cpp"], include_dirs=["core/include", "core/src"])
    h.target("ui", "ui", links=["core", "Qt6::Widgets"], interface_links=["core", "Qt6::Widgets"],
             sources=["src/window.cpp"], include_dirs=["ui/include", "core/include"])
    h.target("ui_model", "ui/model", links=["core"], interface_links=["core"],
             sources=["src/rows.cpp"], include_dirs=["ui/model/include", "core/include"])
    h.target("probe", "tools", kind="EXECUTABLE", sources=["probe.cpp"])
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

    def test_graph_differences_are_named(self):
        self.house.targets["core"]["links"] = ["ui_model"]
        self.assertOneFault("core links ui_model", "does not list")
        self.house.targets["core"]["links"] = []
        self.house.targets["ui"]["links"] = ["Qt6::Widgets"]
        self.house.targets["ui"]["interface_links"] = []
        faults = self.house.check()
        self.assertIn("the table says ui links core; the build does not", "\n".join(faults))

    def test_a_target_without_a_row_or_a_row_without_its_target_fails(self):
        self.house.target("settings", "settings")
        self.assertOneFault("settings (settings/) is in no row")
        del self.house.targets["settings"]
        del self.house.targets["ui_model"]
        self.assertOneFault("`ui_model` (ui/model/) is not a target of the build")

    def test_a_helper_of_a_layer_links_no_more_than_its_layer(self):
        self.house.target("core_objects", "core", links=["ui"], kind="OBJECT_LIBRARY")
        self.assertOneFault("core_objects, a part of core/, links ui")

    def test_the_table_itself_is_checked(self):
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace(
            "| `core/` | `core` | `mvf::core` | — |", "| `core/` | `core` | `mvf::core` | `ui` |"))
        self.house.targets["core"]["links"] = ["ui"]
        faults = "\n".join(self.house.check())
        self.assertIn("cycle: core -> ui -> core", faults)
        self.house.targets["core"]["links"] = []
        self.house.write("docs/ARCHITECTURE.md", TABLE.replace("| no | the plain core |", "| no |"))
        faults = "\n".join(self.house.check())
        self.assertIn("ARCHITECTURE.md:7: 5 cells where the header has 6", faults)

    def test_includes_reach_only_public_headers_of_linked_layers(self):
        self.house.write("ui/src/window.cpp", '#include "../../core/src/detail.h"\n')
        self.assertOneFault("ui/src/window.cpp:1", "a private header of core/")
        self.house.write("ui/src/window.cpp", '#include "ui/window.h"\n')
        self.house.write("core/src/api.cpp", '#include "../../ui/model/include/ui/model/rows.h"\n')
        self.assertOneFault("core/src/api.cpp:1", "core does not link ui_model")

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

    def test_layers_without_qt_include_and_link_no_qt(self):
        self.house.write("ui/model/src/rows.cpp", '#include "ui/model/rows.h"\n#include <QtCore/QString>\n')
        self.assertOneFault("ui/model/src/rows.cpp:2", "QtCore/QString", "without Qt")
        self.house.write("ui/model/src/rows.cpp", '#include "ui/model/rows.h"\n')
        self.house.write("core/tests/helper.h", "#pragma once\n#include <qglobal.h>\n")
        self.assertOneFault("core/tests/helper.h:2", "qglobal.h")
        self.house.write("core/tests/helper.h", "#pragma once\n")
        self.house.targets["core_tests"]["links"].append("Qt6::Test")
        self.assertOneFault("core_tests links Qt6::Test", "core/ is a layer without Qt")


if __name__ == "__main__":
    unittest.main()
