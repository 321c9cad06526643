#include "app/DocumentFile.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace app {

std::string FileSizeText(std::uint64_t length)
{
    char text[96];
    const unsigned long long bytes = length;
    if (length < 1024)
        std::snprintf(text, sizeof text, "%llu Bytes (%llu bytes)", bytes, bytes);
    else
        std::snprintf(text, sizeof text, "%.2fKB (%llu bytes)", static_cast<double>(length) / 1024.0, bytes);
    return text;
}

std::optional<FilePreview> PreviewFile(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (path.empty() || fs::is_directory(path, ec))
        return std::nullopt;
    const std::uintmax_t length = fs::file_size(path, ec);
    if (ec)
        return std::nullopt;
    std::string start;
    if (!platform::ReadFileBytes(path, start, {200, platform::PastLimit::KeepsStart},
                                 platform::FileKinds::RegularOnly).ok)
        return std::nullopt;

    FilePreview preview;
    preview.sizeText = FileSizeText(length);
    preview.keyboardText = "---";
    std::string extension = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    for (char& c : extension)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (extension == "TXF" || extension == "TXT") {
        const std::string memory = platform::DecodeTextMode(start);
        const std::string firstLine = memory.substr(0, memory.find('\n'));
        std::string keymapName;
        if (ScanHeaderKeymap(firstLine, keymapName))
            preview.keyboardText = keymapName;
    }
    return preview;
}

} // namespace app
