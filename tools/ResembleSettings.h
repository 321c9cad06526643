/** @file ResembleSettings.h
 ** The values Resemble and Justify read at the start of every run. **/
#pragma once

namespace tools {

/// Filled by the program from its settings store for each run (nothing is cached between runs).
struct ResembleSettings {
    int tab = 0;                         // spaces of the first-line indentation
    int maxChars = 0;                    // characters per line in DOS mode
    int left = 0;                        // left margin in characters (DOS mode only)
    int right = 0;                       // spaces put after every line
    int ignoranceWidthPercent = 0;       // Resemble
    int justifyIgnoranceWidthPercent = 0;
    bool dosMode = false;                // measure lines in characters instead of pixels
    bool indent = false;                 // indent the first line of every paragraph
};

} // namespace tools
