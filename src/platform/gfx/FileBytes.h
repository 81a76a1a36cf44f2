#pragma once
// Reading a whole file for the image decoders, with a size cap so that a huge or endless file
// (a device, a FIFO) cannot exhaust memory.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qor {

// The bytes of a regular file, or nothing when it is missing, unreadable, not a regular file or
// larger than maxBytes.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxBytes);
// The first count bytes of a regular file (all of it when shorter), or nothing as above.
std::optional<std::vector<std::uint8_t>> ReadFileHead(const std::string& path, std::size_t count);

// Replaces path with data in one step (temporary file in the same folder, flush, rename): a failure
// at any moment leaves the old file or the new one, never a partial file.
bool WriteFileAtomically(const std::string& path, const std::vector<std::uint8_t>& data);

} // namespace qor
