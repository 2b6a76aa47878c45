"""A throw-away desktop for end-to-end tests: an Xvfb display, a private D-Bus session bus
with the accessibility bus behind it, Arcandel on the real X11 platform, and functions that
type with XTEST (xdotool) and read the accessibility tree through AT-SPI (pyatspi).

Everything waits by polling with generous limits, so a slow or busy machine only makes the
tests slower, never flaky. Nothing here is specific to one test."""

import argparse
import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

import x11_window

# Long enough for a loaded two-core machine running a sanitizer build.
DEFAULT_TIMEOUT = 60.0
POLL_INTERVAL = 0.1
APP_NAME = "Arcandel"

# Beyond ASCII, what Spanish text needs.
TYPED_CHARACTERS = "¿¡áéíóúüñÁÉÍÓÚÜÑ«»"

# Seconds between 1970-01-01 and 2001-01-01, both UTC.
REFERENCE_EPOCH = 978307200.0


class TestFailure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise TestFailure(message)


def wait_until(probe, what, timeout=DEFAULT_TIMEOUT):
    """Calls probe until it returns something truthy and returns that; fails after timeout.
    Errors raised by the probe while the program is still settling count as "not yet"."""
    deadline = time.monotonic() + timeout
    last_error = None
    while True:
        try:
            value = probe()
            if value:
                return value
        except TestFailure:
            raise
        except Exception as error:  # the tree changes under our feet; try again
            last_error = error
        if time.monotonic() > deadline:
            detail = f" (last error: {last_error!r})" if last_error else ""
            raise TestFailure(f"timed out after {timeout:.0f} s waiting for {what}{detail}")
        time.sleep(POLL_INTERVAL)


def wait_for_text(node, expected, what, timeout=DEFAULT_TIMEOUT):
    """Waits until an editable text holds exactly `expected`; a failure says what it holds."""
    seen = []

    def probe():
        seen[:] = [node.queryText().getText(0, -1)]
        return seen[0] == expected

    try:
        wait_until(probe, what, timeout)
    except TestFailure as failure:
        raise TestFailure(f"{failure}; it holds {seen[0] if seen else None!r}") from None


def parse_arguments():
    parser = argparse.ArgumentParser()
    parser.add_argument("--app", required=True, help="the arcandel executable")
    parser.add_argument("--keep", action="store_true", help="keep the temporary folder")
    return parser.parse_args()


def _stop(process, grace=10.0):
    """Ends a process we started, with its process group (a bus and what it activated)."""
    if process is None or process.poll() is not None:
        return
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        process.wait()


def _read_line_from_fd(fd, what, timeout=DEFAULT_TIMEOUT):
    deadline = time.monotonic() + timeout
    data = b""
    os.set_blocking(fd, False)
    while not data.endswith(b"\n"):
        try:
            chunk = os.read(fd, 256)
            if chunk == b"":
                raise TestFailure(f"{what} closed its pipe without answering")
            data += chunk
        except BlockingIOError:
            if time.monotonic() > deadline:
                raise TestFailure(f"timed out waiting for {what}")
            time.sleep(POLL_INTERVAL)
    return data.decode().strip()


class Desktop:
    """Xvfb plus a session bus. Use as a context manager; the environment of this process
    is pointed at them so pyatspi (imported afterwards) talks to the right buses."""

    def __init__(self, keep=False):
        self.keep = keep
        self.xvfb = None
        self.bus = None
        self.folder = tempfile.mkdtemp(prefix="arcandel-e2e-")
        self.env = None

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self):
        env = dict(os.environ)
        # Nothing of the person's own desktop may leak into the test.
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS",
                     "AT_SPI_BUS_ADDRESS", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME",
                     "XDG_SESSION_TYPE", "XDG_CURRENT_DESKTOP", "SESSION_MANAGER"):
            env.pop(name, None)
        runtime = os.path.join(self.folder, "runtime")
        os.mkdir(runtime, 0o700)
        env["XDG_RUNTIME_DIR"] = runtime
        env["HOME"] = os.path.join(self.folder, "home")
        os.mkdir(env["HOME"])
        env["XDG_CONFIG_HOME"] = os.path.join(env["HOME"], ".config")
        env["XDG_DATA_HOME"] = os.path.join(env["HOME"], ".local", "share")
        env["XDG_CACHE_HOME"] = os.path.join(env["HOME"], ".cache")
        env["LANG"] = env["LC_ALL"] = "C.UTF-8"

        # Xvfb picks a free display itself and writes its number to the pipe.
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1600x1000x24",
             "-nolisten", "tcp", "-noreset", "+extension", "XTEST"],
            pass_fds=(write_fd,), env=env, start_new_session=True,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        try:
            display = _read_line_from_fd(read_fd, "Xvfb")
        finally:
            os.close(read_fd)
        env["DISPLAY"] = ":" + display

        read_fd, write_fd = os.pipe()
        self.bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile",
             f"--print-address={write_fd}"],
            pass_fds=(write_fd,), env=env, start_new_session=True,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        try:
            env["DBUS_SESSION_BUS_ADDRESS"] = _read_line_from_fd(read_fd, "dbus-daemon")
        finally:
            os.close(read_fd)

        # Every character the tests type, ready on the keyboard before the program starts.
        x11_window.add_keys_for(env["DISPLAY"], TYPED_CHARACTERS)

        self.env = env
        os.environ.clear()
        os.environ.update(env)

    def __exit__(self, *exc):
        _stop(self.bus)
        _stop(self.xvfb)
        if not self.keep:
            subprocess.run(["rm", "-rf", "--", self.folder], check=False)
        return False

    def path(self, *parts):
        return os.path.join(self.folder, *parts)


class App:
    """One run of Arcandel on the X11 platform of a Desktop."""

    def __init__(self, desktop, executable, arguments, cwd=None):
        env = dict(desktop.env)
        env["QT_QPA_PLATFORM"] = "xcb"
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        # A sanitizer build must not fail on leaks inside the X and D-Bus client libraries.
        source = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        env.setdefault("LSAN_OPTIONS", "suppressions=" + os.path.join(source, "lsan.supp"))
        self.log_path = desktop.path(f"arcandel-{time.monotonic_ns()}.log")
        self.log = open(self.log_path, "wb")
        self.process = subprocess.Popen([executable] + arguments, env=env,
                                        cwd=cwd or desktop.folder, stdout=self.log,
                                        stderr=subprocess.STDOUT, start_new_session=True)
        self.env = env
        self._accessible = None

    def output(self):
        if not self.log.closed:
            self.log.flush()
        with open(self.log_path, "rb") as log:
            return log.read().decode(errors="replace")

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=DEFAULT_TIMEOUT):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise TestFailure(f"Arcandel did not quit within {timeout:.0f} s")

    def stop(self):
        _stop(self.process)
        self.log.close()

    # X11 ------------------------------------------------------------------------------

    def xdotool(self, *arguments):
        """Runs xdotool on this desktop's display; any failure but an empty search is fatal."""
        result = subprocess.run(["xdotool", *arguments], env=self.env, capture_output=True,
                                text=True, timeout=DEFAULT_TIMEOUT)
        if result.returncode != 0 and not (arguments[0] == "search" and not result.stderr):
            raise TestFailure(f"xdotool {' '.join(arguments)} failed: {result.stderr.strip()}")
        return result.stdout

    def key(self, *keys):
        """Presses keys through XTEST, so they reach the focused window like real typing."""
        self.xdotool("key", "--clearmodifiers", "--delay", "60", *keys)

    def type(self, text):
        self.xdotool("type", "--clearmodifiers", "--delay", "40", text)

    # AT-SPI ---------------------------------------------------------------------------

    def accessible(self, timeout=DEFAULT_TIMEOUT):
        """The program's accessible application object, once it has registered."""
        import pyatspi

        def probe():
            check(self.running(), "Arcandel ended early:\n" + self.output())
            desktop = pyatspi.Registry.getDesktop(0)
            for index in range(desktop.childCount):
                child = desktop.getChildAtIndex(index)
                if child is not None and child.get_process_id() == self.process.pid:
                    return child
            return None

        if self._accessible is None:
            self._accessible = wait_until(probe, "Arcandel on the accessibility bus", timeout)
        return self._accessible

    def nodes(self):
        """Every object of the accessibility tree, read afresh (no cached names or states)."""
        root = self.accessible()
        root.clear_cache()
        found = []
        stack = [root]
        while stack:
            node = stack.pop()
            found.append(node)
            for index in range(node.childCount - 1, -1, -1):
                child = node.getChildAtIndex(index)
                if child is not None:
                    stack.append(child)
        return found

    def find_all(self, role=None, name=None, showing=True):
        import pyatspi
        result = []
        for node in self.nodes():
            if role is not None and node.getRole() != role:
                continue
            if name is not None and not _name_matches(node.name, name):
                continue
            if showing and not node.getState().contains(pyatspi.STATE_SHOWING):
                continue
            result.append(node)
        return result

    def wait_for(self, what, role=None, name=None, timeout=DEFAULT_TIMEOUT, showing=True):
        return wait_until(lambda: self.find_all(role, name, showing), what, timeout)

    def focused_nodes(self):
        """The objects that report keyboard focus. Qt also marks the current row of a list
        that does not have the focus, so this is a list, not one object."""
        import pyatspi
        return [node for node in self.nodes()
                if node.getState().contains(pyatspi.STATE_FOCUSED)]

    def tab_to(self, what, predicate, limit=60, backwards=False):
        """Presses Tab (or Shift+Tab) until a focused object satisfies predicate; returns it."""
        for _ in range(limit):
            before = self.focused_nodes()
            for node in before:
                if predicate(node):
                    return node
            self.key("shift+Tab" if backwards else "Tab")
            # Let the focus move before looking again.
            wait_until(lambda: _paths(self.focused_nodes()) != _paths(before),
                       f"the focus to move on the way to {what}", 20)
        raise TestFailure(f"{what} never took the keyboard focus within {limit} presses")

    def top_level(self, title, role=None):
        """The accessible window with this title (and role), if it is shown."""
        import pyatspi
        root = self.accessible()
        root.clear_cache()
        for index in range(root.childCount):
            window = root.getChildAtIndex(index)
            if window is None or window.name != title:
                continue
            if role is not None and window.getRole() != role:
                continue
            if window.getState().contains(pyatspi.STATE_SHOWING):
                return window
        return None

    def x_window_of(self, window):
        """The X11 window that shows an accessible top-level window: the same title and size
        (a message box may share the main window's title)."""
        import pyatspi
        extents = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        pattern = "^" + re.sub(r"([][.^$*+?(){}|\\])", r"\\\1", window.name) + "$"
        candidates = [int(w) for w in self.xdotool(
            "search", "--onlyvisible", "--pid", str(self.process.pid), "--name",
            pattern).split()]
        for candidate in candidates:
            geometry = dict(line.split("=", 1) for line in self.xdotool(
                "getwindowgeometry", "--shell", str(candidate)).split())
            if (int(geometry["WIDTH"]), int(geometry["HEIGHT"])) == (extents.width,
                                                                      extents.height):
                return candidate
        return None

    def activate(self, title, role=None):
        """Makes sure the window with this title is the active one, so that typed keys reach
        it, and returns its accessible object. Xvfb runs no window manager: nobody hands the
        focus to a new dialog or back to the window below a closed one, so the harness does
        what a window manager would do."""
        import pyatspi
        window = wait_until(lambda: self.top_level(title, role), f"the window {title!r}")

        def active():
            self.accessible().clear_cache()
            return window.getState().contains(pyatspi.STATE_ACTIVE)

        try:
            wait_until(active, f"{title!r} to become active", 1)
        except TestFailure:
            x_window = wait_until(lambda: self.x_window_of(window), f"the X window of {title!r}")
            self.xdotool("windowfocus", "--sync", str(x_window))
            wait_until(active, f"{title!r} to become active")
        return window


def _paths(nodes):
    return [node.path for node in nodes]


def _name_matches(actual, wanted):
    if callable(wanted):
        return wanted(actual)
    return actual == wanted


def state_file_json(path):
    with open(path, "rb") as handle:
        raw = handle.read()
    return raw, json.loads(raw.decode("utf-8"))


def run(test):
    """Runs test(desktop, arguments) and turns failures into a clear message and exit code."""
    arguments = parse_arguments()
    started = time.monotonic()
    try:
        with Desktop(keep=arguments.keep) as desktop:
            test(desktop, arguments)
    except TestFailure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        sys.exit(1)
    print(f"PASS in {time.monotonic() - started:.1f} s")
