#!/usr/bin/env python3
"""The house check: the layers the build has against the layer table of docs/ARCHITECTURE.md.

The table is the single source. Each row names its folders, their targets ("—" for a
folder of tools such as bench/ or fuzz/, which is not checked) and the project targets
they link directly, in backticks; a row of several folders gives one target per folder and
separates their links with ";". External libraries are named without backticks; of them
only Qt counts: a row may use Qt, and exactly the Qt modules it names, when its links name
them ("Qt Core/Gui", "Qt6 Widgets"). This script fails, naming each difference, when
  - a row's target is not in the build, or its targets link other project targets or Qt
    modules than its row names;
  - a library or program target sits in a folder that has no row, or a helper of a layer
    (not one of its tests or demos) links more than its row;
  - any target, tests included, links a layer that links it back (a link that points up);
  - the table itself names an unknown target or has a cycle;
  - a file includes a header of another layer that is not that layer's public header, or
    of a layer its target does not link directly (a public header may only reach the
    layers its target hands on to those that link it; tests and demos may include what
    their program reaches through any of its links);
  - a file of a layer without Qt includes a Qt header.

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
# Parts of a layer's folder whose targets only serve the layer's developers: they may link
# what they need below the layer, but never a layer above it.
FREE_PARTS = {"tests", "demo"}
SOURCE_SUFFIXES = (".c", ".cc", ".cpp", ".cxx", ".h", ".hh", ".hpp", ".hxx", ".inc")
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# <QString>, <QtCore/QString>, <qstring.h>
QT_HEADER = re.compile(r"^(Qt[A-Za-z0-9]*/.+|Q[A-Z][A-Za-z0-9]*)$")
QT_OLD_HEADER = re.compile(r"^q[a-z0-9_]+\.h$")
QT_TARGET = re.compile(r"^Qt[0-9]*::(.+)$")
# "Qt Core/Gui/Widgets", "Qt6 Widgets" in a links cell.
QT_MENTION = re.compile(r"\bQt[0-9]*\s+([A-Za-z]+(?:/[A-Za-z]+)*)")
NONE_MARKS = {"", "—", "-", "–"}


class Row:
    """One folder of a table row (a row of several folders gives one Row each)."""

    def __init__(self, line, folder, targets, links, qt_modules):
        self.line = line
        self.folder = folder
        self.targets = targets  # empty: a folder of tools, not checked
        self.links = links
        self.qt_modules = qt_modules  # the Qt modules it may link; empty: no Qt at all

    @property
    def name(self):
        return self.targets[0] if self.targets else self.folder + "/"

    @property
    def qt(self):
        return bool(self.qt_modules)


class Report:
    def __init__(self):
        self.faults = []

    def fault(self, text):
        self.faults.append(text)


def backticked(cell):
    return re.findall(r"`([^`]+)`", cell)


def qt_modules_of(cell):
    modules = set()
    for mention in QT_MENTION.findall(cell):
        modules.update(mention.split("/"))
    return modules


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

    cols = {name: column(name) for name in ("folder", "target", "links")}
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
        if not folders or not all(f.endswith("/") for f in folders):
            report.fault(f"{TABLE}:{lineno}: a row names its folders as `name/`")
            continue
        folders = [f.rstrip("/") for f in folders]
        targets = backticked(cells[cols["target"]])
        groups = cells[cols["links"]].split(";")
        if len(folders) == 1:
            per_folder = [(folders[0], targets, cells[cols["links"]])]
        elif len(targets) != len(folders) or len(groups) not in (1, len(folders)):
            report.fault(f"{TABLE}:{lineno}: a row of {len(folders)} folders names one target "
                         "per folder and one group of links per folder, separated by ';'")
            continue
        else:
            if len(groups) == 1:
                groups = groups * len(folders)
            per_folder = [(f, [t], g) for f, t, g in zip(folders, targets, groups)]
        for folder, folder_targets, links in per_folder:
            rows.append(Row(lineno, folder, folder_targets, backticked(links),
                            qt_modules_of(links)))
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


def is_free_folder(row, folder):
    """Whether FOLDER is (inside) a tests or demo folder of ROW."""
    rest = folder[len(row.folder):].lstrip("/")
    return bool(FREE_PARTS & set(rest.split("/")))


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

    def qt_modules(self, target):
        """The Qt modules TARGET links directly: {"Core", "Widgets", ...}."""
        found = (QT_TARGET.match(n) for n in self.external_links(target))
        return {m.group(1) for m in found if m}

    def reaches(self, target):
        """Every project target TARGET links, directly or through others."""
        seen, todo = set(), [target]
        while todo:
            for link in self.project_links(todo.pop()):
                if link not in seen:
                    seen.add(link)
                    todo.append(link)
        return seen

    def built(self):
        return {n: t for n, t in self.all.items() if t["type"] in BUILT_KINDS}


def qt_text(modules):
    return "Qt " + "/".join(sorted(modules)) if modules else "no Qt"


def check_graph(rows, targets, report):
    row_of = {t: r for r in rows for t in r.targets}
    for row in rows:
        for link in row.links:
            if link not in row_of:
                report.fault(f"{TABLE}:{row.line}: {row.folder}/ links `{link}`, "
                             "which is no row's target")
        present = []
        for target in row.targets:
            if target not in targets.all:
                report.fault(f"{TABLE}:{row.line}: `{target}` ({row.folder}/) "
                             "is not a target of the build")
                continue
            present.append(target)
            made_in = targets.all[target]["folder"]
            if owner_row(rows, made_in) is not row or is_free_folder(row, made_in):
                report.fault(f"{TABLE}:{row.line}: `{target}` is made in {made_in}/, "
                             f"the table puts it in {row.folder}/")
        if not present:
            continue
        real = {}
        for target in present:
            for link in targets.project_links(target):
                if link not in row.targets:
                    real.setdefault(link, target)
        for link, target in real.items():
            if link not in row.links:
                report.fault(f"{target} links {link}, which its row ({TABLE}:{row.line}) "
                             "does not list")
        for link in row.links:
            if link not in real:
                report.fault(f"{TABLE}:{row.line}: the table says {row.folder}/ links {link}; "
                             "the build does not")
        # A row may name Qt modules its headers use without its targets linking them (the
        # helpers of the Qt test programs); every module linked must be named.
        real_qt = set().union(*(targets.qt_modules(t) for t in present))
        if not real_qt <= row.qt_modules:
            report.fault(f"{', '.join(present)} link{'s' if len(present) == 1 else ''} "
                         f"{qt_text(real_qt)}; its row ({TABLE}:{row.line}) says "
                         f"{qt_text(row.qt_modules)}")

    built = targets.built()
    for name, t in sorted(built.items()):
        row = owner_row(rows, t["folder"])
        if row is None:
            report.fault(f"target {name} ({t['folder']}/) is in no row of {TABLE}")
            continue
        if not row.targets or name in row.targets:
            continue
        if is_free_folder(row, t["folder"]):
            # Tests and demos may link what they need, only never a layer above their own.
            for link in targets.project_links(name):
                home = owner_row(rows, targets.all[link]["folder"])
                if home is row or home is None or not home.targets:
                    continue
                back = [own for own in row.targets if own in targets.reaches(link)]
                if back:
                    report.fault(f"{name} ({t['folder']}/) links {link}, a layer above its own "
                                 f"(it links {back[0]})")
            continue
        # A helper of the layer (the objects of a library, a static copy, a build-time tool)
        # links no more than the layer itself.
        layer = {n for n, u in built.items() if owner_row(rows, u["folder"]) is row}
        for link in targets.project_links(name):
            if link not in row.links and link not in layer:
                report.fault(f"{name}, a part of {row.folder}/, links {link}, which its row "
                             f"({TABLE}:{row.line}) does not list")
        extra_qt = targets.qt_modules(name) - row.qt_modules
        if extra_qt:
            report.fault(f"{name}, a part of {row.folder}/, links {qt_text(extra_qt)}, which "
                         f"its row ({TABLE}:{row.line}) does not list")

    # The table's own graph points down: no cycle.
    state = {}

    def visit(row, path):
        state[id(row)] = "open"
        for link in row.links:
            if link not in row_of:
                continue
            below = row_of[link]
            if below is row:
                continue
            if state.get(id(below)) == "open":
                names = [r.name for r in path]
                cycle = names[names.index(below.name):] + [below.name]
                report.fault(f"{TABLE}: the layers form a cycle: {' -> '.join(cycle)}")
            elif id(below) not in state:
                visit(below, path + [below])
        state[id(row)] = "done"

    for row in rows:
        if id(row) not in state:
            visit(row, [row])


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


def read_units(compile_commands):
    with open(compile_commands, encoding="utf-8") as f:
        return [Unit(e) for e in json.load(f)]


def check_includes(rows, targets, source, build, units, report):
    seen = set()
    public_folders = [os.path.join(source, r.folder, "include") for r in rows if r.targets]

    def find_public_header(name):
        for folder in public_folders:
            candidate = os.path.join(folder, name)
            if os.path.isfile(candidate):
                return os.path.realpath(candidate)
        return None

    def judge(path, unit):
        """Check the includes of PATH, reached from UNIT; follow those into the project."""
        path_rel = rel(source, path)
        row = owner_row(rows, path_rel)
        if row is None or not row.targets:
            return
        # The targets whose links decide: for a file of a tests or demo folder, the program
        # it is compiled into; for any other file, the layer's targets, with the unit's own
        # when that is a part of the layer (its objects, a build-time tool).
        unit_folder = targets.all[unit.target]["folder"] if unit.target in targets.all else ""
        free = is_free_folder(row, os.path.dirname(path_rel))
        # A missing target of the row: the graph check names it.
        judges = [t for t in row.targets if t in targets.all]
        if owner_row(rows, unit_folder) is row and free == is_free_folder(row, unit_folder):
            judges = [unit.target] if free else list(dict.fromkeys(judges + [unit.target]))
        if free:
            # Tests and demos include what their program reaches, through any of its links.
            links = {link for t in judges for link in targets.reaches(t)}
        else:
            links = {link for t in judges for link in targets.project_links(t)}
        key = (path, tuple(judges))
        if key in seen:
            return
        seen.add(key)
        public_header = part_of(row, path_rel) == "include"
        handed_on = {link for t in judges for link in targets.handed_on(t)}
        judged = "/".join(judges)
        for lineno, kind, name in includes_of(path):
            found = unit.resolve(kind, name, os.path.dirname(path))
            if found is None:
                # Not on the unit's include path: the compiler will fail on it. Say which
                # layer it points into, when it names one's public header.
                found = find_public_header(name)
            if found is None or is_inside(found, build) or not is_inside(found, source):
                continue  # the system's or a generated one
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
            elif part != "include" or not home.targets:
                report.fault(f"{where} ({found_rel}): a private header of {home.folder}/")
            elif not judges:
                pass
            elif not links & set(home.targets):
                report.fault(f"{where} ({found_rel}): {judged} does not link "
                             f"{home.name} ({home.folder}/) directly")
            elif public_header and not handed_on & set(home.targets):
                report.fault(f"{where} ({found_rel}): a public header of {row.folder}/ reaches "
                             f"{home.name}, which {judged} links only privately")
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


def reaches_qt(row, rows):
    """Whether ROW names Qt, or links (through the table) a layer that does."""
    row_of = {t: r for r in rows for t in r.targets}
    seen, todo = set(), [row]
    while todo:
        r = todo.pop()
        if r.qt:
            return True
        for link in r.links:
            below = row_of.get(link)
            if below is not None and id(below) not in seen:
                seen.add(id(below))
                todo.append(below)
    return False


def check_qt(rows, targets, source, report):
    """Layers without Qt stay without it; only Qt layers' files include Qt headers.

    A row that names no Qt and reaches no Qt layer: none of its targets, tests included,
    links Qt, and none of its files includes a Qt header. A row that reaches Qt only through
    a layer below may use Qt in its tests and demos (a QApplication for the layer below).
    """
    for row in rows:
        if row.qt or not row.targets:
            continue
        plain = not reaches_qt(row, rows)
        if plain:
            for name, t in sorted(targets.built().items()):
                if owner_row(rows, t["folder"]) is not row or \
                        not is_free_folder(row, t["folder"]):
                    continue  # the row's own targets and helpers: the graph check says
                for link in targets.external_links(name):
                    if QT_TARGET.match(link):
                        report.fault(f"{name} links {link}, but {row.folder}/ is a layer "
                                     f"without Qt ({TABLE}:{row.line})")
        for path in files_of(rows, row, source):
            path_rel = rel(source, path)
            if not plain and is_free_folder(row, os.path.dirname(path_rel)):
                continue
            for lineno, kind, name in includes_of(path):
                if QT_HEADER.match(name) or (kind == "<" and QT_OLD_HEADER.match(name)):
                    report.fault(f"{path_rel}:{lineno}: includes a Qt header ({name}), but the "
                                 f"row of {row.folder}/ names no Qt ({TABLE}:{row.line})")


def check(source, targets_path, compile_commands):
    """Every difference between the build in TARGETS_PATH and the table under SOURCE."""
    source = os.path.realpath(source)
    build = os.path.realpath(os.path.dirname(targets_path))
    report = Report()
    rows = read_table(os.path.join(source, TABLE), report)
    if rows:
        targets = Targets(targets_path)
        units = read_units(compile_commands)
        check_graph(rows, targets, report)
        check_includes(rows, targets, source, build, units, report)
        check_qt(rows, targets, source, report)
    return rows, report.faults


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--source", required=True, help="the source folder")
    parser.add_argument("--targets", required=True, help="house_targets.json of a build")
    parser.add_argument("--compile-commands", required=True, help="compile_commands.json")
    args = parser.parse_args(argv)

    rows, faults = check(args.source, args.targets, args.compile_commands)
    for fault in faults:
        print(fault)
    if faults:
        print(f"house check: {len(faults)} difference(s) from {TABLE}")
        return 1
    print(f"house check: {len(rows)} folders of {TABLE} agree with the build")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
