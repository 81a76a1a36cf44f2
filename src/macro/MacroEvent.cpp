#include "macro/MacroEvent.h"

namespace qor {

MacroBlockBytes EncodeMacroBlock(const MacroBlock& block)
{
    MacroBlockBytes bytes{};
    for (int i = 0; i < kMacroEventCount; ++i) {
        bytes[i * kMacroEventSize] = block[i].Action;
        bytes[i * kMacroEventSize + 1] = block[i].Data;
        bytes[i * kMacroEventSize + 2] = block[i].DataHigh;
    }
    return bytes;
}

MacroBlock DecodeMacroBlock(std::span<const std::uint8_t, kMacroBlockSize> bytes)
{
    MacroBlock block{};
    for (int i = 0; i < kMacroEventCount; ++i)
        block[i] = {bytes[i * kMacroEventSize], bytes[i * kMacroEventSize + 1],
                    bytes[i * kMacroEventSize + 2]};
    return block;
}

int CompactMacroBlock(MacroBlock& block)
{
    int count = 0;
    for (const MacroEvent& event : block)
        if (event.IsKnown())
            block[count++] = event; // count never passes the read position
    for (int i = count; i < kMacroEventCount; ++i)
        block[i] = {};
    return count;
}

} // namespace qor
