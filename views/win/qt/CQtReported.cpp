#include "views/win/qt/CQtReported.h"

#include <bit>
#include <utility>

namespace kwin::qt {
namespace {

static_assert(sizeof(QAccessible::State) == sizeof(quint64));

quint64 Bits(const QAccessible::State& state) {
    return std::bit_cast<quint64>(state);
}

} // namespace

bool CQtReported::TextChanged(QAccessible::Text t, const QString& value) {
    const auto it = m_texts.find(t);
    if (it != m_texts.end() && it->second == value) {
        return false;
    }
    m_texts[t] = value;
    return true;
}

QAccessible::State CQtReported::StateChanges(QAccessible::State now) {
    const quint64 before = m_state ? Bits(*m_state) : 0;
    m_state = now;
    return std::bit_cast<QAccessible::State>(before ^ Bits(now));
}

bool CQtReported::CaretChanged(int caret) {
    const bool changed = m_caret != caret;
    m_caret = caret;
    return changed;
}

bool CQtReported::SelectionChanged(int from, int to) {
    const bool changed = m_selection != std::pair(from, to);
    m_selection = std::pair(from, to);
    return changed;
}

QString CQtReported::SwapContent(const QString& now) {
    return std::exchange(m_content, now);
}

} // namespace kwin::qt
