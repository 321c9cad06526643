/** @file ReplaceDialog.h
 ** The Replace dialog (163) and the Replace command that runs it. **/
#pragma once

#include "tools/FindReplace.h"
#include "tools/SearchField.h"

#include <string>

class QPushButton;

namespace tools {

/// Search field (109) and replacement field (110) typed in main.kbd; "&Find Next" (1043),
/// "&Replace" (4), "Replace &All" (5) and "Cancel" (2).
class ReplaceDialog : public SearchDialog {
    Q_OBJECT
public:
    ReplaceDialog(const FindTarget& target, const SearchTexts& texts, QWidget* parent = nullptr);

    /// Both texts as typed, as of the last operation or close.
    const SearchTexts& Texts() const { return texts; }
    bool MatchSelected() const { return session.MatchSelected(); }

    editctl::PersianEditWidget* SearchField() const { return searchField; }
    editctl::PersianEditWidget* ReplacementField() const { return replacementField; }
    QPushButton* FindNextButton() const { return findNext; }
    QPushButton* ReplaceButton() const { return replace; }
    QPushButton* ReplaceAllButton() const { return replaceAll; }
    QPushButton* CancelButton() const { return cancel; }

    void FindNext();
    void Replace();
    void ReplaceAll();

protected:
    void StoreTexts() override;
    bool EnterDown(QWidget* control) override;
    void EnterUp() override;

private:
    SearchTexts texts;
    ReplaceSession session;
    editctl::PersianEditWidget* searchField;
    editctl::PersianEditWidget* replacementField;
    QPushButton* findNext;
    QPushButton* replace;
    QPushButton* replaceAll;
    QPushButton* cancel;
};

/// The Replace command: takes the undo snapshot (one Undo reverts all the dialog replaced), runs
/// the dialog modally with the last texts and keeps what was typed. The caller gives the focus
/// back to the main edit control.
void RunReplaceCommand(const FindTarget& target, SearchTexts& texts, QWidget* parent);

} // namespace tools
