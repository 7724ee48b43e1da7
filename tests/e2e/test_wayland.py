"""The game on Wayland (Weston): it starts, draws, takes clicks and keys, also
in a dialog, saves on SIGTERM and comes back with its session, all without a
word on its output. The compositor places the windows: the game keeps the
size it restores and never stores a place it was not given. On Weston's
headless backend, which has no seat, a session made on X11 is drawn, saved
on SIGTERM and drawn again after a restart."""

import os
import sys
import unittest

from kalmora_desktop import (Board, DesktopTestCase, HarnessError, HeadlessWeston, Program,
                             Weston, WestonUnavailable, dump, executable, terminate, tool,
                             wait_until)

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DEFAULT_OUTER = (416, 540)


def locate_board(image):
    """The board in a screenshot of the whole output, and where the image it
    was found in lies on the output; None while there is none."""
    middle = image.height // 2
    left = next((x for x in range(image.width) if image.pixel(x, middle) == BLACK), None)
    if left is None:
        return None
    start = max(0, left - 20)
    try:
        board = Board(image.crop(start, 0, min(image.width, start + 640), image.height))
    except HarnessError:
        return None
    # The output is black before the compositor draws anything.
    side = board.right - board.left
    if not 100 < side < 600 or abs(side - (board.bottom - board.top)) > 1:
        return None
    return board, start


def close_box(board, offset):
    """The middle of the dark cross of the close box that Qt draws on the
    window's title bar, above the board's right end."""
    cross = [(x, y) for y in range(max(0, board.top - 60), board.top - 36)
             for x in range(board.right - 12, board.right + 16)
             if max(board.image.pixel(x, y)) < 60]
    if not cross:
        raise HarnessError("no close box above the board")
    return (offset + sum(x for x, _ in cross) // len(cross),
            sum(y for _, y in cross) // len(cross))


def whites(image):
    return image.count(WHITE, 0, 0, image.width, image.height)


class WestonTestCase(DesktopTestCase):
    """A test with a Weston compositor, made by `compositor`, beside its X
    desktop; where Weston cannot start, the test is skipped."""

    def compositor(self):
        raise NotImplementedError

    def setUp(self):
        super().setUp()
        try:
            self.weston = self.compositor()
        except WestonUnavailable as reason:
            self.skipTest("Weston cannot start here: %s" % reason)
        self.addCleanup(self.weston.stop)

    def start_on_wayland(self):
        game = Program(self.weston, executable("KALMORA_EXE"), self.root.path,
                       config_home=self.root.config)
        self.addCleanup(game.__exit__)
        return game

    def board(self, condition, what):
        """The board of the first screenshot that fulfils `condition`, and
        where the board's image lies on the output."""
        def found():
            located = locate_board(self.weston.screenshot())
            return located if located is not None and condition(located[0]) else None
        return wait_until(found, 20, what, interval=0.1)

    def stop_and_read(self, game):
        self.assertEqual(terminate(game), 0)
        self.assertEqual(game.output(), "", "the game printed something on Wayland")
        return dump(self.root.file("default.dat"))


class WaylandTest(WestonTestCase):
    # Weston's output window is the only window of the X server that matters.
    window_manager = False

    def compositor(self):
        return Weston(self.desktop)

    def test_the_game_plays_saves_and_comes_back_on_wayland(self):
        game = self.start_on_wayland()
        board, offset = self.board(lambda b: not b.entered_cells(), "the board on Wayland")
        x, y = board.centre(3, 2)
        self.weston.click(offset + x, y)
        self.weston.key("7")
        self.board(lambda b: b.entered_cells() == {(3, 2)}, "the typed digit")

        # The snapshot dialog (its name field is the white it adds) takes the
        # typed name; which window has the keys after it closed is the
        # compositor's choice, so a click says it.
        plain = whites(self.weston.screenshot())
        self.weston.key("F4")
        wait_until(lambda: whites(self.weston.screenshot()) > plain + 5000, 20,
                   "the snapshot dialog", interval=0.1)
        self.weston.type("wayland")
        self.weston.key("Return")
        wait_until(lambda: whites(self.weston.screenshot()) < plain + 5000, 20,
                   "the snapshot dialog to close", interval=0.1)
        x, y = board.centre(4, 2)
        self.weston.click(offset + x, y)
        self.weston.key("8")
        self.board(lambda b: b.entered_cells() == {(3, 2), (4, 2)}, "the digit after the dialog")

        stored = self.stop_and_read(game)
        self.assertEqual(stored["board"][9 + 2]["value"], 7)
        self.assertEqual(stored["board"][9 + 3]["value"], 8)
        self.assertEqual([snapshot["name"] for snapshot in stored["snapshots"]], ["wayland"])
        # The compositor chose the window's place and never told it: what is
        # stored is the place the game gave it, centred on the output.
        width, height = DEFAULT_OUTER
        self.assertEqual(stored["window"], {"left": (self.weston.width - width) // 2,
                                            "top": (self.weston.height - height) // 2,
                                            "width": width, "height": height})

        # On X11 the window comes where it was stored; there it is made larger.
        game = self.start()
        game.window.resize(500, 600, sync=False)
        wait_until(lambda: game.window.geometry()[2:] == (500, 612), 10, "the larger window")
        larger = game.wait_board(lambda b: b.right - b.left > board.right - board.left,
                                 "the larger board")
        self.assertEqual(terminate(game), 0)
        resized = dump(self.root.file("default.dat"))["window"]
        self.assertEqual((resized["left"], resized["top"]),
                         (stored["window"]["left"], stored["window"]["top"]))

        # Back on Wayland the game has its size, its digits and its snapshot;
        # closed with the close box on its title bar, it saves as it ends.
        game = self.start_on_wayland()
        board, offset = self.board(lambda b: b.entered_cells() == {(3, 2), (4, 2)}
                                   and b.right - b.left == larger.right - larger.left,
                                   "the restored game")
        x, y = board.centre(5, 2)
        self.weston.click(offset + x, y)
        self.weston.key("9")
        board, offset = self.board(lambda b: b.entered_cells() == {(3, 2), (4, 2), (5, 2)},
                                   "the digit typed after the restart")
        self.weston.click(*close_box(board, offset))
        self.assertEqual(game.wait_exit(), 0)
        self.assertEqual(game.output(), "", "the game printed something on Wayland")
        stored = dump(self.root.file("default.dat"))
        self.assertEqual(stored["board"][9 + 4]["value"], 9)
        self.assertEqual(stored["window"], resized)
        self.assertEqual([snapshot["name"] for snapshot in stored["snapshots"]], ["wayland"])


class HeadlessWestonTest(WestonTestCase):
    """Weston's headless backend: the game runs there with no X server, and
    nothing can be typed. The session it starts from is made on the X
    desktop beside it (which has a window manager for the file dialog)."""

    def compositor(self):
        return HeadlessWeston()

    def seed_session(self):
        """A puzzle of kalmora-tool's opened on X11, a digit typed in and a
        snapshot made: the stored session, its givens and the typed cell."""
        puzzle = os.path.join(self.root.path, "seed.sdk")
        tool("new", puzzle, "--level", "easy", "--seed", "5")
        givens = {(i % 9 + 1, i // 9 + 1) for i, cell in enumerate(dump(puzzle)["board"])
                  if cell["value"]}
        game = self.start()
        game.window.key("F3")
        game.file_dialog("Open", puzzle)
        game.wait_board(lambda b: b.given_cells() == givens, "the opened puzzle")
        cell = next((c, r) for r in range(1, 10) for c in range(1, 10)
                    if (c, r) not in givens)
        game.type_in(*cell, ["6"])
        game.wait_board(lambda b: b.entered_cells() == {cell}, "the typed digit")
        game.window.key("F4")
        game.dialog("Make a snapshot")
        self.desktop.xdotool("type", "headless")
        self.desktop.xdotool("key", "Return")
        self.desktop.wait_window_gone("Make a snapshot")
        self.assertEqual(terminate(game), 0)
        return dump(self.root.file("default.dat")), givens, cell

    def test_the_game_draws_saves_and_comes_back_on_headless_weston(self):
        seeded, givens, cell = self.seed_session()
        self.assertEqual(seeded["board"][(cell[1] - 1) * 9 + cell[0] - 1]["value"], 6)
        self.assertEqual([snapshot["name"] for snapshot in seeded["snapshots"]], ["headless"])

        def restored(board):
            return board.given_cells() == givens and board.entered_cells() == {cell}

        # Started twice: each run draws the session and, on SIGTERM, stores it
        # unchanged, the window's rectangle too (the compositor gives it none).
        for what in ("the seeded game", "the game back after SIGTERM"):
            game = self.start_on_wayland()
            self.board(restored, what + " on the headless output")
            # The game has read its session: what is there after SIGTERM is
            # what this run wrote.
            os.remove(self.root.file("default.dat"))
            self.assertEqual(self.stop_and_read(game), seeded)
            wait_until(lambda: locate_board(self.weston.screenshot()) is None, 20,
                       "the game's window to leave the output", interval=0.1)


if __name__ == "__main__":
    unittest.main(argv=sys.argv, verbosity=2)
