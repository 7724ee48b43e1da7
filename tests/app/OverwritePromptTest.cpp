// A fault the soak found: in the second "Confirm Save As" box of one Save as
// (the first answered No, the same existing file chosen again), a key that
// leaves the box open (Esc) made the toolkit pass the activation back and
// forth between the box and its disabled owner without end: the box took no
// other message and no timer fired. The N of "&No" then answers the box.

#include "ShellWindowFixture.h"

#include <QTimer>
#include <fstream>

using namespace shelltest;

namespace {

class OverwritePromptTest : public ShellWindowTest {};

TEST_F(OverwritePromptTest, ASecondOverwritePromptTakesKeys) {
    std::ofstream(Path("kept.sdk")) << "an older game";
    wintest::ModalScript script;
    script.Then(ChooseFile(Path("kept.sdk")))
        .Then(
            [](const kwin::ModalStart& start) { wintest::PressKey(start.window, Qt::Key_Return); })
        .Then(ChooseFile(Path("kept.sdk")))
        .Then([](const kwin::ModalStart& start) {
            wintest::PressKey(start.window, Qt::Key_Escape);
            HWND w = start.window;
            QTimer::singleShot(300, [w] { wintest::PressKey(w, Qt::Key_N); });
        })
        .Then([](const kwin::ModalStart&) { kwin::qt::RunningFileDialog()->reject(); });
    Key(Qt::Key_F2);
    EXPECT_EQ(script.Started(), 5);
    std::ifstream kept(Path("kept.sdk"));
    std::string content;
    std::getline(kept, content);
    EXPECT_EQ(content, "an older game") << "No keeps the file";
}

} // namespace
