#pragma once
// The text of a single-line entry field with its caret and selection, in code points, so that the
// length limit counts characters and editing never splits one.

#include <cstddef>
#include <string>

namespace qor {

class EditBuffer {
public:
    static constexpr std::size_t kDefaultLimit = 30000;

    const std::u32string& Text() const { return text_; }
    std::size_t Caret() const { return caret_; }
    std::size_t SelectionStart() const { return caret_ < anchor_ ? caret_ : anchor_; }
    std::size_t SelectionEnd() const { return caret_ < anchor_ ? anchor_ : caret_; }
    bool HasSelection() const { return caret_ != anchor_; }
    std::size_t Limit() const { return limit_; }

    // Replaces the text (it may exceed the limit, which only stops typing); the caret goes to the end.
    void SetText(std::u32string text);
    // 0 means the default limit.
    void SetLimit(std::size_t limit) { limit_ = limit == 0 ? kDefaultLimit : limit; }

    // Each returns true when the text changed.
    bool Type(char32_t c); // replaces the selection; refused when the text is full
    bool Backspace();      // the selection, else the character before the caret
    bool Delete();         // the selection, else the character after the caret

    void SelectAll();
    void MoveCaret(std::size_t position); // clears the selection
    void Left();
    void Right();
    void Home() { MoveCaret(0); }
    void End() { MoveCaret(text_.size()); }

private:
    bool EraseSelection();

    std::u32string text_;
    std::size_t caret_ = 0;
    std::size_t anchor_ = 0;
    std::size_t limit_ = kDefaultLimit;
};

} // namespace qor
