/** @file ConfigurationDialog.h
 ** The "Configuration" dialog: shows the editor's settings and writes them on "&Save". **/
#pragma once

#include "tools/ConfigurationModel.h"

#include <QDialog>

#include <functional>
#include <map>

class QAbstractButton;
class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tools {

/// Modal dialog over the editor's settings. Asks `read` for the values each time it is shown;
/// only "&Save" hands the edited values to `write`, and it then closes with the Cancel result as
/// "&Cancel" and Esc do. The caller re-applies its settings however the dialog closed.
class ConfigurationDialog : public QDialog {
    Q_OBJECT
public:
    using Reader = std::function<ConfigurationValues()>;
    using Writer = std::function<void(const ConfigurationValues&)>;

    ConfigurationDialog(Reader read, Writer write, QWidget* parent = nullptr);

    /// Shows the dialog modally; returns QDialog::Rejected, the Cancel result, always.
    int Run();

    QLineEdit* NumberField(int id) const;
    QCheckBox* CheckBox(int id) const;
    QPushButton* SaveButton() const { return save; }
    QPushButton* CancelButton() const { return cancel; }

public slots:
    /// "&Save": the controls' values to the writer, then close.
    void SaveAndClose();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* MakeControl(const ConfigurationField& field);
    void ShowModel();

    Reader read;
    Writer write;
    ConfigurationModel model;
    std::map<int, QLineEdit*> numbers;
    std::map<int, QCheckBox*> checks;
    QPushButton* save = nullptr;
    QPushButton* cancel = nullptr;
};

} // namespace tools
