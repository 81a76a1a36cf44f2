#include "macro/MacroFile.h"

#include <algorithm>
#include <array>
#include <limits>

#include "model/IniFile.h"

namespace qor {
namespace {

constexpr std::string_view kBlockKey = "MacroSetting_0";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

} // namespace

std::int32_t ParseLeadingInt(std::string_view text)
{
    std::size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
        negative = text[pos++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        value = std::min(value * 10 + (text[pos] - '0'), kLimit);
    if (negative)
        value = -value;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

bool SaveMacroFile(const std::string& path, const MacroWorkingCopy& copy)
{
    IniBatch file(path);
    file.WriteString(kMacroSettingSection, "MacroFilePath", path);
    file.WriteInt(kMacroSettingSection, "LoopTime", ParseLeadingInt(copy.LoopCountText));
    file.WriteInt(kMacroSettingSection, "LoopType", copy.LoopType);
    file.WriteInt(kMacroSettingSection, "DelayType", copy.DelayType);
    file.WriteInt(kMacroSettingSection, "Count", std::clamp(copy.EventCount, 0, kMacroEventCount));
    const MacroBlockBytes bytes = EncodeMacroBlock(copy.Events);
    file.WriteStruct(kMacroSettingSection, kBlockKey, bytes);
    return file.Commit();
}

bool LoadMacroBlock(const std::string& path, MacroWorkingCopy& copy)
{
    const IniBatch file(path);
    // Decoded into a scratch buffer: a value that is not accepted must not touch the entries.
    MacroBlockBytes bytes{};
    const bool read = file.ReadStruct(kMacroSettingSection, kBlockKey, bytes);
    if (read)
        copy.Events = DecodeMacroBlock(bytes);
    copy.EventCount = CompactMacroBlock(copy.Events);
    return read;
}

MacroSettings ReadMacroSettings(const std::string& path)
{
    const IniBatch file(path);
    MacroSettings settings;
    settings.LoopTime = file.ReadInt(kMacroSettingSection, "LoopTime", 1);
    settings.LoopType = file.ReadInt(kMacroSettingSection, "LoopType", 0);
    settings.DelayType = file.ReadInt(kMacroSettingSection, "DelayType", 2);
    return settings;
}

} // namespace qor
