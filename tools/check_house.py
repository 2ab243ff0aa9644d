#!/usr/bin/env python3
"""The house check: the layers the build has against the layer table of docs/ARCHITECTURE.md.

The table is the single source. Each row names one folder, its target ("—" for a folder
of tools such as bench/ or fuzz/, which is not checked), the project targets it links
directly, and whether it may use Qt. This script fails, naming each difference, when
  - a row's target is not in the build, or links other project targets than its row says;
  - a library or program target sits in a folder that has no row;
  - the table itself names an unknown target or has a cycle;
  - a file includes a header of another layer that is not that layer's public header, or
    of a layer its target does not link directly (a public header may only reach the
    layers its target hands on to those that link it);
  - a file of a layer without Qt includes a Qt header, or one of its targets links Qt.

Inputs: the source folder, the targets CMake wrote (cmake/MvfHouse.cmake) and the
compile database, which gives each source file its target and its include folders.
"""

import argparse
import json
import os
import re
import shlex
import sys

TABLE = "docs/ARCHITECTURE.md"
SECTION = "## Layers"
BUILT_KINDS = {
    "EXECUTABLE",
    "STATIC_LIBRARY",
    "SHARED_LIBRARY",
    "MODULE_LIBRARY",
    "OBJECT_LIBRARY",
    "INTERFACE_LIBRARY",
}
SOURCE_SUFFIXES = (".c", ".cc", ".cpp", ".cxx", ".h", ".hh", ".hpp", ".hxx", ".inc")
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# <QString>, <QtCore/QString>, <qstring.h>
QT_HEADER = re.compile(r"^(Qt[A-Za-z0-9]*/.+|Q[A-Z][A-Za-z0-9]*)$")
QT_OLD_HEADER = re.compile(r"^q[a-z0-9_]+\.h$")
QT_TARGET = re.compile(r"^Qt[0-9]*::")
NONE_MARKS = {"", "—", "-", "–"}


class Row:
    def __init__(self, line, folder, target, links, qt):
        self.line = line
        self.folder = folder
        self.target = target
        self.links = links
        self.qt = qt  # True: may use Qt; False: must not; None: not checked


class Report:
    def __init__(self):
        self.faults = []

    def fault(self, text):
        self.faults.append(text)


def backticked(cell):
    return re.findall(r"`([^`]+)`", cell)


def split_cells(line):
    cells = line.strip().split("|")
    if cells and cells[0].strip() == "":
        cells = cells[1:]
    if cells and cells[-1].strip() == "":
        cells = cells[:-1]
    return [c.strip() for c in cells]


def read_table(path, report):
    """The rows of the first table under the Layers heading."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    try:
        start = next(i for i, l in enumerate(lines) if l.strip() == SECTION)
    except StopIteration:
        report.fault(f"{TABLE}: no '{SECTION}' section")
        return []
    i = start + 1
    while i < len(lines) and not lines[i].lstrip().startswith("|"):
        if lines[i].startswith("## "):
            break
        i += 1
    if i >= len(lines) or not lines[i].lstrip().startswith("|"):
        report.fault(f"{TABLE}: no table under '{SECTION}'")
        return []

    header = [h.lower() for h in split_cells(lines[i])]

    def column(name):
        for n, h in enumerate(header):
            if h == name or h.startswith(name + " "):
                return n
        report.fault(f"{TABLE}:{i + 1}: the layer table has no '{name}' column")
        return None

    cols = {name: column(name) for name in ("folder", "target", "links", "qt")}
    if None in cols.values():
        return []

    rows = []
    i += 2  # past the header and its separator
    while i < len(lines) and lines[i].lstrip().startswith("|"):
        lineno = i + 1
        cells = split_cells(lines[i])
        i += 1
        if len(cells) != len(header):
            report.fault(
                f"{TABLE}:{lineno}: {len(cells)} cells where the header has {len(header)}"
            )
            continue
        folders = backticked(cells[cols["folder"]])
        if len(folders) != 1 or not folders[0].endswith("/"):
            report.fault(f"{TABLE}:{lineno}: a row names exactly one folder, as `name/`")
            continue
        folder = folders[0].rstrip("/")
        targets = backticked(cells[cols["target"]])
        if len(targets) > 1:
            report.fault(f"{TABLE}:{lineno}: one target per row ({folder}/ names {targets})")
            continue
        qt_cell = cells[cols["qt"]].lower()
        if qt_cell in ("yes", "no"):
            qt = qt_cell == "yes"
        elif qt_cell in NONE_MARKS:
            qt = None
        else:
            report.fault(f"{TABLE}:{lineno}: the Qt column says yes, no or —, not '{qt_cell}'")
            continue
        rows.append(Row(lineno, folder, targets[0] if targets else None,
                        backticked(cells[cols["links"]]), qt))
    if not rows:
        report.fault(f"{TABLE}: the layer table has no rows")
    return rows


def owner_row(rows, path):
    """The row whose folder holds PATH (relative to the source folder), the deepest one."""
    best = None
    for row in rows:
        if path == row.folder or path.startswith(row.folder + "/"):
            if best is None or len(row.folder) > len(best.folder):
                best = row
    return best


def part_of(row, path):
    """The first folder of PATH below its row's folder: include, src, tests, ..."""
    rest = path[len(row.folder):].lstrip("/")
    return rest.split("/", 1)[0] if "/" in rest else ""


def in_tests(row, path):
    """Whether the file PATH lies in a tests folder of ROW."""
    rest = path[len(row.folder):].lstrip("/")
    return "tests" in rest.split("/")[:-1]


def is_tests_folder(row, folder):
    rest = folder[len(row.folder):].lstrip("/")
    return "tests" in rest.split("/")


class Targets:
    """The build's targets as CMake wrote them: folder, direct and handed-on links."""

    def __init__(self, path):
        with open(path, encoding="utf-8") as f:
            self.all = json.load(f)

    def _clean(self, entries):
        names = []
        for e in entries:
            if e.startswith("::@"):  # a marker CMake adds around links made in another folder
                continue
            private = e.startswith("$<LINK_ONLY:") and e.endswith(">")
            name = e[len("$<LINK_ONLY:"):-1] if private else e
            names.append((name, private))
        return names

    def project_links(self, target):
        """The project targets TARGET links directly, in order."""
        t = self.all[target]
        names = [n for n, _ in self._clean(t["links"] + t["interface_links"])]
        return list(dict.fromkeys(n for n in names if n in self.all))

    def handed_on(self, target):
        """The project targets whose headers TARGET's public headers may include."""
        t = self.all[target]
        return {n for n, private in self._clean(t["interface_links"])
                if not private and n in self.all}

    def external_links(self, target):
        t = self.all[target]
        return [n for n, _ in self._clean(t["links"] + t["interface_links"]) if n not in self.all]

    def built(self):
        return {n: t for n, t in self.all.items() if t["type"] in BUILT_KINDS}


def check_graph(rows, targets, report):
    row_targets = {r.target: r for r in rows if r.target}
    for row in rows:
        for link in row.links:
            if link not in row_targets:
                report.fault(f"{TABLE}:{row.line}: {row.folder}/ links `{link}`, "
                             "which is no row's target")
        if row.target is None:
            continue
        if row.target not in targets.all:
            report.fault(f"{TABLE}:{row.line}: `{row.target}` ({row.folder}/) "
                         "is not a target of the build")
            continue
        t = targets.all[row.target]
        if t["folder"] != row.folder:
            report.fault(f"{TABLE}:{row.line}: `{row.target}` is made in {t['folder']}/, "
                         f"the table puts it in {row.folder}/")
        real = targets.project_links(row.target)
        for link in real:
            if link not in row.links:
                report.fault(f"{row.target} links {link}, which its row ({TABLE}:{row.line}) "
                             "does not list")
        for link in row.links:
            if link not in real:
                report.fault(f"{TABLE}:{row.line}: the table says {row.target} links {link}; "
                             "the build does not")

    for name, t in sorted(targets.built().items()):
        row = owner_row(rows, t["folder"])
        if row is None:
            report.fault(f"target {name} ({t['folder']}/) is in no row of {TABLE}")
            continue
        if row.target is None or name == row.target or is_tests_folder(row, t["folder"]):
            continue
        # A helper of the layer (the objects of a library, a static copy for its tests)
        # links no more than the layer itself.
        layer = {n for n, u in targets.built().items() if owner_row(rows, u["folder"]) is row}
        for link in targets.project_links(name):
            if link not in row.links and link not in layer:
                report.fault(f"{name}, a part of {row.folder}/, links {link}, which its row "
                             f"({TABLE}:{row.line}) does not list")

    # The table's own graph points down: no cycle.
    state = {}

    def visit(target, path):
        state[target] = "open"
        for link in row_targets[target].links:
            if link not in row_targets:
                continue
            if state.get(link) == "open":
                cycle = path[path.index(link):] + [link]
                report.fault(f"{TABLE}: the layers form a cycle: {' -> '.join(cycle)}")
            elif link not in state:
                visit(link, path + [link])
        state[target] = "done"

    for target in row_targets:
        if target not in state:
            visit(target, [target])


def rel(source, path):
    return os.path.relpath(path, source).replace(os.sep, "/")


def is_inside(path, folder):
    return path == folder or path.startswith(folder.rstrip("/") + "/")


def includes_of(path):
    try:
        with open(path, encoding="utf-8", errors="replace") as f:
            for n, line in enumerate(f, 1):
                m = INCLUDE_LINE.match(line)
                if m:
                    yield n, m.group(1), m.group(2)
    except OSError:
        return


class Unit:
    """One entry of the compile database: a file, its target and its include folders."""

    def __init__(self, entry):
        directory = entry["directory"]
        args = entry.get("arguments") or shlex.split(entry["command"])
        self.file = os.path.realpath(os.path.join(directory, entry["file"]))
        self.quote_dirs, self.dirs = [], []
        output = entry.get("output", "")
        i = 0
        while i < len(args):
            a = args[i]
            for flag, into in (("-iquote", self.quote_dirs), ("-isystem", self.dirs),
                               ("-I", self.dirs)):
                if a.startswith(flag):
                    value = a[len(flag):]
                    if not value and i + 1 < len(args):
                        i += 1
                        value = args[i]
                    into.append(os.path.normpath(os.path.join(directory, value)))
                    break
            else:
                if a == "-o" and i + 1 < len(args):
                    output = args[i + 1]
            i += 1
        m = re.search(r"CMakeFiles/([^/]+)\.dir/", output)
        self.target = m.group(1) if m else None

    def resolve(self, kind, name, including_dir):
        search = ([including_dir] + self.quote_dirs if kind == '"' else []) + self.dirs
        for d in search:
            candidate = os.path.join(d, name)
            if os.path.isfile(candidate):
                return os.path.realpath(candidate)
        return None


def check_includes(rows, targets, source, build, compile_commands, report):
    with open(compile_commands, encoding="utf-8") as f:
        units = [Unit(e) for e in json.load(f)]
    seen = set()

    def judge(path, unit):
        """Check the includes of PATH, reached from UNIT; follow those into the project."""
        path_rel = rel(source, path)
        row = owner_row(rows, path_rel)
        if row is None or row.target is None:
            return
        # The target whose links decide: the unit's own when it belongs to this layer
        # (a test program, a library's objects), the layer's otherwise.
        unit_row = owner_row(rows, targets.all[unit.target]["folder"]) \
            if unit.target in targets.all else None
        judge_target = unit.target if unit_row is row else row.target
        key = (path, judge_target)
        if key in seen:
            return
        seen.add(key)
        public_header = part_of(row, path_rel) == "include"
        known = judge_target in targets.all  # when not, the graph check names the row
        links = set(targets.project_links(judge_target)) if known else set()
        handed_on = targets.handed_on(judge_target) if known else set()
        for lineno, kind, name in includes_of(path):
            found = unit.resolve(kind, name, os.path.dirname(path))
            if found is None or is_inside(found, build) or not is_inside(found, source):
                continue  # the system's, a generated one, or one the compiler will miss
            found_rel = rel(source, found)
            where = f"{path_rel}:{lineno}: includes {kind}{name}{'>' if kind == '<' else kind}"
            home = owner_row(rows, found_rel)
            if home is None:
                report.fault(f"{where} ({found_rel}), which belongs to no layer of {TABLE}")
                continue
            part = part_of(home, found_rel)
            if home is row:
                if in_tests(home, found_rel) and not in_tests(row, path_rel):
                    report.fault(f"{where} ({found_rel}): a test file, from outside the tests")
                elif public_header and part != "include":
                    report.fault(f"{where} ({found_rel}): a public header includes a private "
                                 "one, which the layer's users cannot reach")
            elif part != "include":
                report.fault(f"{where} ({found_rel}): a private header of {home.folder}/")
            elif not known:
                pass
            elif home.target not in links:
                report.fault(f"{where} ({found_rel}): {judge_target} does not link "
                             f"{home.target} ({home.folder}/) directly")
            elif public_header and home.target not in handed_on:
                report.fault(f"{where} ({found_rel}): a public header of {row.folder}/ reaches "
                             f"{home.target}, which {judge_target} links only privately")
            judge(found, unit)

    for unit in units:
        if is_inside(unit.file, build) or not is_inside(unit.file, source):
            continue
        judge(unit.file, unit)


def files_of(rows, row, source):
    """The C and C++ files of ROW's folder that no deeper row owns."""
    top = os.path.join(source, row.folder)
    for folder, subdirs, files in os.walk(top):
        subdirs.sort()
        for name in sorted(files):
            if name.endswith(SOURCE_SUFFIXES):
                path = os.path.join(folder, name)
                if owner_row(rows, rel(source, path)) is row:
                    yield path


def check_qt(rows, targets, source, report):
    for row in rows:
        if row.qt is not False:
            continue
        for name, t in sorted(targets.built().items()):
            if owner_row(rows, t["folder"]) is not row:
                continue
            for link in targets.external_links(name):
                if QT_TARGET.match(link):
                    report.fault(f"{name} links {link}, but {row.folder}/ is a layer without "
                                 f"Qt ({TABLE}:{row.line})")
        for path in files_of(rows, row, source):
            for lineno, kind, name in includes_of(path):
                if QT_HEADER.match(name) or (kind == "<" and QT_OLD_HEADER.match(name)):
                    report.fault(f"{rel(source, path)}:{lineno}: includes a Qt header ({name}), "
                                 f"but {row.folder}/ is a layer without Qt ({TABLE}:{row.line})")


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--source", required=True, help="the source folder")
    parser.add_argument("--targets", required=True, help="house_targets.json of a build")
    parser.add_argument("--compile-commands", required=True, help="compile_commands.json")
    args = parser.parse_args(argv)

    source = os.path.realpath(args.source)
    build = os.path.realpath(os.path.dirname(args.targets))
    report = Report()
    rows = read_table(os.path.join(source, TABLE), report)
    if rows:
        targets = Targets(args.targets)
        check_graph(rows, targets, report)
        check_includes(rows, targets, source, build, args.compile_commands, report)
        check_qt(rows, targets, source, report)
    for fault in report.faults:
        print(fault)
    if report.faults:
        print(f"house check: {len(report.faults)} difference(s) from {TABLE}")
        return 1
    print(f"house check: {len(rows)} rows of {TABLE} agree with the build")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
