/** @file QuvelSettings.h
 ** The poetry dialog's remembered choices. **/
#pragma once

#include <string>

namespace extras {

/// Filled by the program from its settings store when the dialog opens; written back only by the
/// dialog's "save and go" button. The initial values are the settings' defaults.
struct QuvelSettings {
    int how = 3;          // 0 all lines, 1 the last n, 2 the first n, 3 n from a random place
    int mode = 0;         // 0 verse, 1 plain
    bool showNumber = false;
    bool justify = true;
    std::string n = "4";  // edit texts, as shown
    std::string tab1 = "3";
    std::string tab2 = "15";
};

} // namespace extras
