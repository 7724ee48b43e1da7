#pragma once

// Answers every modal loop the soak opens (dialogs, message boxes, file
// dialogs) at random: OK, Cancel, Enter, Esc, clicks, names of random length
// with UTF-8 in them, files of a scratch folder. A watchdog closes what the
// random answer left open and reports it, so a dialog that ignores Enter can
// never hang the run.

#include <gtest/gtest.h>

#include "tests/views/win/ModalScript.h"

#include <QPointer>
#include <QTimer>

#include <deque>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace soak {

class RandomDialogAnswerer {
public:
    RandomDialogAnswerer(std::mt19937& random, std::filesystem::path folder);
    ~RandomDialogAnswerer();
    RandomDialogAnswerer(const RandomDialogAnswerer&) = delete;
    RandomDialogAnswerer& operator=(const RandomDialogAnswerer&) = delete;

    // The next modal loops get these answers instead of random ones.
    void Force(wintest::ModalStep step) { m_forced.push_back(std::move(step)); }
    bool ForcedLeft() const { return !m_forced.empty(); }

    // Faults the watchdog found (a dialog that stayed open after Enter), and
    // a short account of every answer given, for the failure message.
    const std::vector<std::string>& Faults() const { return m_faults; }
    const std::deque<std::string>& Journal() const { return m_journal; }
    int Opened() const { return m_opened; }

    // A random name: ASCII, blanks, accented letters, CJK and emoji, 0 to
    // maxPieces pieces long.
    std::string RandomName(int maxPieces);
    // A path in the scratch folder: an existing game file, a new name, or
    // sometimes a name too long for the dialog's buffer.
    std::string RandomPath(bool forOpen);

private:
    struct Pending {
        kwin::ModalKind kind;
        HWND window;
        QPointer<QFileDialog> fileDialog;
        int ticks = 0;
    };

    void OnModalStart(const kwin::ModalStart& start);
    void AnswerDialog(HWND window);
    void AnswerMessageBox(HWND window);
    void AnswerFileDialog(QFileDialog* dialog, bool forOpen);
    void OnWatchdogTick();
    bool StillOpen(const Pending& pending) const;
    void Nudge(Pending& pending);
    void Note(std::string text);
    int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    std::mt19937& m_random;
    std::filesystem::path m_folder;
    std::deque<wintest::ModalStep> m_forced;
    std::vector<Pending> m_pending;
    std::vector<std::string> m_faults;
    std::deque<std::string> m_journal;
    QTimer m_watchdog;
    int m_opened = 0;
};

// Answers a file dialog with this path and Enter.
wintest::ModalStep PickFile(const std::string& path);

} // namespace soak
