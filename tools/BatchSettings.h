/** @file BatchSettings.h
 ** The batch conversion's choices, handed from its settings dialog to its conversion run. **/
#pragma once

#include "tools/BatchConversion.h"

#include <string>

namespace tools {

/// What the batch dialogs read and write; the program fills it from its settings store, so the
/// dialogs never reach the store themselves.
struct BatchSettings {
    std::string sourceFolder;
    std::string destinationFolder;
    std::string sourceKeymap;       // a file name of the KeyMaps folder, or "Unicode (UTF-8)"
    std::string destinationKeymap;
    std::string sourcePattern;      // "*.txt": its last four characters are the suffix
    std::string destinationPattern;
    std::string initialFolder;      // root of the folder browser
    std::string fontName;           // recorded in the converted documents' headers
    int fontSize = 0;
};

/// The conversion the settings ask for, with the layout of every saved document (DOS mode and the
/// header line, from the editor's document settings).
BatchOptions OptionsFor(const BatchSettings& settings, DosLayout dos, HeaderChoice header);

} // namespace tools
