"""Screenshots of the screen or of one window, taken once the picture has settled."""

import re
import subprocess
import time

from .steps import Failed

# Toolkits paint after they have shown a window: two equal pictures in a row mean the
# painting is done. A picture that keeps changing (an animated tray icon) is taken after
# this long anyway.
SETTLE_BUDGET = 1.0
_SETTLE_INTERVAL = 0.05


def slug(name):
    return re.sub(r"[^a-z0-9]+", "-", name.lower()).strip("-") or "shot"


class ScreenshotSteps:
    def screenshot(self, name, window=None):
        """Saves the screen (or one window) as <output>/<nn>-<name>.png once the picture
        has stopped changing, and returns the path."""
        with self.step(f"screenshot {name}"):
            return self.take_screenshot(f"{self.step_number:02d}-{slug(name)}.png", window)

    def picture_digest(self, window):
        """A short digest of what a Window or TrayIcon shows now (None when it is not
        viewable), to tell its pictures apart: an animation, a greyed icon."""
        return self.x.picture_digest(window.id)

    def take_screenshot(self, file_name, window=None):
        target = window.id if window is not None else self.x.root
        self._wait_picture_settled(target)
        path = self.output_dir / file_name
        result = subprocess.run(
            ["import", "-silent", "-window", f"0x{target:x}" if window else "root", str(path)],
            env=self.env,
            capture_output=True,
            text=True,
            timeout=30,
        )
        if result.returncode != 0:
            raise Failed(f"import could not take the screenshot: {result.stderr.strip()}")
        return path

    def _wait_picture_settled(self, target):
        deadline = time.monotonic() + SETTLE_BUDGET
        previous = self.x.picture_digest(target)
        while time.monotonic() < deadline:
            time.sleep(_SETTLE_INTERVAL)
            current = self.x.picture_digest(target)
            if current == previous:
                return
            previous = current
