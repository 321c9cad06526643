#include "kbdedit/DorvantileDialog.h"

#include "kbdedit/AboutDorvantileDialog.h"
#include "kbdedit/DialogLayout.h"
#include "kbdedit/DorvantilePictures.h"
#include "kbdedit/GlyphPresenter.h"
#include "kbdedit/KeyModifyDialog.h"
#include "kbdedit/KeyboardPictureWidget.h"
#include "res/DorvantileIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFontDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace kbdedit {
namespace ids = dorvantile_ids;

namespace {

/// The height a font description gives: character heights are negative, as the platform's font
/// chooser reports them.
int HeightOf(const QFont& font)
{
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    return -static_cast<int>(std::lround(font.pointSizeF() * dpi / 72.0));
}

/// The font description Set Font starts from: the face as named, at the current height.
QFont DescriptionOf(const std::string& face, int height)
{
    QFont font(QString::fromStdString(face));
    if (height != 0)
        font.setPixelSize(std::abs(std::clamp(height, -MaxFontHeight, MaxFontHeight)));
    return font;
}

} // namespace

DorvantileDialog::DorvantileDialog(RegistrySettings& settings, const std::string& folder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      editor(settings)
{
    setObjectName(ids::IdName(ids::IDD_DORVANTILE_DIALOG));
    setWindowTitle(QStringLiteral("Dorvantile2"));
    setWindowIcon(ProgramIcon());
    setFont(DialogFont());
    setMouseTracking(true);
    BuildControls();

    keyDialog = std::make_unique<KeyModifyDialog>(editor, displayFont);
    editor.ReadReferenceKeymap(folder);
    fontChooser = std::make_unique<QFontDialog>(this);
    fontChooser->setOption(QFontDialog::ScalableFonts);
    fileChooser = std::make_unique<KeymapFileChooser>(this);

    editor.ReadRememberedState();
    setWindowTitle(QString::fromStdString(editor.Caption()));
    displayFont = MakeFont(editor.FaceName(), editor.FontHeight());
    ShowEnglishFlag();
    picture->DrawFrame(editor.Selection(), FrameStyle::Sunken);

    qApp->installEventFilter(this);
}

DorvantileDialog::~DorvantileDialog()
{
    qApp->removeEventFilter(this);
}

void DorvantileDialog::BuildControls()
{
    const DialogUnits du = DialogUnitsOf(font());
    const UnitRect size = du.Rect(0, 0, 514, 237);
    setFixedSize(size.width, size.height);

    struct Button {
        int id;
        const char* text;
        int x, y, width, height;
        void (DorvantileDialog::*action)();
    };
    const Button buttons[] = {
        {ids::IDCANCEL, "Cancel", 36, 216, 50, 14, &DorvantileDialog::reject},
        {ids::IDC_SAVE_FILE, "&Save File", 89, 216, 50, 14, &DorvantileDialog::SaveFile},
        {ids::IDC_SAVE_AS, "Save &As....", 144, 216, 50, 14, &DorvantileDialog::SaveAs},
        {ids::IDC_LOAD, "&Load", 199, 216, 50, 14, &DorvantileDialog::Load},
        {ids::IDC_SET_FONT, "Set &Font", 285, 216, 50, 14, &DorvantileDialog::SetFont},
        {ids::IDC_ABOUT, "About !", 17, 2, 45, 14, &DorvantileDialog::ShowAbout},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), this);
        Place(button, du, b.id, b.x, b.y, b.width, b.height);
        button->setDefault(b.id == ids::IDC_SAVE_FILE);
        connect(button, &QPushButton::clicked, this, b.action);
    }

    supportEnglish = new QCheckBox(QStringLiteral("Does Support English ?"), this);
    Place(supportEnglish, du, ids::IDC_SUPPORT_ENGLISH, 372, 216, 116, 15);
    connect(supportEnglish, &QCheckBox::clicked, this, [this](bool checked) { editor.SetEnglishFlag(checked ? 1 : 0); });

    picture = new KeyboardPictureWidget(this);
    picture->move(du.X(17), du.Y(18));
    picture->setObjectName(ids::IdName(ids::IDC_KEYBOARD));
}

QString DorvantileDialog::AboutItemText() { return QStringLiteral("&About Dorvantile2..."); }

void DorvantileDialog::SystemCommand(int id)
{
    if ((id & 0xFFF0) == ids::IDM_ABOUTBOX)
        ShowAbout();
}

void DorvantileDialog::contextMenuEvent(QContextMenuEvent* event)
{
    // Stands in for the window menu, which a Qt window does not have on every platform.
    const QString text = AboutItemText();
    if (text.isEmpty())
        return;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("WindowMenu"));
    QAction* about = menu.addAction(text);
    about->setData(ids::IDM_ABOUTBOX);
    if (QAction* chosen = menu.exec(event->globalPos()))
        SystemCommand(chosen->data().toInt());
}

void DorvantileDialog::ShowEnglishFlag() { supportEnglish->setChecked(editor.GetEnglishFlag() == 1); }

void DorvantileDialog::ShowMove(const std::optional<SelectionMove>& move)
{
    if (!move)
        return;
    picture->DrawFrame(move->from, FrameStyle::Plain);
    picture->DrawFrame(move->to, FrameStyle::Sunken);
}

void DorvantileDialog::MeasureOffsetOnce()
{
    if (!editor.OffsetPending())
        return;
    // Chosen so that the hit test's arithmetic lands exactly on the drawn cells: the picture's
    // origin in client coordinates, less the bias the hit test adds to rows.
    const QPoint origin = picture->pos() + picture->PictureOrigin();
    editor.MeasureOffset(PictureOffset{-origin.x(), -origin.y() - RowBias});
}

void DorvantileDialog::mouseMoveEvent(QMouseEvent* event)
{
    MeasureOffsetOnce();
    const QPoint p = event->position().toPoint();
    ShowMove(editor.PointerMoved(p.x(), p.y()));
    QDialog::mouseMoveEvent(event);
}

void DorvantileDialog::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton && editor.ClickOpensDialog(p.x(), p.y())) {
        OpenKeyDialog();
        return;
    }
    QDialog::mousePressEvent(event);
}

bool DorvantileDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Arrow keys and Enter belong to the keyboard grid whichever control has the focus, so they
    // are taken before any control or the dialog itself sees them.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this) {
        if (HandleKey(static_cast<QKeyEvent*>(event)->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool DorvantileDialog::HandleKey(int key)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: OpenKeyDialog(); return true;
    case Qt::Key_Left: ShowMove(editor.Arrow(ArrowKey::Left)); return true;
    case Qt::Key_Right: ShowMove(editor.Arrow(ArrowKey::Right)); return true;
    case Qt::Key_Up: ShowMove(editor.Arrow(ArrowKey::Up)); return true;
    case Qt::Key_Down: ShowMove(editor.Arrow(ArrowKey::Down)); return true;
    default: return false;
    }
}

void DorvantileDialog::OpenKeyDialog()
{
    keyDialog->exec();
    picture->DrawFrame(editor.Selection(), FrameStyle::Sunken);
}

std::optional<std::string> DorvantileDialog::ChooseFile(ChooserPurpose purpose)
{
    if (fileChooserHook) {
        fileChooser->Prepare(purpose, editor.FilePath());
        return fileChooserHook(purpose);
    }
    return fileChooser->Choose(purpose, editor.FilePath());
}

void DorvantileDialog::SaveFile() { editor.SaveFile(); }

void DorvantileDialog::SaveAs()
{
    const std::optional<std::string> path = ChooseFile(ChooserPurpose::SaveAs);
    if (path && editor.SaveAs(*path))
        setWindowTitle(QString::fromStdString(editor.Caption()));
}

void DorvantileDialog::Load()
{
    // Loading replaces the working table, so unsaved edits get the same question as closing.
    if (editor.ConfirmUnsavedChanges() != ChangesDecision::Proceed)
        return;
    const std::optional<std::string> path = ChooseFile(ChooserPurpose::Load);
    if (!path || !editor.Load(*path))
        return;
    setWindowTitle(QString::fromStdString(editor.Caption()));
    ShowEnglishFlag();
}

void DorvantileDialog::SetFont()
{
    const QFont initial = DescriptionOf(editor.FaceName(), editor.FontHeight());
    std::optional<QFont> chosen;
    if (fontChooserHook) {
        chosen = fontChooserHook(initial);
    } else {
        fontChooser->setCurrentFont(initial);
        if (fontChooser->exec() == QDialog::Accepted)
            chosen = fontChooser->selectedFont();
    }
    if (!chosen)
        return;
    editor.SetFont(chosen->family().toStdString(), HeightOf(*chosen));
    displayFont = MakeFont(editor.FaceName(), editor.FontHeight());
}

void DorvantileDialog::ShowAbout()
{
    AboutDorvantileDialog about(this);
    about.exec();
}

void DorvantileDialog::reject()
{
    if (editor.ConfirmUnsavedChanges() == ChangesDecision::Proceed)
        QDialog::reject();
}

} // namespace kbdedit
