"""Makes the README's screenshot: a new Easy game with a few digits and marks,
played through the same harness as the end-to-end tests.
    take_screenshot.py KALMORA_EXE OUTPUT.png"""

import os
import subprocess
import sys

from kalmora_desktop import FILE_MENU_X, GIVEN_DIGIT, DataRoot, Desktop, Game


def main():
    os.environ["KALMORA_EXE"] = os.path.abspath(sys.argv[1])
    output = sys.argv[2]
    with Desktop() as desktop, DataRoot() as root:
        game = Game(desktop, root.path, config_home=root.config)
        try:
            game.menu(FILE_MENU_X, "n", "Down", "Return")  # File, New, Easy
            board = game.wait_board(
                lambda b: sum(b.count(c, r, GIVEN_DIGIT) > 5
                              for r in range(1, 10) for c in range(1, 10)) > 20, "a new game")
            empty = [(c, r) for r in range(1, 10) for c in range(1, 10)
                     if board.count(c, r, GIVEN_DIGIT) <= 5]
            game.type_in(*empty[0], ["m", "2", "4", "7", "m"])
            game.type_in(*empty[5], ["m", "1", "8", "m"])
            game.click_cell(*empty[12])
            game.wait_board(lambda b: b.marks(*empty[5]) > 0, "the marks")
            png = subprocess.run(["import", "-window", str(game.window.id), "png:-"],
                                 env=desktop.env(), capture_output=True, check=True).stdout
            with open(output, "wb") as image:
                image.write(png)
        finally:
            game.stop()


if __name__ == "__main__":
    main()
