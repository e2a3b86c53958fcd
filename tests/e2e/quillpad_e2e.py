"""Drives the real quillpad program on an Xvfb server with real X11 key and mouse events (xdotool).

Each test case gets its own X server, window manager, settings folder and temporary folder, and a time
limit. A case that cannot start Xvfb fails; it never skips.
"""
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))
CASE_TIME_LIMIT = int(os.environ.get("QUILLPAD_E2E_CASE_SECONDS", "90"))
ENGLISH, POLISH = 2, 1
# The key that gives each Polish letter with AltGr.
POLISH_LETTERS = {"ą": "a", "ć": "c", "ę": "e", "ł": "l", "ń": "n", "ó": "o", "ś": "s", "ź": "x", "ż": "z"}


def program_path():
    path = os.environ.get("QUILLPAD_BIN") or os.path.join(REPO, "build", "ci", "src", "ui", "quillpad")
    if not os.access(path, os.X_OK):
        raise RuntimeError(f"quillpad is not built at {path} (set QUILLPAD_BIN)")
    return path


def wait_until(condition, timeout=10.0, what="a condition"):
    """Polls until condition() is true; returns its value or raises AssertionError naming what it waited for."""
    end = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > end:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(0.05)


class XServer:
    """An Xvfb server with a small window manager (dialogs need one to receive focus)."""

    def __init__(self, width=1024, height=768):
        for tool in ("Xvfb", "xdotool", "xclip", "openbox", "setxkbmap"):
            if shutil.which(tool) is None:
                raise RuntimeError(f"{tool} is missing: run scripts/install-deps.sh")
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{width}x{height}x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        end = time.monotonic() + 15
        while not number.endswith(b"\n"):
            if time.monotonic() > end or self.xvfb.poll() is not None:
                self.xvfb.kill()
                raise RuntimeError("Xvfb could not start")
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            self.xvfb.kill()
            raise RuntimeError("Xvfb could not start")
        self.display = ":" + number.decode().strip()
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.wm = None
        # openbox now and then exits at start when the machine is busy; a second start takes.
        for attempt in range(3):
            self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                wait_until(lambda: self.wm.poll() is not None or
                           "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK", check=False),
                           10, "the window manager")
                if self.wm.poll() is None:
                    break
            except AssertionError:
                self.wm.kill()
                self.wm.wait()
        else:
            self.close()
            raise RuntimeError("the window manager (openbox) could not start")
        # The Polish programmer's layout (set once the window manager runs, which would reset it): Polish
        # letters come with AltGr, as on a Polish user's desktop.
        self.run("setxkbmap", "pl")
        if "layout:     pl" not in self.run("setxkbmap", "-query"):
            self.close()
            raise RuntimeError("the Polish keyboard layout could not be set")

    def run(self, *args, check=True, input=None):
        result = subprocess.run(list(args), env=self.env, capture_output=True, input=input, timeout=30)
        if check and result.returncode != 0:
            raise AssertionError(f"{args[0]} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout.decode("utf-8", errors="replace")

    def close(self):
        for p in (self.wm, self.xvfb):
            if p.poll() is None:
                p.terminate()
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()


class QuillpadCase(unittest.TestCase):
    """Base class of the end-to-end cases: self.x is the X server, self.dir a temporary folder."""

    language = ENGLISH

    def setUp(self):
        signal.signal(signal.SIGALRM, self._time_is_up)
        signal.alarm(CASE_TIME_LIMIT)
        self.addCleanup(signal.alarm, 0)
        self.dir = tempfile.mkdtemp(prefix="quillpad-e2e-")
        self.addCleanup(shutil.rmtree, self.dir, True)
        self.config = os.path.join(self.dir, "config")
        os.makedirs(self.config)
        self.x = XServer()
        self.addCleanup(self.x.close)
        self.app = None

    @staticmethod
    def _time_is_up(signum, frame):
        raise AssertionError(f"the case ran over its limit of {CASE_TIME_LIMIT} s")

    # ---- files and settings -------------------------------------------------------------------------------

    def path(self, name):
        return os.path.join(self.dir, name)

    def write(self, name, data):
        p = self.path(name)
        with open(p, "wb") as f:
            f.write(data if isinstance(data, bytes) else data.encode("utf-8"))
        return p

    def read(self, name):
        with open(self.path(name), "rb") as f:
            return f.read()

    def write_settings(self, sections, base="Layout"):
        """Writes an INI file of the settings folder: {"Editor": {"WordWrap": "1"}}."""
        with open(os.path.join(self.config, base + ".ini"), "w", encoding="utf-8") as f:
            for section, values in sections.items():
                f.write(f"[{section}]\n")
                for k, v in values.items():
                    f.write(f"{k}={v}\n")

    # ---- the program ----------------------------------------------------------------------------------------

    def start(self, *args, settings=None, env=None):
        """Starts quillpad with the arguments and waits for its main window, which then has the focus.

        settings adds to the Layout settings: the interface language of the class (None leaves it unset, as
        on a first run), no tips of the day."""
        layout = {"Tips": {"ShowTips": "0"}}
        if self.language is not None:
            layout["Interface"] = {"Language": str(self.language)}
        for section, values in (settings or {}).items():
            layout.setdefault(section, {}).update(values)
        self.write_settings(layout)
        run_env = dict(self.x.env, QUILLPAD_CONFIG_DIR=self.config, HOME=self.dir,
                       XDG_CONFIG_HOME=os.path.join(self.dir, "xdg-config"),
                       XDG_DATA_HOME=os.path.join(self.dir, "xdg-data"),
                       ASAN_OPTIONS="detect_leaks=0")
        run_env.update(env or {})
        self.stderr_path = self.path("quillpad.stderr")
        self.stderr = open(self.stderr_path, "wb")
        self.addCleanup(self.stderr.close)
        self.app = subprocess.Popen([program_path(), *args], env=run_env, cwd=self.dir,
                                    stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.addCleanup(self._stop)
        self.window = self.wait_window(pid=self.app.pid)
        self.x.run("xdotool", "windowactivate", "--sync", self.window, check=False)
        self.wait_focus(self.window)
        return self.window

    def _stop(self):
        if self.app is not None and self.app.poll() is None:
            self.app.terminate()
            try:
                self.app.wait(10)
            except subprocess.TimeoutExpired:
                self.app.kill()
                self.app.wait()
        self.stderr.flush()
        with open(self.stderr_path, "rb") as f:
            err = f.read().decode(errors="replace")
        for marker in ("AddressSanitizer", "runtime error:", "LeakSanitizer"):
            if marker in err:
                raise AssertionError("quillpad reported a memory or undefined-behaviour error:\n" + err[-4000:])

    def wait_window(self, name=None, pid=None, timeout=20):
        """The id of a visible window with this title (a regular expression) or of this process."""
        args = ["xdotool", "search", "--onlyvisible"]
        args += ["--pid", str(pid)] if pid is not None else ["--name", name]

        def found():
            if self.app is not None and self.app.poll() is not None:
                raise AssertionError(f"quillpad exited with code {self.app.returncode}")
            ids = self.x.run(*args, check=False).split()
            return ids[-1] if ids else None
        return wait_until(found, timeout, f"a window {name or pid}")

    def wait_no_window(self, name, timeout=10):
        wait_until(lambda: not self.x.run("xdotool", "search", "--onlyvisible", "--name", name, check=False).split(),
                   timeout, f"window {name} to close")

    def focused_window(self):
        return self.x.run("xdotool", "getwindowfocus", check=False).strip()

    def wait_focus(self, window, timeout=10):
        wait_until(lambda: self.focused_window() == window, timeout, f"focus on window {window}")

    def window_size(self, window=None):
        geometry = self.x.run("xdotool", "getwindowgeometry", "--shell", window or self.window)
        values = dict(line.split("=", 1) for line in geometry.split())
        return int(values["WIDTH"]), int(values["HEIGHT"])

    def window_title(self, window=None):
        return self.x.run("xdotool", "getwindowname", window or self.window).strip()

    # ---- input ------------------------------------------------------------------------------------------------

    def key(self, *keys):
        """Presses each key chord in turn, in xdotool's names: "ctrl+s", "Delete", "ctrl+alt+1"."""
        self.x.run("xdotool", "key", "--delay", "40", *keys)

    def type(self, text):
        """Types the text as a user of the Polish programmer's layout does: Polish letters with AltGr.

        (xdotool's own typing of a letter missing from the plain layout remaps a spare key for it, and the
        program now and then reads the key before the new mapping, losing the letter.)"""
        plain = ""
        for ch in text:
            base = POLISH_LETTERS.get(ch.lower())
            if base is None:
                plain += ch
                continue
            if plain:
                self.x.run("xdotool", "type", "--delay", "40", plain)
                plain = ""
            self.x.run("xdotool", "key", "ISO_Level3_Shift+" + ("shift+" if ch.isupper() else "") + base)
        if plain:
            self.x.run("xdotool", "type", "--delay", "40", plain)

    def click(self, x, y, button=1, window=None):
        """Clicks at (x, y) relative to the window (the main window unless given)."""
        self.x.run("xdotool", "mousemove", "--window", window or self.window, str(x), str(y), "click", str(button))

    # ---- saving, the clipboard ---------------------------------------------------------------------------------

    def edit(self, original, *steps, settings=None, name="notes.txt"):
        """Starts on a text file holding original, sends the keys (str) or typed text (("type", s)), saves it
        and returns the saved bytes."""
        self.write(name, original)
        self.start(self.path(name), settings=settings)
        for step in steps:
            if isinstance(step, tuple):
                self.type(step[1])
            else:
                self.key(step)
        return self.save(name)

    def save(self, name, timeout=15):
        """Ctrl+S, then waits until the file changed on disk; returns its bytes."""
        p = self.path(name)
        before = os.stat(p).st_mtime_ns if os.path.exists(p) else None
        before_bytes = self.read(name) if before is not None else None
        self.key("ctrl+s")

        def changed():
            if not os.path.exists(p):
                return False
            st = os.stat(p)
            return st.st_mtime_ns != before or (before_bytes is not None and self.read(name) != before_bytes)
        wait_until(changed, timeout, f"{name} to be saved")
        time.sleep(0.1)
        return self.read(name)

    def clipboard(self, selection="clipboard"):
        return wait_until(lambda: self.x.run("xclip", "-o", "-selection", selection, check=False).encode("utf-8"),
                          10, f"text in the {selection} selection")

    def set_clipboard(self, text, selection="clipboard"):
        # xclip stays in the background to serve the text, as another program would.
        subprocess.Popen(["xclip", "-i", "-selection", selection], env=self.x.env, stdin=subprocess.PIPE,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).communicate(text.encode("utf-8"))
