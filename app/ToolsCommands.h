/** @file ToolsCommands.h
 ** The Tools menu's commands. **/
#pragma once

#include "app/CommandGroup.h"

namespace app {

class CommandHost;

/// Resemble and Justify (through the host's converter, with EditorSettings::ResembleValues and the
/// host's JustifyAfterResemble), Settings (the configuration dialog over
/// EditorSettings::Configuration, then the host's ApplySettings), and the poetry window and the
/// random poem (EditorSettings::Quvel, the host's Random, Justify on an edit window never shown).
/// Still to come here: Batch Convert (EditorSettings::Batch).
class ToolsCommands : public CommandGroup {
public:
    explicit ToolsCommands(CommandHost& host);

private:
    /// Whether the poetry command shows its window or inserts a random poem at once.
    enum class PoetryWindow { Shown, NotShown };

    void Resemble();
    void Justify();
    void Configure();
    void Poetry(PoetryWindow window);
    void BatchConvert();

    CommandHost& host;
};

} // namespace app
