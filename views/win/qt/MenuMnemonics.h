#pragma once

#include <QAction>
#include <QKeyEvent>
#include <QList>

namespace kwin::qt {

// The items a typed character selects in a menu or a menu bar: those whose
// '&' marks that character, or else, as on the platform, those without a
// '&' whose text starts with it. Separators and hidden items never match.
// A key that types a character and is not a Ctrl or Meta combination.
bool IsMnemonicKey(const QKeyEvent* event);

QList<QAction*> ActionsForMnemonic(const QList<QAction*>& actions, QChar key);

// The item a character selects next: after current among several matches
// (they take turns), or the only one.
QAction* NextMnemonicMatch(const QList<QAction*>& matches, const QAction* current);

} // namespace kwin::qt
