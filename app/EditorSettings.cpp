#include "app/EditorSettings.h"

#include "platform/TextMode.h"

#include <algorithm>

namespace app {

namespace {

constexpr const char* Main = "Settings";
constexpr const char* Temp = "Temp";
constexpr const char* BatchSection = "Batch";
constexpr const char* QuvelSection = "QuvelSetting";

bool Flag(const platform::SettingsStore& store, const char* section, const char* name, int defaultValue)
{
    return store.ReadInt(section, name, defaultValue) != 0;
}

int Number(const platform::SettingsStore& store, const char* name, const char* defaultText)
{
    return platform::AtoiRule(store.ReadString(Main, name, defaultText));
}

// A hand-edited or damaged store must not make a tab or a margin wider than any page, nor lines
// of no width; values are held here, as they are read, and the store keeps what it had.
int NumberIn(const platform::SettingsStore& store, const char* name, const char* defaultText, int low, int high)
{
    return std::clamp(Number(store, name, defaultText), low, high);
}

constexpr int MaxTab = 99, MaxMargin = 99, MinLineChars = 10, MaxLineChars = 400;

/// One stored value of a struct that is read and written whole: its name, the member that holds
/// it (a text, a flag written as 0 or 1, or a number) and the default a reader takes.
template <class Values>
struct Field {
    const char* name;
    std::string Values::*text = nullptr;
    bool Values::*flag = nullptr;
    int Values::*number = nullptr;
    const char* defaultText = "";
    int defaultNumber = 0;
};
template <class Values>
constexpr Field<Values> Text(const char* name, std::string Values::*member, const char* defaultText)
{
    return {name, member, nullptr, nullptr, defaultText, 0};
}
template <class Values>
constexpr Field<Values> FlagOf(const char* name, bool Values::*member, int defaultValue)
{
    return {name, nullptr, member, nullptr, "", defaultValue};
}
template <class Values>
constexpr Field<Values> NumberOf(const char* name, int Values::*member, int defaultValue)
{
    return {name, nullptr, nullptr, member, "", defaultValue};
}

template <class Values, size_t N>
Values ReadFields(const platform::SettingsStore& store, const char* section, const Field<Values> (&fields)[N])
{
    Values values;
    for (const Field<Values>& f : fields) {
        if (f.text)
            values.*f.text = store.ReadString(section, f.name, f.defaultText);
        else if (f.flag)
            values.*f.flag = Flag(store, section, f.name, f.defaultNumber);
        else
            values.*f.number = store.ReadInt(section, f.name, f.defaultNumber);
    }
    return values;
}

template <class Values, size_t N>
void WriteFields(platform::SettingsStore& store, const char* section, const Field<Values> (&fields)[N], const Values& values)
{
    for (const Field<Values>& f : fields) {
        if (f.text)
            store.WriteString(section, f.name, values.*f.text);
        else if (f.flag)
            store.WriteInt(section, f.name, values.*f.flag ? 1 : 0);
        else
            store.WriteInt(section, f.name, values.*f.number);
    }
}

using tools::ConfigurationValues;
// The configuration dialog's fields: the six numbers as text, then the nine switches.
constexpr Field<ConfigurationValues> ConfigurationFields[] = {
    Text("Tab", &ConfigurationValues::tab, "3"),
    Text("MaxChar", &ConfigurationValues::maxChars, "79"),
    Text("Left", &ConfigurationValues::left, "0"),
    Text("RIGHT", &ConfigurationValues::right, "3"),
    Text("IWP", &ConfigurationValues::ignoranceWidth, "10"),
    Text("JIWP", &ConfigurationValues::justifyIgnoranceWidth, "50"),
    FlagOf("SplashScreen", &ConfigurationValues::splashScreen, 1),
    FlagOf("EnableDos", &ConfigurationValues::dosMode, 1),
    FlagOf("SaveOnExit", &ConfigurationValues::saveOnExit, 1),
    FlagOf("SaveHeader", &ConfigurationValues::saveHeader, 1),
    FlagOf("ResembleOnLoad", &ConfigurationValues::resembleOnLoad, 0),
    FlagOf("JustifyOnResemble", &ConfigurationValues::justifyOnResemble, 0),
    FlagOf("IdentOnResemble", &ConfigurationValues::indentOnResemble, 0),
    FlagOf("SaveWPonExit", &ConfigurationValues::saveWindowOnExit, 1),
    FlagOf("StartWithMRD", &ConfigurationValues::startWithLastDocument, 1),
};

using tools::BatchSettings;
constexpr Field<BatchSettings> BatchFields[] = {
    Text("SDir", &BatchSettings::sourceFolder, "C:\\"),
    Text("DDir", &BatchSettings::destinationFolder, "C:\\"),
    Text("SKB", &BatchSettings::sourceKeymap, ""),
    Text("DKB", &BatchSettings::destinationKeymap, ""),
    Text("SExt", &BatchSettings::sourcePattern, "*.txt"),
    Text("dExt", &BatchSettings::destinationPattern, "*.txf"),
    Text("IniDir", &BatchSettings::initialFolder, ""),
    Text("toFont", &BatchSettings::fontName, ""),
    NumberOf("FSize", &BatchSettings::fontSize, 22),
};

using extras::QuvelSettings;
constexpr Field<QuvelSettings> QuvelFields[] = {
    NumberOf("How", &QuvelSettings::how, 3),
    NumberOf("Mod", &QuvelSettings::mode, 0),
    FlagOf("Justify", &QuvelSettings::justify, 1),
    FlagOf("ShowN", &QuvelSettings::showNumber, 0),
    Text("n", &QuvelSettings::n, "4"),
    Text("tab1", &QuvelSettings::tab1, "3"),
    Text("tab2", &QuvelSettings::tab2, "15"),
};

} // namespace

std::string EditorSettings::FontName() const { return store.ReadString(Main, "font", "nasim web homa"); }
void EditorSettings::SetFontName(const std::string& face) { store.WriteString(Main, "font", face); }
std::string EditorSettings::KeymapFile() const { return store.ReadString(Main, "keyfile", "main.kbd"); }
void EditorSettings::SetKeymapFile(const std::string& name) { store.WriteString(Main, "keyfile", name); }
int FontSizeInRange(int size) { return std::clamp(size, 1, 400); }

int EditorSettings::FontSize() const { return FontSizeInRange(store.ReadInt(Main, "size", 24)); }
void EditorSettings::SetFontSize(int size) { store.WriteInt(Main, "size", size); }

bool EditorSettings::SplashScreen() const { return Flag(store, Main, "SplashScreen", 1); }
bool EditorSettings::DosMode() const { return Flag(store, Main, "EnableDos", 1); }
bool EditorSettings::DosModeForResemble() const { return Flag(store, Main, "EnableDos", 0); }
bool EditorSettings::SaveHeader() const { return Flag(store, Main, "SaveHeader", 1); }
bool EditorSettings::SaveOnExit() const { return Flag(store, Main, "SaveOnExit", 1); }
bool EditorSettings::SaveWindowOnExit() const { return Flag(store, Main, "SaveWPonExit", 1); }
bool EditorSettings::StartWithLastDocument() const { return Flag(store, Main, "StartWithMRD", 1); }
bool EditorSettings::JustifyOnResemble() const { return Flag(store, Main, "JustifyOnResemble", 1); }

DocumentFormat EditorSettings::DocumentFormatInUse() const
{
    DocumentFormat format;
    format.dosMode = DosMode();
    format.saveHeader = SaveHeader();
    return format;
}

int EditorSettings::TabWidth() const { return NumberIn(store, "Tab", "3", 0, MaxTab); }
int EditorSettings::MaxCharsForEditor() const { return NumberIn(store, "MaxChar", "80", MinLineChars, MaxLineChars); }

tools::ResembleSettings EditorSettings::ResembleValues() const
{
    tools::ResembleSettings values;
    values.tab = TabWidth();
    values.maxChars = NumberIn(store, "MaxChar", "79", MinLineChars, MaxLineChars);
    values.left = NumberIn(store, "Left", "3", 0, MaxMargin);
    values.right = NumberIn(store, "RIGHT", "3", 0, MaxMargin);
    values.ignoranceWidthPercent = Number(store, "IWP", "10");
    values.justifyIgnoranceWidthPercent = Number(store, "JIWP", "50");
    values.dosMode = DosModeForResemble();
    values.indent = Flag(store, Main, "IdentOnResemble", 0);
    return values;
}

tools::ConfigurationValues EditorSettings::Configuration() const
{
    return ReadFields(store, Main, ConfigurationFields);
}

void EditorSettings::WriteConfiguration(const tools::ConfigurationValues& values)
{
    WriteFields(store, Main, ConfigurationFields, values);
}

std::string EditorSettings::FileDialogFolder() const { return store.ReadString(Main, "OS_PATH", "C:\\"); }
void EditorSettings::SetFileDialogFolder(const std::string& folder) { store.WriteString(Main, "OS_PATH", folder); }

EditorSettings::WindowRectangle EditorSettings::WindowPlacement() const
{
    return {store.ReadInt(Main, "PosX", 100), store.ReadInt(Main, "PosY", 100), store.ReadInt(Main, "SizeX", 500),
            store.ReadInt(Main, "SizeY", 300)};
}

EditorSettings::WindowRectangle EditorSettings::FitToScreens(WindowRectangle r, const std::vector<WindowRectangle>& screens)
{
    r.width = std::max(1, r.width);
    r.height = std::max(1, r.height);
    if (screens.empty())
        return r;
    // The screen holding the top-left corner, or else the one nearest to it.
    const auto distance = [&r](const WindowRectangle& s) {
        const auto outside = [](long long at, long long from, long long size) {
            return at < from ? from - at : (at >= from + size ? at - (from + size - 1) : 0);
        };
        const long long dx = outside(r.left, s.left, s.width), dy = outside(r.top, s.top, s.height);
        return dx * dx + dy * dy;
    };
    const WindowRectangle& screen = *std::min_element(screens.begin(), screens.end(),
        [&distance](const WindowRectangle& a, const WindowRectangle& b) { return distance(a) < distance(b); });
    r.width = std::min(r.width, std::max(1, screen.width));
    r.height = std::min(r.height, std::max(1, screen.height));
    r.left = std::clamp(r.left, screen.left, screen.left + std::max(0, screen.width - r.width));
    r.top = std::clamp(r.top, screen.top, screen.top + std::max(0, screen.height - r.height));
    return r;
}

void EditorSettings::SetWindowPlacement(const WindowRectangle& rectangle)
{
    store.WriteInt(Main, "PosX", rectangle.left);
    store.WriteInt(Main, "PosY", rectangle.top);
    store.WriteInt(Main, "SizeX", rectangle.width);
    store.WriteInt(Main, "SizeY", rectangle.height);
}

EditorSettings::ToolBarValues EditorSettings::ToolBar() const
{
    ToolBarValues values;
    values.visible = Flag(store, Main, "T1Show", 1);
    values.floating = Flag(store, Main, "T1Dock", 1);
    values.style = store.ReadInt(Main, "T1Adjust", -1);
    values.left = store.ReadInt(Main, "T1PosX", 100);
    values.top = store.ReadInt(Main, "T1PosY", 100);
    return values;
}

void EditorSettings::SetToolBarPlacement(const ToolBarValues& values)
{
    store.WriteInt(Main, "T1Adjust", values.style);
    store.WriteInt(Main, "T1PosX", values.left);
    store.WriteInt(Main, "T1PosY", values.top);
    store.WriteInt(Main, "T1Dock", values.floating ? 1 : 0);
}

void EditorSettings::SetToolBarVisible(bool visible) { store.WriteInt(Main, "T1Show", visible ? 1 : 0); }

int EditorSettings::ScratchFirstVisibleRow() const { return store.ReadInt(Main, "FVL", 0); }
int EditorSettings::ScratchSelection() const { return store.ReadInt(Main, "SelPos", 0); }

void EditorSettings::SetScratchSelector(int firstVisibleRow, int selection)
{
    store.WriteInt(Main, "FVL", firstVisibleRow);
    store.WriteInt(Main, "SelPos", selection);
}

std::string EditorSettings::ProgramFolder() const { return store.ReadString(Temp, "KelmDir", ""); }
void EditorSettings::SetProgramFolder(const std::string& folder) { store.WriteString(Temp, "KelmDir", folder); }
bool EditorSettings::FirstTime() const { return Flag(store, Temp, "FirstTime", 1); }
void EditorSettings::SetFirstTimeDone() { store.WriteInt(Temp, "FirstTime", 0); }
std::string EditorSettings::LastFile() const { return store.ReadString(Temp, "LastFile", ""); }
void EditorSettings::SetLastFile(const std::string& path) { store.WriteString(Temp, "LastFile", path); }

tools::BatchSettings EditorSettings::Batch() const
{
    tools::BatchSettings values = ReadFields(store, BatchSection, BatchFields);
    values.fontSize = FontSizeInRange(values.fontSize); // the converted documents' header size
    return values;
}

void EditorSettings::WriteBatch(const tools::BatchSettings& values)
{
    WriteFields(store, BatchSection, BatchFields, values);
}

void EditorSettings::SetBatchInitialFolder(const std::string& folder)
{
    store.WriteString(BatchSection, "IniDir", folder);
}

extras::QuvelSettings EditorSettings::Quvel() const
{
    return ReadFields(store, QuvelSection, QuvelFields);
}

void EditorSettings::WriteQuvel(const extras::QuvelSettings& values)
{
    WriteFields(store, QuvelSection, QuvelFields, values);
}

} // namespace app
