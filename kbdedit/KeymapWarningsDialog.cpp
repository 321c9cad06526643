#include "kbdedit/KeymapWarningsDialog.h"

#include "res/DorvantileIds.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kbdedit {
namespace ids = dorvantile_ids;

KeymapWarningsDialog::KeymapWarningsDialog(const std::vector<KeymapWarning>& w, WarningsPurpose purpose, QWidget* parent)
    : QDialog(parent), warnings(w)
{
    setObjectName(ids::IdName(ids::IDD_WARNINGS));
    setWindowTitle(QStringLiteral("Dorvantile - Check"));
    auto* layout = new QVBoxLayout(this);
    const QString heading = purpose == WarningsPurpose::BeforeSaving
                                ? QStringLiteral("The keymap has %1 warning(s). Save it all the same?")
                                : QStringLiteral("The keymap has %1 warning(s):");
    layout->addWidget(new QLabel(heading.arg(warnings.size()), this));

    list = new QListWidget(this);
    list->setObjectName(ids::IdName(ids::IDC_WARNING_LIST));
    for (const KeymapWarning& warning : warnings)
        list->addItem(QString::fromStdString(warning.text));
    list->setWordWrap(true);
    list->setCurrentRow(0);
    list->setMinimumSize(560, 220);
    layout->addWidget(list);
    connect(list, &QListWidget::itemActivated, this, &KeymapWarningsDialog::Jump);

    auto* buttons = new QDialogButtonBox(this);
    jump = buttons->addButton(QStringLiteral("&Jump to Key"), QDialogButtonBox::ActionRole);
    jump->setObjectName(ids::IdName(ids::IDC_JUMP));
    connect(jump, &QPushButton::clicked, this, &KeymapWarningsDialog::Jump);
    if (purpose == WarningsPurpose::BeforeSaving) {
        QPushButton* save = buttons->addButton(QStringLiteral("&Save Anyway"), QDialogButtonBox::AcceptRole);
        save->setObjectName(ids::IdName(ids::IDC_SAVE_ANYWAY));
        buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    } else {
        buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void KeymapWarningsDialog::Jump()
{
    const int row = list->currentRow();
    if (row < 0 || row >= static_cast<int>(warnings.size()))
        return;
    jumpTarget = warnings[static_cast<size_t>(row)].record;
    reject(); // a jump never saves
}

} // namespace kbdedit
