"""Measures the game as a whole process on Xvfb with openbox: the time from
process start to the first painted board, and the resident memory of the idle
game one second after start. Run through startup.sh."""

import ctypes
import ctypes.util
import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from kalmora_desktop import DataRoot, Desktop  # noqa: E402

TITLE = b"Kalmora"


class XImage(ctypes.Structure):
    # Only the leading fields are read; the function table follows them.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int)]


class Probe:
    """Looks at the screen through Xlib directly: polling with separate X
    clients would cost more than the start being measured."""

    def __init__(self, display):
        self.x = ctypes.CDLL(ctypes.util.find_library("X11"))
        x = self.x
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.c_ulong),
                                 ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                 ctypes.POINTER(ctypes.c_uint)]
        x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
        x.XFree.argtypes = [ctypes.c_void_p]
        x.XGetImage.restype = ctypes.POINTER(XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XGetPixel.restype = ctypes.c_ulong
        x.XGetPixel.argtypes = [ctypes.POINTER(XImage), ctypes.c_int, ctypes.c_int]
        x.XSetErrorHandler.argtypes = [ctypes.c_void_p]
        self._ignore = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
            lambda d, e: 0)
        x.XSetErrorHandler(ctypes.cast(self._ignore, ctypes.c_void_p))
        self.display = x.XOpenDisplay(display.encode())
        self.root = x.XDefaultRootWindow(self.display)

    def children(self, window):
        root = ctypes.c_ulong()
        parent = ctypes.c_ulong()
        kids = ctypes.POINTER(ctypes.c_ulong)()
        count = ctypes.c_uint()
        if not self.x.XQueryTree(self.display, window, ctypes.byref(root), ctypes.byref(parent),
                                 ctypes.byref(kids), ctypes.byref(count)):
            return []
        result = [kids[i] for i in range(count.value)]
        if kids:
            self.x.XFree(kids)
        return result

    def find(self, window=None, depth=0):
        window = self.root if window is None else window
        name = ctypes.c_char_p()
        if window != self.root and self.x.XFetchName(self.display, window, ctypes.byref(name)):
            found = name.value == TITLE
            self.x.XFree(name)
            if found:
                return window
        if depth < 3:
            for child in self.children(window):
                found = self.find(child, depth + 1)
                if found:
                    return found
        return None

    def black_at(self, window, x, y):
        image = self.x.XGetImage(self.display, window, x, y, 1, 1, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            return False
        pixel = self.x.XGetPixel(image, 0, 0)
        # XDestroyImage is a macro; the image's own data is small and left to the process.
        return pixel & 0xFFFFFF == 0


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def one_start(desktop, probe, executable):
    with DataRoot() as root:
        start = time.monotonic()
        env = desktop.env(LOCALAPPDATA=root.path, XDG_CONFIG_HOME=root.config,
                          XDG_RUNTIME_DIR=root.config)
        process = subprocess.Popen([executable], env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            window = None
            while time.monotonic() - start < 20:
                window = window or probe.find()
                # The left border of the board, half way down the window.
                if window and probe.black_at(window, 13, 250):
                    break
                time.sleep(0.0005)
            else:
                raise RuntimeError("no board painted")
            painted = time.monotonic() - start
            time.sleep(max(0.0, 1.0 - (time.monotonic() - start)))
            memory = resident_kib(process.pid)
        finally:
            process.terminate()
            process.wait(10)
        return painted * 1000, memory / 1024


def main():
    executable = sys.argv[1]
    starts = int(sys.argv[2]) if len(sys.argv) > 2 else 20
    with Desktop() as desktop:
        probe = Probe(desktop.display)
        one_start(desktop, probe, executable)  # the first start fills the file caches
        times, memories = [], []
        for _ in range(starts):
            painted, memory = one_start(desktop, probe, executable)
            times.append(painted)
            memories.append(memory)
    print("starts: %d" % starts)
    print("start to first painted board: median %.1f ms (min %.1f, max %.1f)"
          % (statistics.median(times), min(times), max(times)))
    print("resident memory 1 s after start: median %.1f MiB (min %.1f, max %.1f)"
          % (statistics.median(memories), min(memories), max(memories)))


if __name__ == "__main__":
    main()
