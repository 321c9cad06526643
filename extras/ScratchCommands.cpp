#include "extras/ScratchCommands.h"

#include "editctl/PersianEdit.h"
#include "keymap/KeymapConverter.h"
#include "platform/Services.h"

namespace extras {

namespace {

constexpr const char* AppTitle = "Kelmora";

std::string Fit(std::string name)
{
    if (name.size() > FontFieldLimit)
        name.resize(FontFieldLimit);
    return name;
}

} // namespace

bool LoadScratchTable(ScratchTable& table, const std::string& programFolder, const std::string& name)
{
    if (table.Load(programFolder + "/" + name))
        return true;
    platform::Messages().Show("Not Opened", AppTitle);
    return false;
}

bool SaveScratchTable(const ScratchTable& table, const std::string& path)
{
    if (table.Save(path).ok)
        return true;
    platform::Messages().Show("Not created", AppTitle);
    return false;
}

int AddToScratch(ScratchTable& table, const FontSetting& current)
{
    return table.Add(current.faceName, current.keymapName, current.size);
}

bool DeleteFromScratch(ScratchTable& table)
{
    const platform::MessageAnswer answer =
        platform::Messages().Show("Are you sure to delete font from scratch ?", "Asterisk",
                                  platform::MessageButtons::YesNo, platform::MessageIcon::Question);
    if (answer != platform::MessageAnswer::Yes)
        return false;
    return table.DeleteSelected();
}

bool SelectFromScratch(ScratchTable& table, int index, keymap::KeymapConverter& converter,
                       editctl::PersianEdit& editor, FontSettingHost& host)
{
    table.Select(index);
    const ScratchEntry* entry = table.SelectedEntry();
    if (entry == nullptr || entry->faceName.empty())
        return false;
    const FontSetting setting{entry->faceName, platform::AtoiRule(entry->sizeText), entry->keymapName};
    host.SelectKeymapEntry(setting.keymapName);
    return ApplyFontSetting(converter, editor, host, setting);
}

bool ApplyFontSetting(keymap::KeymapConverter& converter, editctl::PersianEdit& editor, FontSettingHost& host,
                      FontSetting setting)
{
    setting.faceName = Fit(std::move(setting.faceName));
    setting.keymapName = Fit(std::move(setting.keymapName));
    const keymap::KeyMap* inForce = editor.KeyMapInUse();
    if (inForce == nullptr || !inForce->IsLoaded())
        return false;
    const std::string sourceName = inForce->FileName();
    // A failed load keeps the converter's previous keymap, which would convert with the wrong table.
    const bool loaded = converter.LoadKeymaps(sourceName, setting.keymapName);
    if (!loaded || converter.source.FileName() != sourceName || converter.destination.FileName() != setting.keymapName)
        return false;

    const bool wasModified = editor.modified;
    converter.input = editor.Window().GetText();
    // Text now in another encoding differs from its file, whose header names the old keymap.
    const bool converts = !converter.input.empty() && sourceName != setting.keymapName;
    converter.Convert(true);
    converter.input = std::string();
    editor.Window().SetText(converter.output);
    converter.output = std::string();
    editor.modified = wasModified || converts;

    host.SetCurrentFontSetting(setting);
    host.SetupEditor(setting);
    return true;
}

} // namespace extras
