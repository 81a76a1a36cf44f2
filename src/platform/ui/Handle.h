#pragma once
// Window handles: every window of this process has a non-zero 32-bit handle. A destroyed window's handle
// is never handed out again, so a stale handle simply stops resolving.

#include <cstdint>

namespace qor {

using HWND = std::uint32_t;
constexpr HWND kNoWindow = 0;

} // namespace qor
