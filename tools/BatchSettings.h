/** @file BatchSettings.h
 ** The batch conversion's choices in settings section "Batch", passed from the settings dialog to
 ** the converting dialog. **/
#pragma once

#include "tools/BatchConversion.h"

#include <string>
#include <vector>

namespace platform {
class SettingsStore;
}

namespace tools {

/// A folder that always exists, shown when no folder has been chosen yet.
std::string DefaultBatchFolder();

/// The values of section "Batch", with the defaults a reader supplies.
struct BatchSettings {
    std::string sourceFolder;      // "SDir"
    std::string destinationFolder; // "DDir"
    std::string sourceKeymap;      // "SKB": a keymap file name or "Unicode (UTF-8)"
    std::string destinationKeymap; // "DKB"
    std::string sourcePattern = "*.txt";      // "SExt"
    std::string destinationPattern = "*.txf"; // "dExt"
    std::string initialFolder;     // "IniDir"
    std::string faceName;          // "toFont"
    int size = 22;                 // "FSize"

    static BatchSettings Read(const platform::SettingsStore& settings);
    /// Writes every value, as "&Convert" does.
    void Write(platform::SettingsStore& settings) const;

    /// The conversion these values ask for; the document layout comes from "Settings"
    /// ("EnableDos", "SaveHeader") as for any saved document.
    BatchOptions Options(const platform::SettingsStore& settings) const;
};

} // namespace tools
