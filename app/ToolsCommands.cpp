#include "app/ToolsCommands.h"

#include "app/CommandHost.h"
#include "app/EditorSettings.h"
#include "res/ResourceIds.h"
#include "tools/ConfigurationDialog.h"
#include "tools/ConvertingDialog.h"
#include "tools/Justify.h"
#include "tools/Resemble.h"

namespace app {

ToolsCommands::ToolsCommands(CommandHost& host) : host(host)
{
    Handle(res::Resemble, [this] { Resemble(); });
    Handle(res::Justify, [this] { Justify(); });
    Handle(res::Settings, [this] { Configure(); });
    Handle(res::BatchConvert, [this] { BatchConvert(); });
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

void ToolsCommands::BatchConvert()
{
    // The batch works in buffers of its own; the open document is neither read nor touched.
    EditorSettings& settings = host.Settings();
    const DocumentFormat format = settings.DocumentFormatInUse();
    tools::BatchEnvironment environment;
    environment.stored = settings.Batch();
    environment.programFolder = settings.ProgramFolder();
    environment.dos = format.dosMode ? tools::DosLayout::On : tools::DosLayout::Off;
    environment.header = format.saveHeader ? tools::HeaderChoice::Write : tools::HeaderChoice::Omit;
    environment.writeSettings = [&settings](const tools::BatchSettings& values) { settings.WriteBatch(values); };
    environment.writeInitialFolder = [&settings](const std::string& path) { settings.SetBatchInitialFolder(path); };
    tools::RunBatchConversion(host.DialogParent(), environment);
    host.FocusEditor();
}

} // namespace app
