#include "app/DialogBarCommands.h"

#include "app/CommandHost.h"
#include "app/DialogBar.h"
#include "app/EditorSettings.h"
#include "app/EditorView.h"
#include "app/KeymapSwitch.h"
#include "app/LocalText.h"
#include "extras/ScratchSelectDialog.h"
#include "keymap/DocumentFormat.h"
#include "platform/DataFolders.h"
#include "platform/TextMode.h"
#include "res/ResourceIds.h"

#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QProcess>

#include <cmath>
#include <filesystem>

namespace app {
namespace {

#ifdef _WIN32
const char* const KeymapEditorProgram = "Dorvantil.exe";
#else
const char* const KeymapEditorProgram = "dorvantil";
#endif

std::optional<QFont> AskFont(QWidget* parent, const QFont& initial)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, initial, parent, QString(), QFontDialog::DontUseNativeDialog);
    if (!ok)
        return std::nullopt;
    return chosen;
}

} // namespace

DialogBarCommands::DialogBarCommands(CommandHost& host, DialogBar& bar) : host(host), bar(bar)
{
    Handle(res::SetFont, [this] { SetFont(); });
    Handle(res::SizeBox, [this] { SizeChanged(); });
    Handle(res::KeymapBox, [this] { KeymapChanged(); });
    Handle(res::LaunchKeymapEditor, [this] { LaunchKeymapEditor(); });
    Handle(res::HiddenForward, [&host] { host.FocusEditor(); });
    Handle(res::HiddenBack, [&host] { host.FocusEditor(); });
    Handle(res::FocusScratchBox, [&bar] { bar.ScratchBox()->setFocus(); });
    Handle(res::FocusSizeBox, [&bar] { bar.SizeBox()->setFocus(); });
    Handle(res::ScratchAdd, [this] { AddScratch(); });
    Handle(res::ScratchDelete, [this] { DeleteScratch(); });
    Handle(res::ScratchBox, [this] { ScratchChosen(); });
    Handle(res::ScratchSelect, [this] { ScratchSelect(); });
}

void DialogBarCommands::SetFont()
{
    // Sizes are points in the font dialog and handed on unchanged as the edit font's height.
    CurrentFont& font = host.Font();
    QFont initial(LocalText(font.faceName));
    initial.setPointSize(std::max(1, font.size));
    const std::optional<QFont> chosen = fontChooser ? fontChooser(initial) : AskFont(host.DialogParent(), initial);
    if (chosen) {
        const double points = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : chosen->pointSize();
        font.size = static_cast<int>(std::trunc(points));
        // The family alone: a bracketed foundry suffix names no font when the document is read again.
        font.faceName = FitField(keymap::FamilyWithoutFoundry(FromLocalText(chosen->family())));
        bar.ShowFaceName(font.faceName);
        bar.ShowSize(font.size);
        host.View().SetEditFont(font.faceName, font.size);
    }
    host.FocusEditor();
}

void DialogBarCommands::SizeChanged()
{
    QComboBox* box = bar.SizeBox();
    if (box->currentIndex() >= 0)
        box->setEditText(box->itemText(box->currentIndex()));
    CurrentFont& font = host.Font();
    font.size = platform::AtoiRule(FromLocalText(box->currentText()));
    host.View().SetEditFont(font.faceName, font.size);
    host.FocusEditor();
}

void DialogBarCommands::KeymapChanged()
{
    QComboBox* box = bar.KeymapBox();
    if (box->currentIndex() >= 0) {
        const std::string chosen = FitField(FromLocalText(box->itemText(box->currentIndex())));
        CurrentFont& font = host.Font();
        EditorView& view = host.View();
        if (SwitchKeymap(host.Editor(), view.BoundKeyMap(), host.Converter(), chosen) == KeymapSwitchResult::Switched) {
            font.keymapName = chosen;
            view.KeymapReloaded();
        } else {
            // The failed load has been reported; the box goes back to the keymap in use.
            box->setCurrentIndex(box->findText(LocalText(font.keymapName), Qt::MatchFixedString));
        }
    }
    host.FocusEditor();
}

void DialogBarCommands::LaunchKeymapEditor()
{
    const QString folder = LocalText(host.Settings().ProgramFolder());
    const QString program = QDir(folder).filePath(QString::fromLatin1(KeymapEditorProgram));
    if (launcher)
        launcher(program, folder);
    else
        QProcess::startDetached(program, {}, folder);
    host.FocusEditor();
}

std::string DialogBarCommands::ScratchPath() const
{
    return platform::DataFolders(host.Settings().ProgramFolder()).WritePath(extras::ScratchFileName);
}

void DialogBarCommands::LoadScratch()
{
    // The user's own table when there is one, else the one shipped in the program folder.
    const std::filesystem::path path = platform::DataFolders(host.Settings().ProgramFolder()).ReadPath(extras::ScratchFileName);
    extras::LoadScratchTable(scratch, path.parent_path().string(), path.filename().string());
    bar.ShowScratch(scratch);
}

bool DialogBarCommands::SaveScratch() const
{
    platform::DataFolders(host.Settings().ProgramFolder()).PrepareWriteFolder();
    return extras::SaveScratchTable(scratch, ScratchPath());
}

void DialogBarCommands::AddScratch()
{
    const CurrentFont& font = host.Font();
    extras::AddToScratch(scratch, extras::FontSetting{font.faceName, font.size, font.keymapName});
    bar.ShowScratch(scratch);
    host.FocusEditor();
}

void DialogBarCommands::DeleteScratch()
{
    extras::DeleteFromScratch(scratch);
    bar.ShowScratch(scratch);
    host.FocusEditor();
}

void DialogBarCommands::ScratchChosen()
{
    ApplyScratch(bar.ScratchBox()->currentIndex());
    host.FocusEditor();
}

void DialogBarCommands::ScratchSelect()
{
    EditorSettings& settings = host.Settings();
    const int first = settings.ScratchFirstVisibleRow();
    const int selection = settings.ScratchSelection();
    const std::optional<extras::ScratchChoice> choice =
        extras::RunScratchSelect(host.DialogParent(), scratch.FaceNames(), first, selection, scratch.Selected());
    if (choice) {
        settings.SetScratchSelector(choice->firstVisibleRow, choice->selection);
        ApplyScratch(choice->selection);
    }
    host.FocusEditor();
}

void DialogBarCommands::ApplyScratch(int index)
{
    const std::string previousKeymap = host.Font().keymapName;
    extras::SelectFromScratch(scratch, index, host.Converter(), host.Editor(), *this);
    bar.ShowScratch(scratch);
    // A setting that could not be applied leaves the keymap box on the keymap still in use.
    if (host.Font().keymapName == previousKeymap)
        bar.SelectKeymapPrefix(previousKeymap);
}

void DialogBarCommands::SetCurrentFontSetting(const extras::FontSetting& setting)
{
    CurrentFont& font = host.Font();
    font.faceName = setting.faceName;
    font.size = setting.size;
    font.keymapName = setting.keymapName;
    bar.ShowFaceName(font.faceName);
    bar.ShowSize(font.size);
}

bool DialogBarCommands::SetupEditor(const extras::FontSetting& setting)
{
    EditorView& view = host.View();
    const bool loaded = view.SetupEditor(setting.faceName, setting.size, setting.keymapName, std::string(),
                                         host.Settings().DocumentFormatInUse());
    if (loaded)
        view.KeymapReloaded();
    return loaded;
}

bool DialogBarCommands::TakeFontSetting(const extras::FontSetting& setting)
{
    if (!SetupEditor(setting))
        return false;
    SetCurrentFontSetting(setting);
    SelectKeymapEntry(setting.keymapName);
    return true;
}

void DialogBarCommands::SelectKeymapEntry(const std::string& keymapName) { bar.SelectKeymapPrefix(keymapName); }

} // namespace app
