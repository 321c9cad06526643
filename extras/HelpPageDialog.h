/** @file HelpPageDialog.h
 ** The Help page: the list of the editor's shortcut keys. **/
#pragma once

#include <QDialog>

class QListWidget;

namespace extras {

class HelpPageDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpPageDialog(QWidget* parent = nullptr);
    QListWidget* List() const { return list; }

private:
    QListWidget* list;
};

/// The command 32795: the Help page without a parent, shown modally.
void RunHelpPage();

} // namespace extras
