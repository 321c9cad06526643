/** @file ScratchTable.h
 ** The scratch table: favourite font settings (face, keymap, size), kept in scratch.cfg. **/
#pragma once

#include "platform/TextMode.h"

#include <string>
#include <string_view>
#include <vector>

namespace extras {

/// One favourite setting: a face name, the bare name of its keymap file and the size as text.
struct ScratchEntry {
    std::string faceName;
    std::string keymapName;
    std::string sizeText;
    friend bool operator==(const ScratchEntry&, const ScratchEntry&) = default;
};

/// The scratch file's name in the program folder.
inline constexpr const char* ScratchFileName = "scratch.cfg";
/// scratch.cfg holds a few lines per favourite; a file far larger is not one, and reading all of
/// it would only cost memory.
inline constexpr platform::ReadLimit ScratchFileLimit{std::size_t{1} << 20};

/// Entries of a scratch file's text (LF line ends, as read in text mode): a count line, then three
/// lines per entry. A count that is not positive gives none; a file that ends early stops at the
/// last entry it begins, whose missing lines read as empty texts.
std::vector<ScratchEntry> ParseScratchTable(std::string_view text);
/// The text of a scratch file (LF line ends; text mode writes CR LF).
std::string FormatScratchTable(const std::vector<ScratchEntry>& entries);

/// Index of the first text that begins with `prefix`, compared without regard to ASCII case, in
/// the order a list box's prefix search takes: from the second entry on, wrapping to the first.
/// -1 when none does.
int FindPrefix(const std::vector<std::string>& texts, std::string_view prefix);

/// The table as the dialog bar shows it: three index-aligned lists (face names in the scratch box,
/// keymap names and size texts in its two hidden lists) and one selected index common to all
/// three (-1 for none). The dialog bar only mirrors this model.
class ScratchTable {
public:
    /// Replaces the entries with those of a scratch file; no entry is selected. False when the
    /// file cannot be read (the table is then empty).
    bool Load(const std::string& path);
    /// Writes the table to `path` atomically, so a failure midway leaves the old file whole.
    platform::FileResult Save(const std::string& path) const;

    void SetEntries(std::vector<ScratchEntry> list);
    const std::vector<ScratchEntry>& Entries() const { return entries; }
    int Count() const { return static_cast<int>(entries.size()); }
    /// The three lists of the dialog bar.
    std::vector<std::string> FaceNames() const { return Column(&ScratchEntry::faceName); }
    std::vector<std::string> KeymapNames() const { return Column(&ScratchEntry::keymapName); }
    std::vector<std::string> SizeTexts() const { return Column(&ScratchEntry::sizeText); }

    int Selected() const { return selected; }
    /// Selects `index` in all three lists; an index outside the table leaves none selected.
    void Select(int index);
    const ScratchEntry* SelectedEntry() const;

    /// Stores a setting: a face already present (found by the prefix search, of exactly the same
    /// length) gets the new keymap and size; any other face is appended. The entry the prefix
    /// search then finds becomes the selection, which is returned.
    int Add(const std::string& faceName, const std::string& keymapName, int size);
    /// Removes the selected entry and selects the one that moved into its place (none when it was
    /// the last). False when nothing was selected.
    bool DeleteSelected();

private:
    std::vector<std::string> Column(std::string ScratchEntry::*field) const;

    std::vector<ScratchEntry> entries;
    int selected = -1;
};

} // namespace extras
