/** @file ConfigurationValues.h
 ** The fifteen values the configuration dialog shows and saves. **/
#pragma once

#include <string>

namespace tools {

/// Number fields are kept as the text the dialog shows and stores (an empty field stays empty);
/// check boxes as flags.
struct ConfigurationValues {
    std::string tab;
    std::string maxChars;
    std::string left;
    std::string right;
    std::string ignoranceWidth;        // Resemble, percent
    std::string justifyIgnoranceWidth; // Justify, percent
    bool splashScreen = false;
    bool dosMode = false;
    bool saveOnExit = false;
    bool saveHeader = false;
    bool resembleOnLoad = false;
    bool justifyOnResemble = false;
    bool indentOnResemble = false;
    bool saveWindowOnExit = false;
    bool startWithLastDocument = false;
};

} // namespace tools
