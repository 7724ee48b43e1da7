#pragma once

#include <QMenu>

namespace kwin::qt {

// A popup of a window's menu. A typed character selects the item it is the
// mnemonic of (see MenuMnemonics.h) and, when only one item has it, chooses
// that item as Enter would: a command is chosen unless it is grayed, a
// submenu opens. A character no item has is swallowed.
class CQtMenu : public QMenu {
public:
    CQtMenu(const QString& title, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ChooseByMnemonic(QChar key);
};

} // namespace kwin::qt
