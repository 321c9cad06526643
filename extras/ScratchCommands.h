/** @file ScratchCommands.h
 ** The scratch table's commands: load and save the table, add, delete and select an entry, and
 ** switch the document to a font setting. **/
#pragma once

#include "extras/ScratchTable.h"

#include <string>

namespace editctl {
class PersianEdit;
}
namespace keymap {
class KeymapConverter;
}

namespace extras {

/// A face name, a size and a keymap name, as the main window holds its current setting.
struct FontSetting {
    std::string faceName;
    int size = 0;
    std::string keymapName;
    friend bool operator==(const FontSetting&, const FontSetting&) = default;
};

/// The main window's fields hold at most this many characters of a face or keymap name.
inline constexpr size_t FontFieldLimit = 79;

/// What the scratch commands need from the main window besides its converter and editor.
class FontSettingHost {
public:
    virtual ~FontSettingHost() = default;
    /// Becomes the current face name, size and keymap name, shown in the face name box (1009)
    /// and the size box (1010).
    virtual void SetCurrentFontSetting(const FontSetting& setting) = 0;
    /// The view's SetupEditor(face, size, keymap, no path): loads and binds the keymap and sets
    /// the font; no document is loaded. False when the keymap could not be loaded.
    virtual bool SetupEditor(const FontSetting& setting) = 0;
    /// Selects in the keymap box (1004) the entry that begins with `keymapName`.
    virtual void SelectKeymapEntry(const std::string& keymapName) = 0;
};

/// Fills `table` from `programFolder`/`name`. When the file cannot be read: "Not Opened" (caption
/// "Kelmora") and an empty table.
bool LoadScratchTable(ScratchTable& table, const std::string& programFolder, const std::string& name = ScratchFileName);
/// Writes the table atomically. When it cannot be written: "Not created" (caption "Kelmora"),
/// and the file on disk stays as it was.
bool SaveScratchTable(const ScratchTable& table, const std::string& path);

/// The Add button (1000): stores the current setting; returns the selected index.
int AddToScratch(ScratchTable& table, const FontSetting& current);
/// The Del button (1005): asks "Are you sure to delete font from scratch ?" and on Yes removes
/// the selected entry. The entry that moves into its place is selected but not applied.
bool DeleteFromScratch(ScratchTable& table);
/// A choice in the scratch box (1002) or the Scratch Select dialog: selects `index` and applies
/// that entry (size by the atoi rule). False when no entry is selected or it could not be applied.
bool SelectFromScratch(ScratchTable& table, int index, keymap::KeymapConverter& converter,
                       editctl::PersianEdit& editor, FontSettingHost& host);

/// Switches the document to `setting`: the editor's text is converted from the keymap in force to
/// the setting's keymap, then the setting becomes current and the editor is set up with it. Names
/// are cut to 79 characters. When either keymap cannot be loaded nothing changes (a conversion
/// with a stale keymap would garble the text). A text converted into another keymap marks the
/// document modified; the same keymap, or an empty text, leaves the flag as it was.
bool ApplyFontSetting(keymap::KeymapConverter& converter, editctl::PersianEdit& editor, FontSettingHost& host,
                      FontSetting setting);

} // namespace extras
