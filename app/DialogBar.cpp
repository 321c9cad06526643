/** @file DialogBar.cpp
 ** The dialog bar's controls. **/
#include "app/DialogBar.h"

#include "app/ToolBarIcons.h"
#include "res/PromptStrings.h"
#include "res/ResourceIds.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace app {
namespace {

constexpr std::size_t FieldLength = 79;

void Describe(QWidget* control, int id)
{
    control->setObjectName(res::ObjectName(id));
    control->setStatusTip(QString::fromStdString(res::StatusPrompt(id)));
    control->setToolTip(QString::fromStdString(res::ToolTip(id)));
}

QString Local(const std::string& text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }

bool StartsWithNoCase(const QString& text, const QString& prefix)
{
    return text.startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

std::string FitField(const std::string& name) { return name.size() > FieldLength ? name.substr(0, FieldLength) : name; }

DialogBar::DialogBar(QWidget* parent) : QToolBar(parent)
{
    setObjectName(res::ObjectName(res::DialogBarResource));
    setWindowTitle(QStringLiteral("Dialog Bar"));
    setFloatable(false);

    keymapBox = new QComboBox(this);
    Describe(keymapBox, res::KeymapBox);
    keymapBox->setMinimumContentsLength(10);
    keymapBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    addWidget(keymapBox);
    connect(keymapBox, &QComboBox::activated, this, [this] { emit Command(res::KeymapBox); });

    addWidget(new QLabel(QStringLiteral(" Font Name : "), this));
    faceNameBox = new QLineEdit(this);
    Describe(faceNameBox, res::FaceNameBox);
    faceNameBox->setReadOnly(true);
    faceNameBox->setMaxLength(static_cast<int>(FieldLength));
    faceNameBox->setMinimumWidth(140);
    faceNameBox->setMaximumWidth(200);
    addWidget(faceNameBox);

    AddButton(res::SetFont, QStringLiteral("Set Font"));

    sizeBox = new QComboBox(this);
    Describe(sizeBox, res::SizeBox);
    sizeBox->setEditable(true);
    sizeBox->setInsertPolicy(QComboBox::NoInsert);
    for (const char* size : {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"})
        sizeBox->addItem(QString::fromLatin1(size));
    sizeBox->setMinimumContentsLength(3);
    addWidget(sizeBox);
    connect(sizeBox, &QComboBox::activated, this, [this] { emit Command(res::SizeBox); });

    scratchBox = new QComboBox(this);
    Describe(scratchBox, res::ScratchBox);
    scratchBox->setEditable(true);
    scratchBox->setInsertPolicy(QComboBox::NoInsert);
    scratchBox->setMinimumContentsLength(14);
    addWidget(scratchBox);
    connect(scratchBox, &QComboBox::activated, this, [this] { emit Command(res::ScratchBox); });

    AddButton(res::ScratchAdd, QStringLiteral("Add"));
    AddButton(res::ScratchDelete, QStringLiteral("Del"));

    auto* launcher = new QToolButton(this);
    Describe(launcher, res::LaunchKeymapEditor);
    launcher->setIcon(KeymapEditorIcon());
    launcher->setAutoRaise(true);
    addWidget(launcher);
    connect(launcher, &QToolButton::clicked, this, [this] { emit Command(res::LaunchKeymapEditor); });

    // Hidden helpers: two focus buttons and the scratch table's side lists.
    AddButton(res::HiddenForward, QStringLiteral("F"))->setVisible(false);
    AddButton(res::HiddenBack, QStringLiteral("B"))->setVisible(false);
    for (int id : {res::ScratchSideList1, res::ScratchSideList2}) {
        auto* list = new QComboBox(this);
        list->setObjectName(res::ObjectName(id));
        list->setVisible(false);
    }
}

QPushButton* DialogBar::AddButton(int id, const QString& text)
{
    auto* button = new QPushButton(text, this);
    Describe(button, id);
    button->setFocusPolicy(Qt::TabFocus);
    QAction* slot = addWidget(button);
    connect(button, &QPushButton::clicked, this, [this, id] { emit Command(id); });
    if (id == res::HiddenForward || id == res::HiddenBack)
        slot->setVisible(false);
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
    const QString prefix = Local(FitField(current));
    const int count = keymapBox->count();
    // The keymap in use itself comes first, so the box never shows a longer name that merely
    // begins with it.
    int found = keymapBox->findText(prefix, Qt::MatchFixedString);
    for (int step = 1; step <= count && found < 0; ++step) {
        const int index = step % count;
        if (StartsWithNoCase(keymapBox->itemText(index), prefix))
            found = index;
    }
    keymapBox->setCurrentIndex(found);
}

} // namespace app
