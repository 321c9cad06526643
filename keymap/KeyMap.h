/** @file KeyMap.h
 ** A loaded keymap: its 52 records with the key-code and glyph lookup tables. **/
#pragma once

#include "keymap/KeyRecord.h"

#include <array>
#include <string>

namespace keymap {

/// True for a name that is a file of one folder: no separator, not "." or "..", not empty.
bool IsBareFileName(const std::string& name);

/// One font's keymap. Created empty; usable after a successful Load. A failed Load leaves an
/// earlier successful load in force. Records are handed out by value.
class KeyMap {
public:
    KeyMap();
    virtual ~KeyMap() = default;

    /// Loads `name` from the user's KeyMaps folder when it has one of that name, else from the
    /// KeyMaps folder of the program folder ("Temp"/"KelmDir" in the settings), or from the folder
    /// given by SetFolder; `name` must be a bare file name (a path
    /// is refused and named in the message). Failures are reported through the message
    /// service with the texts users know, and return false with the object unchanged.
    bool Load(const std::string& name);
    /// Loads a keymap file by path, with the same checks and messages; the file name becomes the
    /// path's last component.
    bool LoadFromPath(const std::string& path);
    /// Builds the tables from records already in memory (the keymap editor's table, tests).
    void SetRecords(const KeyTable& table, const std::string& name);

    KeyRecord RecordForKey(int keyCode) const;
    KeyRecord RecordForGlyph(int glyph, int& form) const;
    int RecordIndexForGlyphForm(int form, int glyph) const;

    /// RecordForGlyph without the copy, for loops over whole texts.
    const KeyRecord& RecordRefForGlyph(int glyph, int& form) const;
    const KeyRecord& RecordRefForKey(int keyCode) const { return records[static_cast<size_t>(RecordIndexForKey(keyCode))]; }
    /// Index of the record for a key code (NoKeyRecord when no record carries it).
    int RecordIndexForKey(int keyCode) const;
    const KeyRecord& Record(int index) const { return records[static_cast<size_t>(index)]; }
    const KeyTable& Records() const { return records; }
    const std::string& FileName() const { return fileName; }
    bool IsLoaded() const { return loaded; }
    /// True exactly when record 38's extInitial is 1.
    bool SupportsEnglish() const { return records[EnglishFlagRecord].extInitial == 1; }

    /// Folder that Load reads from instead of the program folder's KeyMaps; empty restores the default.
    void SetFolder(const std::string& folder) { folderOverride = folder; }
    /// The path Load(name) opens.
    std::string PathFor(const std::string& name) const;

private:
    struct GlyphEntry {
        signed char form;
        signed char record;
    };
    bool LoadFile(const std::string& path, const std::string& name);
    void BuildTables();

    KeyTable records{};
    std::array<unsigned char, LookupSize> keyToRecord{};
    std::array<GlyphEntry, LookupSize> glyphToKey{};
    std::string fileName;
    std::string folderOverride;
    bool loaded = false;
};

} // namespace keymap
