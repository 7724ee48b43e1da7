"""The game window on a real desktop: first start, play by keys and clicks,
close by the window manager and SIGTERM with the game back after a restart."""

import sys
import unittest

from kalmora_desktop import (GAME_MENU_X, SCREEN_HEIGHT, SCREEN_WIDTH, DesktopTestCase, dump,
                             terminate, wait_until)

# The X client area of a window whose outer rectangle is the default 416 x 540.
DEFAULT_CLIENT = (400, 501)


class GameWindowTest(DesktopTestCase):
    def play_some_digits(self, game):
        game.type_in(5, 5, ["7"])
        game.type_in(2, 3, ["3"])
        game.type_in(9, 1, ["KP_9"])
        return game.wait_board(lambda b: len(b.entered_cells()) == 3, "three digits")

    def test_first_start_is_centred_with_the_default_proportions(self):
        game = self.start()
        window = game.window
        self.assertEqual(window.title(), "Kalmora")
        x, y, width, height = window.geometry()
        self.assertEqual((width, height), DEFAULT_CLIENT)
        board = game.board()
        self.assertEqual(board.right - board.left, board.bottom - board.top, "the board is square")
        self.assertEqual(board.left, 12)
        self.assertEqual(board.right, width - 13)
        # The frame the window manager draws is thinner than the one the
        # window's outer rectangle allows for, so the centre may lie a
        # caption's height lower than the screen's.
        left, top, outer_width, outer_height = window.outer()
        self.assertLessEqual(abs(left + outer_width / 2 - SCREEN_WIDTH / 2), 8)
        self.assertLessEqual(abs(top + outer_height / 2 - SCREEN_HEIGHT / 2), 32)
        self.assertEqual(board.entered_cells(), set(), "a fresh game")

    def test_typed_digits_show_on_the_board(self):
        game = self.start()
        board = self.play_some_digits(game)
        self.assertEqual(board.entered_cells(), {(5, 5), (2, 3), (9, 1)})
        game.window.key("Delete")  # the selected cell (9, 1) is cleared again
        board = game.wait_board(lambda b: len(b.entered_cells()) == 2, "the cleared cell")
        self.assertEqual(board.entered_cells(), {(5, 5), (2, 3)})

    def test_the_window_manager_neither_maximises_the_game_nor_resizes_about(self):
        game = self.start()
        place = game.window.geometry()
        game.window.maximize()
        game.window.window_manager_done()
        wait_until(lambda: "MAXIMIZED" not in game.window.state()
                   and game.window.geometry() == place, 5, "the game to refuse the maximising")

        game.window.key("alt+h", "Return")  # Help, About
        about = game.dialog("About")
        size = about.geometry()[2:]
        about.resize(size[0] + 200, size[1] + 100, sync=False)
        about.maximize()
        about.window_manager_done()
        wait_until(lambda: about.geometry()[2:] == size, 5, "About to keep its size")
        about.key("Return")
        self.desktop.wait_window_gone("About")

    def test_close_by_window_manager_and_restart_brings_the_game_back(self):
        game = self.start()
        self.play_some_digits(game)
        game.window.key("F4")
        game.dialog("Make a snapshot")
        self.desktop.xdotool("type", "kept")
        self.desktop.xdotool("key", "Return")
        self.desktop.wait_window_gone("Make a snapshot")
        game.menu(GAME_MENU_X, "Down", "Down", "Return")  # Undo, (Redo grayed), Auto-Check
        place = game.window.geometry()
        self.assertEqual(game.close_by_window_manager(), 0)
        stored = dump(self.root.file("default.dat"))
        self.assertEqual([s["name"] for s in stored["snapshots"]], ["kept"])
        self.assertEqual(len(stored["undo"]), 3)
        self.assertTrue(stored["autoCheck"])

        game = self.start()
        board = game.wait_board(lambda b: len(b.entered_cells()) == 3, "the restored digits")
        self.assertEqual(board.entered_cells(), {(5, 5), (2, 3), (9, 1)})
        self.assertEqual(game.window.geometry(), place)
        game.window.key("ctrl+z")  # the history came back too
        game.wait_board(lambda b: b.entered_cells() == {(5, 5), (2, 3)}, "the undone digit")
        game.menu(GAME_MENU_X, "l", "Return")  # and the snapshot, in its submenu
        game.wait_board(lambda b: len(b.entered_cells()) == 3, "the snapshot's board")
        # Auto-Check came back with the session: the next exit stores it again.
        self.assertEqual(game.close_by_window_manager(), 0)
        self.assertTrue(dump(self.root.file("default.dat"))["autoCheck"])

    def test_sigterm_mid_game_saves_and_restart_brings_the_game_back(self):
        game = self.start()
        self.play_some_digits(game)
        self.assertEqual(terminate(game), 0)
        game = self.start()
        game.wait_board(lambda b: b.entered_cells() == {(5, 5), (2, 3), (9, 1)},
                        "the restored digits")


if __name__ == "__main__":
    unittest.main(argv=sys.argv)
