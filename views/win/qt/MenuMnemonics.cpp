#include "views/win/qt/MenuMnemonics.h"

namespace kwin::qt {
namespace {

bool Selectable(const QAction* action) {
    return !action->isSeparator() && action->isVisible() && !action->text().isEmpty();
}

// The character after the first single '&' ("&&" is a literal '&'), or none.
QChar MarkedCharacter(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&') {
            continue;
        }
        if (text[i + 1] != u'&') {
            return text[i + 1];
        }
        ++i;
    }
    return {};
}

bool HasMark(const QString& text) {
    return !MarkedCharacter(text).isNull();
}

} // namespace

bool IsMnemonicKey(const QKeyEvent* event) {
    const QString text = event->text();
    return text.size() == 1 && text[0].isPrint() && !text[0].isSpace() &&
           !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

QList<QAction*> ActionsForMnemonic(const QList<QAction*>& actions, QChar key) {
    const QChar wanted = key.toUpper();
    QList<QAction*> marked;
    QList<QAction*> initial;
    for (QAction* action : actions) {
        if (!Selectable(action)) {
            continue;
        }
        const QString text = action->text();
        if (HasMark(text)) {
            if (MarkedCharacter(text).toUpper() == wanted) {
                marked.append(action);
            }
        } else if (text[0].toUpper() == wanted) {
            initial.append(action);
        }
    }
    return marked.isEmpty() ? initial : marked;
}

QAction* NextMnemonicMatch(const QList<QAction*>& matches, const QAction* current) {
    if (matches.isEmpty()) {
        return nullptr;
    }
    const qsizetype at = matches.indexOf(const_cast<QAction*>(current));
    return at < 0 ? matches.first() : matches[(at + 1) % matches.size()];
}

} // namespace kwin::qt
