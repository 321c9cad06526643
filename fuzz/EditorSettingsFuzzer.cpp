/** @file EditorSettingsFuzzer.cpp
 ** Fuzzes the settings as the editor reads them: a store filled with any values of any type gives
 ** sizes within their ranges, a window that fits a screen, and loads no keymap from outside the
 ** keymap folder. **/
#include "app/EditorSettings.h"
#include "fuzz/FuzzFolder.h"
#include "keymap/KeyMap.h"
#include "keymap/KeymapFile.h"
#include "platform/MemorySettingsStore.h"
#include "platform/Services.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Key {
    const char* section;
    const char* name;
};

// Every value the editor reads; a record of the fuzz input picks one by its first byte.
constexpr Key keys[] = {
    {"Settings", "font"},    {"Settings", "keyfile"}, {"Settings", "size"},   {"Settings", "Tab"},
    {"Settings", "MaxChar"}, {"Settings", "Left"},    {"Settings", "RIGHT"},  {"Settings", "IWP"},
    {"Settings", "JIWP"},    {"Settings", "PosX"},    {"Settings", "PosY"},   {"Settings", "SizeX"},
    {"Settings", "SizeY"},   {"Settings", "T1Adjust"}, {"Settings", "T1PosX"}, {"Settings", "T1PosY"},
    {"Settings", "FVL"},     {"Settings", "SelPos"},  {"Batch", "FSize"},     {"Batch", "SKB"},
    {"Batch", "DKB"},        {"QuvelSetting", "n"},   {"QuvelSetting", "How"}, {"Temp", "LastFile"},
};

class Silent : public platform::MessageService {
public:
    platform::MessageAnswer Show(const platform::Message&) override { return {}; }
};

/// A folder with KeyMaps/main.kbd and, beside KeyMaps, a keymap no name may reach.
const std::string& ProgramFolder()
{
    static const std::string& root = []() -> const std::string& {
        const std::string& folder = fuzzing::FuzzFolder("settings");
        std::filesystem::create_directory(folder + "/KeyMaps");
        const std::string bytes = keymap::SerializeKeymapFile(keymap::KeyTable{});
        std::ofstream(folder + "/KeyMaps/main.kbd", std::ios::binary) << bytes;
        std::ofstream(folder + "/outside.kbd", std::ios::binary) << bytes;
        return folder;
    }();
    return root;
}

/// Records: key byte, type byte (even: integer of the next 4 bytes; odd: string of the length in
/// the next byte), then the value.
void Fill(platform::MemorySettingsStore& store, const std::uint8_t* data, std::size_t size)
{
    std::size_t at = 0;
    while (at + 2 <= size) {
        const Key& key = keys[data[at] % std::size(keys)];
        const bool isInt = data[at + 1] % 2 == 0;
        at += 2;
        if (isInt) {
            std::uint32_t value = 0;
            for (int b = 0; b < 4 && at < size; ++b, ++at)
                value |= static_cast<std::uint32_t>(data[at]) << (8 * b);
            store.WriteInt(key.section, key.name, static_cast<int>(value));
        } else {
            const std::size_t length = at < size ? data[at++] : 0;
            const std::size_t taken = std::min(length, size - at);
            store.WriteString(key.section, key.name, std::string(reinterpret_cast<const char*>(data + at), taken));
            at += taken;
        }
    }
}

void Require(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    platform::MemorySettingsStore store;
    Fill(store, data, size);
    store.WriteString("Temp", "KelmDir", ProgramFolder());
    const auto before = store.Values();
    static Silent silent;
    const platform::ScopedServices services({&store, &silent});
    const app::EditorSettings settings(store);

    const int fontSize = settings.FontSize();
    Require(fontSize >= 1 && fontSize <= 400);
    Require(settings.TabWidth() >= 0 && settings.TabWidth() < 100);
    Require(settings.MaxCharsForEditor() >= 10 && settings.MaxCharsForEditor() <= 400);
    const tools::ResembleSettings resemble = settings.ResembleValues();
    Require(resemble.left >= 0 && resemble.left < 100 && resemble.right >= 0 && resemble.right < 100);
    Require(resemble.maxChars >= 10 && resemble.maxChars <= 400);
    const int batchSize = settings.Batch().fontSize;
    Require(batchSize >= 1 && batchSize <= 400);

    using Rectangle = app::EditorSettings::WindowRectangle;
    const std::vector<Rectangle> screens = {{0, 0, 1920, 1080}, {1920, -200, 1280, 1024}};
    const Rectangle r = app::EditorSettings::FitToScreens(settings.WindowPlacement(), screens);
    bool inside = false;
    for (const Rectangle& s : screens)
        inside = inside || (r.left >= s.left && r.top >= s.top && r.width >= 1 && r.height >= 1
                            && std::int64_t{r.left} + r.width <= std::int64_t{s.left} + s.width
                            && std::int64_t{r.top} + r.height <= std::int64_t{s.top} + s.height);
    Require(inside);

    // The only keymap the folder holds is main.kbd: any other name, a path above all, loads nothing.
    keymap::KeyMap map;
    if (map.Load(settings.KeymapFile()))
        Require(settings.KeymapFile() == "main.kbd");
    Require(store.Values() == before); // reading never writes back
    return 0;
}
