/** @file KeymapGuess.h
 ** When a header-less document is opened: whether another keymap of the folder clearly reads it better. **/
#pragma once

#include "keymap/KeymapDetection.h"

#include <optional>
#include <string>
#include <string_view>

namespace app {

/// Another keymap that reads a file clearly better than the one in use.
struct KeymapOffer {
    std::string keymapName;
    double confidence = 0;
};

/// Scores the keymaps of one folder on a document's bytes with the Persian word list, which it
/// reads once, on first use (without it, coverage of the bytes alone decides).
class KeymapGuess {
public:
    explicit KeymapGuess(std::string wordListPath = keymap::PersianWordList::DebianPath);

    /// The keymap of `folder` most likely to have written `bytes` when it is clearly more likely
    /// than `current`; nothing otherwise, and nothing for a document whose header names its keymap.
    /// Keymap files of the folder that cannot be read are passed over without a message: the user
    /// asked to open a document, not to check the folder.
    std::optional<KeymapOffer> BetterKeymap(std::string_view bytes, const std::string& current,
                                            const std::string& folder);

private:
    std::string wordListPath;
    keymap::PersianWordList words;
    bool wordsRead = false;
};

} // namespace app
