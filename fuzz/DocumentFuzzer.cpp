/** @file DocumentFuzzer.cpp
 ** Fuzzes the document format: any bytes decode, in both modes, into text whose line ends are all
 ** CR LF; without DOS mode, saving that text and loading it again gives it back. **/
#include "app/DocumentFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

struct SplitLines : app::DocumentLines {
    std::vector<std::string> lines;
    explicit SplitLines(const std::string& text)
    {
        size_t start = 0;
        for (;;) {
            const size_t end = text.find("\r\n", start);
            lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
            if (end == std::string::npos)
                break;
            start = end + 2;
        }
    }
    size_t Count() const override { return lines.size(); }
    std::string Line(size_t i) const override { return lines[i]; }
};

bool LineEndsAreCrLf(const std::string& text)
{
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            return false;
    return text.find('\x1a') == std::string::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string disk(reinterpret_cast<const char*>(data), size);
    for (const bool dosMode : {false, true}) {
        const app::DecodedDocument document = app::DecodeDocument(disk, dosMode);
        if (!LineEndsAreCrLf(document.text))
            __builtin_trap();
        if (dosMode)
            continue;
        // A header in front keeps a first line that looks like one from being taken for it.
        const std::string saved = app::EncodeDocument(SplitLines(document.text), false,
                                                      app::FormatHeaderLine("f", 1, "k.kbd"));
        if (app::DecodeDocument(saved, false).text != document.text)
            __builtin_trap();
    }
    app::DocumentHeader header;
    app::ScanHeaderLine(disk, header);
    return 0;
}
