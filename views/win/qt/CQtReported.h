#pragma once

#include <QAccessible>
#include <QString>

#include <map>
#include <optional>

namespace kwin::qt {

// What a client was last told of one object, through a query or an event:
// a change the layer announces is passed on only when it changes something.
class CQtReported {
public:
    // True when value differs from what was last reported for t (or nothing
    // was); records it.
    bool TextChanged(QAccessible::Text t, const QString& value);
    // The states that changed since the last report (all set ones when none
    // was made); records now.
    QAccessible::State StateChanges(QAccessible::State now);
    bool CaretChanged(int caret);
    bool SelectionChanged(int from, int to);
    // The content last reported; records now.
    QString SwapContent(const QString& now);

private:
    std::map<QAccessible::Text, QString> m_texts;
    std::optional<QAccessible::State> m_state;
    std::optional<int> m_caret;
    std::optional<std::pair<int, int>> m_selection;
    QString m_content;
};

} // namespace kwin::qt
