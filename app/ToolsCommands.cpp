#include "app/ToolsCommands.h"

#include "app/CommandHost.h"
#include "app/EditorSettings.h"
#include "extras/ScratchTable.h"
#include "editctl/PersianEditWidget.h"
#include "extras/PoetryDialog.h"
#include "extras/PoetryDialogModel.h"
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
    Handle(res::DivaneQuvel, [this] { Poetry(PoetryWindow::Shown); });
    Handle(res::RandomGhazal, [this] { Poetry(PoetryWindow::NotShown); });
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

void ToolsCommands::Poetry(PoetryWindow window)
{
    editctl::PersianEdit& edit = host.Editor();
    keymap::KeyMap* documentMap = edit.KeyMapInUse();
    const std::string keymapName = documentMap ? documentMap->FileName() : std::string();
    // Justify measures the poem as the document will show it: in an edit window of its own, never
    // shown, with the document's keymap, face and height.
    editctl::PersianEditWidget hidden;
    hidden.SetKeyMap(documentMap);
    hidden.SetEditFont(edit.fontFace, edit.fontHeight);
    hidden.Edit().Resize(1000, 200);
    const extras::JustifyStep justify = extras::JustifyOnHiddenEdit(
        hidden.Edit(), host.Converter(), keymapName,
        [this](editctl::PersianEdit& lines, keymap::KeymapConverter& converter) {
            tools::Justify(converter, lines.Window(), host.Settings().ResembleValues(), host.Random());
        });

    EditorSettings& settings = host.Settings();
    const std::string folder = settings.ProgramFolder();
    if (window == PoetryWindow::Shown) {
        const extras::PoetryOutcome outcome = extras::RunPoetryDialog(
            host.DialogParent(), edit, host.Converter(), settings.Quvel(), host.Random(), host.Messages(), folder, justify);
        if (outcome.saved)
            settings.WriteQuvel(*outcome.saved);
    } else {
        extras::InsertRandomPoem(edit, host.Converter(), settings.Quvel(), host.Random(), host.Messages(), folder,
                                 justify);
    }
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
    // The table as it is now, with the entries added since start-up, not as last saved.
    environment.scratch = host.Scratch().Entries();
    environment.dos = format.dosMode ? tools::DosLayout::On : tools::DosLayout::Off;
    environment.header = format.saveHeader ? tools::HeaderChoice::Write : tools::HeaderChoice::Omit;
    environment.writeSettings = [&settings](const tools::BatchSettings& values) { settings.WriteBatch(values); };
    environment.writeInitialFolder = [&settings](const std::string& path) { settings.SetBatchInitialFolder(path); };
    tools::RunBatchConversion(host.DialogParent(), environment);
    host.FocusEditor();
}

} // namespace app
