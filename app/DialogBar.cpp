/** @file DialogBar.cpp
 ** The dialog bar's controls. **/
#include "app/DialogBar.h"

#include "app/LocalText.h"

#include "app/ToolBarIcons.h"
#include "extras/ScratchTable.h"
#include "res/PromptStrings.h"
#include "res/ResourceIds.h"

#include <QComboBox>
#include <QFont>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace app {
namespace {

constexpr std::size_t FieldLength = 79;

void Describe(QWidget* control, int id)
{
    control->setObjectName(res::ObjectName(id));
    control->setStatusTip(QString::fromStdString(res::StatusPrompt(id)));
    control->setToolTip(QString::fromStdString(res::ToolTip(id)));
}

QString Local(const std::string& text) { return LocalText(text); }

bool StartsWithNoCase(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

/// The bar's controls in a row that wraps onto further rows when the bar is too narrow for them
/// all, so that no control is ever folded away behind the bar's extension button. It asks only
/// for the width of its widest control and takes the width the bar gives it.
class DialogBarPanel : public QWidget {
public:
    explicit DialogBarPanel(QWidget* parent) : QWidget(parent)
    {
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    }

    /// Adds `control` (a child of the panel) after the others.
    void Add(QWidget* control)
    {
        controls.push_back(control);
        updateGeometry();
    }

    QSize sizeHint() const override { return QSize(WidestControl(), Arrange(std::max(width(), WidestControl()), false)); }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        const int needed = Arrange(width(), true);
        if (needed != arrangedHeight) {
            arrangedHeight = needed;
            updateGeometry();
        }
    }

private:
    static QSize HintOf(const QWidget* control)
    {
        return control->sizeHint().expandedTo(control->minimumSize()).boundedTo(control->maximumSize());
    }

    int WidestControl() const
    {
        int widest = 0;
        for (const QWidget* control : controls)
            widest = std::max(widest, HintOf(control).width());
        return widest;
    }

    /// Lays the controls out in rows `width` wide (placing them when `place`); returns the height.
    int Arrange(int width, bool place) const
    {
        int top = 0;
        size_t first = 0;
        while (first < controls.size()) {
            // One row: as many controls as fit, at least one.
            size_t end = first;
            int rowWidth = 0;
            int rowHeight = 0;
            for (; end < controls.size(); ++end) {
                const QSize hint = HintOf(controls[end]);
                const int right = rowWidth + (end > first ? Spacing : 0) + hint.width();
                if (end > first && right > width)
                    break;
                rowWidth = right;
                rowHeight = std::max(rowHeight, hint.height());
            }
            int left = 0;
            for (size_t i = first; place && i < end; ++i) {
                const QSize hint = HintOf(controls[i]);
                controls[i]->setGeometry(left, top + (rowHeight - hint.height()) / 2, hint.width(), hint.height());
                left += hint.width() + Spacing;
            }
            top += rowHeight + (end < controls.size() ? Spacing : 0);
            first = end;
        }
        return top;
    }

    static constexpr int Spacing = 4;
    std::vector<QWidget*> controls;
    int arrangedHeight = -1;
};

} // namespace

std::string FitField(const std::string& name) { return name.size() > FieldLength ? name.substr(0, FieldLength) : name; }

DialogBar::DialogBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(res::ObjectName(res::DialogBarResource));
    setWindowTitle(QStringLiteral("Dialog Bar"));
    setFloatable(false);
    // Its two rows of controls fit a bar across the window, not one down its side.
    setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);

    auto* panel = new DialogBarPanel(this);
    addWidget(panel);

    keymapBox = new QComboBox(panel);
    Describe(keymapBox, res::KeymapBox);
    keymapBox->setMinimumContentsLength(10);
    keymapBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    panel->Add(keymapBox);
    connect(keymapBox, &QComboBox::activated, this, [this] { emit Command(res::KeymapBox); });

    panel->Add(new QLabel(QStringLiteral(" Font Name : "), panel));
    faceNameBox = new QLineEdit(panel);
    Describe(faceNameBox, res::FaceNameBox);
    faceNameBox->setReadOnly(true);
    faceNameBox->setMaxLength(static_cast<int>(FieldLength));
    faceNameBox->setMinimumWidth(100);
    faceNameBox->setMaximumWidth(200);
    panel->Add(faceNameBox);

    panel->Add(AddButton(res::SetFont, QStringLiteral("Set Font"), panel));

    sizeBox = new QComboBox(panel);
    Describe(sizeBox, res::SizeBox);
    sizeBox->setEditable(true);
    sizeBox->setInsertPolicy(QComboBox::NoInsert);
    for (const char* size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"})
        sizeBox->addItem(QString::fromLatin1(size));
    sizeBox->setMinimumContentsLength(3);
    panel->Add(sizeBox);
    connect(sizeBox, &QComboBox::activated, this, [this] { emit Command(res::SizeBox); });

    scratchBox = new QComboBox(panel);
    Describe(scratchBox, res::ScratchBox);
    scratchBox->setEditable(true);
    scratchBox->setInsertPolicy(QComboBox::NoInsert);
    scratchBox->setMinimumContentsLength(14);
    panel->Add(scratchBox);
    connect(scratchBox, &QComboBox::activated, this, [this] { emit Command(res::ScratchBox); });

    panel->Add(AddButton(res::ScratchAdd, QStringLiteral("Add"), panel));
    panel->Add(AddButton(res::ScratchDelete, QStringLiteral("Del"), panel));

    auto* launcher = new QToolButton(panel);
    Describe(launcher, res::LaunchKeymapEditor);
    launcher->setIcon(KeymapEditorIcon());
    launcher->setAutoRaise(true);
    panel->Add(launcher);
    connect(launcher, &QToolButton::clicked, this, [this] { emit Command(res::LaunchKeymapEditor); });

    // Hidden helpers: two focus buttons and the scratch table's side lists.
    for (const auto& [id, text] : {std::pair{res::HiddenForward, "F"}, std::pair{res::HiddenBack, "B"}})
        addWidget(AddButton(id, QString::fromLatin1(text), this))->setVisible(false);
    for (int id : {res::ScratchSideList1, res::ScratchSideList2}) {
        auto* list = new QComboBox(this);
        list->setObjectName(res::ObjectName(id));
        list->setVisible(false);
    }
}

QPushButton* DialogBar::AddButton(int id, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    Describe(button, id);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, id] { emit Command(id); });
    return button;
}

void DialogBar::ShowFaceName(const std::string& face) { faceNameBox->setText(Local(FitField(face))); }

void DialogBar::ShowSize(int size)
{
    // A size of the list is selected, so a later selection change starts from it; any other size
    // is shown as text.
    const QString text = QString::number(size);
    sizeBox->setCurrentIndex(sizeBox->findText(text));
    sizeBox->setEditText(text);
}

void DialogBar::FillKeymapBox(std::vector<std::string> names, const std::string& current)
{
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return QString::compare(Local(a), Local(b), Qt::CaseInsensitive) < 0;
    });
    keymapBox->clear();
    for (const std::string& name : names)
        keymapBox->addItem(Local(FitField(name)));
    SelectKeymapPrefix(current);
}

void DialogBar::FillKeymapBox(const std::vector<platform::KeymapEntry>& keymaps, const std::string& current)
{
    std::vector<std::string> names;
    for (const platform::KeymapEntry& keymap : keymaps)
        names.push_back(keymap.name);
    FillKeymapBox(names, current);
    QFont bold = keymapBox->font();
    bold.setBold(true);
    for (const platform::KeymapEntry& keymap : keymaps) {
        const int index = keymapBox->findText(Local(FitField(keymap.name)), Qt::MatchFixedString);
        if (index < 0)
            continue;
        const bool mine = keymap.origin == platform::KeymapOrigin::User;
        keymapBox->setItemData(index, QString::fromLatin1(mine ? "Your keymap: " : "Shipped keymap: ") + QString::fromStdString(keymap.path),
                               Qt::ToolTipRole);
        if (mine)
            keymapBox->setItemData(index, bold, Qt::FontRole);
    }
}

bool DialogBar::SelectKeymapPrefix(const std::string& name)
{
    const QString prefix = Local(FitField(name));
    const int count = keymapBox->count();
    // The keymap in use itself comes first, so the box never shows a longer name that merely
    // begins with it.
    int found = keymapBox->findText(prefix, Qt::MatchFixedString);
    for (int step = 1; step <= count && found < 0; ++step) {
        const int index = step % count;
        if (StartsWithNoCase(keymapBox->itemText(index), prefix))
            found = index;
    }
    const QSignalBlocker quiet(keymapBox);
    keymapBox->setCurrentIndex(found);
    return found >= 0;
}

void DialogBar::ShowScratch(const extras::ScratchTable& table)
{
    const auto fill = [&table](QComboBox* box, const std::vector<std::string>& texts) {
        const QSignalBlocker quiet(box);
        box->clear();
        for (const std::string& text : texts)
            box->addItem(Local(text));
        box->setCurrentIndex(table.Selected());
    };
    fill(scratchBox, table.FaceNames());
    fill(findChild<QComboBox*>(res::ObjectName(res::ScratchSideList1)), table.KeymapNames());
    fill(findChild<QComboBox*>(res::ObjectName(res::ScratchSideList2)), table.SizeTexts());
}

} // namespace app
