// Feeds arbitrary bytes to the macro file loader as a macro file and as a macro list, and checks what
// the editor relies on afterwards: entries 0..count-1 are known events, every later entry is zero.

#include <cstddef>
#include <cstdint>
#include <string>

#include "macro/MacroFile.h"
#include "macro/MacroList.h"
#include "support/ScratchFile.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = qor::fuzz::ScratchFile("m.QORMACRO");
    if (!qor::fuzz::WriteScratch(path, data, size))
        return 0;

    qor::MacroWorkingCopy copy;
    copy.Events[0] = qor::MacroEvent::KeyEvent(4, true);
    copy.Events[1] = qor::MacroEvent::KeyEvent(4, false);
    copy.EventCount = 2;
    qor::LoadMacroBlock(path, copy);
    Check(copy.EventCount >= 0 && copy.EventCount <= qor::kMacroEventCount);
    for (int i = 0; i < qor::kMacroEventCount; ++i)
        Check(i < copy.EventCount ? copy.Events[i].IsKnown() : copy.Events[i].IsEmpty());
    (void)qor::ReadMacroSettings(path);

    const qor::MacroListSnapshot list = qor::MacroList(path).Read();
    Check(list.Count() >= 0 && list.Count() <= qor::kMacroSlotCount);
    for (const std::string& name : list.Names()) {
        const int number = list.NumberByName(name);
        Check(number >= 0 && number < qor::kMacroSlotCount && list.NameByNumber(number) == name);
    }
    return 0;
}
