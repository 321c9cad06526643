#include "keymap/KeyMap.h"

#include "keymap/KeymapFile.h"
#include "platform/DataFolders.h"
#include "platform/Services.h"
#include "platform/TextMode.h"

#include <filesystem>

namespace keymap {

KeyMap::KeyMap()
{
    keyToRecord.fill(NoKeyRecord);
    glyphToKey.fill(GlyphEntry{0, NoKeyRecord});
}

std::string KeyMap::PathFor(const std::string& name) const
{
    if (!folderOverride.empty())
        return folderOverride + "/" + name;
    // The user's keymap of this name hides the shipped one.
    return platform::DataFolders(platform::Settings().ReadString("Temp", "KelmDir", "")).KeymapPath(name);
}

bool IsBareFileName(const std::string& name)
{
    // A NUL would end the name the file system sees early, so another file than the one named opened.
    return !name.empty() && name != "." && name != ".." && name.find_first_of(std::string_view("/\\\0", 3)) == std::string::npos;
}

bool KeyMap::Load(const std::string& name)
{
    // Names come from documents and settings: one that leads out of the keymap folder would let
    // a file read whatever the user may read.
    if (!IsBareFileName(name)) {
        platform::Messages().Show(name + "\nNot a keymap name: a keymap is a file of the keymap folder", "keymap");
        return false;
    }
    return LoadFile(PathFor(name), name);
}

bool KeyMap::LoadFromPath(const std::string& path)
{
    return LoadFile(path, std::filesystem::path(path).filename().string());
}

bool KeyMap::LoadFile(const std::string& path, const std::string& name)
{
    std::string disk;
    // A keymap is under 4 KB even with every byte doubled by the line-end translation; a huge
    // file given by mistake is not read whole. Only regular files: a FIFO or device named as a
    // keymap must not stall the editor at start.
    constexpr size_t enoughForAnyKeymap = 8192;
    const platform::FileResult read = platform::ReadFileBytes(
        path, disk, {enoughForAnyKeymap, platform::PastLimit::KeepsStart}, platform::FileKinds::RegularOnly);
    if (!read.ok) {
        platform::Messages().Show(name + "\n" + read.error, "keymap");
        return false;
    }
    KeyTable table = records;
    if (!loaded)
        table = KeyTable{}; // a short first file leaves zeros, not leftovers
    if (ParseKeymapFile(disk, table).status != ParseStatus::Ok) {
        platform::Messages().Show("Sorry that file is not a Dorvantile File !\nFile didn't loaded", "Error",
                                  platform::MessageButtons::Ok, platform::MessageIcon::Error);
        return false;
    }
    SetRecords(table, name);
    return true;
}

void KeyMap::SetRecords(const KeyTable& table, const std::string& name)
{
    records = table;
    fileName = name;
    loaded = true;
    BuildTables();
}

void KeyMap::BuildTables()
{
    keyToRecord.fill(NoKeyRecord);
    glyphToKey.fill(GlyphEntry{0, NoKeyRecord});
    // Later writes win: the higher record, and within a record the higher form.
    for (int r = 0; r < RecordCount; ++r) {
        const KeyRecord& rec = records[static_cast<size_t>(r)];
        if (rec.keyCode >= 0 && rec.keyCode < LookupSize)
            keyToRecord[static_cast<size_t>(rec.keyCode)] = static_cast<unsigned char>(r);
        for (int f = 0; f < 8; ++f) {
            const std::int32_t g = rec.Glyph(f);
            if (g >= 0 && g < LookupSize)
                glyphToKey[static_cast<size_t>(g)] = GlyphEntry{static_cast<signed char>(f), static_cast<signed char>(r)};
        }
    }
}

int KeyMap::RecordIndexForKey(int keyCode) const
{
    if (keyCode < 0 || keyCode >= LookupSize)
        return NoKeyRecord;
    return keyToRecord[static_cast<size_t>(keyCode)];
}

KeyRecord KeyMap::RecordForKey(int keyCode) const
{
    return records[static_cast<size_t>(RecordIndexForKey(keyCode))];
}

KeyRecord KeyMap::RecordForGlyph(int glyph, int& form) const
{
    return RecordRefForGlyph(glyph, form);
}

const KeyRecord& KeyMap::RecordRefForGlyph(int glyph, int& form) const
{
    if (glyph < 0 || glyph >= LookupSize) {
        form = -1;
        return records[NoKeyRecord];
    }
    const GlyphEntry e = glyphToKey[static_cast<size_t>(glyph)];
    if (e.record == NoKeyRecord) {
        form = -1;
        return records[NoKeyRecord];
    }
    form = e.form;
    return records[static_cast<size_t>(e.record)];
}

int KeyMap::RecordIndexForGlyphForm(int form, int glyph) const
{
    if (glyph < 0 || glyph >= LookupSize)
        return form == 0 ? NoKeyRecord : -1;
    const GlyphEntry e = glyphToKey[static_cast<size_t>(glyph)];
    return e.form == form ? e.record : -1;
}

} // namespace keymap
