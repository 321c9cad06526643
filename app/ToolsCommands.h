/** @file ToolsCommands.h
 ** The Tools menu's commands. **/
#pragma once

#include "app/CommandGroup.h"

namespace app {

class CommandHost;

/// Resemble and Justify (through the host's converter, with EditorSettings::ResembleValues and the
/// host's JustifyAfterResemble) and Settings (the configuration dialog over
/// EditorSettings::Configuration, then the host's ApplySettings). Still to come here: Batch Convert
/// (EditorSettings::Batch), Divane Quvel and Random Ghazal (EditorSettings::Quvel, the host's Random).
class ToolsCommands : public CommandGroup {
public:
    explicit ToolsCommands(CommandHost& host);

private:
    void Resemble();
    void Justify();
    void Configure();
    void BatchConvert();

    CommandHost& host;
};

} // namespace app
