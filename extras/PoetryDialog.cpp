#include "extras/PoetryDialog.h"

#include "editctl/DisplayFont.h"
#include "editctl/PersianEditWidget.h"
#include "platform/DialogLayout.h"
#include "platform/TextMode.h"
#include "res/ExtrasIds.h"
#include "res/ResourceIds.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace extras {

namespace {

/// An edit with its attached up-down control: the arrows step within their own range, while
/// typing may give any value of the field's width, which the field rules then correct.
class FieldSpin : public QSpinBox {
public:
    FieldSpin(QWidget* parent, int typedMin, int typedMax, int stepMin, int stepMax, int step)
        : QSpinBox(parent), stepMin(stepMin), stepMax(stepMax)
    {
        setRange(typedMin, typedMax);
        setSingleStep(step);
        setAlignment(Qt::AlignCenter);
        setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    }
    void stepBy(int steps) override
    {
        const int next = value() + steps * singleStep();
        setValue(next < stepMin ? stepMin : next > stepMax ? stepMax : next);
    }

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }

private:
    int stepMin;
    int stepMax;
};

template <typename Widget>
Widget* Placed(Widget* control, const platform::DialogUnits& du, int id, int x, int y, int width, int height)
{
    platform::PlaceAt(control, du, x, y, width, height);
    if (id != 0)
        control->setObjectName(res::ObjectName(id));
    return control;
}

bool IsViewingKey(const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Escape:
        return true;
    default:
        return key.matches(QKeySequence::Copy) || key.matches(QKeySequence::SelectAll);
    }
}

} // namespace

QFont PoetryDialog::ViewerFont()
{
    const QString face = QStringLiteral("zibaa");
    QFont font(editctl::DisplayFont::IsInstalled(face) ? face : editctl::DisplayFont::SubstituteFamilies().value(0, face));
    font.setPixelSize(ViewerHeight);
    return font;
}

PoetryDialog::PoetryDialog(PoetryContext context, const QuvelSettings& saved, QWidget* parent)
    : QDialog(parent), model(context), programFolder(context.programFolder)
{
    setObjectName(res::ObjectName(res::PoetryDialog));
    setWindowTitle(QStringLiteral("Quvel Poets..."));
    setFont(platform::DialogFont());
    poemKeymap.Load(PoetryDialogModel::PoemKeymap);
    // Opening draws the first poem; the controls are then built for the index's poem count.
    model.Open(saved);
    BuildControls();
    BuildOptions();
    ShowFields();
    ShowPoem();
}

PoetryDialog::~PoetryDialog() = default;

void PoetryDialog::BuildControls()
{
    const platform::DialogUnits du = platform::DialogUnitsOf(font());
    const platform::UnitRect size = du.Rect(0, 0, 425, 255);
    setFixedSize(size.width, size.height);

    viewer = Placed(new editctl::PersianEditWidget(editctl::WindowStyle::MultiLine, this), du, res::PoemViewer, 64, 1, 360, 204);
    viewer->SetKeyMap(&poemKeymap);
    viewer->SetEditFont("zibaa", ViewerHeight);
    viewer->installEventFilter(this);
    picture = Placed(new QLabel(this), du, res::PoetryPicture, 0, 0, 19, 17);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    scrollBar = Placed(new QScrollBar(Qt::Horizontal, this), du, res::PoemScrollBar, 63, 206, 360, 10);
    scrollBar->setRange(1, model.Count() > 0 ? model.Count() : 1);
    scrollBar->setPageStep(50);
    connect(scrollBar, &QScrollBar::valueChanged, this, &PoetryDialog::ScrollTo);

    const char* const howTexts[4] = {"&Totall", "Last n line.", "First n line.", "Random."};
    const int howIds[4] = {res::HowAll, res::HowLast, res::HowFirst, res::HowRandom};
    const int howPlaces[4][2] = {{68, 223}, {68, 232}, {68, 242}, {121, 242}};
    auto* howGroup = new QButtonGroup(this);
    for (int i = 0; i < 4; ++i) {
        how[i] = Placed(new QRadioButton(QString::fromLatin1(howTexts[i]), this), du, howIds[i], howPlaces[i][0],
                        howPlaces[i][1], i == 3 ? 50 : 52, 10);
        howGroup->addButton(how[i], i);
    }
    connect(howGroup, &QButtonGroup::idClicked, this, [this](int id) { model.settings.how = id; });

    Placed(new QLabel(QStringLiteral("n ="), this), du, 0, 123, 225, 12, 9);
    lines = Placed(new FieldSpin(this, -9, 99, 1, 30, 2), du, res::LinesN, 135, 224, 28, 12);
    lines->setProperty("upDownId", res::LinesNUpDown);
    connect(lines, &QSpinBox::valueChanged, this, [this](int v) {
        const QSignalBlocker block(lines);
        lines->setValue(model.SetN(v));
    });
}

void PoetryDialog::BuildOptions()
{
    const platform::DialogUnits du = platform::DialogUnitsOf(font());
    showNumber = Placed(new QCheckBox(QStringLiteral("Show num."), this), du, res::ShowNumber, 171, 219, 52, 10);
    connect(showNumber, &QCheckBox::toggled, this, [this](bool on) { model.settings.showNumber = on; });
    // Three characters, or as many as a larger index needs.
    auto* numberSpin = new FieldSpin(this, -99, std::max(999, model.Count()), 1, std::max(1, model.Count()), 1);
    number = Placed(numberSpin, du, res::PoemNumber, 171, 230, 52, 24);
    number->setProperty("upDownId", res::PoemNumberUpDown);
    number->setFont(ViewerFont());
    connect(number, &QSpinBox::valueChanged, this, &PoetryDialog::NumberTyped);

    justify = Placed(new QCheckBox(QStringLiteral("&Justify"), this), du, res::PoetryJustify, 231, 219, 50, 8);
    connect(justify, &QCheckBox::toggled, this, [this](bool on) { model.settings.justify = on; });
    auto* frame = Placed(new QFrame(this), du, 0, 230, 229, 48, 25);
    frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frame->lower();
    poetic = Placed(new QPushButton(QStringLiteral("Poetic"), this), du, res::LayoutPoetic, 232, 231, 44, 10);
    regular = Placed(new QPushButton(QStringLiteral("Regular"), this), du, res::LayoutRegular, 232, 242, 44, 10);
    auto* layoutGroup = new QButtonGroup(this);
    for (QPushButton* b : {poetic, regular}) {
        b->setCheckable(true);
        b->setAutoDefault(false);
        layoutGroup->addButton(b);
    }
    connect(poetic, &QPushButton::toggled, this, [this](bool on) { model.settings.mode = on ? 0 : 1; });

    Placed(new QLabel(QStringLiteral("Tab1:"), this), du, 0, 281, 224, 20, 9);
    Placed(new QLabel(QStringLiteral("Tab2:"), this), du, 0, 281, 239, 20, 9);
    tab1 = Placed(new FieldSpin(this, -9, 99, 0, 30, 1), du, res::Tab1, 302, 222, 28, 12);
    tab2 = Placed(new FieldSpin(this, -9, 99, 0, 30, 1), du, res::Tab2, 302, 237, 28, 12);
    tab1->setProperty("upDownId", res::Tab1UpDown);
    tab2->setProperty("upDownId", res::Tab2UpDown);
    connect(tab1, &QSpinBox::valueChanged, this, [this](int v) {
        const QSignalBlocker block(tab1);
        tab1->setValue(model.SetTab1(v));
    });
    connect(tab2, &QSpinBox::valueChanged, this, [this](int v) {
        const QSignalBlocker block(tab2);
        tab2->setValue(model.SetTab2(v));
    });

    const struct {
        const char* text;
        int id, x, y;
        void (PoetryDialog::*action)();
    } buttons[] = {{"&Random", res::PoetryRandom, 334, 219, nullptr}, {"&Save'n Go", res::PoetrySaveAndGo, 334, 237, &PoetryDialog::SaveAndGo},
                   {"&Insert...", res::PoetryInsert, 380, 219, &PoetryDialog::Insert}, {"&Cancel", res::PoetryCancel, 380, 237, nullptr}};
    for (const auto& b : buttons) {
        auto* button = Placed(new QPushButton(QString::fromLatin1(b.text), this), du, b.id, b.x, b.y, 44, 16);
        button->setAutoDefault(false);
        if (b.id == res::PoetryRandom)
            connect(button, &QPushButton::clicked, this, [this] { number->setValue(model.DrawNumber()); });
        else if (b.id == res::PoetryCancel)
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
        else
            connect(button, &QPushButton::clicked, this, b.action);
    }
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void PoetryDialog::ShowFields()
{
    const QuvelSettings s = model.settings;
    how[static_cast<int>(ChoiceOf(s))]->setChecked(true);
    (LayoutOf(s) == VerseLayout::Poetic ? poetic : regular)->setChecked(true);
    showNumber->setChecked(s.showNumber);
    justify->setChecked(s.justify);
    // The stored texts go through the same field rules as typing.
    lines->setValue(platform::AtoiRule(s.n));
    tab1->setValue(platform::AtoiRule(s.tab1));
    tab2->setValue(platform::AtoiRule(s.tab2));
    const QSignalBlocker block(number);
    number->setValue(model.Number());
}

void PoetryDialog::ShowPoem()
{
    if (model.Number() >= 1) {
        const QSignalBlocker block(scrollBar);
        scrollBar->setValue(model.Number());
    }
    const std::string& text = model.Shown().text;
    if (text == shownText && !shownText.empty())
        return;
    shownText = text;
    // The viewer shows the poem's text without its last line break, as the edit window would.
    viewer->Window().SetText(text.size() >= 2 ? text.substr(0, text.size() - 2) : text);
    viewer->Window().SetSel(0, 0);
}

void PoetryDialog::NumberTyped(int value)
{
    const int corrected = model.SetNumber(value);
    if (corrected != value) {
        const QSignalBlocker block(number);
        number->setValue(corrected);
    }
    ShowPoem();
}

void PoetryDialog::ScrollTo(int position)
{
    if (position == 0)
        return;
    number->setValue(position);
}

void PoetryDialog::LoadFromField()
{
    model.LoadPoem();
    ShowPoem();
}

void PoetryDialog::Insert()
{
    insertResult = model.Insert();
    ShowPoem();
    if (!insertResult.empty())
        accept();
}

void PoetryDialog::SaveAndGo()
{
    saved = model.settings;
    reject();
}

bool PoetryDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (event->type() == QEvent::KeyPress)
                LoadFromField();
            event->accept();
            return true;
        }
        // The viewer is read-only: only keys that move, select or copy reach it.
        if (watched == viewer && !IsViewingKey(*key)) {
            event->accept();
            return true;
        }
    }
    if (watched == viewer && event->type() == QEvent::ContextMenu)
        return true;
    return QDialog::eventFilter(watched, event);
}

void PoetryDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QPixmap image(QString::fromStdString(programFolder + "/" + PictureFile));
    picture->setPixmap(image);
    if (!image.isNull())
        picture->resize(image.size());
    viewer->Window().SetSel(0, 0);
}

PoetryOutcome RunPoetryDialog(QWidget* parent, editctl::PersianEdit& edit, keymap::KeymapConverter& converter,
                              const QuvelSettings& settings, platform::Random& random,
                              platform::MessageService& messages, const std::string& programFolder,
                              const JustifyStep& justify)
{
    edit.SaveUndo();
    const std::string keymapName = edit.KeyMapInUse() ? edit.KeyMapInUse()->FileName() : std::string();
    PoetryDialog dialog({converter, keymapName, programFolder, random, messages, justify}, settings, parent);
    dialog.exec();
    ReplaceSelectionWithPoem(edit, dialog.Result());
    return {dialog.Result(), dialog.SavedSettings()};
}

} // namespace extras
