"""A game played on a real desktop through its menus and dialogs: a new Easy
game, digits, undo, a snapshot, a check; a game file saved and loaded; a game
won and its winner entered; the window resized by the window manager."""

import os
import sys
import unittest

from kalmora_desktop import FILE_MENU_X, GAME_MENU_X, DesktopTestCase, dump, tool, wait_until

# A cell of the conflict region in the selected cell's row.
SAME_LINE_CONFLICT = (255, 64, 255)


def empty_cells(board):
    taken = board.given_cells() | board.entered_cells()
    return [(c, r) for r in range(1, 10) for c in range(1, 10) if (c, r) not in taken]


def dump_after_close(game, test):
    """The session file written when the window manager closes the game."""
    test.assertEqual(game.close_by_window_manager(), 0)
    return dump(test.root.file("default.dat"))


def parse_board(text):
    """{(column, row): digit} of the first nine lines of kalmora-tool's output."""
    lines = text.split("\n")[:9]
    return {(c + 1, r + 1): int(d) for r, line in enumerate(lines) for c, d in enumerate(line)}


class GamePlayTest(DesktopTestCase):
    def new_easy_game(self, game):
        game.menu(FILE_MENU_X, "n", "Down", "Return")  # File, New, Easy
        return game.wait_board(lambda b: len(b.given_cells()) > 20, "the givens of a new game")

    def test_new_game_digits_undo_snapshot_and_check(self):
        game = self.start()
        board = self.new_easy_game(game)
        solution = parse_board(tool("solve", self.saved_puzzle(game)))
        first, second, third, fourth = empty_cells(board)[:4]
        digit = str(solution[first])

        game.type_in(*first, [digit])
        game.wait_board(lambda b: b.entered_cells() == {first}, "the typed digit")
        game.window.key("ctrl+z")
        game.wait_board(lambda b: b.entered_cells() == set(), "the undone digit")

        game.type_in(*first, [digit])
        game.window.key("F4")
        game.dialog("Make a snapshot")
        self.desktop.xdotool("type", "first")
        self.desktop.xdotool("key", "Return")
        self.desktop.wait_window_gone("Make a snapshot")
        game.type_in(*second, ["6"])
        game.wait_board(lambda b: b.entered_cells() == {first, second}, "two digits")

        game.menu(GAME_MENU_X, "l", "Return")  # Game, Load snapshot, its first item
        game.wait_board(lambda b: b.entered_cells() == {first}, "the snapshot's board")

        # Marks typed in mark mode, then a digit from the hint strip.
        game.type_in(*third, ["m", "1", "9", "m"])
        game.wait_board(lambda b: b.marks(*third) > 10, "the marks")
        game.click_cell(*fourth)
        game.window.click(*board.hint_slot(int(solution[fourth])))
        game.wait_board(lambda b: b.shows_entered_digit(*fourth), "the digit from the hint strip")
        game.window.key("ctrl+z", "ctrl+z", "ctrl+z")  # one record per mark and digit
        game.wait_board(lambda b: b.entered_cells() == {first} and not b.marks(*third),
                        "marks and digit undone")

        # A digit that repeats a given of its row: Check colours the given.
        row = second[1]
        given_column = next(c for c in range(1, 10) if (c, row) in board.given_cells())
        game.type_in(*second, [str(solution[(given_column, row)])])
        game.window.key("ctrl+k")
        game.wait_board(lambda b: b.count(given_column, row, SAME_LINE_CONFLICT) > 10,
                        "the shown conflict")

    def saved_puzzle(self, game):
        """The game as a file, saved through the Save-as dialog."""
        path = os.path.join(self.root.path, "current.sdk")
        game.menu(FILE_MENU_X, "a")
        game.file_dialog("Save.*", path)
        wait_until(lambda: os.path.exists(path), 5, "the saved game file")
        return path

    def test_game_file_saved_and_loaded_through_the_dialogs(self):
        game = self.start()
        board = self.new_easy_game(game)
        cell = empty_cells(board)[0]
        game.type_in(*cell, ["8"])
        path = self.saved_puzzle(game)
        stored = dump(path)
        self.assertEqual(stored["kind"], "game")
        self.assertEqual(stored["level"], 1)
        column, row = cell
        self.assertEqual(stored["board"][(row - 1) * 9 + column - 1]["value"], 8)

        self.new_easy_game(game)
        game.window.key("F3")
        game.file_dialog("Open", path)
        loaded = game.wait_board(lambda b: b.entered_cells() == {cell}, "the loaded game")
        self.assertEqual(loaded.given_cells(), board.given_cells())

    def test_won_game_enters_the_winners_list(self):
        puzzle = os.path.join(self.root.path, "nearly.sdk")
        tool("new", puzzle, "--level", "easy", "--seed", "5")
        solution = parse_board(tool("solve", puzzle))
        game = self.start()
        game.window.key("F3")
        game.file_dialog("Open", puzzle)
        board = game.wait_board(lambda b: len(b.given_cells()) > 20, "the loaded puzzle")
        empty = empty_cells(board)
        game.fill({cell: solution[cell] for cell in empty[:-1]})
        game.wait_board(lambda b: len(b.entered_cells()) == len(empty) - 1, "the filled board")
        game.type_in(*empty[-1], [str(solution[empty[-1]])])

        game.dialog("Dialog")  # the winner dialog
        self.desktop.xdotool("type", "Ada")
        self.desktop.xdotool("key", "Return")
        self.desktop.wait_window_gone("Dialog")

        # Game, Show Top Winners (the last item), then Easy Game or Normal Game:
        # the Easy table shows a row of text that the empty Normal one lacks.
        easy_text = self.winners_table_text(game, "Return")
        normal_text = self.winners_table_text(game, "Down", "Return")
        self.assertGreater(easy_text, normal_text + 100, "the winner's row in the Easy table")

        self.assertEqual(game.close_by_window_manager(), 0)
        easy = dump(self.root.file("top.dat"))["easy"]
        self.assertEqual([entry["name"] for entry in easy], ["Ada"])

        game = self.start()  # the winners are back after a restart
        self.assertGreater(self.winners_table_text(game, "Return"), normal_text + 100)

    def winners_table_text(self, game, *keys):
        """Dark (text) pixels of the winners table opened from the Game menu."""
        game.menu(GAME_MENU_X, "Up", "Right", *keys)
        table = game.dialog("Dialog")
        image = table.grab()
        dark = image.count_where(lambda p: max(p) < 80, 0, 0, image.width, image.height)
        self.desktop.xdotool("key", "Return")
        self.desktop.wait_window_gone("Dialog")
        return dark

    def test_window_resized_by_the_window_manager_keeps_the_proportions(self):
        game = self.start()
        window = game.window
        # A resize request the window manager carries out; the game answers
        # with the height that belongs to the new width.
        window.resize(500, 600)
        wait_until(lambda: window.geometry()[2:] == (500, 612), 5, "the proportional size")
        board = game.wait_board(lambda b: b.right == 500 - 13, "the board at the new width")
        self.assertEqual(board.right - board.left, board.bottom - board.top, "a square board")
        self.assertEqual(dump_after_close(game, self)["window"]["width"], 516)


if __name__ == "__main__":
    unittest.main(argv=sys.argv)
