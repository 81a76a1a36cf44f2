#pragma once
// Messages that the hid command line sends to a running agent. They are private to hid, chosen far
// from every message number the program uses, and answered like any other send.

#include <cstdint>

namespace qor::agent {

inline constexpr uint32_t kControlSetConnection = 0x7A00; // wParam 1 = connected, 0 = not; answers 1
inline constexpr uint32_t kControlReport = 0x7A01;        // posts UI_MSG_DEVICE_REPORT(wParam, lParam);
                                                          // answers 1 if the main window took it
inline constexpr uint32_t kControlStatus = 0x7A02;        // answers the connection flag
inline constexpr uint32_t kControlQuit = 0x7A03;          // the agent ends; answers 1

} // namespace qor::agent
