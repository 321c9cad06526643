/** @file BatchSettings.h
 ** The batch conversion's choices, handed from its settings dialog to its conversion run. **/
#pragma once

#include <string>

namespace tools {

/// What the batch dialogs read and write; the program fills it from its settings store, so the
/// dialogs never reach the store themselves.
struct BatchSettings {
    std::string sourceFolder;
    std::string destinationFolder;
    std::string sourceKeymap;       // a file name of the KeyMaps folder
    std::string destinationKeymap;
    std::string sourcePattern;      // "*.txt": its last four characters are the suffix
    std::string destinationPattern;
    std::string initialFolder;      // root of the folder browser
    std::string fontName;           // recorded in the converted documents' headers
    int fontSize = 0;
};

} // namespace tools
