"""The game played as a player who cannot see the screen plays it: only the
keyboard, and what the accessibility bus (AT-SPI) reports through pyatspi,
as a screen reader hears it. A new Easy game is started from the menus, the
selection moves cell by cell with each cell's name heard, digits and marks
are entered, a check is made, and a game is won and its winner named."""

import os
import re
import tempfile
import unittest

from kalmora_desktop import DesktopTestCase, tool, wait_until
from screen_reader import AccessibilityBus, BusUnavailable, ScreenReader

CELL_NAME = re.compile(r"^Row (\d), column (\d): (\d, given|\d|empty(, marks( \d)+)?)$")


def cell_text(name):
    """What a cell's name says it holds: its digit, or 0 when it is empty."""
    content = CELL_NAME.match(name).group(3)
    return 0 if content.startswith("empty") else int(content[0])


def repeats_only_in_row(cells, column, row):
    """The digits of the row's givens outside the cell's box that neither the
    cell's column nor its box holds."""
    def box(c, r):
        return (c - 1) // 3, (r - 1) // 3
    others = {d for (c, r), d in cells.items() if c == column or box(c, r) == box(column, row)}
    return [d for (c, r), d in cells.items()
            if r == row and d != 0 and box(c, r) != box(column, row) and d not in others]


class ScreenReaderTest(DesktopTestCase):
    def setUp(self):
        super().setUp()
        self.bus = AccessibilityBus(self.desktop)
        try:
            self.bus.__enter__()
        except BusUnavailable as reason:
            self.skipTest("the accessibility bus cannot start: %s" % reason)
        self.addCleanup(self.bus.stop)
        self.reader = ScreenReader()
        self.addCleanup(self.reader.close)

    def start_reading(self):
        game = self.start()
        self.app = self.reader.application("kalmora")
        self.frame = self.reader.find(self.app, "frame", "Kalmora")
        self.board = self.reader.find(self.frame, "table", "Board")
        return game

    def new_easy_game(self, game):
        """File, New, Easy from the keyboard; the givens are named, and once
        the menus are closed the focus is back on the board."""
        self.reader.pump()
        self.reader.focus_events.clear()
        windows = len(game.visible_windows())
        game.window.key("F10", "Down", "n", "Down", "Return")
        # A popup holds the pointer until it is gone from the screen: a click
        # made before would go to it.
        wait_until(lambda: len(game.visible_windows()) == windows, 10, "the menus to close")
        table = self.board.queryTable()
        self.reader.wait_for(lambda: sum(", given" in table.getAccessibleAt(r, c).name
                                         for r in range(9) for c in range(9)) > 20,
                             "the givens of a new game")
        self.reader.wait_focus(lambda a: a.name == "Board", "the focus on the board")
        return {(c + 1, r + 1): cell_text(table.getAccessibleAt(r, c).name)
                for r in range(9) for c in range(9)}

    def focused_cell(self, column, row):
        prefix = "Row %d, column %d: " % (row, column)
        return self.reader.wait_focus(lambda a: a.name.startswith(prefix),
                                      "the focus on row %d, column %d" % (row, column))

    def test_a_new_game_is_read_cell_by_cell_as_the_keys_move_and_digits_and_marks_go_in(self):
        game = self.start_reading()
        roles = [self.frame.getChildAtIndex(i).getRoleName() for i in range(self.frame.childCount)]
        self.assertEqual(roles, ["menu bar", "table", "tool bar", "status bar"])
        strip = self.reader.find(self.frame, "tool bar", "Hint strip")
        self.assertEqual([strip.getChildAtIndex(i).name for i in range(9)],
                         [str(d) for d in range(1, 10)])
        cells = self.new_easy_game(game)

        # No cell is selected yet: a click where the first cell says it lies.
        self.reader.click(self.desktop, self.board.queryTable().getAccessibleAt(0, 0))
        self.focused_cell(1, 1)
        moves = [("Right", 2, 1), ("Down", 2, 2), ("End", 9, 9), ("Right", 1, 9),
                 ("ctrl+Up", 1, 1), ("Left", 9, 1)]
        for key, column, row in moves:
            game.window.key(key)
            cell = self.focused_cell(column, row)
            self.assertEqual(cell_text(cell.name), cells[(column, row)])
            self.assertIn("focused", self.reader.states(cell))

        empty = [pos for pos, digit in sorted(cells.items()) if digit == 0]
        column, row = empty[0]
        table = self.board.queryTable()
        self.reader.click(self.desktop, table.getAccessibleAt(row - 1, column - 1))
        cell = self.focused_cell(column, row)
        game.window.key("7")
        self.reader.wait_name(cell, "Row %d, column %d: 7" % (row, column))
        game.window.key("Delete")
        self.reader.wait_name(cell, "Row %d, column %d: empty" % (row, column))

        # A cell for marks, and a given of its row that no other unit of the
        # cell holds: typed there, only the row repeats a digit.
        (mark_column, mark_row), given = next(
            ((c, r), d) for (c, r) in empty[1:] for d in repeats_only_in_row(cells, c, r))

        self.reader.do_action(table.getAccessibleAt(mark_row - 1, mark_column - 1), "Select")
        cell = self.focused_cell(mark_column, mark_row)
        game.window.key("ctrl+2", "ctrl+9")
        self.reader.wait_name(cell, "Row %d, column %d: empty, marks 2 9" % (mark_row, mark_column))

        game.window.key(str(given), "ctrl+k")
        self.reader.wait_for(lambda: self.board.description.endswith("conflict in row %d" % mark_row)
                             and cell.description == "Conflict in row %d" % mark_row,
                             "the board and the cell to tell of the conflict")

    def test_a_game_is_won_from_the_keyboard_and_its_winner_named(self):
        game = self.start_reading()
        cells = self.new_easy_game(game)
        puzzle = "".join(str(cells[(c, r)]) for r in range(1, 10) for c in range(1, 10))
        solution = self.solve(puzzle)
        # The first cell's own action selects it.
        self.reader.do_action(self.board.queryTable().getAccessibleAt(0, 0), "Select")
        self.focused_cell(1, 1)
        keys = []
        for row in range(1, 10):
            for column in range(1, 10):
                if cells[(column, row)] == 0:
                    keys.append(str(solution[(column, row)]))
                keys.append("Right")
            keys.append("Down")
        game.window.key(*keys[:-1])

        self.reader.wait_for(lambda: self.board.description.startswith("Game over: solved in "),
                             "the board to say the game is over", timeout=20)
        dialog = self.reader.find(self.app, "dialog", "Dialog", timeout=20)
        edit = self.reader.wait_focus(lambda a: a.name == "Enter your name:",
                                      "the focus on the winner's name")
        self.assertIn("editable", self.reader.states(edit))
        message = self.reader.find(dialog, "text")
        self.assertTrue(message.queryText().getText(0, -1).startswith(
            "You're a winner! You won in 'Easy game' in "))
        self.desktop.xdotool("type", "Ada")
        self.reader.wait_for(lambda: edit.queryText().getText(0, -1) == "Ada", "the typed name")
        self.desktop.xdotool("key", "Return")
        self.reader.wait_focus(lambda a: a.name == "Board", "the focus back on the board")

        # Game, Show Top Winners (the last item), Easy Game.
        game.window.key("F10", "Right", "Down", "Up", "Right", "Return")
        table = self.reader.find(self.app, "table", "Top winners", timeout=20)
        rows = table.queryTable()
        self.assertEqual((rows.nRows, rows.nColumns), (1, 3))
        self.assertEqual([rows.getColumnDescription(c) for c in range(3)], ["N", "Name", "Time"])
        self.assertEqual([rows.getAccessibleAt(0, c).name for c in range(2)], ["1", "Ada"])
        self.desktop.xdotool("key", "Return")

    def solve(self, puzzle):
        """{(column, row): digit} of the solved puzzle, from kalmora-tool."""
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as text:
            text.write(puzzle)
        try:
            lines = tool("solve", text.name).split("\n")[:9]
        finally:
            os.remove(text.name)
        return {(c + 1, r + 1): int(d) for r, line in enumerate(lines) for c, d in enumerate(line)}


if __name__ == "__main__":
    unittest.main(verbosity=2)
