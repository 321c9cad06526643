/** @file ToolsCommands.h
 ** The Tools menu's commands. **/
#pragma once

#include "app/CommandGroup.h"

namespace app {

class CommandHost;

/// Still to come here: Resemble and Justify (through the host's converter, with the values of
/// EditorSettings::ResembleValues and the host's JustifyAfterResemble), Batch Convert (with
/// EditorSettings::Batch), Divane Quvel and Random Ghazal (EditorSettings::Quvel, the host's
/// Random), and Settings (EditorSettings::Configuration, then the host's ApplySettings). Each is a
/// Handle line in the constructor calling a function of tools/ or extras/.
class ToolsCommands : public CommandGroup {
public:
    explicit ToolsCommands(CommandHost& host);

private:
    CommandHost& host;
};

} // namespace app
