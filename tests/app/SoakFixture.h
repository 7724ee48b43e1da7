#pragma once

// The soak's window and its hands: the main window of ShellWindowTest, a
// seeded random source, a dialog answerer, and the inputs a player can give
// (keys, clicks, drags, menu choices), each followed by the session checks.

#include "RandomDialogAnswerer.h"
#include "SessionWatch.h"
#include "ShellWindowFixture.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace soak {

class SoakTest : public shelltest::ShellWindowTest {
protected:
    void SetUp() override;
    void TearDown() override;

    std::uint32_t Seed() const { return m_seed; }
    int Steps() const { return m_steps; }
    bool Failed() const { return m_failed; }
    RandomDialogAnswerer& Answerer() { return *m_answerer; }
    void NextStep(int step) { m_step = step; }

    // SoakActions.cpp: one action chosen at random.
    void RunRandomAction();
    void RandomKey();
    void RandomClick();
    void RandomDrag();
    void RandomMenuChoice();
    void RandomResize();
    // SoakChecks.cpp: the larger checks.
    void UndoEverythingAndBack();
    void SaveAndLoadGameFile();
    void CloseAndReopen();
    void PlayToTheEnd();

    // SoakFixture.cpp: inputs, each followed by the checks.
    void Press(Qt::Key key, Qt::KeyboardModifiers modifiers, bool gameMayChange = false);
    void ClickAt(QPoint client, Qt::MouseButton button, bool twice);
    void DragAlong(const std::vector<QPoint>& client, Qt::MouseButton button);
    // Opens the menus along the texts and chooses the last item; false (and
    // every menu closed again) when an item is missing or grayed.
    bool ChooseItem(const std::vector<QString>& path, bool gameMayChange = false);
    void CloseOpenMenus();

    // Where things are, in the main window's client coordinates.
    RECT ChildArea(HWND child) const;
    QPoint CellCentre(const CellPos& cell) const;
    QPoint RandomPointIn(const RECT& area);
    // The window's, the board's and the toolkit window's sizes, for a failure message.
    std::string Geometry() const;

    // Runs the session checks; false when something failed.
    bool Check(bool gameMayChange = false);
    void Fail(const std::string& what);
    void Note(std::string input);
    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::mt19937 m_random;
    std::unique_ptr<RandomDialogAnswerer> m_answerer;
    SessionWatch m_watch;
    std::filesystem::path m_games;

private:
    QPoint ToWindow(QPoint client) const;
    QWindow* Window() const;

    std::uint32_t m_seed = 0;
    int m_steps = 0;
    int m_step = 0;
    bool m_failed = false;
    std::size_t m_faultsSeen = 0;
    std::deque<std::string> m_inputs;
};

} // namespace soak
