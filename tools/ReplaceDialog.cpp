#include "tools/ReplaceDialog.h"

#include "editctl/KeyEvent.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace tools {

namespace {

constexpr int SearchId = 109;
constexpr int ReplacementId = 110;
constexpr int FindNextId = 1043;
constexpr int ReplaceId = 4;
constexpr int ReplaceAllId = 5;
constexpr int CancelId = 2;

QLabel* Caption(QWidget* parent, const char* text, const QRect& rect)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setGeometry(rect);
    return label;
}

} // namespace

ReplaceDialog::ReplaceDialog(const FindTarget& target, const SearchTexts& texts, QWidget* parent)
    : SearchDialog(target, parent), texts(texts), session(target)
{
    setObjectName(QStringLiteral("id163"));
    setWindowTitle(QStringLiteral("Replace"));
    setFixedSize(354, 128);
    const QRect fieldRect(QPoint(2, 9), QPoint(199, 40));
    searchField = CreateSearchField(this, &fieldMap, SearchId, fieldRect, texts.search);
    replacementField = CreateSearchField(this, &fieldMap, ReplacementId, fieldRect.translated(0, 33), texts.replacement);
    Caption(this, "Find", QRect(206, 15, 50, 20));
    Caption(this, "Replace", QRect(206, 48, 50, 20));
    findNext = CreateDialogButton(this, FindNextId, "&Find Next", QRect(262, 9, 86, 26));
    findNext->setDefault(true);
    replace = CreateDialogButton(this, ReplaceId, "&Replace", QRect(262, 38, 86, 26));
    replaceAll = CreateDialogButton(this, ReplaceAllId, "Replace &All", QRect(262, 67, 86, 26));
    cancel = CreateDialogButton(this, CancelId, "Cancel", QRect(262, 96, 86, 26));
    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogContentsView).pixmap(32, 32));
    icon->setGeometry(2, 86, 32, 32);

    connect(findNext, &QPushButton::clicked, this, &ReplaceDialog::FindNext);
    connect(replace, &QPushButton::clicked, this, &ReplaceDialog::Replace);
    connect(replaceAll, &QPushButton::clicked, this, &ReplaceDialog::ReplaceAll);
    connect(cancel, &QPushButton::clicked, this, &ReplaceDialog::reject);
    SetFocusCycle({searchField, replacementField, findNext, replace, replaceAll});
}

void ReplaceDialog::FindNext()
{
    StoreTexts();
    session.FindNext(texts.search);
}

void ReplaceDialog::Replace()
{
    StoreTexts();
    session.Replace(texts.search, texts.replacement);
}

void ReplaceDialog::ReplaceAll()
{
    StoreTexts();
    const int count = session.ReplaceAll(texts.search, texts.replacement);
    if (count > 0)
        reject(); // closes as Cancel does before the count is shown
    ReportReplaceAll(target.messages, count);
}

void ReplaceDialog::StoreTexts()
{
    texts.search = searchField->Window().GetText();
    texts.replacement = replacementField->Window().GetText();
}

bool ReplaceDialog::EnterDown(QWidget* control)
{
    // Enter acts as Space on the focused control: a button is pressed, a field gets a space.
    if (auto* button = qobject_cast<QPushButton*>(control)) {
        button->click();
    } else if (auto* field = qobject_cast<editctl::PersianEditWidget*>(control)) {
        field->Edit().DeliverKey(editctl::KeyEvent{editctl::vk::Space, false, false});
        field->viewport()->update();
    }
    return true;
}

void ReplaceDialog::EnterUp() { FocusControl(2); }

void RunReplaceCommand(const FindTarget& target, SearchTexts& texts, QWidget* parent)
{
    target.edit.SaveUndo();
    ReplaceDialog dialog(target, texts, parent);
    dialog.exec();
    texts = dialog.Texts();
}

} // namespace tools
