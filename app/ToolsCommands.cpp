#include "app/ToolsCommands.h"

#include "app/CommandHost.h"
#include "app/EditorSettings.h"
#include "res/ResourceIds.h"
#include "tools/ConfigurationDialog.h"
#include "tools/Justify.h"
#include "tools/Resemble.h"

namespace app {

ToolsCommands::ToolsCommands(CommandHost& host) : host(host)
{
    Handle(res::Resemble, [this] { Resemble(); });
    Handle(res::Justify, [this] { Justify(); });
    Handle(res::Settings, [this] { Configure(); });
}

void ToolsCommands::Resemble()
{
    // The settings are read afresh for every run.
    const tools::JustifyAfter justify = host.JustifyAfterResemble() ? tools::JustifyAfter::Yes : tools::JustifyAfter::No;
    tools::RunResemble(host.Editor(), host.Converter(), host.Settings().ResembleValues(), host.Font().keymapName,
                       justify, host.Random());
    host.FocusEditor();
}

void ToolsCommands::Justify()
{
    tools::RunJustify(host.Editor(), host.Converter(), host.Settings().ResembleValues(), host.Font().keymapName,
                      host.Random());
    host.FocusEditor();
}

void ToolsCommands::Configure()
{
    EditorSettings& settings = host.Settings();
    tools::ConfigurationDialog dialog([&settings] { return settings.Configuration(); },
                                      [&settings](const tools::ConfigurationValues& values) {
                                          settings.WriteConfiguration(values);
                                      },
                                      host.DialogParent());
    dialog.Run();
    // However the dialog closed, the window takes the stored settings again.
    host.ApplySettings();
    host.FocusEditor();
}

} // namespace app
