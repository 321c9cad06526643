/** @file CMainFrameCommands.cpp
 ** The main window's own commands: Set Font, the size and keymap boxes, window state, focus moves
 ** and the keymap editor launch. **/
#include "app/CMainFrame.h"

#include "app/DialogBar.h"
#include "app/EditorView.h"
#include "platform/Services.h"
#include "platform/TextMode.h"

#include <QComboBox>
#include <QDir>
#include <QFontDialog>
#include <QLineEdit>
#include <QProcess>

#include <cmath>

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

std::string FromLocal(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace

void CMainFrame::OnSetFont()
{
    // Sizes are points in the font dialog and handed on unchanged as the edit font's height.
    QFont initial(QString::fromLocal8Bit(currentFace.c_str()));
    initial.setPointSize(std::max(1, currentSize));
    const std::optional<QFont> chosen = fontChooser ? fontChooser(initial) : AskFont(this, initial);
    if (chosen) {
        const double points = chosen->pointSizeF() > 0 ? chosen->pointSizeF() : chosen->pointSize();
        currentSize = static_cast<int>(std::trunc(points));
        currentFace = FitField(FromLocal(chosen->family()));
        dialogBar->ShowFaceName(currentFace);
        dialogBar->ShowSize(currentSize);
        view->SetEditFont(currentFace, currentSize);
    }
    FocusEditor();
}

void CMainFrame::OnSizeChange()
{
    QComboBox* box = dialogBar->SizeBox();
    if (box->currentIndex() >= 0)
        box->setEditText(box->itemText(box->currentIndex()));
    currentSize = platform::AtoiRule(FromLocal(box->currentText()));
    view->SetEditFont(currentFace, currentSize);
    FocusEditor();
}

void CMainFrame::OnKeymapChange()
{
    QComboBox* box = dialogBar->KeymapBox();
    if (box->currentIndex() < 0) {
        FocusEditor();
        return;
    }
    const std::string chosen = FitField(FromLocal(box->itemText(box->currentIndex())));
    keymap::KeyMap& bound = view->BoundKeyMap();
    if (bound.IsLoaded()) {
        // The text is converted only when the chosen keymap loads: converting into a keymap that
        // could not be read would turn every glyph into the unmapped record's and lose the text.
        // The failed load has been reported; the box goes back to the keymap in use.
        converter.input = view->Text();
        if (!converter.LoadKeymaps(bound.FileName(), chosen)) {
            converter.input.clear();
            box->setCurrentIndex(box->findText(QString::fromLocal8Bit(currentKeymap.c_str()), Qt::MatchFixedString));
            FocusEditor();
            return;
        }
        converter.Convert(true);
        view->ReplaceText(converter.output);
        converter.input.clear();
        converter.output.clear();
    }
    currentKeymap = chosen;
    bound.Load(currentKeymap);
    view->KeymapReloaded();
    FocusEditor();
}

void CMainFrame::OnMaximizeRestore()
{
    if (!maximised)
        showMaximized();
    else
        showNormal();
    maximised = !maximised;
    FocusEditor();
}

void CMainFrame::OnBackToEditor()
{
    if (maximised)
        showMaximized();
    else
        showNormal();
    FocusEditor();
}

void CMainFrame::OnLaunchKeymapEditor()
{
    const QString folder = QString::fromLocal8Bit(platform::Settings().ReadString("Temp", "KelmDir", "").c_str());
    const QString program = QDir(folder).filePath(QString::fromLatin1(KeymapEditorProgram));
    if (launcher)
        launcher(program, folder);
    else
        QProcess::startDetached(program, {}, folder);
    FocusEditor();
}

} // namespace app
