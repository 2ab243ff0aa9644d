#!/usr/bin/env python3
"""The installation as its users meet it. Run by CTest after packaging.install has
installed the build into a scratch prefix; one test class per CTest test:

    installed_test.py FilesTest|CliTest|LibraryTest|FinderTest|ViewerTest|DesktopTest|
                      ManPagesTest|CompletionsTest

and, by the build's target package_check after `make package`, on the package in
$MVF_TEST_PACKAGES:

    installed_test.py DebianPackageTest
"""
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest

PREFIX = os.environ["MVF_TEST_PREFIX"]
SCRATCH = os.environ["MVF_TEST_SCRATCH"]
BUILD = os.environ["MVF_TEST_BUILD"]
VERSION = os.environ["MVF_TEST_VERSION"]
LIBDIR = os.environ["MVF_TEST_LIBDIR"]
PROGRAMS = os.environ["MVF_TEST_PROGRAMS"].split(",")
CMAKE = os.environ["MVF_TEST_CMAKE"]
CC = os.environ["MVF_TEST_C_COMPILER"]
MAJOR = VERSION.split(".")[0]
VIEWER = "vantorviewer" in PROGRAMS
ICON_SIZES = [16, 22, 24, 32, 48, 64, 128, 256]


def run(args, env=None, cwd=None, check=True, timeout=120, stdin=subprocess.DEVNULL):
    """Runs a program to its end; its output as text."""
    done = subprocess.run(args, env=env, cwd=cwd, capture_output=True, text=True,
                          timeout=timeout, stdin=stdin, errors="replace")
    if check and done.returncode != 0:
        raise AssertionError(f"{args} ended with {done.returncode}:\n{done.stdout}{done.stderr}")
    return done


def clean_environment(**extra):
    """The environment of a user without a display, with scratch home folders."""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "LD_LIBRARY_PATH", "QT_QPA_PLATFORM",
                        "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_RUNTIME_DIR")}
    env.update(extra)
    return env


def expected_files():
    """Every file (and link) the installation holds, relative to its prefix."""
    files = {f"bin/{p}" for p in PROGRAMS}
    files |= {f"{LIBDIR}/libmvfindgrep.so", f"{LIBDIR}/libmvfindgrep.so.{MAJOR}",
              f"{LIBDIR}/libmvfindgrep.so.{VERSION}", "include/mvfindgrep.h",
              f"{LIBDIR}/pkgconfig/mvfindgrep.pc",
              f"{LIBDIR}/cmake/mvfindgrep/mvfindgrepConfig.cmake",
              f"{LIBDIR}/cmake/mvfindgrep/mvfindgrepConfigVersion.cmake",
              "share/mvfinder/mvfinder.rcc", "share/mvfinder/mfinder.html",
              "share/bash-completion/completions/mvfind",
              "share/bash-completion/completions/hgrep",
              "share/doc/mvfinder/copyright", "share/doc/mvfinder/changelog.gz"}
    files |= {f"share/man/man1/{p}.1.gz" for p in PROGRAMS}
    apps = ["mvfinder"] + (["vantorviewer"] if VIEWER else [])
    for app in apps:
        files.add(f"share/applications/{app}.desktop")
        files.add(f"share/metainfo/example.korvath.{app}.metainfo.xml")
        files |= {f"share/icons/hicolor/{s}x{s}/apps/{app}.png" for s in ICON_SIZES}
    return files


def files_under(root):
    found = set()
    for folder, folders, names in os.walk(root):
        for name in names + [f for f in folders if os.path.islink(os.path.join(folder, f))]:
            found.add(os.path.relpath(os.path.join(folder, name), root))
    return found


class FilesTest(unittest.TestCase):
    def test_the_prefix_holds_exactly_the_installed_files(self):
        found = files_under(PREFIX)
        # The CMake package's per-configuration file may carry the build type's name.
        found = {f for f in found if not re.fullmatch(
            rf"{re.escape(LIBDIR)}/cmake/mvfindgrep/mvfindgrepConfig-\w+\.cmake", f)}
        self.assertEqual(set(), expected_files() - found, "missing")
        self.assertEqual(set(), found - expected_files(), "not expected")

    def test_the_library_is_versioned_and_programs_find_it_in_the_prefix(self):
        lib = os.path.join(PREFIX, LIBDIR)
        self.assertEqual(f"libmvfindgrep.so.{MAJOR}",
                         os.readlink(os.path.join(lib, "libmvfindgrep.so")))
        self.assertEqual(f"libmvfindgrep.so.{VERSION}",
                         os.readlink(os.path.join(lib, f"libmvfindgrep.so.{MAJOR}")))
        for program in PROGRAMS:
            ldd = run(["ldd", os.path.join(PREFIX, "bin", program)]).stdout
            self.assertNotIn("not found", ldd, program)
            if program == "vantorviewer":
                continue  # the viewer does not search with the engine
            line = next(l for l in ldd.splitlines() if "libmvfindgrep" in l)
            found = re.search(r"=> (\S+)", line)
            self.assertTrue(found, line)
            self.assertEqual(os.path.realpath(os.path.join(lib, f"libmvfindgrep.so.{MAJOR}")),
                             os.path.realpath(found.group(1)), program)

    def test_the_icons_have_the_size_of_their_folder(self):
        for path in expected_files():
            m = re.fullmatch(r"share/icons/hicolor/(\d+)x\1/apps/.*\.png", path)
            if not m:
                continue
            with open(os.path.join(PREFIX, path), "rb") as f:
                head = f.read(24)
            self.assertEqual(b"\x89PNG\r\n\x1a\n", head[:8], path)
            self.assertEqual((int(m.group(1)),) * 2, struct.unpack(">II", head[16:24]), path)


class CliTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(dir=SCRATCH)
        os.makedirs(os.path.join(self.tmp, "docs", "old"))
        for name, text in {"docs/a.txt": "apples and pears\n", "docs/b.txt": "no fruit\n",
                           "docs/old/c.txt": "more apples\n", "docs/d.log": "apples\n"}.items():
            with open(os.path.join(self.tmp, name), "w") as f:
                f.write(text)
        self.env = clean_environment(PATH=os.path.join(PREFIX, "bin") + ":/usr/bin:/bin")

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def test_mvfind_helps_and_searches(self):
        help_text = run(["mvfind", "--help"], env=self.env).stdout
        self.assertTrue(help_text.startswith("Usage: mvfind [options] FOLDERS\n"), help_text)
        found = run(["mvfind", "-s", "-m", "*.txt", "-f", "apples", "docs"], env=self.env,
                    cwd=self.tmp).stdout
        self.assertEqual(sorted([os.path.join(os.path.realpath(self.tmp), "docs/a.txt"),
                                 os.path.join(os.path.realpath(self.tmp), "docs/old/c.txt")]),
                         sorted(os.path.realpath(l) for l in found.splitlines()))

    def test_hgrep_helps_and_searches(self):
        self.assertIn("Usage: hgrep", run(["hgrep", "--help"], env=self.env).stdout)
        done = run(["hgrep", "-n", "app.es", "docs/a.txt", "docs/b.txt"], env=self.env,
                   cwd=self.tmp)
        self.assertEqual("docs/a.txt:1:apples and pears\n", done.stdout)
        self.assertEqual(1, run(["hgrep", "kiwi", "docs/a.txt"], env=self.env, cwd=self.tmp,
                                check=False).returncode)


class LibraryTest(unittest.TestCase):
    PROGRAM = r"""
#include <mvfindgrep.h>
#include <stdio.h>
int main(void) {
    RegexRecord record;
    if (CompileRGrep("p[a-e]*rs", 1, &record) != 0) return 2;
    const char* text = "apples and pears";
    if (!RGrep(text, &record)) return 1;
    printf("%u %.*s\n", (unsigned)HGrepVersion(),
           (int)(record.matchEnd[0] - record.matchStart[0]), record.matchStart[0]);
    return 0;
}
"""

    def setUp(self):
        self.tmp = tempfile.mkdtemp(dir=SCRATCH)
        with open(os.path.join(self.tmp, "use.c"), "w") as f:
            f.write(self.PROGRAM)
        self.env = clean_environment(
            PKG_CONFIG_PATH=os.path.join(PREFIX, LIBDIR, "pkgconfig"))

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def test_pkg_config_tells_the_version(self):
        self.assertEqual(VERSION, run(["pkg-config", "--modversion", "mvfindgrep"],
                                      env=self.env).stdout.strip())

    def run_against_installed(self, program):
        lib = os.path.join(PREFIX, LIBDIR)
        ldd = run(["ldd", program], env=self.env).stdout
        self.assertIn(f"{lib}/libmvfindgrep.so.{MAJOR}", ldd)
        return run([program], env=self.env).stdout

    def test_a_c_program_builds_with_pkg_config(self):
        flags = run(["pkg-config", "--cflags", "--libs", "mvfindgrep"], env=self.env).stdout
        self.assertIn(f"-I{PREFIX}/include", flags)
        self.assertIn(f"-L{PREFIX}/{LIBDIR}", flags)
        libdir = run(["pkg-config", "--variable=libdir", "mvfindgrep"], env=self.env).stdout
        program = os.path.join(self.tmp, "use")
        run([CC, "-std=c11", "-Wall", "-Werror", os.path.join(self.tmp, "use.c"), "-o", program]
            + flags.split() + [f"-Wl,-rpath,{libdir.strip()}"], env=self.env)
        out = self.run_against_installed(program)
        self.assertRegex(out, r"^\d+ pears\n$")

    def test_a_cmake_project_finds_the_package(self):
        with open(os.path.join(self.tmp, "CMakeLists.txt"), "w") as f:
            f.write("cmake_minimum_required(VERSION 3.25)\nproject(use C)\n"
                    f"find_package(mvfindgrep {MAJOR} REQUIRED)\n"
                    "add_executable(use use.c)\n"
                    "target_link_libraries(use PRIVATE mvfindgrep::mvfindgrep)\n")
        build = os.path.join(self.tmp, "build")
        run([CMAKE, "-S", self.tmp, "-B", build, f"-DCMAKE_PREFIX_PATH={PREFIX}",
             "-DCMAKE_C_FLAGS=-Wall -Werror"], env=self.env)
        run([CMAKE, "--build", build], env=self.env)
        self.assertRegex(self.run_against_installed(os.path.join(build, "use")), r"^\d+ pears\n$")
        # A later major version is another library: refused.
        with open(os.path.join(self.tmp, "CMakeLists.txt"), "a") as f:
            f.write(f"find_package(mvfindgrep {int(MAJOR) + 1} QUIET)\n"
                    "if(mvfindgrep_FOUND)\n  message(FATAL_ERROR found)\nendif()\n")
        run([CMAKE, "-S", self.tmp, "-B", build], env=self.env)


class FinderTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(dir=SCRATCH)
        self.home = os.path.join(self.tmp, "home")
        runtime = os.path.join(self.tmp, "runtime")
        os.makedirs(runtime, mode=0o700)
        os.makedirs(os.path.join(self.home, ".config/Korvath"))
        with open(os.path.join(self.home, ".config/Korvath/Morvel Vantor Finder.conf"), "w") as f:
            f.write("[General]\nFindMsg=1\nSplash=0\n")
        self.env = clean_environment(HOME=self.home, XDG_RUNTIME_DIR=runtime)
        self.finder = os.path.join(PREFIX, "bin/MVFinder")
        self.before = files_under(PREFIX)

    def tearDown(self):
        self.assertEqual(self.before, files_under(PREFIX), "the installation was written in")
        shutil.rmtree(self.tmp)

    def test_help_and_version_need_no_display(self):
        out = run([self.finder, "--help"], env=self.env).stdout
        self.assertTrue(out.startswith("Usage: MVFinder"), out)
        self.assertEqual(f"MVFinder {VERSION}\n", run([self.finder, "--version"], env=self.env).stdout)

    def test_it_finds_its_files_in_the_installed_data_folder(self):
        out = run([self.finder, "--files"], env=self.env).stdout
        share = os.path.realpath(os.path.join(PREFIX, "share/mvfinder"))
        self.assertEqual(
            f"program folder: {os.path.realpath(PREFIX)}/bin\n"
            f"pictures and sound: {share}/mvfinder.rcc\n"
            f"help: {share}/mfinder.html\n"
            f"working folder: {self.home}/.local/share/mvfinder\n", out)

    def test_it_starts_offscreen_with_its_working_files_in_the_users_folder(self):
        env = dict(self.env, QT_QPA_PLATFORM="offscreen", MVF_NOTIFIER="stderr")
        settings = os.path.join(self.home, ".config/Korvath/Morvel Vantor Finder.conf")
        finder = subprocess.Popen([self.finder], env=env, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        try:
            deadline = time.monotonic() + 30
            while "VFOpen=Yes" not in open(settings).read():
                if finder.poll() is not None:
                    self.fail(finder.stdout.read().decode(errors="replace"))
                self.assertLess(time.monotonic(), deadline, "the finder did not start")
                time.sleep(0.05)
            work = os.path.join(self.home, ".local/share/mvfinder")
            self.assertTrue(os.path.isfile(os.path.join(work, "finderrun.dat")))
            self.assertTrue(os.path.isdir(os.path.join(work, "searchresults")))
            # A second start by the same user is refused with the finder's box.
            second = run([self.finder], env=env, check=False, timeout=60)
            self.assertEqual(1, second.returncode)
            self.assertIn("Morvel Vantor Finder is already running!", second.stderr)
        finally:
            finder.send_signal(signal.SIGTERM)
            try:
                finder.wait(timeout=20)
            except subprocess.TimeoutExpired:
                finder.kill()
                finder.wait()


class ViewerTest(unittest.TestCase):
    def setUp(self):
        if not VIEWER:
            self.skipTest("the viewer is not built")
        self.tmp = tempfile.mkdtemp(dir=SCRATCH)
        self.runtime = os.path.join(self.tmp, "runtime")
        os.makedirs(self.runtime, mode=0o700)
        self.env = clean_environment(HOME=self.tmp, XDG_RUNTIME_DIR=self.runtime)
        self.viewer = os.path.join(PREFIX, "bin/vantorviewer")
        self.before = files_under(PREFIX)

    def tearDown(self):
        self.assertEqual(self.before, files_under(PREFIX), "the installation was written in")
        shutil.rmtree(self.tmp)

    def test_help_and_version_need_no_display_and_take_no_lock(self):
        out = run([self.viewer, "--help"], env=self.env).stdout
        self.assertTrue(out.startswith("Usage: vantorviewer [FILE]..."), out)
        self.assertEqual(f"vantorviewer {VERSION}\n",
                         run([self.viewer, "--version"], env=self.env).stdout)
        self.assertEqual([], os.listdir(self.runtime))

    def test_it_starts_offscreen_opens_a_file_and_finds_its_pictures(self):
        text = os.path.join(self.tmp, "notes.txt")
        with open(text, "w") as f:
            f.write("apples\n")
        env = dict(self.env, QT_QPA_PLATFORM="offscreen",
                   QT_LOGGING_RULES="mvf.viewer.*.info=true;qt.*=false")
        viewer = subprocess.Popen([self.viewer, text], env=env, stdin=subprocess.DEVNULL,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        try:
            seen = []
            deadline = time.monotonic() + 30
            while not any(f"opened {text}" in line for line in seen):
                self.assertLess(time.monotonic(), deadline, "".join(seen))
                line = viewer.stderr.readline()
                self.assertTrue(line, "the viewer ended: " + "".join(seen))
                seen.append(line)
            # Its pictures come from the installed data folder.
            share = os.path.realpath(os.path.join(PREFIX, "share/mvfinder"))
            self.assertIn(f"mvf.viewer.shell: pictures from {share}/mvfinder.rcc\n", seen)
        finally:
            viewer.send_signal(signal.SIGTERM)
            try:
                viewer.wait(timeout=20)
            except subprocess.TimeoutExpired:
                viewer.kill()
                viewer.wait()


class DesktopTest(unittest.TestCase):
    def test_the_desktop_entries_validate(self):
        entries = sorted(f for f in expected_files() if f.endswith(".desktop"))
        done = run(["desktop-file-validate"] + [os.path.join(PREFIX, e) for e in entries],
                   check=False)
        self.assertEqual((0, ""), (done.returncode, done.stdout + done.stderr))

    def test_the_viewer_is_offered_for_plain_text(self):
        if not VIEWER:
            self.skipTest("the viewer is not built")
        entry = open(os.path.join(PREFIX, "share/applications/vantorviewer.desktop")).read()
        self.assertIn("\nMimeType=text/plain;\n", entry)
        self.assertIn("\nExec=vantorviewer %F\n", entry)

    def test_the_metainfo_validates(self):
        for path in sorted(f for f in expected_files() if f.endswith(".metainfo.xml")):
            done = run(["appstreamcli", "validate", "--no-net", "--no-color",
                        os.path.join(PREFIX, path)], check=False)
            self.assertEqual(0, done.returncode, done.stdout + done.stderr)
            # Notes are allowed (the example domain is no known top-level one); no warning.
            self.assertNotRegex(done.stdout, r"(?m)^[EW]:", done.stdout)
            self.assertIn(f'version="{VERSION}"', open(os.path.join(PREFIX, path)).read())


class ManPagesTest(unittest.TestCase):
    def test_each_page_renders_cleanly_and_lists_every_option_of_the_help(self):
        env = clean_environment(MANWIDTH="80", LC_ALL="C.UTF-8")
        for program in PROGRAMS:
            page = os.path.join(PREFIX, "share/man/man1", program + ".1.gz")
            done = run(["man", "--warnings", "-l", page], env=env)
            self.assertEqual("", done.stderr, program)
            text = re.sub(r".\x08", "", done.stdout)
            self.assertIn(f"{program.upper()}(1)", text.splitlines()[0])
            self.assertRegex(text, rf"NAME\n\s+{re.escape(program)} - \w", program)
            help_text = run([os.path.join(PREFIX, "bin", program), "--help"], env=env).stdout
            options = set(re.findall(r"(?m)^\s+(?:-\w, )?(--[\w-]+|-\w)\b", help_text))
            self.assertTrue(options, program)
            for option in options:
                self.assertRegex(text, rf"(?<![\w-]){re.escape(option)}(?![\w-])",
                                 f"{program}: {option}")


class CompletionsTest(unittest.TestCase):
    def complete(self, *words, cwd=None):
        """What bash offers for the last of `words` (an empty word: a new one)."""
        line = " ".join(words)
        script = f"""
source /usr/share/bash-completion/bash_completion
source {PREFIX}/share/bash-completion/completions/{words[0]}
COMP_WORDS=({' '.join(repr(w) for w in words)})
COMP_CWORD={len(words) - 1}
COMP_LINE={line!r}
COMP_POINT={len(line)}
_{words[0]} {words[0]} {words[-1]!r} {words[-2]!r}
printf '%s\\n' "${{COMPREPLY[@]}}"
"""
        env = clean_environment(PATH=os.path.join(PREFIX, "bin") + ":/usr/bin:/bin")
        out = run(["bash", "-c", script], env=env, cwd=cwd).stdout
        return sorted(w for w in out.splitlines() if w)

    def setUp(self):
        self.tmp = tempfile.mkdtemp(dir=SCRATCH)
        for folder in ("src/lib", "srv", "notes"):
            os.makedirs(os.path.join(self.tmp, folder))
        open(os.path.join(self.tmp, "src.txt"), "w").close()

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def test_mvfind_completes_options_their_values_and_folders(self):
        self.assertEqual(["--error-log", "--errors"], self.complete("mvfind", "--err"))
        self.assertEqual(["--and"], self.complete("mvfind", "--an"))
        self.assertEqual(["--or"], self.complete("mvfind", "--o"))
        self.assertEqual(["dontwarn"], self.complete("mvfind", "--errors", "d"))
        self.assertEqual(["created"], self.complete("mvfind", "--date", "c"))
        self.assertEqual(["src", "srv"], self.complete("mvfind", "-s", "sr", cwd=self.tmp))
        self.assertEqual(["notes,src/lib"], self.complete("mvfind", "notes,src/l", cwd=self.tmp))

    def test_hgrep_completes_options_then_files_after_the_pattern(self):
        self.assertIn("-i", self.complete("hgrep", "-"))
        self.assertIn("--help", self.complete("hgrep", "-"))
        self.assertEqual([], self.complete("hgrep", "-n", "sr", cwd=self.tmp))
        self.assertEqual(["src", "src.txt", "srv"],
                         self.complete("hgrep", "-n", "apples", "sr", cwd=self.tmp))
        self.assertEqual([], self.complete("hgrep", "-a", "2", "sr", cwd=self.tmp))


class DebianPackageTest(unittest.TestCase):
    """The package `make package` built, as dpkg and lintian see it."""

    @classmethod
    def setUpClass(cls):
        cls.arch = run(["dpkg", "--print-architecture"]).stdout.strip()
        cls.deb = os.path.join(os.environ["MVF_TEST_PACKAGES"],
                               f"mvfinder_{VERSION}_{cls.arch}.deb")
        if not os.path.isfile(cls.deb):
            raise unittest.SkipTest(f"no package {cls.deb}: make package builds it")

    def field(self, name):
        return run(["dpkg-deb", "--field", self.deb, name]).stdout.strip()

    def test_the_control_fields_declare_what_it_needs(self):
        self.assertEqual("mvfinder", self.field("Package"))
        self.assertEqual(VERSION, self.field("Version"))
        self.assertEqual(self.arch, self.field("Architecture"))
        depends = [d.strip().split(" ")[0] for d in self.field("Depends").split(",")]
        for package in ("libc6", "libstdc++6", "libqt6core6", "libqt6gui6", "libqt6widgets6",
                        "libqt6network6", "libqt6printsupport6", "libasound2",
                        "qt6-qpa-plugins", "shared-mime-info"):
            self.assertIn(package, depends)
        self.assertIn("Morvel Vantor Finder", self.field("Description"))
        control = run(["dpkg-deb", "--info", self.deb]).stdout
        self.assertRegex(control, r"\bshlibs\b")
        self.assertRegex(control, r"\btriggers\b")
        # No maintainer script: removed, the package is gone, not left as config-files.
        self.assertNotRegex(control, r"\b(preinst|postinst|prerm|postrm)\b")

    def test_it_holds_the_installation_under_usr(self):
        listing = run(["dpkg-deb", "--contents", self.deb]).stdout
        files = set()
        for line in listing.splitlines():
            path = line.split(None, 5)[5].split(" -> ")[0]
            if not line.startswith("d"):
                files.add(os.path.relpath(path, "./usr"))
        files = {f for f in files if not re.fullmatch(
            rf"{re.escape(LIBDIR)}/cmake/mvfindgrep/mvfindgrepConfig-\w+\.cmake", f)}
        self.assertEqual(expected_files(), files)
        self.assertNotRegex(listing, r"\./(?!usr/)\S+/")

    def test_dpkg_installs_and_removes_it_in_a_scratch_root(self):
        root = tempfile.mkdtemp(dir=SCRATCH)
        try:
            admin = os.path.join(root, "var/lib/dpkg")
            for folder in ("info", "updates", "triggers"):
                os.makedirs(os.path.join(admin, folder))
            open(os.path.join(admin, "status"), "w").close()
            dpkg = ["dpkg", f"--root={root}", "--force-not-root", "--force-script-chrootless",
                    "--force-depends", "--log=/dev/null"]
            run(dpkg + ["--install", self.deb])
            env = clean_environment(LD_LIBRARY_PATH=os.path.join(root, "usr", LIBDIR))
            self.assertTrue(run([os.path.join(root, "usr/bin/mvfind"), "--help"],
                                env=env).stdout.startswith("Usage: mvfind"))
            listed = run(dpkg + ["--listfiles", "mvfinder"]).stdout.split()
            self.assertIn(f"/usr/{LIBDIR}/libmvfindgrep.so.{MAJOR}", listed)
            run(dpkg + ["--purge", "mvfinder"])
            left = {f for f in files_under(root) if not f.startswith("var/lib/dpkg/")}
            left |= {os.path.relpath(os.path.join(d, n), root)
                     for d, folders, _ in os.walk(root) for n in folders
                     if not os.path.relpath(os.path.join(d, n), root).startswith("var")}
            self.assertEqual(set(), left)
        finally:
            shutil.rmtree(root)

    def test_lintian_finds_no_error(self):
        done = run(["lintian", "--no-tag-display-limit", self.deb], check=False, timeout=900)
        self.assertNotRegex(done.stdout, r"(?m)^E:", done.stdout)
        print(done.stdout, file=sys.stderr)


if __name__ == "__main__":
    os.makedirs(SCRATCH, exist_ok=True)
    unittest.main(argv=[sys.argv[0]] + sys.argv[1:], verbosity=2)
