"""The game on a screen scaled by two (QT_SCALE_FACTOR=2 on a 2560x1600
Xvfb): the window and the board are twice their logical size, a digit on
the board has detail finer than a logical pixel (2 x 2 screen pixels), and a
click on the last screen pixel of a cell selects that cell."""

import unittest

from kalmora_desktop import CELL, DesktopTestCase

SELECTED = (200, 220, 235)
BOARD = 376  # the board's logical side in a first start's window


def fine_share(image, left, top, right, bottom, background):
    """Of the 2 x 2 blocks from (left, top) on that hold more than the
    background, the share that are not one colour."""
    inked = fine = 0
    for y in range(top, bottom - 1, 2):
        for x in range(left, right - 1, 2):
            block = {image.pixel(x + dx, y + dy) for dx in (0, 1) for dy in (0, 1)}
            inked += block != {background}
            fine += len(block) > 1
    return fine / max(inked, 1)


class ScaledScreenTest(DesktopTestCase):
    screen = (2560, 1600)
    scale = 2

    def test_the_board_is_drawn_at_the_screens_resolution(self):
        game = self.start()
        board = game.board()
        self.assertEqual(board.right + 1 - board.left, 2 * BOARD, "the board is twice as large")
        cell = (BOARD - 1) / 9
        first = int(4 * cell) + 1  # cell 5's fill, in logical pixels
        last = int(5 * cell) - 1

        # The last screen pixel of cell 5's last logical pixel is a click on cell 5.
        x = y = board.left + 2 * last + 1
        game.window.click(x, y)
        board = game.wait_board(lambda b: b.image.pixel(*b.centre(5, 5)) == SELECTED,
                                "cell (5, 5) selected")
        self.assertEqual(board.image.pixel(*board.centre(6, 6)), CELL, "cell (6, 6) is not")

        game.window.key("7")
        game.click_cell(1, 1)
        board = game.wait_board(lambda b: b.shows_entered_digit(5, 5), "the 7")
        share = fine_share(board.image, board.left + 2 * first, board.top + 2 * first,
                           board.left + 2 * last, board.top + 2 * last, CELL)
        self.assertGreater(share, 0.3, "the 7 is finer than 2 x 2 screen pixels")


if __name__ == "__main__":
    unittest.main()
