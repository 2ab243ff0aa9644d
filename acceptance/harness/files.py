"""What the programs left on disk: files in the scratch folders and the settings file."""

import pathlib

from . import ini
from .steps import DEFAULT_TIMEOUT, Failed


class FileState:
    """What a file was at one moment, to notice later that it changed."""

    def __init__(self, path):
        self.path = pathlib.Path(path)
        try:
            info = self.path.stat()
            self.exists, self.signature = True, (info.st_mtime_ns, info.st_size, info.st_ino)
            self.content = self.path.read_bytes()
        except FileNotFoundError:
            self.exists, self.signature, self.content = False, None, None

    def differs_from(self, other):
        return (self.exists, self.signature, self.content) != (other.exists, other.signature, other.content)


class FileSteps:
    def path(self, path):
        """A path relative to the scratch program folder, or an absolute path unchanged."""
        path = pathlib.Path(path)
        return path if path.is_absolute() else self.program_dir / path

    def file_state(self, path):
        """What the file is now (or that it is missing), for wait_file_changed."""
        return FileState(self.path(path))

    def wait_file(self, path, text=None, contains=None, timeout=DEFAULT_TIMEOUT):
        """Waits until the file exists and, if given, its text is `text` or contains
        `contains`. Returns its text."""
        target = self.path(path)
        title = f"wait for file {target.name}"
        title += f" holding {text!r}" if text is not None else ""
        title += f" containing {contains!r}" if contains is not None else ""
        with self.step(title):

            def ready():
                try:
                    content = target.read_text(errors="replace")
                except (FileNotFoundError, IsADirectoryError):
                    return None
                if (text is not None and content != text) or (contains is not None and contains not in content):
                    return None
                return [content]  # true even when the file is empty

            def seen():
                if not target.exists():
                    return f"{target} does not exist"
                return f"{target} holds {target.read_text(errors='replace')[:400]!r}"

            return self.wait_until(ready, timeout, seen)[0]

    def wait_file_changed(self, path, since, timeout=DEFAULT_TIMEOUT):
        """Waits until the file differs (created, rewritten, removed) from `since`, a
        file_state taken before; returns the new FileState."""
        target = self.path(path)
        with self.step(f"wait for file {target.name} to change"):

            def changed():
                now = FileState(target)
                return now if now.differs_from(since) else None

            return self.wait_until(changed, timeout, f"{target} did not change")

    def settings_path(self, application="Morvel Vantor Finder", organization="Korvath"):
        return self.config_home / organization / f"{application}.conf"

    def settings(self, application="Morvel Vantor Finder", organization="Korvath"):
        """Reads the program's QSettings file from the scratch config folder: an
        ini.Settings ("Group/Key" -> value; .group(name), .numbered(name))."""
        with self.step(f'read the settings of "{application}"'):
            path = self.settings_path(application, organization)
            if not path.exists():
                raise Failed(f"there is no settings file {path}")
            return ini.read(path)
