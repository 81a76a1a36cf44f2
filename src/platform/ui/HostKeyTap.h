#pragma once
// The process side of HostExports.h: which application receives qor_host_post_message, and the key
// tap that the key hook library installs.

#include <cstdint>

namespace qor {
class Application;
namespace detail {

// Called by the Application constructor (this) and destructor (nullptr).
void SetHostApplication(Application* app);
// Calls the installed key tap, if any: vk = virtual-key code, flags bit 7 set = released.
void CallHostKeyTap(std::uint32_t vk, std::uint32_t flags);

} // namespace detail
} // namespace qor
