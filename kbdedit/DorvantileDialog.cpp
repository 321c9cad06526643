#include "kbdedit/DorvantileDialog.h"

#include "kbdedit/AboutDorvantileDialog.h"
#include "kbdedit/DialogLayout.h"
#include "kbdedit/DorvantilePictures.h"
#include "kbdedit/GlyphPresenter.h"
#include "kbdedit/KeyModifyDialog.h"
#include "kbdedit/KeyboardPictureWidget.h"
#include "kbdedit/KeymapWarningsDialog.h"
#include "editctl/PersianEditWidget.h"
#include "editctl/VirtualKeyMap.h"
#include "platform/FontFaces.h"
#include "platform/Services.h"
#include "res/DorvantileIds.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
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

/// The window grows below the file buttons by the row of the try-it field.
constexpr int WindowHeight = 256;
constexpr const char* TableFilter = "Keymap Tables (*.tsv);;All Files (*)";
constexpr const char* NoWarningsText = "The keymap has no warnings.";

enum class WindowCommand { Undo, Redo, Check };

/// Undo, redo and the check are keys of the whole window, the try-it field included.
std::optional<WindowCommand> CommandOf(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers mods = key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    if (key.key() == Qt::Key_F7 && mods == Qt::NoModifier)
        return WindowCommand::Check;
    if (key.key() == Qt::Key_Z && mods == Qt::ControlModifier)
        return WindowCommand::Undo;
    if ((key.key() == Qt::Key_Y && mods == Qt::ControlModifier) ||
        (key.key() == Qt::Key_Z && mods == (Qt::ControlModifier | Qt::ShiftModifier)))
        return WindowCommand::Redo;
    return std::nullopt;
}

void Run(DorvantileDialog& window, WindowCommand command)
{
    switch (command) {
    case WindowCommand::Undo: window.Undo(); break;
    case WindowCommand::Redo: window.Redo(); break;
    case WindowCommand::Check: window.Check(); break;
    }
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

    editor.SetChangeListener([this] { TableChanged(); });
    editor.SetWarningReview([this](const std::vector<KeymapWarning>& warnings) { return ShowWarnings(warnings, true); });
    editor.ReadRememberedState();
    setWindowTitle(QString::fromStdString(editor.Caption()));
    displayFont = MakeFont(editor.FaceName(), editor.FontHeight());
    tryField->SetEditFont(editor.FaceName(), editor.FontHeight());
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
    const UnitRect size = du.Rect(0, 0, 514, WindowHeight);
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
    BuildTableControls(du);
}

void DorvantileDialog::BuildTableControls(const DialogUnits& du)
{
    struct Button {
        int id;
        const char* text;
        int x, y, width;
        void (DorvantileDialog::*action)();
        QPushButton** keep;
    };
    const Button buttons[] = {
        {ids::IDC_UNDO, "&Undo", 70, 2, 45, &DorvantileDialog::Undo, &undoButton},
        {ids::IDC_REDO, "&Redo", 118, 2, 45, &DorvantileDialog::Redo, &redoButton},
        {ids::IDC_CHECK, "Chec&k (F7)", 336, 236, 50, &DorvantileDialog::Check, nullptr},
        {ids::IDC_EXPORT, "E&xport...", 390, 236, 50, &DorvantileDialog::ExportTable, nullptr},
        {ids::IDC_IMPORT, "&Import...", 444, 236, 50, &DorvantileDialog::ImportTable, nullptr},
    };
    for (const Button& b : buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.text), this);
        Place(button, du, b.id, b.x, b.y, b.width, 14);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, b.action);
        if (b.keep)
            *b.keep = button;
    }
    undoButton->setEnabled(false);
    redoButton->setEnabled(false);

    ownLetters = new QCheckBox(QStringLiteral("The keymap's own letters on the &caps"), this);
    Place(ownLetters, du, ids::IDC_OWN_LETTERS, 340, 3, 160, 12);
    saveStatus = new QLabel(this);
    Place(saveStatus, du, 0, 170, 4, 165, 10);
    saveStatus->setObjectName(QStringLiteral("saveStatus"));
    connect(ownLetters, &QCheckBox::toggled, this, &DorvantileDialog::ShowOwnLetters);

    Place(new QLabel(QStringLiteral("Try it here :"), this), du, 0, 17, 238, 44, 10);
    tryField = new editctl::PersianEditWidget(editctl::WindowStyle::SingleLine, this);
    tryField->SetKeyMap(&trial.Map());
    Place(tryField, du, ids::IDC_TRY_FIELD, 62, 234, 268, 18);
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

bool DorvantileDialog::InTryField(const QObject* watched) const
{
    return watched == tryField || tryField->isAncestorOf(static_cast<const QWidget*>(watched));
}

bool DorvantileDialog::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::ShortcutOverride) || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // The try-it field runs its key handler when the shortcut check comes, so the window's own
    // commands are taken there too; the press that follows carries them out.
    if (const std::optional<WindowCommand> command = CommandOf(*key)) {
        if (press)
            Run(*this, *command);
        return true;
    }
    if (!press)
        return QDialog::eventFilter(watched, event);
    if (InTryField(watched)) {
        // Arrows move the field's caret; Enter must not press the default button (Save File).
        const int k = key->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter)
            return true;
        const int virtualKey = editctl::VirtualKeyMap::FromEvent(*key);
        if (virtualKey != 0 && !(key->modifiers() & (Qt::AltModifier | Qt::MetaModifier)))
            typedKeys.Record(editctl::KeyEvent{virtualKey, key->modifiers().testFlag(Qt::ShiftModifier),
                                               key->modifiers().testFlag(Qt::ControlModifier)});
        return false;
    }
    // Arrow keys and Enter belong to the keyboard grid whichever control has the focus, so they
    // are taken before any control or the dialog itself sees them.
    if (HandleKey(key->key()))
        return true;
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
    if (purpose == ChooserPurpose::ExportTable || purpose == ChooserPurpose::ImportTable) {
        if (fileChooserHook)
            return fileChooserHook(purpose);
        const QString folder = QFileInfo(QString::fromStdString(editor.FilePath())).absolutePath();
        const QString chosen =
            purpose == ChooserPurpose::ExportTable
                ? QFileDialog::getSaveFileName(this, QStringLiteral("Dorvantile Export ..."), folder, QString::fromLatin1(TableFilter))
                : QFileDialog::getOpenFileName(this, QStringLiteral("Dorvantile Import ..."), folder, QString::fromLatin1(TableFilter));
        if (chosen.isEmpty())
            return std::nullopt;
        return chosen.toStdString();
    }
    if (fileChooserHook) {
        fileChooser->Prepare(purpose, editor.FilePath());
        return fileChooserHook(purpose);
    }
    return fileChooser->Choose(purpose, editor.FilePath());
}

void DorvantileDialog::SaveFile()
{
    if (editor.SaveFile())
        ShowSaved();
}

void DorvantileDialog::ShowSaved()
{
    setWindowTitle(QString::fromStdString(editor.Caption()));
    const QString name = QFileInfo(QString::fromStdString(editor.FilePath())).fileName();
    saveStatus->setText(QStringLiteral("Saved %1").arg(name));
    saveStatus->setToolTip(QString::fromStdString(editor.FilePath()));
}

void DorvantileDialog::Undo() { editor.Undo(); }

void DorvantileDialog::Redo() { editor.Redo(); }

void DorvantileDialog::Check()
{
    const std::vector<KeymapWarning> warnings = editor.Check();
    if (warnings.empty()) {
        platform::Messages().Show(NoWarningsText, "Dorvantile");
        return;
    }
    ShowWarnings(warnings, false);
    editor.WarningsSeen();
}

bool DorvantileDialog::ShowWarnings(const std::vector<KeymapWarning>& warnings, bool beforeSaving)
{
    KeymapWarningsDialog window(warnings, beforeSaving ? WarningsPurpose::BeforeSaving : WarningsPurpose::Check, this);
    const bool saveAnyway = window.exec() == QDialog::Accepted;
    if (const std::optional<int> target = window.JumpTarget())
        ShowMove(editor.SelectRecord(*target));
    return saveAnyway;
}

void DorvantileDialog::ExportTable()
{
    if (const std::optional<std::string> path = ChooseFile(ChooserPurpose::ExportTable))
        editor.ExportTable(*path);
}

void DorvantileDialog::ImportTable()
{
    if (const std::optional<std::string> path = ChooseFile(ChooserPurpose::ImportTable))
        editor.ImportTable(*path);
}

FieldState DorvantileDialog::FieldNow() const
{
    FieldState state;
    state.text = tryField->Window().GetText();
    tryField->Window().GetSel(state.start, state.end);
    return state;
}

void DorvantileDialog::FollowTable()
{
    const FieldState now = FieldNow();
    const keymap::KeyTable& table = editor.WorkingTable();
    FieldState shown;
    if (typedKeys.Replay(trial.Map()) == now) {
        // Everything since the base was typed: type it again with the new table.
        typedKeys.SetBaseText(trial.Carry(table, typedKeys.Base().text));
        trial.SetTable(table);
        shown = typedKeys.Replay(trial.Map());
    } else {
        // Edited some other way (mouse, clipboard): carry the glyphs over and count keys from here.
        shown = now;
        shown.text = trial.Carry(table, now.text);
        trial.SetTable(table);
        typedKeys.Restart(shown);
    }
    if (!(shown == now)) {
        tryField->Window().SetText(shown.text);
        tryField->Window().SetSel(shown.start, shown.end);
    }
    tryField->KeymapChanged();
}

void DorvantileDialog::TableChanged()
{
    FollowTable();
    setWindowTitle(QString::fromStdString(editor.Caption()));
    undoButton->setEnabled(editor.CanUndo());
    redoButton->setEnabled(editor.CanRedo());
    ShowEnglishFlag();
    saveStatus->clear();
    RedrawPicture(); // at once: the stored key shows on its cap, not after the next start
}

void DorvantileDialog::ShowOwnLetters(bool) { RedrawPicture(); }

void DorvantileDialog::RedrawPicture()
{
    if (!ownLetters->isChecked()) {
        picture->SetPicture(KeyboardPicture());
    } else {
        // The caps use the chosen font when it is installed, the display forms otherwise.
        CapLetters letters;
        letters.font = MakeFont(editor.FaceName(), -24);
        const GlyphPresenter shapes(editor.WorkingTable(), platform::FaceInstalled(QString::fromStdString(editor.FaceName())));
        for (int r = 0; r < keymap::RecordCount; ++r)
            letters.text[static_cast<size_t>(r)] = shapes.Character(CapGlyph(editor.WorkingTable()[static_cast<size_t>(r)]));
        picture->SetPicture(KeyboardPicture(&letters));
    }
    picture->DrawFrame(editor.Selection(), FrameStyle::Sunken);
}

void DorvantileDialog::SaveAs()
{
    const std::optional<std::string> path = ChooseFile(ChooserPurpose::SaveAs);
    if (path && editor.SaveAs(*path))
        ShowSaved();
}

void DorvantileDialog::Load()
{
    // Loading replaces the working table, so unsaved edits get the same question as closing.
    if (editor.ConfirmUnsavedChanges() != ChangesDecision::Proceed)
        return;
    const std::optional<std::string> path = ChooseFile(ChooserPurpose::Load);
    if (path)
        OpenKeymap(*path);
}

bool DorvantileDialog::OpenKeymap(const std::string& path)
{
    if (!editor.Load(path))
        return false;
    setWindowTitle(QString::fromStdString(editor.Caption()));
    ShowEnglishFlag();
    return true;
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
    tryField->SetEditFont(editor.FaceName(), editor.FontHeight());
    if (ownLetters->isChecked())
        RedrawPicture();
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
