#include "model/IniFile.h"

#include "model/StructCodec.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/Utf8.h"
#include "platform/sys/AtomicFile.h"

#include <optional>

namespace qor {

namespace {

constexpr std::size_t kMaxStringRead = 2047;

std::string StripQuotes(std::string value) {
    // A value written as "text" or 'text' reads as text, as profile readers always have.
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Readers trim blanks around a value and drop one pair of enclosing quotes. A value that either
// would change is stored inside an extra pair of double quotes, so it reads back exactly as written.
std::string ProtectValue(std::string_view value) {
    // Only the first line of a value can be stored.
    value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
    if (value.empty())
        return std::string(value);
    const bool blankEdge = TrimIniBlanks(value).size() != value.size();
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    if (!blankEdge && !quoted)
        return std::string(value);
    return "\"" + std::string(value) + "\"";
}

// Signed decimal with 32-bit wrap-around: blanks skipped, one sign, digits up to the first non-digit.
std::int32_t ParseInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

} // namespace

IniBatch::IniBatch(std::string path) : path_(std::move(path)), doc_(std::make_unique<IniDocument>()) {
    ReadResult read = ReadFileLimited(path_, IniDocument::kMaxFileSize);
    switch (read.status) {
    case ReadStatus::Ok:
        *doc_ = IniDocument::Parse(read.bytes);
        exists_ = true;
        break;
    case ReadStatus::Missing:
        break;
    case ReadStatus::TooLarge:
    case ReadStatus::Unreadable:
        writable_ = false;
        break;
    }
}

IniBatch::~IniBatch() = default;
IniBatch::IniBatch(IniBatch&&) noexcept = default;
IniBatch& IniBatch::operator=(IniBatch&&) noexcept = default;

std::string IniBatch::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const std::optional<std::string> value = doc_->Get(section, key);
    if (!value)
        return std::string(CutToCodePoints(def, kMaxStringRead));
    return std::string(CutToCodePoints(StripQuotes(*value), kMaxStringRead));
}

std::int32_t IniBatch::ReadInt(std::string_view section, std::string_view key, std::int32_t def) const {
    const std::optional<std::string> value = doc_->Get(section, key);
    if (!value)
        return def;
    const std::string text = StripQuotes(*value);
    return text.empty() ? def : ParseInt(text);
}

bool IniBatch::ReadStruct(std::string_view section, std::string_view key,
                          std::span<std::uint8_t> target) const {
    const std::optional<std::string> value = doc_->Get(section, key);
    return value && DecodeStruct(*value, target) == StructDecodeResult::Ok;
}

void IniBatch::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (writable_ && doc_->Set(section, key, ProtectValue(value)))
        dirty_ = true;
}

void IniBatch::WriteInt(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

void IniBatch::WriteStruct(std::string_view section, std::string_view key,
                           std::span<const std::uint8_t> bytes) {
    WriteString(section, key, EncodeStruct(bytes));
}

bool IniBatch::Commit() {
    return Commit(FolderSync::Now);
}

bool IniBatch::Commit(FolderSync sync) {
    if (!writable_)
        return false;
    if (!dirty_)
        return true;
    const std::string bytes = doc_->Serialize();
    // Never write what we would refuse to read back.
    if (bytes.size() > IniDocument::kMaxFileSize || !WriteFileAtomically(path_, bytes, sync))
        return false;
    dirty_ = false;
    return true;
}

std::int32_t IniFile::ReadInt(std::string_view section, std::string_view key, std::int32_t def) const {
    return IniBatch(path_).ReadInt(section, key, def);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    return IniBatch(path_).ReadString(section, key, def);
}

bool IniFile::ReadStruct(std::string_view section, std::string_view key,
                         std::span<std::uint8_t> target) const {
    return IniBatch(path_).ReadStruct(section, key, target);
}

void IniFile::WriteInt(std::string_view section, std::string_view key, std::int32_t value) {
    IniBatch batch(path_);
    batch.WriteInt(section, key, value);
    batch.Commit();
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    IniBatch batch(path_);
    batch.WriteString(section, key, value);
    batch.Commit();
}

void IniFile::WriteStruct(std::string_view section, std::string_view key,
                          std::span<const std::uint8_t> bytes) {
    IniBatch batch(path_);
    batch.WriteStruct(section, key, bytes);
    batch.Commit();
}

} // namespace qor
