/** @file FindDialog.h
 ** The Find dialog (161) and the Find and Find Next commands that run it. **/
#pragma once

#include "tools/FindReplace.h"
#include "tools/SearchField.h"

#include <string>

class QLabel;
class QPushButton;

namespace tools {

/// Search text field (101) typed in main.kbd, "&Find Next" (1043, default) and "Cancel" (2).
/// Each Find Next is one find step on the target with the text converted into its keymap.
class FindDialog : public SearchDialog {
    Q_OBJECT
public:
    FindDialog(const FindTarget& target, const std::string& searchText, QWidget* parent = nullptr);

    /// The search text as typed (main.kbd glyphs), as of the last operation or close.
    const std::string& SearchText() const { return searchText; }

    editctl::PersianEditWidget* Field() const { return field; }
    QPushButton* FindNextButton() const { return findNext; }
    QPushButton* CancelButton() const { return cancel; }

    void FindNext();

protected:
    void StoreTexts() override;
    bool EnterDown(QWidget* control) override;
    void EnterUp() override;

private:
    std::string searchText;
    editctl::PersianEditWidget* field;
    QPushButton* findNext;
    QPushButton* cancel;
};

/// The Find command: runs the dialog modally with the last search and keeps what was typed as the
/// last search. The caller gives the focus back to the main edit control.
void RunFindCommand(const FindTarget& target, SearchTexts& texts, QWidget* parent);
/// The Find Next command: one find step with the last search, or the Find dialog when nothing
/// was searched yet.
void RunFindNextCommand(const FindTarget& target, SearchTexts& texts, QWidget* parent);

} // namespace tools
