#include "editctl/Clipboard.h"

namespace editctl {

namespace {
MemoryClipboard processClipboard;
Clipboard* installed = nullptr;
} // namespace

Clipboard& CurrentClipboard()
{
    return installed ? *installed : processClipboard;
}

void InstallClipboard(Clipboard* clipboard)
{
    installed = clipboard;
}

std::string WithCrLf(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            out += '\r';
        out += bytes[i];
    }
    return out;
}

} // namespace editctl
