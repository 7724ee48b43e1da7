// The soak: thousands of random inputs on the real main window, as a player
// who presses anything would give them: keys with any modifiers, clicks and
// drags on the board, the hint strip and beside them, menu commands, and
// every dialog that opens answered at random. After every input the session
// must still be sound (SessionWatch); now and then the run undoes everything
// and redoes it, saves and loads a game file, and closes and reopens the
// window, and checks that each gives back what it should.
//
// KALMORA_SOAK_SEED replays a run (the failure message names its seed);
// KALMORA_SOAK_STEPS makes it longer or shorter.

#include "SoakFixture.h"

using soak::SoakTest;

TEST_F(SoakTest, RandomInputLeavesTheSessionSound) {
    SCOPED_TRACE("seed " + std::to_string(Seed()));
    for (int step = 0; step < Steps() && !Failed(); ++step) {
        NextStep(step);
        RunRandomAction();
    }
    RecordProperty("seed", std::to_string(Seed()));
    RecordProperty("dialogs", Answerer().Opened());
}
