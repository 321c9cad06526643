/** @file EditorSettings.h
 ** Every value the editor keeps in its settings store: name, type and each reader's default, in one place. **/
#pragma once

#include "app/DocumentFile.h"
#include "extras/QuvelSettings.h"
#include "platform/SettingsStore.h"
#include "tools/BatchSettings.h"
#include "tools/ConfigurationValues.h"
#include "tools/ResembleSettings.h"

#include <string>
#include <vector>

namespace app {

/// Font sizes in pixels that a window can still show: 1 to 400.
int FontSizeInRange(int size);

/// The editor's settings, read and written through a settings store (not owned). Nothing is cached:
/// every read asks the store, and a value that is absent reads as the default of the reader named
/// in its accessor; no reader writes its default back. Where two readers of one value disagree on
/// the default, each has an accessor of its own, named for the reader.
///
/// Section "Settings"                  type     default
///   "font"                            string   "nasim web homa"
///   "keyfile"                         string   "main.kbd"
///   "size"                            integer  24
///   "SplashScreen"                    integer  1
///   "EnableDos"                       integer  1; Resemble: 0
///   "SaveHeader"                      integer  1
///   "SaveOnExit"                      integer  1
///   "SaveWPonExit"                    integer  1
///   "StartWithMRD"                    integer  1
///   "ResembleOnLoad"                  integer  0
///   "JustifyOnResemble"               integer  1 (main window); configuration dialog: 0
///   "IdentOnResemble"                 integer  0
///   "Tab"                             string   "3"
///   "MaxChar"                         string   "80" (main window); Resemble, configuration dialog: "79"
///   "Left"                            string   "3" (Resemble); configuration dialog: "0"
///   "RIGHT"                           string   "3"
///   "IWP"                             string   "10"
///   "JIWP"                            string   "50"
///   "OS_PATH"                         string   "C:\"
///   "PosX", "PosY"                    integer  100, 100
///   "SizeX", "SizeY"                  integer  500, 300
///   "T1Show", "T1Dock"                integer  1, 1
///   "T1Adjust"                        integer  -1
///   "T1PosX", "T1PosY"                integer  100, 100
///   "FVL", "SelPos"                   integer  0, 0
/// Section "Temp"
///   "KelmDir"                         string   ""
///   "FirstTime"                       integer  1
///   "LastFile"                        string   ""
/// Section "Batch"
///   "SDir", "DDir"                    string   "C:\", "C:\"
///   "SKB", "DKB"                      string   "", ""
///   "SExt", "dExt"                    string   "*.txt", "*.txf"
///   "IniDir", "toFont"                string   "", ""
///   "FSize"                           integer  22
/// Section "QuvelSetting"
///   "How", "Mod", "ShowN", "Justify"  integer  3, 0, 0, 1
///   "n", "tab1", "tab2"               string   "4", "3", "15"
///
/// Numbers kept as strings are read by the atoi rule; flags are written as 0 or 1.
class EditorSettings {
public:
    explicit EditorSettings(platform::SettingsStore& store) : store(store) {}

    platform::SettingsStore& Store() const { return store; }

    // "Settings": the edit font and keymap of the start-up set-up, stored at exit.
    std::string FontName() const;
    void SetFontName(const std::string& face);
    std::string KeymapFile() const;
    void SetKeymapFile(const std::string& name);
    int FontSize() const;
    void SetFontSize(int size);

    // "Settings": switches.
    bool SplashScreen() const;
    bool DosMode() const;
    bool DosModeForResemble() const;
    bool SaveHeader() const;
    bool SaveOnExit() const;
    bool SaveWindowOnExit() const;
    bool StartWithLastDocument() const;
    bool JustifyOnResemble() const;
    /// What DOS mode and the header line mean for document files, as LoadTextFile and SaveTextFile take it.
    DocumentFormat DocumentFormatInUse() const;

    // "Settings": numbers of the edit control.
    int TabWidth() const;
    int MaxCharsForEditor() const;

    // "Settings": Resemble's and the configuration dialog's values, in the structs those tools take.
    tools::ResembleSettings ResembleValues() const;
    tools::ConfigurationValues Configuration() const;
    /// The configuration dialog's Save: the six number fields as strings, then the nine flags.
    void WriteConfiguration(const tools::ConfigurationValues& values);

    // "Settings": the file dialogs' folder.
    std::string FileDialogFolder() const;
    void SetFileDialogFolder(const std::string& folder);

    // "Settings": window and tool bar placement.
    struct WindowRectangle {
        int left = 0, top = 0, width = 0, height = 0;
    };
    /// As stored; FitToScreens makes it one a screen can show.
    WindowRectangle WindowPlacement() const;
    /// The rectangle moved and shrunk into the screen holding its top-left corner (the nearest
    /// screen when none does), at least 1x1; unchanged when there are no screens to measure.
    static WindowRectangle FitToScreens(WindowRectangle rectangle, const std::vector<WindowRectangle>& screens);
    void SetWindowPlacement(const WindowRectangle& rectangle);
    struct ToolBarValues {
        bool visible = false;
        bool floating = false; // "T1Dock": 1 floats, 0 docked
        int style = 0;
        int left = 0, top = 0;
    };
    ToolBarValues ToolBar() const;
    /// Writes "T1Adjust", "T1PosX", "T1PosY", "T1Dock" (the placement, not the visibility).
    void SetToolBarPlacement(const ToolBarValues& values);
    void SetToolBarVisible(bool visible);

    // "Settings": the scratch selector's grid.
    int ScratchFirstVisibleRow() const;
    int ScratchSelection() const;
    void SetScratchSelector(int firstVisibleRow, int selection);

    // "Temp".
    std::string ProgramFolder() const;
    void SetProgramFolder(const std::string& folder);
    bool FirstTime() const;
    void SetFirstTimeDone();
    std::string LastFile() const;
    void SetLastFile(const std::string& path);

    // "Batch" and "QuvelSetting": read and written whole.
    tools::BatchSettings Batch() const;
    void WriteBatch(const tools::BatchSettings& values);
    void SetBatchInitialFolder(const std::string& folder);
    extras::QuvelSettings Quvel() const;
    void WriteQuvel(const extras::QuvelSettings& values);

private:
    platform::SettingsStore& store;
};

} // namespace app
