/** @file DialogBarCommands.h
 ** The dialog bar's controls and the commands that share them: Set Font, the size and keymap
 ** boxes, the keymap editor launch and the focus moves into and out of the bar. **/
#pragma once

#include "app/CommandGroup.h"

#include <QFont>
#include <QString>

#include <functional>
#include <optional>

namespace app {

class CommandHost;
class DialogBar;

/// Keeps the host's CurrentFont and the bar's boxes in step.
///
/// Still to come here: the scratch box, Add and Del (the scratch table of extras/, given the
/// host's CurrentFont and converter).
class DialogBarCommands : public CommandGroup {
public:
    /// Picks a font for Set Font: the font to start from in, the chosen font or nothing if cancelled.
    using FontChooser = std::function<std::optional<QFont>(const QFont&)>;
    /// Starts a program detached: program file, working folder; the result is ignored.
    using Launcher = std::function<void(const QString& program, const QString& folder)>;

    DialogBarCommands(CommandHost& host, DialogBar& bar);

    /// Replace the font dialog and the program start (tests; by default the real ones run).
    void SetFontChooser(FontChooser chooser) { fontChooser = std::move(chooser); }
    void SetLauncher(Launcher launch) { launcher = std::move(launch); }

private:
    void SetFont();
    void SizeChanged();
    void KeymapChanged();
    void LaunchKeymapEditor();

    CommandHost& host;
    DialogBar& bar;
    FontChooser fontChooser;
    Launcher launcher;
};

} // namespace app
