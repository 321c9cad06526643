/** @file ReflowSettings.h
 ** The settings Resemble and Justify read from "Settings" at the start of every run. **/
#pragma once

namespace platform {
class SettingsStore;
}

namespace tools {

/// Values as the re-flow tools see them. The defaults are this reader's own: "Left" is 3 and DOS
/// mode is off when the keys are missing, unlike the configuration dialog and the main window.
struct ReflowSettings {
    int tab = 3;      // first-line indentation, in spaces
    int maxChar = 79; // characters per line in DOS mode
    int left = 3;     // left margin in characters (DOS mode only)
    int right = 3;    // right margin: spaces after every line
    int iwp = 10;     // Resemble ignorance width, percent
    int jiwp = 50;    // Justify ignorance width, percent
    bool enableDos = false;
    bool identOnResemble = false;
};

/// Reads the eight values; numbers stored as text go through the atoi rule.
ReflowSettings ReadReflowSettings(const platform::SettingsStore& store);

} // namespace tools
