"""Dialogs stay with the game's window: the window manager keeps a modal box
above its owner and gives it the keyboard when the owner is clicked, and a
dialog takes the keyboard when it opens, also on a desktop without any
window manager."""

import subprocess
import sys
import unittest

from kalmora_desktop import DesktopTestCase, Window, dump, terminate, wait_until


class OwnedWindowsTest(DesktopTestCase):
    def bystander(self):
        """Another program's window, active and above everything."""
        process = subprocess.Popen(["xmessage", "-title", "bystander", "-geometry", "+0+0",
                                    "another program"],
                                   env=self.desktop.env(), stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.addCleanup(process.wait)
        self.addCleanup(process.terminate)
        window = Window(self.desktop, self.desktop.wait_window("bystander"))
        window.activate()
        return window

    def active(self):
        return self.desktop.root_windows("_NET_ACTIVE_WINDOW")

    def stacking(self):
        return self.desktop.root_windows("_NET_CLIENT_LIST_STACKING")

    def assert_above(self, upper, lower):
        order = self.stacking()
        self.assertGreater(order.index(upper.id), order.index(lower.id),
                           "stacking from the bottom: %s" % order)

    def assert_modal_for(self, dialog, owner):
        self.assertIn("# 0x%x" % owner.id, dialog.property("WM_TRANSIENT_FOR"))
        self.assertIn("_NET_WM_STATE_MODAL", dialog.property("_NET_WM_STATE"))

    def test_about_stays_above_the_game_and_comes_forward_for_it(self):
        game = self.start()
        game.window.key("alt+h", "Return")  # Help, About
        about = Window(self.desktop, self.desktop.wait_window("About"))
        wait_until(lambda: self.active() == [about.id], 10, "About to have the keyboard")
        self.assert_modal_for(about, game.window)
        self.assert_above(about, game.window)

        # Another program's window comes between; the player clicks the
        # game's title bar: the window manager raises the game with About
        # above it and gives the keyboard to About.
        other = self.bystander()
        x, y = game.window.origin()
        top = game.window.frame_extents()[2]
        self.desktop.xdotool("mousemove", x + 60, y - top // 2, "click", 1)
        wait_until(lambda: self.active() != [other.id], 10, "the click on the title bar")
        self.assertEqual(self.active(), [about.id])
        self.assert_above(about, game.window)
        self.assert_above(game.window, other)

        # Raised alone, without the keyboard, the game still stays below About.
        other.activate()
        self.desktop.xdotool("windowraise", game.window.id)
        wait_until(lambda: self.stacking().index(game.window.id) > self.stacking().index(other.id),
                   10, "the game to be raised")
        self.assert_above(about, game.window)

        # Activated from outside (a taskbar, a pager), the game hands the
        # keyboard to About.
        self.desktop.xdotool("windowactivate", game.window.id, check=False)
        wait_until(lambda: self.active() == [about.id], 10, "About to have the keyboard again")
        self.desktop.xdotool("key", "Return")
        self.desktop.wait_window_gone("About")
        wait_until(lambda: self.active() == [game.window.id], 10, "the game to have the keyboard")

        # Qt's own file dialog is kept with the game the same way.
        game.window.key("F3")
        opened = Window(self.desktop, self.desktop.wait_window("Open"))
        self.assert_modal_for(opened, game.window)
        wait_until(lambda: self.active() == [opened.id], 10, "the file dialog to have the keyboard")
        self.desktop.xdotool("key", "Escape")
        self.desktop.wait_window_gone("Open")


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
