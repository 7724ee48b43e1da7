#include "views/win/qt/CQtMenu.h"

#include "views/win/qt/MenuMnemonics.h"

#include <QKeyEvent>

namespace kwin::qt {

CQtMenu::CQtMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

void CQtMenu::keyPressEvent(QKeyEvent* event) {
    if (IsMnemonicKey(event)) {
        ChooseByMnemonic(event->text()[0]);
        event->accept();
        return;
    }
    QMenu::keyPressEvent(event);
}

void CQtMenu::ChooseByMnemonic(QChar key) {
    const QList<QAction*> matches = ActionsForMnemonic(actions(), key);
    QAction* next = NextMnemonicMatch(matches, activeAction());
    if (next == nullptr) {
        return;
    }
    setActiveAction(next);
    if (matches.size() == 1 && activeAction() == next) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QMenu::keyPressEvent(&enter);
    }
}

} // namespace kwin::qt
