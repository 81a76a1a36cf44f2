#include "controls/EditBuffer.h"

#include <algorithm>
#include <utility>

namespace qor {

void EditBuffer::SetText(std::u32string text) {
    text_ = std::move(text);
    caret_ = anchor_ = text_.size();
}

bool EditBuffer::EraseSelection() {
    if (!HasSelection())
        return false;
    const std::size_t start = SelectionStart();
    text_.erase(start, SelectionEnd() - start);
    caret_ = anchor_ = start;
    return true;
}

bool EditBuffer::Type(char32_t c) {
    // Control characters are keys (Enter, Escape, Backspace), never text.
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    const bool erased = EraseSelection();
    if (text_.size() >= limit_)
        return erased;
    text_.insert(text_.begin() + std::ptrdiff_t(caret_), c);
    caret_ = anchor_ = caret_ + 1;
    return true;
}

bool EditBuffer::Backspace() {
    if (EraseSelection())
        return true;
    if (caret_ == 0)
        return false;
    text_.erase(caret_ - 1, 1);
    caret_ = anchor_ = caret_ - 1;
    return true;
}

bool EditBuffer::Delete() {
    if (EraseSelection())
        return true;
    if (caret_ >= text_.size())
        return false;
    text_.erase(caret_, 1);
    return true;
}

void EditBuffer::SelectAll() {
    anchor_ = 0;
    caret_ = text_.size();
}

void EditBuffer::MoveCaret(std::size_t position) {
    caret_ = anchor_ = std::min(position, text_.size());
}

void EditBuffer::Left() {
    if (HasSelection())
        MoveCaret(SelectionStart());
    else if (caret_ > 0)
        MoveCaret(caret_ - 1);
}

void EditBuffer::Right() {
    if (HasSelection())
        MoveCaret(SelectionEnd());
    else
        MoveCaret(caret_ + 1);
}

} // namespace qor
