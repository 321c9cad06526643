/** @file EditorView.cpp
 ** The view holding the main edit control. **/
#include "app/EditorView.h"

#include "app/DocumentCommands.h"
#include "app/DocumentFile.h"
#include "editctl/PersianEdit.h"
#include "editctl/PersianEditWidget.h"
#include "res/ResourceIds.h"

#include <QResizeEvent>

namespace app {

EditorView::EditorView(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("EditorView"));
    setFrameShape(QFrame::NoFrame);
    editWidget = new editctl::PersianEditWidget(editctl::WindowStyle::MultiLine, this);
    connect(editWidget, &editctl::PersianEditWidget::CaretMoved, this, &EditorView::CaretMoved);
    editWidget->setObjectName(res::ObjectName(res::EditorWindowId));
    editWidget->setGeometry(0, 0, 100, 100);
    setFocusProxy(editWidget);
}

EditorView::~EditorView() = default;

QWidget* EditorView::EditWidget() const { return editWidget; }

editctl::PersianEdit& EditorView::Editor() const { return editWidget->Edit(); }

bool EditorView::SetupEditor(const std::string& face, int size, const std::string& keymapName, const std::string& path,
                             const DocumentFormat& format)
{
    if (!keyMap.Load(keymapName))
        return false;
    editWidget->SetKeyMap(&keyMap);
    SetEditFont(face, size);
    if (path.empty() || path == DocumentCommands::UntitledPath)
        return true;
    return OpenDocumentText(Editor(), path, format);
}

void EditorView::SetEditFont(const std::string& face, int size) { editWidget->SetEditFont(face, size); }

void EditorView::ApplyLayoutSettings(int tabWidth, int maxChars, bool dosMode)
{
    Editor().tabWidth = tabWidth;
    Editor().maxChars = maxChars;
    Editor().dosMode = dosMode;
}

std::string EditorView::Text() const { return Editor().Window().GetText(); }

void EditorView::ReplaceText(const std::string& glyphs) { ReplaceTextKeepingModified(Editor(), glyphs); }

bool EditorView::Modified() const { return Editor().modified; }
void EditorView::SetModified(bool modified) { Editor().modified = modified; }
bool EditorView::HeaderLoaded() const { return Editor().headerLoaded; }
void EditorView::SetHeaderLoaded(bool loaded) { Editor().headerLoaded = loaded; }
bool EditorView::EnglishMode() const { return Editor().englishMode; }
std::string EditorView::FontFace() const { return Editor().fontFace; }
int EditorView::FontHeight() const { return Editor().fontHeight; }

std::pair<int, int> EditorView::CaretPosition() const
{
    const editctl::EditWindow& window = Editor().Window();
    int start = 0, end = 0;
    window.GetSel(start, end);
    const int line = window.LineFromChar(-1) + 1;
    const int column = window.LineIndex(-1) + window.LineLength(-1) - start;
    return {line, column};
}

void EditorView::KeymapReloaded() { editWidget->KeymapChanged(); }

void EditorView::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    editWidget->setGeometry(0, 0, width(), height());
}

} // namespace app
