"""Dialogs stay with the game's window: a dialog takes the keyboard when it
opens, also on a desktop without any window manager."""

import sys
import unittest

from kalmora_desktop import DesktopTestCase, dump, terminate, wait_until


class BareServerTest(DesktopTestCase):
    """An X server with no window manager: only the game moves the focus."""

    window_manager = False

    def has_focus(self, window_id):
        return lambda: self.desktop.focused_window() == window_id

    def test_the_snapshot_dialog_takes_the_keys_and_gives_them_back(self):
        game = self.start()
        main = game.window.id
        wait_until(self.has_focus(main), 10, "the game to have the keyboard")

        self.desktop.xdotool("key", "F4")
        dialog = self.desktop.wait_window("Make a snapshot")
        wait_until(self.has_focus(dialog), 10, "the snapshot dialog to have the keyboard")
        self.desktop.xdotool("type", "--delay", 20, "bare")
        self.desktop.xdotool("key", "Return")
        self.desktop.wait_window_gone("Make a snapshot")

        wait_until(self.has_focus(main), 10, "the game to have the keyboard again")
        x, y = game.board().centre(4, 6)
        self.desktop.xdotool("mousemove", "--window", main, x, y, "click", 1, "key", "6")
        game.wait_board(lambda b: b.entered_cells() == {(4, 6)}, "the typed digit")

        self.assertEqual(terminate(game), 0)
        stored = dump(self.root.file("default.dat"))
        self.assertEqual([snapshot["name"] for snapshot in stored["snapshots"]], ["bare"])
        self.assertEqual(stored["board"][(6 - 1) * 9 + 4 - 1]["value"], 6)


if __name__ == "__main__":
    unittest.main(argv=sys.argv)
