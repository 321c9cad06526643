#include "tools/FindDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tools {

namespace {

constexpr int FieldId = 101;
constexpr int FindNextId = 1043;
constexpr int CancelId = 2;

} // namespace

FindDialog::FindDialog(const FindTarget& target, const std::string& searchText, QWidget* parent)
    : SearchDialog(target, parent), searchText(searchText)
{
    setObjectName(QStringLiteral("id161"));
    setWindowTitle(QStringLiteral("Find"));
    setFixedSize(318, 86);
    field = CreateSearchField(this, &fieldMap, FieldId, QRect(QPoint(3, 9), QPoint(216, 40)), searchText);
    field->Window().SetSel(0, field->Window().GetTextLength());
    findNext = CreateDialogButton(this, FindNextId, "&Find Next", QRect(226, 9, 86, 26));
    findNext->setDefault(true);
    cancel = CreateDialogButton(this, CancelId, "Cancel", QRect(226, 42, 86, 26));
    auto* label = new QLabel(QStringLiteral(": Text"), this);
    label->setGeometry(136, 48, 80, 20);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));
    icon->setGeometry(3, 46, 32, 32);

    connect(findNext, &QPushButton::clicked, this, &FindDialog::FindNext);
    connect(cancel, &QPushButton::clicked, this, &FindDialog::reject);
    SetFocusCycle({field, findNext, cancel});
}

void FindDialog::FindNext()
{
    StoreTexts();
    FindStep(target, searchText, FindCaller::FindDialog);
}

void FindDialog::StoreTexts() { searchText = field->Window().GetText(); }

bool FindDialog::EnterDown(QWidget* control)
{
    // Enter presses the default button, wherever the focus is, except that a focused Cancel is
    // pressed itself.
    if (control == cancel)
        cancel->click();
    else
        findNext->click();
    return true;
}

void FindDialog::EnterUp() { FocusControl(1); }

void RunFindCommand(const FindTarget& target, SearchTexts& texts, QWidget* parent)
{
    FindDialog dialog(target, texts.search, parent);
    dialog.exec();
    texts.search = dialog.SearchText();
}

void RunFindNextCommand(const FindTarget& target, SearchTexts& texts, QWidget* parent)
{
    if (!FindNextCommand(target, texts.search))
        RunFindCommand(target, texts, parent);
}

} // namespace tools
