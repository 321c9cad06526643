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

} // namespace editctl
