// The soak's larger checks: undo everything and redo it, a game file saved
// and loaded, the window closed and opened again, a game played to its end.

#include "SoakFixture.h"

#include "engine/ConflictRegion.h"

namespace soak {

namespace {

std::string Differences(const CGameFieldFileData& now, const CGameFieldFileData& before) {
    std::string text;
    const auto note = [&](bool same, const char* what) {
        if (!same) {
            text += std::string(text.empty() ? "" : ", ") + what;
        }
    };
    note(now.field == before.field, "board");
    note(now.snapShots == before.snapShots, "snapshots");
    note(now.startTime == before.startTime, "start time");
    // A game won within its first second keeps a final time of 0 and is
    // timed again by the next refresh, the one after loading among them.
    const bool retimed =
        before.finalTime == 0 && now.field == before.field && now.field.CountDigits().IsFull();
    note(now.finalTime == before.finalTime || retimed,
         ("final time " + std::to_string(before.finalTime) + " -> " + std::to_string(now.finalTime))
             .c_str());
    note(now.level == before.level, "level");
    note(now.helpUsed == before.helpUsed, "help flag");
    return text;
}

} // namespace

void SoakTest::UndoEverythingAndBack() {
    const std::deque<CUndo> undo = Field().undo;
    const std::deque<CUndo> redo = Field().redo;
    const CGameField board = Field().field;
    Note("undo all " + std::to_string(undo.size()) + ", redo all " +
         std::to_string(undo.size() + redo.size()) + ", undo " + std::to_string(redo.size()));
    for (std::size_t i = 0; i < undo.size() && !Failed(); ++i) {
        if (Roll(3) == 0) {
            Press(Qt::Key_Backspace, Qt::AltModifier);
        } else {
            Press(Qt::Key_Z, Qt::ControlModifier);
        }
    }
    if (Failed()) {
        return;
    }
    if (!Field().undo.empty() || Field().redo.size() != undo.size() + redo.size()) {
        return Fail("undo moved the records wrongly: " + std::to_string(Field().undo.size()) +
                    " undo and " + std::to_string(Field().redo.size()) + " redo left");
    }
    if (!(Field().field == m_watch.HistoryStart())) {
        return Fail("undoing all " + std::to_string(undo.size()) +
                    " changes does not give back the board the history began with");
    }
    for (std::size_t i = 0; i < undo.size() + redo.size() && !Failed(); ++i) {
        Press(Qt::Key_Y, Qt::ControlModifier);
    }
    for (std::size_t i = 0; i < redo.size() && !Failed(); ++i) {
        Press(Qt::Key_Z, Qt::ControlModifier);
    }
    if (!Failed() && !(Field().field == board && Field().undo == undo && Field().redo == redo)) {
        Fail("redoing everything and undoing back does not give back the board and history");
    }
}

void SoakTest::SaveAndLoadGameFile() {
    const std::string path = (m_games / ("round trip " + std::to_string(Roll(1'000'000)) + " " +
                                         m_answerer->RandomName(3) + ".sdk"))
                                 .string();
    Note("save and load " + path);
    m_answerer->Force(PickFile(path));
    if (m_main->GetFileName().empty() && Roll(2) == 0) {
        if (Roll(2) == 0) {
            Press(Qt::Key_F2, Qt::NoModifier);
        } else {
            Press(Qt::Key_S, Qt::ControlModifier);
        }
    } else {
        ChooseItem({"File", "Save &as..."});
    }
    if (Failed()) {
        return;
    }
    if (m_answerer->ForcedLeft() || !std::filesystem::exists(path)) {
        return Fail("Save as did not write " + path);
    }
    const CGameFieldFileData saved = Field();
    std::vector<std::string> labels;
    Field().GetSnapshotLabels(labels);

    m_answerer->Force(PickFile(path));
    switch (Roll(3)) {
    case 0:
        Press(Qt::Key_F3, Qt::NoModifier, true);
        break;
    case 1:
        Press(Qt::Key_O, Qt::ControlModifier, true);
        break;
    default:
        ChooseItem({"File", "&Load...\tF3"}, true);
        break;
    }
    if (Failed()) {
        return;
    }
    if (m_answerer->ForcedLeft()) {
        return Fail("Load opened no file dialog");
    }
    const std::string differences = Differences(Field(), saved);
    if (!differences.empty()) {
        return Fail("the game loaded back differs in: " + differences);
    }
    if (!Field().undo.empty() || !Field().redo.empty() || m_main->GetFileName() != path ||
        SnapshotItems() != labels) {
        Fail("after loading a game: history, current file name or snapshot menu is wrong");
    }
}

void SoakTest::CloseAndReopen() {
    const CGameFieldSerialData session = Field();
    const bool autoCheck = m_main->IsAutoCheck();
    const WinnersLists winners = m_main->GetWinners();
    std::vector<std::string> labels;
    Field().GetSnapshotLabels(labels);
    if (Roll(2) == 0) {
        ChooseItem({"File", "E&xit"});
        m_main.reset();
        m_widget = nullptr;
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    } else {
        Note("close the window");
        CloseWindow();
    }
    OpenWindow();
    if (Failed()) {
        return;
    }
    const CGameFieldSerialData& restored = Field();
    std::string differences = Differences(restored, session);
    if (!(restored.undo == session.undo && restored.redo == session.redo)) {
        differences += " undo/redo";
    }
    if (m_main->IsAutoCheck() != autoCheck) {
        differences += " Auto-Check";
    }
    if (!(m_main->GetWinners() == winners)) {
        differences += " winners";
    }
    if (SnapshotItems() != labels) {
        differences += " snapshot menu";
    }
    if (!differences.empty()) {
        return Fail("the session after a restart differs in: " + differences);
    }
    Check();
}

// Types the solution of a level game into it, cell by cell with the mouse
// and the digit keys: the game must end as won.
void SoakTest::PlayToTheEnd() {
    if (Field().level < 1 || Field().IsGameOver()) {
        return RandomKey();
    }
    CGameFieldCtrl solver;
    solver.field = Field().field;
    solver.ResetGame();
    solver.TrySolve();
    ConflictRegion region;
    if (!solver.GetStats().IsFull() || !solver.field.CheckAll(region)) {
        return RandomKey(); // beyond the singles: not this game
    }
    Note("play the game to its end");
    Press(Qt::Key_Escape, Qt::NoModifier);
    for (std::size_t i = 0; i < CGameField::CellCount && !Failed(); ++i) {
        const CCell& wanted = solver.field.cells[i];
        if (wanted.IsGiven() || Field().field.cells[i].value == wanted.value) {
            continue;
        }
        const CellPos pos = CGameField::PosOf(i);
        ClickAt(CellCentre(pos), Qt::LeftButton, false);
        if (Field().GetSelection() != pos) {
            const CellPos got = Field().GetSelection();
            return Fail("a click on cell (" + std::to_string(pos.column) + ", " +
                        std::to_string(pos.row) + ") selected (" + std::to_string(got.column) +
                        ", " + std::to_string(got.row) + ")" + Geometry());
        }
        Press(static_cast<Qt::Key>(Qt::Key_0 + wanted.value), Qt::NoModifier);
    }
    if (!Failed() && !Field().IsGameOver()) {
        std::string wrong;
        for (std::size_t i = 0; i < CGameField::CellCount; ++i) {
            if (Field().field.cells[i].value != solver.field.cells[i].value) {
                const CellPos pos = CGameField::PosOf(i);
                wrong += " (" + std::to_string(pos.column) + ", " + std::to_string(pos.row) + ")";
            }
        }
        Fail("the board filled with its solution is not a won game; cells not taken:" + wrong);
    }
}

} // namespace soak
