#include "tools/BatchSettings.h"

namespace tools {

BatchOptions OptionsFor(const BatchSettings& settings, DosLayout dos, HeaderChoice header)
{
    BatchOptions o;
    o.fromUnicode = settings.sourceKeymap == UnicodeChoice;
    o.toUnicode = settings.destinationKeymap == UnicodeChoice;
    if (!o.fromUnicode)
        o.sourceKeymap = settings.sourceKeymap;
    if (!o.toUnicode)
        o.destinationKeymap = settings.destinationKeymap;
    o.faceName = settings.fontName;
    o.size = settings.fontSize;
    o.header = header;
    o.dos = dos;
    return o;
}

} // namespace tools
