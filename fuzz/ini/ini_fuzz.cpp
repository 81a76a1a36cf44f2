// Parse, read, write and reparse any bytes; the engine must keep untouched files byte for byte and
// read back exactly what it wrote.
#include "platform/ini/IniDocument.h"
#include "platform/ini/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Splits the input into three short strings (section, key, value) and the file, at the first
// three 0x01 bytes.
std::string_view Take(std::string_view& data) {
    const std::size_t cut = data.find('\x01');
    const std::string_view head = data.substr(0, cut);
    data = cut == std::string_view::npos ? std::string_view() : data.substr(cut + 1);
    return head;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const std::string_view section = Take(data);
    const std::string_view key = Take(data);
    const std::string_view value = Take(data);
    const std::string_view file = data;

    qor::IniDocument doc = qor::IniDocument::Parse(file);
    Check(doc.Serialize() == file);
    (void)doc.Get(section, key);
    (void)doc.HasSection(section);
    const std::string before = doc.Serialize();
    if (!doc.Set(section, key, value)) {
        Check(doc.Serialize() == before);
        return 0;
    }
    const std::string written = doc.Serialize();
    const qor::IniDocument again = qor::IniDocument::Parse(written);
    Check(again.Serialize() == written);
    Check(again.Encoding() == doc.Encoding());
    if (qor::IsValidUtf8(section) && qor::IsValidUtf8(key)) {
        std::string_view stored = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
        const std::string expected = qor::SanitizeUtf8(qor::TrimIniBlanks(stored));
        Check(again.Get(section, key) == expected);
    }
    return 0;
}
