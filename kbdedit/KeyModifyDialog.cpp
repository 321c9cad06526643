#include "kbdedit/KeyModifyDialog.h"

#include "kbdedit/DialogLayout.h"
#include "kbdedit/GlyphPresenter.h"
#include "kbdedit/KeymapEditor.h"
#include "platform/FontFaces.h"
#include "platform/TextMode.h"
#include "res/DorvantileIds.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kbdedit {
namespace ids = dorvantile_ids;

namespace {

/// The list entry showing a glyph value; -1 (no selection) for values the 256 entries cannot show.
int ListIndexFor(int value) { return value >= 0 && value < 256 ? value : -1; }

constexpr int ListRows[4] = {64, 88, 113, 137};
constexpr int ListWidth = 57;

/// "%c" of a value: the character with that code, nothing for code 0.
QString CharacterOf(int value)
{
    const int code = value & 0xff;
    return code == 0 ? QString() : QString(QChar(code));
}

bool IsEnter(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

KeyModifyDialog::KeyModifyDialog(KeymapEditor& e, const QFont& font, QWidget* parent)
    : QDialog(parent), editor(e), displayFont(font)
{
    setObjectName(ids::IdName(ids::IDD_MODIFY_DATA));
    setWindowTitle(QStringLiteral("Modify Data"));
    setFont(DialogFont());
    BuildControls();
}

KeyModifyDialog::~KeyModifyDialog() = default;

void KeyModifyDialog::BuildControls()
{
    const DialogUnits du = DialogUnitsOf(font());
    const UnitRect size = du.Rect(0, 0, 314, 194);
    setFixedSize(size.width, size.height);

    keyLabel = new QLabel(QStringLiteral("Static"), this);
    keyLabel->setAlignment(Qt::AlignCenter);
    keyLabel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Place(keyLabel, du, ids::IDC_KEY_LABEL, 4, 9, 37, 29);

    Place(new QLabel(QStringLiteral("Scan Code :"), this), du, 0, 78, 24, 40, 10);
    scanCode = new QLineEdit(this);
    scanCode->setEnabled(false);
    Place(scanCode, du, ids::IDC_SCAN_CODE, 123, 22, 32, 13);

    const char* captions[4] = {"Isolated :", "Final Word :", "Medial :", "Initial :"};
    const int captionRows[4] = {69, 93, 117, 141};
    const int captionWidths[4] = {40, 40, 30, 30};
    const int labelRows[4] = {65, 90, 114, 137};
    const int equalsRows[4] = {69, 93, 118, 142};
    for (int i = 0; i < 4; ++i) {
        Place(new QLabel(QString::fromLatin1(captions[i]), this), du, 0, 5, captionRows[i], captionWidths[i], 11);
        shapeLabels[static_cast<size_t>(i)] = new QLabel(QStringLiteral("QQQ"), this);
        Place(shapeLabels[static_cast<size_t>(i)], du, ids::ShapeLabelIds[i], 59, labelRows[i], 16, 20);
        Place(new QLabel(QStringLiteral("="), this), du, 0, 81, equalsRows[i], 8, 11);
    }

    auto* extended = new QGroupBox(QStringLiteral("Extended"), this);
    Place(extended, du, 0, 160, 39, 76, 131);
    for (int i = 0; i < 8; ++i)
        glyphLists[static_cast<size_t>(i)] = MakeGlyphList(ids::GlyphListIds[i], i < 4 ? 95 : 169, ListRows[i % 4]);

    auto* save = new QPushButton(QStringLiteral("&Save Setting"), this);
    Place(save, du, ids::IDC_SAVE_SETTING, 245, 64, 58, 16);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    Place(cancel, du, ids::IDC_MODIFY_CANCEL, 245, 86, 58, 16);
    // Enter closes the dialog without storing; it must not press a button.
    for (QPushButton* b : {save, cancel}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(save, &QPushButton::clicked, this, &KeyModifyDialog::SaveSetting);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QComboBox* KeyModifyDialog::MakeGlyphList(int id, int x, int y)
{
    auto* list = new QComboBox(this);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->setMaxVisibleItems(10);
    list->setLayoutDirection(Qt::LeftToRight);
    const DialogUnits du = DialogUnitsOf(font());
    list->setGeometry(du.X(x), du.Y(y), du.X(ListWidth), list->sizeHint().height());
    list->setObjectName(dorvantile_ids::IdName(id));
    // Typing into the text field clears the list's selection, so the field is stored as -1.
    QLineEdit* edit = list->lineEdit();
    connect(edit, &QLineEdit::textEdited, list, [list, edit](const QString& text) {
        const QSignalBlocker block(list);
        const int cursor = edit->cursorPosition();
        list->setCurrentIndex(-1);
        edit->setText(text);
        edit->setCursorPosition(cursor);
    });
    edit->installEventFilter(this);
    list->installEventFilter(this);
    return list;
}

void KeyModifyDialog::showEvent(QShowEvent* event)
{
    Populate();
    QDialog::showEvent(event);
}

void KeyModifyDialog::Populate()
{
    labelFont = std::make_unique<QFont>(MakeFont(LabelFace, LabelHeight));
    const bool labelFaceInstalled = platform::FaceInstalled(QString::fromLatin1(LabelFace));
    const keymap::KeyRecord reference = editor.ReferenceRecord();
    const keymap::KeyRecord working = editor.WorkingRecord();

    keyLabel->setFont(*labelFont);
    keyLabel->setText(CharacterOf(reference.keyCode));
    const GlyphPresenter referenceShapes(editor.ReferenceTable(), labelFaceInstalled);
    for (int i = 0; i < 4; ++i) {
        shapeLabels[static_cast<size_t>(i)]->setFont(*labelFont);
        shapeLabels[static_cast<size_t>(i)]->setText(referenceShapes.Character(reference.Glyph(i)));
    }
    scanCode->setText(QString::number(working.keyCode));

    const GlyphPresenter entries(editor.WorkingTable(), platform::FaceInstalled(QString::fromStdString(editor.FaceName())));
    QStringList texts;
    for (int code = 0; code < 256; ++code)
        texts << entries.ListEntry(code);
    for (int i = 0; i < 8; ++i) {
        QComboBox* list = glyphLists[static_cast<size_t>(i)];
        const QSignalBlocker block(list);
        list->setFont(displayFont);
        list->clear();
        list->addItems(texts);
        const int value = working.Glyph(i);
        list->setCurrentIndex(ListIndexFor(value));
    }
}

void KeyModifyDialog::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    labelFont.reset();
}

void KeyModifyDialog::SaveSetting()
{
    // A field the lists cannot show (outside 0..255) keeps its value unless its list was changed.
    const keymap::KeyRecord shown = editor.WorkingRecord();
    keymap::KeyRecord record;
    record.keyCode = platform::AtoiRule(scanCode->text().toStdString());
    for (int i = 0; i < 8; ++i) {
        const int index = glyphLists[static_cast<size_t>(i)]->currentIndex();
        const bool untouched = index == ListIndexFor(shown.Glyph(i));
        record.SetGlyph(i, untouched ? shown.Glyph(i) : index);
    }
    editor.StoreRecord(record);
    accept();
}

void KeyModifyDialog::keyPressEvent(QKeyEvent* event)
{
    if (IsEnter(event)) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool KeyModifyDialog::eventFilter(QObject* watched, QEvent* event)
{
    // An open list takes Enter for itself (it closes the popup); otherwise Enter closes the dialog.
    if (IsEnter(event)) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kbdedit
