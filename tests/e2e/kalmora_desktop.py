"""Support for the end-to-end tests: a real X server (Xvfb) with a real window
manager (openbox), the game started as a separate process, driven from
outside with X input (xdotool) and looked at through screenshots (import).

Every wait is on a condition with a deadline; everything started here is
stopped again, also when a test fails."""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

LSAN_SUPPRESSIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                 "lsan-suppressions.txt")
SCREEN_WIDTH = 1280
SCREEN_HEIGHT = 1024


class HarnessError(AssertionError):
    pass


def wait_until(condition, timeout, what, interval=0.02):
    """Polls `condition` until it gives a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise HarnessError("timed out waiting for " + what)
        time.sleep(interval)


def stop_processes(processes):
    """Ends started programs, the last started first: terminated, and killed
    when they do not end within five seconds."""
    for process in reversed(processes):
        if process.poll() is None:
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


class Image:
    """A screenshot as RGB triples, read from a binary PPM."""

    def __init__(self, ppm):
        fields = []
        position = 0
        while len(fields) < 4:
            while ppm[position:position + 1].isspace():
                position += 1
            if ppm[position:position + 1] == b"#":
                position = ppm.index(b"\n", position)
                continue
            end = position
            while not ppm[end:end + 1].isspace():
                end += 1
            fields.append(ppm[position:end])
            position = end
        if fields[0] != b"P6" or fields[3] != b"255":
            raise HarnessError("unexpected screenshot format")
        self.width = int(fields[1])
        self.height = int(fields[2])
        self._pixels = ppm[position + 1:]

    def pixel(self, x, y):
        offset = 3 * (y * self.width + x)
        return tuple(self._pixels[offset:offset + 3])

    def crop(self, left, top, right, bottom):
        """The rectangle [left, right) x [top, bottom) as an image of its own."""
        rows = b"".join(self._pixels[3 * (y * self.width + left):3 * (y * self.width + right)]
                        for y in range(top, bottom))
        return Image(b"P6 %d %d 255\n" % (right - left, bottom - top) + rows)

    def count(self, colour, left, top, right, bottom):
        """Pixels of exactly `colour` in the rectangle [left, right) x [top, bottom)."""
        return self.count_where(lambda pixel: pixel == colour, left, top, right, bottom)

    def count_where(self, predicate, left, top, right, bottom):
        return sum(1 for y in range(top, bottom) for x in range(left, right)
                   if predicate(self.pixel(x, y)))


class Desktop:
    """Xvfb on a free display with openbox, or with no window manager at all;
    use as a context manager. With a `scale`, the programs started on it draw
    at that Qt scale factor."""

    def __init__(self, width=SCREEN_WIDTH, height=SCREEN_HEIGHT, window_manager=True,
                 scale=None):
        self.width = width
        self.height = height
        self.window_manager = window_manager
        self.scale = scale
        self.display = None
        self._processes = []
        self._log = tempfile.TemporaryFile()

    def __enter__(self):
        try:
            self._start_server()
            if self.window_manager:
                self._start_window_manager()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def _start_server(self):
        read_end, write_end = os.pipe()
        screen = "%dx%dx24" % (self.width, self.height)
        server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=self._log, stderr=self._log)
        self._processes.append(server)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise HarnessError("Xvfb did not start")
        self.display = ":" + number

    def _start_window_manager(self):
        # Openbox runs the start-up command once it has finished starting; a
        # window mapped before that may never be managed.
        ready = tempfile.mktemp(prefix="kalmora-e2e-wm-ready-")
        self._processes.append(subprocess.Popen(
            ["openbox", "--sm-disable", "--startup", "touch " + ready], env=self.env(),
            stdout=self._log, stderr=self._log))
        try:
            wait_until(lambda: os.path.exists(ready), 10, "the window manager")
            wait_until(lambda: "window id" in self.run(
                ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False),
                10, "the window manager's check window")
        finally:
            if os.path.exists(ready):
                os.remove(ready)

    def env(self, **extra):
        env = dict(os.environ)
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("QT_SCALE_FACTOR", None)
        if self.scale is not None:
            env["QT_SCALE_FACTOR"] = str(self.scale)
        env["DISPLAY"] = self.display
        env.update(extra)
        return env

    def run(self, args, check=True, timeout=10):
        """Runs an X client to its end and gives its output."""
        result = subprocess.run(args, env=self.env(), capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise HarnessError("%s failed: %s" % (args[0], result.stderr.decode(errors="replace")))
        return result.stdout.decode(errors="replace")

    def xdotool(self, *args, check=True):
        return self.run(["xdotool"] + [str(a) for a in args], check=check)

    def windows(self, title, pid=None):
        """Visible windows whose title matches the regular expression `title`
        whole, of the process `pid` when given."""
        owner = ["--all", "--pid", str(pid)] if pid is not None else []
        out = self.xdotool("search", "--onlyvisible", *owner, "--name", "^%s$" % title,
                           check=False)
        return [int(w) for w in out.split()]

    def wait_window(self, title, timeout=15, pid=None):
        return wait_until(lambda: self.windows(title, pid), timeout,
                          "a window '%s'" % title)[0]

    def wait_window_gone(self, title, timeout=10):
        wait_until(lambda: not self.windows(title), timeout, "window '%s' to close" % title)

    def focused_window(self):
        """The window that has the keyboard focus of the X server."""
        return int(self.xdotool("getwindowfocus", check=False).strip() or 0)

    def root_windows(self, name):
        """The windows a list property of the root window names, such as the
        window manager's _NET_CLIENT_LIST_STACKING (bottom to top)."""
        out = self.run(["xprop", "-root", name], check=False)
        return [int(w, 16) for w in re.findall(r"0x[0-9a-f]+", out.split("#", 1)[-1])]

    def drag(self, start, end, button=1):
        """Presses at `start` on the screen, moves in steps and releases at `end`."""
        self.xdotool("mousemove", *start, "sleep", 0.05, "mousedown", button)
        steps = 5
        for step in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * step // steps
            y = start[1] + (end[1] - start[1]) * step // steps
            self.xdotool("mousemove", x, y, "sleep", 0.03)
        self.xdotool("mouseup", button)

    def stop(self):
        stop_processes(self._processes)
        self._processes = []
        self._log.close()


class Window:
    """A top-level window on the desktop, seen from outside."""

    def __init__(self, desktop, window_id):
        self.desktop = desktop
        self.id = window_id

    def geometry(self):
        """Client area of the X window: x, y, width, height on the screen."""
        out = self.desktop.xdotool("getwindowgeometry", "--shell", self.id)
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def frame_extents(self):
        """Left, right, top, bottom of the decoration the window manager adds."""
        out = self.desktop.run(["xprop", "-id", str(self.id), "_NET_FRAME_EXTENTS"])
        if "=" not in out:
            return (0, 0, 0, 0)
        return tuple(int(v) for v in out.split("=", 1)[1].split(","))

    def outer(self):
        """The whole window with its decoration: left, top, width, height."""
        x, y, width, height = self.geometry()
        left, right, top, bottom = self.frame_extents()
        return (x - left, y - top, width + left + right, height + top + bottom)

    def title(self):
        return self.desktop.xdotool("getwindowname", self.id).strip()

    def origin(self):
        """Where the X server has the window's client area on the screen."""
        out = self.desktop.run(["xwininfo", "-id", str(self.id)])
        return tuple(int(re.search(r"Absolute upper-left %s:\s+(-?\d+)" % axis, out).group(1))
                     for axis in "XY")

    def property(self, name):
        """A property of the window as xprop shows it ("NAME(TYPE) = value")."""
        return self.desktop.run(["xprop", "-id", str(self.id), name]).strip()

    def activate(self):
        self.desktop.xdotool("windowactivate", "--sync", self.id, check=False)
        wait_until(lambda: self.desktop.xdotool("getactivewindow", check=False).strip()
                   == str(self.id), 5, "the window to become active")

    def key(self, *keys):
        """Keys as the X server sends them to the active window (XTest)."""
        self.activate()
        self.desktop.xdotool("key", "--delay", 20, *keys)

    def click(self, x, y, button=1):
        """A real click at (x, y) of the window's X client area."""
        self.activate()
        self.desktop.xdotool("mousemove", "--window", self.id, x, y, "click", button)

    def move(self, x, y):
        self.desktop.xdotool("windowmove", "--sync", self.id, x, y, check=False)

    def resize(self, width, height, sync=True):
        """Asks for a size; with `sync`, waits until the window has it."""
        wait = ["--sync"] if sync else []
        self.desktop.xdotool("windowsize", *wait, self.id, width, height, check=False)

    def maximize(self):
        """Asks the window manager to maximise the window, as its title bar button does."""
        self.desktop.run(["wmctrl", "-i", "-r", str(self.id), "-b",
                          "add,maximized_vert,maximized_horz"])

    def state(self):
        return self.desktop.run(["xprop", "-id", str(self.id), "_NET_WM_STATE"])

    def window_manager_done(self):
        """Waits until the window manager has dealt with every request made of
        it so far: it takes them in order, so a state asked for now shows only
        once the earlier requests are done."""
        marker = ["wmctrl", "-i", "-r", str(self.id), "-b"]
        self.desktop.run(marker + ["add,skip_pager"])
        wait_until(lambda: "SKIP_PAGER" in self.state(), 5, "the window manager")
        self.desktop.run(marker + ["remove,skip_pager"])
        wait_until(lambda: "SKIP_PAGER" not in self.state(), 5, "the window manager")

    def is_painted(self):
        """True once the window shows more than the black of an unpainted one."""
        try:
            image = self.grab()
        except subprocess.CalledProcessError:
            return False
        step = 7
        samples = [image.pixel(x, y) for y in range(0, image.height, step)
                   for x in range(0, image.width, step)]
        return sum(1 for p in samples if p != BLACK) > len(samples) * 3 // 4

    def grab(self):
        ppm = subprocess.run(["import", "-window", str(self.id), "-depth", "8", "ppm:-"], env=self.desktop.env(),
                             capture_output=True, timeout=10, check=True).stdout
        return Image(ppm)


class Program:
    """A program started on the desktop with its own LOCALAPPDATA."""

    def __init__(self, desktop, executable, data_root, config_home=None, user=None):
        self.desktop = desktop
        self.data_root = data_root
        command = [executable]
        if user is not None:
            command = ["setpriv", "--reuid=%d" % user, "--regid=%d" % user, "--clear-groups",
                       "--"] + command
        self.log = tempfile.TemporaryFile()
        # A sanitizer build keeps quiet about the suppressions it used, so the
        # program's output holds only what the program itself printed.
        env = desktop.env(LOCALAPPDATA=data_root,
                          LSAN_OPTIONS="print_suppressions=0:suppressions=" + LSAN_SUPPRESSIONS)
        if config_home is not None:
            # The toolkit keeps settings (a file dialog's last folder) and
            # runtime files there: each run starts from none.
            env.update(XDG_CONFIG_HOME=config_home, XDG_RUNTIME_DIR=config_home)
        self.process = subprocess.Popen(command, env=env, stdout=self.log, stderr=self.log)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()
        self.log.close()

    def output(self):
        """What the program wrote to its standard output and error so far."""
        if self.log.closed:
            return ""
        self.log.seek(0)
        return self.log.read().decode(errors="replace")

    def wait_exit(self, timeout=10):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError("the program did not exit") from None

    def signal(self, number):
        self.process.send_signal(number)

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class DataRoot:
    """A temporary folder used as LOCALAPPDATA and another one for the
    toolkit's settings, removed afterwards."""

    def __init__(self):
        self.path = tempfile.mkdtemp(prefix="kalmora-e2e-")
        self.config = tempfile.mkdtemp(prefix="kalmora-e2e-config-")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        shutil.rmtree(self.path, ignore_errors=True)
        shutil.rmtree(self.config, ignore_errors=True)

    def file(self, name):
        return os.path.join(self.path, "Kalmora", name)


class WestonUnavailable(Exception):
    pass


class Compositor:
    """The Weston compositor on one of its backends, its socket and settings
    in a runtime folder of its own. Its --debug lets weston-screenshooter in,
    which is how the programs on it are looked at."""

    def __init__(self, backend, width, height, env):
        if shutil.which("weston") is None:
            raise WestonUnavailable("weston is not installed")
        self.width = width
        self.height = height
        self.runtime = tempfile.mkdtemp(prefix="kalmora-e2e-wayland-")
        self.socket = os.path.join(self.runtime, "wayland-kalmora")
        self._log = tempfile.TemporaryFile()
        config = os.path.join(self.runtime, "weston.ini")
        with open(config, "w") as out:
            # No panel (its launchers would take clicks) and no screen lock.
            out.write("[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n"
                      "background-color=0xff405060\n")
        self._process = subprocess.Popen(
            ["weston", "--backend=" + backend, "--use-pixman", "--config=" + config,
             "--socket=" + os.path.basename(self.socket), "--width=%d" % width,
             "--height=%d" % height, "--debug"],
            env=dict(env, XDG_RUNTIME_DIR=self.runtime), cwd=self.runtime,
            stdout=self._log, stderr=self._log)
        try:
            wait_until(lambda: os.path.exists(self.socket) or self._process.poll() is not None,
                       10, "Weston's socket")
            if self._process.poll() is not None:
                raise HarnessError("weston exited")
        except HarnessError as error:
            reason = "%s: %s" % (error, self.log()[-1000:])
            self.stop()
            raise WestonUnavailable(reason) from None

    def log(self):
        self._log.seek(0)
        return self._log.read().decode(errors="replace")

    def env(self, **extra):
        """The environment of a Qt program on this Wayland desktop, not on X."""
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.update(QT_QPA_PLATFORM="wayland", WAYLAND_DISPLAY=self.socket,
                   XDG_RUNTIME_DIR=self.runtime)
        env.update(extra)
        return env

    def screenshot(self):
        """The output as weston-screenshooter takes it."""
        folder = tempfile.mkdtemp(dir=self.runtime)
        try:
            subprocess.run(["weston-screenshooter"], env=self.env(), cwd=folder,
                           capture_output=True, timeout=10, check=True)
            png = os.path.join(folder, os.listdir(folder)[0])
            return Image(subprocess.run(["convert", png, "-depth", "8", "ppm:-"],
                                        capture_output=True, timeout=10, check=True).stdout)
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def stop(self):
        stop_processes([self._process])
        self._log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


class HeadlessWeston(Compositor):
    """A Wayland desktop with no X server: Weston's headless backend keeps its
    output in memory and has no seat, so nothing can be typed or clicked on
    it; it is only looked at."""

    def __init__(self, width=1024, height=768):
        env = dict(os.environ)
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            env.pop(name, None)
        super().__init__("headless-backend.so", width, height, env)


class Weston(Compositor):
    """A Wayland desktop: the Weston compositor with its output in a window of
    an X server that has no window manager, so that X input (xdotool) reaches
    the Wayland programs through the compositor's keyboard and pointer. The
    output lies in the X screen's top-left corner, so output and screen
    coordinates are the same; the screen is larger, which lets the pointer
    leave the output and enter it again where it is put."""

    def __init__(self, desktop, width=1024, height=768):
        if desktop.window_manager or desktop.width <= width or desktop.height <= height:
            raise HarnessError("Weston needs a larger X screen without a window manager")
        self.desktop = desktop
        super().__init__("x11-backend.so", width, height, desktop.env())
        try:
            # "x11 output 1024x768, window id 2097157"
            self.output = int(re.search(r"x11 output .*window id (\d+)", self.log()).group(1))
            # The keys go where the X server has its focus.
            desktop.xdotool("windowfocus", "--sync", self.output)
        except BaseException:
            self.stop()
            raise

    def click(self, x, y):
        """A click at (x, y) of the output; the pointer then waits in a corner."""
        self.desktop.xdotool("mousemove", self.desktop.width - 1, self.desktop.height - 1,
                             "mousemove", x, y, "click", 1,
                             "mousemove", self.width - 2, self.height - 2)

    def key(self, *keys):
        self.desktop.xdotool("key", "--delay", 20, *keys)

    def type(self, text):
        self.desktop.xdotool("type", "--delay", 20, text)


def executable(name):
    """The path of a built program, from the environment ctest sets."""
    path = os.environ.get(name)
    if not path or not os.access(path, os.X_OK):
        raise HarnessError("%s does not name a built program" % name)
    return path


def terminate(program, timeout=10):
    program.signal(signal.SIGTERM)
    return program.wait_exit(timeout)


# Where the menu bar's "File" and "Game" lie in the window, at the top left.
FILE_MENU_X = 20
GAME_MENU_X = 55

# Colours of the board.
BLACK = (0, 0, 0)
CELL = (255, 255, 240)
ENTERED_DIGIT = (0, 0, 240)
GIVEN_DIGIT = (0, 0, 0)


class Board:
    """Where the board lies in a screenshot of the game's window, found by its
    black border, and what its cells show."""

    def __init__(self, image):
        self.image = image
        self.left, self.top, self.right, self.bottom = self._find(image)
        self.cell_width = (self.right - self.left) / 9
        self.cell_height = (self.bottom - self.top) / 9
        self._check_border()

    def _check_border(self):
        """A screenshot taken while a closed dialog or menu still lingers on
        the board (the game has not repainted the uncovered part yet) shows a
        broken border: such a board is refused, so callers take another."""
        if self.right - self.left != self.bottom - self.top:
            raise HarnessError("the board is not square: a part of it is covered")
        for k in range(10):
            x = self.left + 1 + k * (self.right - self.left - 2) // 9
            y = self.top + 1 + k * (self.bottom - self.top - 2) // 9
            for pixel in ((x, self.top + 1), (x, self.bottom - 1), (self.left + 1, y),
                          (self.right - 1, y)):
                if self.image.pixel(*pixel) != BLACK:
                    raise HarnessError("the board's border is broken at %s" % (pixel,))

    @staticmethod
    def _find(image):
        middle = image.height // 2
        left = next((x for x in range(image.width // 2) if image.pixel(x, middle) == BLACK), None)
        if left is None:
            raise HarnessError("no board in the window")
        x = left + 1
        top = middle
        while top > 0 and image.pixel(x, top - 1) == BLACK:
            top -= 1
        bottom = middle
        while bottom + 1 < image.height and image.pixel(x, bottom + 1) == BLACK:
            bottom += 1
        right = left
        while right + 1 < image.width and image.pixel(right + 1, top + 1) == BLACK:
            right += 1
        return left, top, right, bottom

    def centre(self, column, row):
        """Window coordinates of the middle of cell (column, row), 1-based."""
        return (int(self.left + (column - 0.5) * self.cell_width),
                int(self.top + (row - 0.5) * self.cell_height))

    def inner(self, column, row):
        """The middle half of a cell, clear of the selection frame."""
        x, y = self.centre(column, row)
        half_width = int(self.cell_width / 4)
        half_height = int(self.cell_height / 4)
        return x - half_width, y - half_height, x + half_width, y + half_height

    def count(self, column, row, colour):
        return self.image.count(colour, *self.inner(column, row))

    def hint_slot(self, digit):
        """Window coordinates of the middle of the hint strip's slot for `digit`,
        which lies one cell high, 12 pixels below the board."""
        return (int(self.left + (digit - 0.5) * self.cell_width),
                int(self.bottom + 12 + self.cell_height / 2))

    def marks(self, column, row):
        """Pixels of the (small, smoothed) red marks over the whole cell."""
        x, y = self.centre(column, row)
        half_width = int(self.cell_width / 2) - 3
        half_height = int(self.cell_height / 2) - 3
        def reddish(pixel):
            return pixel[0] - pixel[1] > 60 and pixel[0] - pixel[2] > 60
        return self.image.count_where(reddish, x - half_width, y - half_height, x + half_width,
                                      y + half_height)

    def shows_entered_digit(self, column, row):
        return self.count(column, row, ENTERED_DIGIT) > 5

    def entered_cells(self):
        return {(c, r) for r in range(1, 10) for c in range(1, 10)
                if self.shows_entered_digit(c, r)}

    def given_cells(self):
        return {(c, r) for r in range(1, 10) for c in range(1, 10)
                if self.count(c, r, GIVEN_DIGIT) > 5}


class Game(Program):
    """The game on the desktop, with its main window."""

    def __init__(self, desktop, data_root, **kwargs):
        super().__init__(desktop, executable("KALMORA_EXE"), data_root, **kwargs)
        try:
            self.window = Window(desktop, desktop.wait_window("Kalmora", pid=self.process.pid))
            self.board()  # the first paint has happened
        except HarnessError as error:
            state = self.process.poll()
            self.stop()
            raise HarnessError("%s (exit status %s; output: %s)"
                               % (error, state, self.output()[-2000:])) from None
        except BaseException:
            self.stop()
            raise

    def board(self, timeout=10):
        def found():
            try:
                return Board(self.window.grab())
            except (HarnessError, subprocess.CalledProcessError):
                return None
        return wait_until(found, timeout, "the board to be painted", interval=0.05)

    def click_cell(self, column, row):
        self.window.click(*self.board().centre(column, row))

    def type_in(self, column, row, keys):
        self.click_cell(column, row)
        self.window.key(*keys)

    def wait_board(self, condition, what, timeout=10):
        """The first screenshot of the board that fulfils `condition`."""
        def fulfilled():
            board = self.board()
            return board if condition(board) else None
        return wait_until(fulfilled, timeout, what, interval=0.05)

    def menu(self, x, *keys):
        """Opens the menu of the menu bar at `x` by a click, then types `keys`."""
        before = len(self.visible_windows())
        self.window.click(x, 8)
        wait_until(lambda: len(self.visible_windows()) > before, 10, "the menu to open")
        self.desktop.xdotool("key", "--delay", 60, *keys)

    def visible_windows(self):
        """The program's windows on screen, popup menus included."""
        out = self.desktop.xdotool("search", "--onlyvisible", "--pid", self.process.pid,
                                   check=False)
        return out.split()

    def dialog(self, title):
        """The dialog titled `title`, once it exists and has the keyboard."""
        dialog = Window(self.desktop, self.desktop.wait_window(title))
        dialog.activate()
        wait_until(dialog.is_painted, 20, "the dialog '%s' to be painted" % title, interval=0.1)
        return dialog

    def file_dialog(self, title, path):
        """Answers the file dialog titled `title` with a path typed into its name field."""
        dialog = self.dialog(title)
        self.desktop.xdotool("type", "--delay", 5, path)
        # The first Return may only take the completion the dialog offers.
        for _ in range(3):
            dialog.key("Return")
            try:
                return self.desktop.wait_window_gone(title, timeout=5)
            except HarnessError:
                pass
        raise HarnessError("the file dialog did not take " + path)

    def fill(self, cells):
        """Types digits into cells, given as {(column, row): digit}, in one X client run."""
        board = self.board()
        self.window.activate()
        command = []
        for (column, row), digit in cells.items():
            x, y = board.centre(column, row)
            command += ["mousemove", "--window", self.window.id, x, y, "click", 1,
                        "key", str(digit)]
        self.desktop.xdotool(*command)

    def close_by_window_manager(self):
        """Alt+F4 of the window manager: the window gets its close request."""
        self.window.key("alt+F4")
        return self.wait_exit()


def dump(path):
    """kalmora-tool's JSON view of a stored file."""
    import json
    out = subprocess.run([executable("KALMORA_TOOL"), "dump", path], capture_output=True,
                         check=True, timeout=10).stdout
    return json.loads(out)


def tool(*args):
    """kalmora-tool's output."""
    return subprocess.run([executable("KALMORA_TOOL")] + [str(a) for a in args],
                          capture_output=True, check=True, timeout=10).stdout.decode()


class DesktopTestCase(unittest.TestCase):
    """Each test gets its own desktop and data folder, stopped and removed
    whatever happens; a test class may give the screen's size and scale."""

    screen = (SCREEN_WIDTH, SCREEN_HEIGHT)
    scale = None

    # False: the desktop has no window manager.
    window_manager = True

    def setUp(self):
        self.desktop = Desktop(*self.screen, window_manager=self.window_manager,
                               scale=self.scale)
        self.desktop.__enter__()
        self.addCleanup(self.desktop.stop)
        self.root = DataRoot()
        self.addCleanup(self.root.__exit__)

    def start(self, **kwargs):
        game = Game(self.desktop, self.root.path, config_home=self.root.config, **kwargs)
        self.addCleanup(game.__exit__)
        return game
