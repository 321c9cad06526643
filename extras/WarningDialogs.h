/** @file WarningDialogs.h
 ** The save-changes and revert warnings asked before the document's changes are discarded. **/
#pragma once

#include "extras/WarningAnswers.h"

#include <QDialog>

class QPushButton;

namespace extras {

/// "Do you want to save changes ?" with Yes (default), No and Cancel. The result field is reset
/// to Cancel each time the dialog is shown; closing it any other way leaves Cancel.
class SaveChangesWarning : public QDialog {
    Q_OBJECT
public:
    explicit SaveChangesWarning(QWidget* parent = nullptr);
    /// Runs modally and returns the result field.
    SaveChangesAnswer Run();
    int result = 3; // 1 Yes, 2 No, 3 Cancel

    QPushButton* YesButton() const { return yes; }
    QPushButton* NoButton() const { return no; }
    QPushButton* CancelButton() const { return cancel; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* yes;
    QPushButton* no;
    QPushButton* cancel;
};

/// "Are you sure to revert ?" with Yes and No (default); Esc and the close box answer No.
class RevertWarning : public QDialog {
    Q_OBJECT
public:
    explicit RevertWarning(QWidget* parent = nullptr);
    /// Runs modally; true for Yes.
    bool Run();

    QPushButton* YesButton() const { return yes; }
    QPushButton* NoButton() const { return no; }

private:
    QPushButton* yes;
    QPushButton* no;
};

} // namespace extras
