/** @file ConfigurationDialog.h
 ** The "Configuration" dialog: shows the editor's settings and writes them on "&Save". **/
#pragma once

#include "tools/ConfigurationModel.h"

#include <QDialog>

#include <map>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace platform {
class SettingsStore;
}

namespace tools {

/// Modal dialog over a settings store (not owned). Reads the store each time it is shown; only
/// "&Save" writes, and it then closes with the Cancel result as "&Cancel" and Esc do. The caller
/// re-applies its settings however the dialog closed.
class ConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    explicit ConfigurationDialog(platform::SettingsStore& store, QWidget* parent = nullptr);

    /// Shows the dialog modally; returns QDialog::Rejected, the Cancel result, always.
    int Run();

    QLineEdit* NumberField(int id) const;
    QCheckBox* CheckBox(int id) const;
    QPushButton* SaveButton() const { return save; }
    QPushButton* CancelButton() const { return cancel; }

public slots:
    /// "&Save": the controls' values into the store, then close.
    void SaveAndClose();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MakeControl(const ConfigurationField& field);
    void ShowModel();

    platform::SettingsStore& store;
    ConfigurationModel model;
    std::map<int, QLineEdit*> numbers;
    std::map<int, QCheckBox*> checks;
    QPushButton* save = nullptr;
    QPushButton* cancel = nullptr;
};

} // namespace tools
