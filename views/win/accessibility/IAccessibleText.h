#pragma once

#include <cstddef>
#include <string>
#include <utility>

namespace kwin {

// An accessible object that holds editable text. Offsets are byte offsets
// into the UTF-8 content.
class IAccessibleText {
public:
    virtual ~IAccessibleText() = default;

    virtual std::string Content() const = 0;
    virtual std::size_t Caret() const = 0;
    // The selected range, from <= to; empty when nothing is selected.
    virtual std::pair<std::size_t, std::size_t> Selection() const = 0;
    // Selects from anchor to caret (equal: only places the caret).
    virtual void Select(std::size_t anchor, std::size_t caret) = 0;
    // Replaces [from, to) by text; false when the text cannot be edited.
    virtual bool Replace(std::size_t from, std::size_t to, const std::string& text) = 0;
};

} // namespace kwin
