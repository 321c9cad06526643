#include "keymap/KeymapFile.h"

#include "platform/TextMode.h"

#include <cstring>

namespace keymap {

ParseResult ParseKeymapFile(std::string_view disk, KeyTable& table)
{
    ParseResult result;
    // A keymap is binary data, so 0x1A does not end it (a glyph code 26 is a valid record byte).
    const std::string logical = platform::DecodeTextMode(disk, platform::CtrlZ::IsData);

    // The first line: up to the first LF, at most 80 characters; an 81st is not consumed.
    size_t lineEnd = 0;
    while (lineEnd < logical.size() && lineEnd < SignatureLineLimit && logical[lineEnd] != '\n')
        ++lineEnd;
    const std::string_view firstLine(logical.data(), lineEnd);
    if (firstLine != KeymapSignature)
        return result;
    size_t pos = lineEnd;
    if (pos < logical.size() && logical[pos] == '\n')
        ++pos;

    const size_t available = logical.size() - pos;
    const size_t count = available < static_cast<size_t>(TableBytes) ? available : static_cast<size_t>(TableBytes);
    // Only whole fields can be decoded field by field; a field cut short keeps its low bytes read.
    for (size_t b = 0; b < count; ++b) {
        const size_t field = b / 4;
        const int shift = static_cast<int>(b % 4) * 8;
        KeyRecord& rec = table[field / 9];
        std::uint32_t value = static_cast<std::uint32_t>(rec.Field(static_cast<int>(field % 9)));
        value &= ~(0xffu << shift);
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(logical[pos + b])) << shift;
        rec.SetField(static_cast<int>(field % 9), static_cast<std::int32_t>(value));
    }
    result.status = ParseStatus::Ok;
    result.recordBytesRead = static_cast<int>(count);
    return result;
}

std::string TableBytesOf(const KeyTable& table)
{
    std::string bytes;
    bytes.reserve(TableBytes);
    for (const KeyRecord& rec : table) {
        for (int f = 0; f < 9; ++f) {
            const std::uint32_t v = static_cast<std::uint32_t>(rec.Field(f));
            for (int s = 0; s < 32; s += 8)
                bytes.push_back(static_cast<char>((v >> s) & 0xff));
        }
    }
    return bytes;
}

std::string SerializeKeymapFile(const KeyTable& table)
{
    std::string logical(KeymapSignature);
    logical.push_back('\n');
    logical += TableBytesOf(table);
    return platform::EncodeTextMode(logical);
}

} // namespace keymap
