#pragma once

#include <QAccessibleEditableTextInterface>
#include <QAccessibleTextInterface>

#include <cstddef>
#include <string>

namespace kwin {
class IAccessibleText;
}

namespace kwin::qt {

class CQtAccessibleWindow;

// A window's text in Qt's terms: offsets count UTF-16 units as QString does,
// the layer's count UTF-8 bytes. Editing goes through the window as typing
// would, so it refuses a read-only text.
class CQtAccessibleText final : public QAccessibleTextInterface,
                                public QAccessibleEditableTextInterface {
public:
    explicit CQtAccessibleText(CQtAccessibleWindow& window);

    void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;

    // A byte offset into a UTF-8 text as a QString offset, and back.
    static int ToQt(const std::string& text, std::size_t bytes);
    static std::size_t ToBytes(const std::string& text, int offset);

private:
    IAccessibleText* Text() const;

    CQtAccessibleWindow& m_window;
};

} // namespace kwin::qt
