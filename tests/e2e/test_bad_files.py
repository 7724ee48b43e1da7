"""Files the game cannot use, on a real desktop: every kind of refused
default.dat and top.dat gives a fresh game without a message and is kept
aside at exit; a read-only data folder leaves the game playable; two copies
share the files, the last to exit winning; a full disk leaves the previous
files whole."""

import gzip
import os
import shutil
import subprocess
import sys
import unittest

from kalmora_desktop import DesktopTestCase, dump

PLAYER = 65534
AS_ROOT = os.geteuid() == 0


def damaged(data):
    third = len(data) // 3
    return data[:third] + bytes(b ^ 0x55 for b in data[third:2 * third]) + data[2 * third:]


def from_future_version(data):
    """The archive header says library version 20: written by a newer Boost."""
    archive = bytearray(gzip.decompress(data))
    archive[8 + len(b"serialization::archive")] = 20
    return gzip.compress(bytes(archive))


# How a sound file is spoiled: a function of its bytes, or None for a folder.
SPOILS = [
    ("damaged", damaged),
    ("truncated", lambda data: data[:len(data) // 2]),
    ("from a future version", from_future_version),
    ("empty", lambda data: b""),
    ("a folder", None),
    ("unreadable", lambda data: data),
]


class BadFilesTest(DesktopTestCase):
    def folder(self):
        return os.path.join(self.root.path, "Kalmora")

    def read(self, name):
        with open(self.root.file(name), "rb") as stored:
            return stored.read()

    def write(self, name, data):
        with open(self.root.file(name), "wb") as stored:
            stored.write(data)

    def sound_files(self):
        """default.dat and top.dat as the game writes them."""
        game = self.start()
        game.type_in(1, 1, ["4"])
        self.assertEqual(game.close_by_window_manager(), 0)
        return {name: self.read(name) for name in ("default.dat", "top.dat")}

    def spoil(self, name, kind, spoil, data):
        if spoil is None:
            os.makedirs(self.root.file(name))
            self.write(os.path.join(name, "inside"), b"kept")
            return None
        self.write(name, spoil(data))
        if kind == "unreadable":
            os.chmod(self.root.file(name), 0)
        return spoil(data)

    def test_each_refused_file_gives_a_fresh_game_and_is_kept_aside(self):
        sound = self.sound_files()
        for kind, spoil in SPOILS:
            with self.subTest(kind):
                shutil.rmtree(self.folder())
                os.makedirs(self.folder())
                spoiled = {name: self.spoil(name, kind, spoil, data)
                           for name, data in sound.items()}
                if AS_ROOT:  # the player owns the folder, root the unreadable files
                    os.chmod(self.root.path, 0o755)
                    os.chown(self.folder(), PLAYER, PLAYER)
                game = self.start(user=PLAYER if AS_ROOT else None)
                self.assertEqual(game.board().entered_cells(), set(), "a fresh game")
                self.assertEqual(len(game.visible_windows()), 1, "no message")
                game.type_in(9, 9, ["2"])
                self.assertEqual(game.close_by_window_manager(), 0)

                for name, data in spoiled.items():
                    if data is None:
                        self.assertEqual(self.read(name + ".bad/inside"), b"kept")
                    else:
                        self.assertEqual(self.read(name + ".bad"), data)
                self.assertEqual(len(dump(self.root.file("default.dat"))["undo"]), 1)
                self.assertEqual(dump(self.root.file("top.dat"))["kind"], "winners")

    @unittest.skipUnless(AS_ROOT, "needs root to start the game as another user")
    def test_read_only_data_folder_leaves_the_game_playable(self):
        # The folder belongs to root; the game runs as the player.
        os.chmod(self.root.path, 0o755)
        game = self.start(user=PLAYER)
        game.type_in(5, 5, ["7"])
        game.wait_board(lambda b: b.entered_cells() == {(5, 5)}, "the typed digit")
        self.assertEqual(game.close_by_window_manager(), 0)
        self.assertEqual(os.listdir(self.root.path), [])

    def test_two_copies_the_last_to_exit_wins(self):
        first = self.start()
        first.window.move(20, 40)
        second = self.start()
        second.window.move(700, 40)
        first.type_in(1, 1, ["1"])
        first.wait_board(lambda b: b.entered_cells() == {(1, 1)}, "the first copy's digit")
        second.type_in(2, 2, ["2"])
        second.type_in(3, 3, ["3"])
        second.wait_board(lambda b: len(b.entered_cells()) == 2, "the second copy's digits")
        self.assertEqual(second.close_by_window_manager(), 0)
        self.assertEqual(first.close_by_window_manager(), 0)
        self.assertEqual(len(dump(self.root.file("default.dat"))["undo"]), 1)

        game = self.start()
        game.wait_board(lambda b: b.entered_cells() == {(1, 1)}, "the game of the last to exit")

    def mount_small_disk(self):
        if not AS_ROOT:
            self.skipTest("needs root to mount a small disk")
        result = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=512k", "tmpfs",
                                 self.root.path], capture_output=True)
        if result.returncode != 0:
            self.skipTest("cannot mount a tmpfs here")
        self.addCleanup(subprocess.run, ["umount", self.root.path])

    def test_full_disk_leaves_the_previous_files_whole(self):
        self.mount_small_disk()
        previous = self.sound_files()
        filler = os.path.join(self.root.path, "filler")
        fill = os.open(filler, os.O_WRONLY | os.O_CREAT)
        try:
            while True:
                os.write(fill, b"\0" * 4096)
        except OSError:
            pass  # the disk is full
        finally:
            os.close(fill)

        game = self.start()
        game.wait_board(lambda b: b.entered_cells() == {(1, 1)}, "the restored game")
        game.type_in(2, 2, ["5"])
        game.type_in(3, 3, ["6"])
        game.wait_board(lambda b: len(b.entered_cells()) == 3, "the new digits")
        self.assertEqual(game.close_by_window_manager(), 0)
        for name, data in previous.items():
            self.assertEqual(self.read(name), data)
        self.assertEqual(sorted(os.listdir(self.folder())), ["default.dat", "top.dat"])

        os.remove(filler)
        game = self.start()
        game.wait_board(lambda b: b.entered_cells() == {(1, 1)}, "the previous game")


if __name__ == "__main__":
    unittest.main(argv=sys.argv)
