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
    tools::ConfigurationValues values;
    values.tab = store.ReadString(Main, "Tab", "3");
    values.maxChars = store.ReadString(Main, "MaxChar", "79");
    values.left = store.ReadString(Main, "Left", "0");
    values.right = store.ReadString(Main, "RIGHT", "3");
    values.ignoranceWidth = store.ReadString(Main, "IWP", "10");
    values.justifyIgnoranceWidth = store.ReadString(Main, "JIWP", "50");
    values.splashScreen = SplashScreen();
    values.dosMode = DosMode();
    values.saveOnExit = SaveOnExit();
    values.saveHeader = SaveHeader();
    values.resembleOnLoad = Flag(store, Main, "ResembleOnLoad", 0);
    values.justifyOnResemble = Flag(store, Main, "JustifyOnResemble", 0);
    values.indentOnResemble = Flag(store, Main, "IdentOnResemble", 0);
    values.saveWindowOnExit = SaveWindowOnExit();
    values.startWithLastDocument = StartWithLastDocument();
    return values;
}

void EditorSettings::WriteConfiguration(const tools::ConfigurationValues& values)
{
    store.WriteString(Main, "Tab", values.tab);
    store.WriteString(Main, "MaxChar", values.maxChars);
    store.WriteString(Main, "Left", values.left);
    store.WriteString(Main, "RIGHT", values.right);
    store.WriteString(Main, "IWP", values.ignoranceWidth);
    store.WriteString(Main, "JIWP", values.justifyIgnoranceWidth);
    store.WriteInt(Main, "SplashScreen", values.splashScreen ? 1 : 0);
    store.WriteInt(Main, "EnableDos", values.dosMode ? 1 : 0);
    store.WriteInt(Main, "SaveOnExit", values.saveOnExit ? 1 : 0);
    store.WriteInt(Main, "SaveHeader", values.saveHeader ? 1 : 0);
    store.WriteInt(Main, "ResembleOnLoad", values.resembleOnLoad ? 1 : 0);
    store.WriteInt(Main, "JustifyOnResemble", values.justifyOnResemble ? 1 : 0);
    store.WriteInt(Main, "IdentOnResemble", values.indentOnResemble ? 1 : 0);
    store.WriteInt(Main, "SaveWPonExit", values.saveWindowOnExit ? 1 : 0);
    store.WriteInt(Main, "StartWithMRD", values.startWithLastDocument ? 1 : 0);
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
    tools::BatchSettings values;
    values.sourceFolder = store.ReadString(BatchSection, "SDir", "C:\\");
    values.destinationFolder = store.ReadString(BatchSection, "DDir", "C:\\");
    values.sourceKeymap = store.ReadString(BatchSection, "SKB", "");
    values.destinationKeymap = store.ReadString(BatchSection, "DKB", "");
    values.sourcePattern = store.ReadString(BatchSection, "SExt", "*.txt");
    values.destinationPattern = store.ReadString(BatchSection, "dExt", "*.txf");
    values.initialFolder = store.ReadString(BatchSection, "IniDir", "");
    values.fontName = store.ReadString(BatchSection, "toFont", "");
    values.fontSize = store.ReadInt(BatchSection, "FSize", 22);
    return values;
}

void EditorSettings::WriteBatch(const tools::BatchSettings& values)
{
    store.WriteString(BatchSection, "SDir", values.sourceFolder);
    store.WriteString(BatchSection, "DDir", values.destinationFolder);
    store.WriteString(BatchSection, "SKB", values.sourceKeymap);
    store.WriteString(BatchSection, "DKB", values.destinationKeymap);
    store.WriteString(BatchSection, "SExt", values.sourcePattern);
    store.WriteString(BatchSection, "dExt", values.destinationPattern);
    SetBatchInitialFolder(values.initialFolder);
    store.WriteString(BatchSection, "toFont", values.fontName);
    store.WriteInt(BatchSection, "FSize", values.fontSize);
}

void EditorSettings::SetBatchInitialFolder(const std::string& folder)
{
    store.WriteString(BatchSection, "IniDir", folder);
}

extras::QuvelSettings EditorSettings::Quvel() const
{
    extras::QuvelSettings values;
    values.how = store.ReadInt(QuvelSection, "How", 3);
    values.mode = store.ReadInt(QuvelSection, "Mod", 0);
    values.showNumber = Flag(store, QuvelSection, "ShowN", 0);
    values.justify = Flag(store, QuvelSection, "Justify", 1);
    values.n = store.ReadString(QuvelSection, "n", "4");
    values.tab1 = store.ReadString(QuvelSection, "tab1", "3");
    values.tab2 = store.ReadString(QuvelSection, "tab2", "15");
    return values;
}

void EditorSettings::WriteQuvel(const extras::QuvelSettings& values)
{
    store.WriteInt(QuvelSection, "How", values.how);
    store.WriteInt(QuvelSection, "Mod", values.mode);
    store.WriteInt(QuvelSection, "Justify", values.justify ? 1 : 0);
    store.WriteInt(QuvelSection, "ShowN", values.showNumber ? 1 : 0);
    store.WriteString(QuvelSection, "n", values.n);
    store.WriteString(QuvelSection, "tab1", values.tab1);
    store.WriteString(QuvelSection, "tab2", values.tab2);
}

} // namespace app
