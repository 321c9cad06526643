/** @file DialogBarCommands.h
 ** The dialog bar's controls and the commands that share them: Set Font, the size and keymap
 ** boxes, the keymap editor launch and the focus moves into and out of the bar. **/
#pragma once

#include "app/CommandGroup.h"
#include "extras/ScratchCommands.h"

#include <QFont>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace app {

class CommandHost;
class DialogBar;

/// Keeps the host's CurrentFont and the bar's boxes in step, and holds the scratch table the
/// scratch box, Add, Del and Scratch Select work on.
class DialogBarCommands : public CommandGroup, private extras::FontSettingHost {
public:
    /// Picks a font for Set Font: the font to start from in, the chosen font or nothing if cancelled.
    using FontChooser = std::function<std::optional<QFont>(const QFont&)>;
    /// Starts a program detached: program file, working folder; the result is ignored.
    using Launcher = std::function<void(const QString& program, const QString& folder)>;

    DialogBarCommands(CommandHost& host, DialogBar& bar);

    /// Replace the font dialog and the program start (tests; by default the real ones run).
    void SetFontChooser(FontChooser chooser) { fontChooser = std::move(chooser); }
    void SetLauncher(Launcher launch) { launcher = std::move(launch); }

    /// Start-up: reads scratch.cfg (the user's own, else the program folder's) into the table and the bar.
    void LoadScratch();
    /// Exit: writes the table to scratch.cfg atomically where the data folders write (a failure is
    /// reported, the old file stays).
    bool SaveScratch() const;
    const extras::ScratchTable& Scratch() const { return scratch; }
    /// Makes a setting current without converting the text (recovered text is in its own keymap):
    /// binds its keymap and font and shows it in the boxes. False when the keymap cannot be loaded.
    bool TakeFontSetting(const extras::FontSetting& setting);
    /// Selects the keymap box entry of the keymap now in use.
    void ShowKeymap(const std::string& keymapName) { SelectKeymapEntry(keymapName); }

private:
    void SetFont();
    void SizeChanged();
    void KeymapChanged();
    void LaunchKeymapEditor();
    void AddScratch();
    void DeleteScratch();
    void ScratchChosen();
    void ScratchSelect();
    void ApplyScratch(int index);
    std::string ScratchPath() const;

    void SetCurrentFontSetting(const extras::FontSetting& setting) override;
    bool SetupEditor(const extras::FontSetting& setting) override;
    void SelectKeymapEntry(const std::string& keymapName) override;

    CommandHost& host;
    DialogBar& bar;
    FontChooser fontChooser;
    Launcher launcher;
    extras::ScratchTable scratch;
};

} // namespace app
