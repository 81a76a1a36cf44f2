#include "assign/KeyboardLayout.h"

#include "assign/KeyboardLayoutUs.h"

namespace qor {

namespace {

std::unique_ptr<KeyboardLayout>& CurrentLayoutSlot() {
    static std::unique_ptr<KeyboardLayout> layout = std::make_unique<UsKeyboardLayout>();
    return layout;
}

} // namespace

const KeyboardLayout& CurrentKeyboardLayout() {
    return *CurrentLayoutSlot();
}

void SetCurrentKeyboardLayout(std::unique_ptr<KeyboardLayout> layout) {
    CurrentLayoutSlot() = layout ? std::move(layout) : std::make_unique<UsKeyboardLayout>();
}

} // namespace qor
