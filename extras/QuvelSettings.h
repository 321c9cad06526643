/** @file QuvelSettings.h
 ** The poetry dialog's remembered choices. **/
#pragma once

#include <string>

namespace extras {

/// Filled by the program from its settings store when the dialog opens; written back only by the
/// dialog's "save and go" button.
struct QuvelSettings {
    int how = 0;          // 0 all lines, 1 the last n, 2 the first n, 3 n from a random place
    int mode = 0;         // 0 verse, 1 plain
    bool showNumber = false;
    bool justify = false;
    std::string n;        // edit texts, as shown
    std::string tab1;
    std::string tab2;
};

} // namespace extras
