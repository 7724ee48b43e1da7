"""A screen reader's view of the game on the test's desktop: a private D-Bus
session bus with the accessibility bus of at-spi2-core, the game's
accessible tree read through pyatspi, and the focus and name-change events
recorded as a screen reader hears them.

Every wait is on a condition with a deadline; everything started here is
stopped again."""

import os
import shutil
import subprocess
import tempfile

from kalmora_desktop import HarnessError, stop_processes, wait_until

BUS_LAUNCHER_PATHS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")


class BusUnavailable(Exception):
    """The accessibility bus cannot start here; the test is skipped."""


def bus_launcher():
    for path in BUS_LAUNCHER_PATHS:
        if os.access(path, os.X_OK):
            return path
    return None


class AccessibilityBus:
    """A session bus and, on it, the accessibility bus with the registry,
    accessibility switched on as a screen reader switches it on. The
    session bus address goes into this process's environment, so programs
    started afterwards (and pyatspi) use it; use as a context manager."""

    def __init__(self, desktop):
        self.desktop = desktop
        self._processes = []
        self._log = tempfile.TemporaryFile()
        self._saved = {}

    def __enter__(self):
        if shutil.which("dbus-daemon") is None or bus_launcher() is None:
            raise BusUnavailable("dbus-daemon or at-spi-bus-launcher (at-spi2-core) is not installed")
        try:
            self._start_session_bus()
            self._start_accessibility_bus()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def _set_env(self, name, value):
        self._saved.setdefault(name, os.environ.get(name))
        os.environ[name] = value

    def _start_session_bus(self):
        read_end, write_end = os.pipe()
        bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile",
             "--print-address=%d" % write_end],
            pass_fds=(write_end,), stdout=self._log, stderr=self._log)
        self._processes.append(bus)
        os.close(write_end)
        with os.fdopen(read_end) as out:
            address = out.readline().strip()
        if not address:
            raise BusUnavailable("the session bus did not start")
        self._set_env("DBUS_SESSION_BUS_ADDRESS", address)
        self._set_env("DISPLAY", self.desktop.display)
        # The accessibility bus is found through the session bus, not a
        # desktop-wide property left by another session.
        os.environ.pop("AT_SPI_BUS_ADDRESS", None)

    def _start_accessibility_bus(self):
        self._processes.append(subprocess.Popen(
            [bus_launcher(), "--launch-immediately"], stdout=self._log, stderr=self._log))
        try:
            wait_until(lambda: self._gdbus("call", "--method", "org.a11y.Bus.GetAddress"), 10,
                       "the accessibility bus")
        except HarnessError as error:
            raise BusUnavailable(str(error)) from None
        # What a screen reader sets when it starts: toolkits switch their bridges on.
        self._gdbus("call", "--method", "org.freedesktop.DBus.Properties.Set",
                    "org.a11y.Status", "IsEnabled", "<true>", check=True)
        self._gdbus("call", "--method", "org.freedesktop.DBus.Properties.Set",
                    "org.a11y.Status", "ScreenReaderEnabled", "<true>", check=True)

    def _gdbus(self, *args, check=False):
        result = subprocess.run(
            ["gdbus", args[0], "--session", "--dest", "org.a11y.Bus", "--object-path",
             "/org/a11y/bus"] + list(args[1:]), capture_output=True, timeout=10)
        if check and result.returncode != 0:
            raise HarnessError("gdbus failed: " + result.stderr.decode(errors="replace"))
        return result.returncode == 0

    def stop(self):
        stop_processes(self._processes)
        self._processes = []
        for name, value in self._saved.items():
            if value is None:
                os.environ.pop(name, None)
            else:
                os.environ[name] = value
        self._saved = {}
        if not self._log.closed:
            self._log.close()


class ScreenReader:
    """Reads the accessible tree through pyatspi and hears its events: the
    object the focus goes to, and the objects whose names change."""

    def __init__(self):
        # Imported only now: it connects to the session bus set up above.
        import pyatspi
        from gi.repository import GLib
        self.pyatspi = pyatspi
        self._context = GLib.MainContext.default()
        self.focus_events = []
        self.name_events = []
        pyatspi.Registry.registerEventListener(self._on_focus, "object:state-changed:focused")
        pyatspi.Registry.registerEventListener(self._on_name, "object:property-change:accessible-name")

    def close(self):
        self.pyatspi.Registry.deregisterEventListener(self._on_focus, "object:state-changed:focused")
        self.pyatspi.Registry.deregisterEventListener(self._on_name, "object:property-change:accessible-name")

    def _on_focus(self, event):
        if event.detail1 == 1:
            self.focus_events.append(event.source)

    def _on_name(self, event):
        self.name_events.append(event.source)

    def pump(self):
        """Delivers the events that have arrived."""
        while self._context.iteration(False):
            pass

    def application(self, name, timeout=20):
        def found():
            desktop = self.pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                if app is not None and app.name == name and app.childCount > 0:
                    return app
            return None
        return wait_until(found, timeout, "the application '%s' on the accessibility bus" % name)

    def find(self, root, role, name=None, timeout=10):
        """The first object under root (depth first) with the role name and,
        when given, the accessible name."""
        def search(node):
            for i in range(node.childCount):
                child = node.getChildAtIndex(i)
                if child is None:
                    continue
                if child.getRoleName() == role and (name is None or child.name == name):
                    return child
                below = search(child)
                if below is not None:
                    return below
            return None
        return wait_until(lambda: search(root), timeout,
                          "a %s named %r" % (role, name) if name else "a " + role)

    def states(self, accessible):
        return {self.pyatspi.stateToString(s) for s in accessible.getState().getStates()}

    def wait_for(self, condition, what, timeout=10):
        """Waits until condition holds, with the events heard meanwhile taken
        in: they bring the client's cache of names and descriptions up to date."""
        def holds():
            self.pump()
            return condition()
        return wait_until(holds, timeout, what)

    def wait_focus(self, condition, what, timeout=10):
        """The object the focus went to last, once it fulfils condition."""
        def heard():
            self.pump()
            if self.focus_events and condition(self.focus_events[-1]):
                return self.focus_events[-1]
            return None
        return wait_until(heard, timeout, what)

    def wait_name(self, accessible, name, timeout=10):
        """Waits until a name change of the object is heard and it reads name."""
        def heard():
            self.pump()
            return any(_same(source, accessible) for source in self.name_events) and \
                accessible.name == name
        wait_until(heard, timeout, "%r to be announced" % name)

    def extents(self, accessible):
        return accessible.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)

    def click(self, desktop, accessible):
        """A left click in the middle of the object, where the object says it
        lies, as a screen reader's review cursor routes the pointer there.
        (The registry's own event synthesis loses clicks now and then on a
        busy machine; the X server's test extension does not.)"""
        box = self.extents(accessible)
        desktop.xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 2, "click", 1)

    def do_action(self, accessible, name):
        action = accessible.queryAction()
        for i in range(action.nActions):
            if action.getName(i) == name:
                return action.doAction(i)
        raise HarnessError("%r offers no action %r" % (accessible.name, name))


def _same(a, b):
    try:
        return a == b or (a.path == b.path and a.app.name == b.app.name)
    except Exception:
        return False
