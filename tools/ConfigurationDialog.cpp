#include "tools/ConfigurationDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace tools {

namespace {

QString IdName(int id)
{
    return QStringLiteral("id%1").arg(id);
}

/// The number-field rule as the field applies it while the user types.
class NumberFieldValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        return IsNumberFieldText(input.toStdString()) ? Acceptable : Invalid;
    }
};

/// The text right of a field, where the dialog has one.
QString NoteFor(int id)
{
    switch (id) {
    case 1019: return QStringLiteral("Characters in dos mod (80)");
    case 1027:
    case 1029: return QStringLiteral("% of total width .");
    default: return {};
    }
}

} // namespace

ConfigurationDialog::ConfigurationDialog(Reader reader, Writer writer, QWidget* parent)
    : QDialog(parent), read(std::move(reader)), write(std::move(writer))
{
    setObjectName(IdName(ConfigurationDialogId));
    setWindowTitle(QStringLiteral("Configuration"));
    auto* outer = new QVBoxLayout(this);
    auto* general = new QFormLayout;
    auto* group = new QGroupBox(QStringLiteral("Resembel Options : "), this);
    auto* groupForm = new QFormLayout(group);
    outer->addLayout(general);
    outer->addWidget(group);
    for (const ConfigurationField& field : ConfigurationFields()) {
        QFormLayout* form = field.inResembleGroup ? groupForm : general;
        QWidget* control = MakeControl(field);
        if (field.kind == FieldKind::Check) {
            form->addRow(control);
            continue;
        }
        QWidget* row = control;
        const QString note = NoteFor(field.id);
        if (!note.isEmpty()) {
            row = new QWidget(this);
            auto* h = new QHBoxLayout(row);
            h->setContentsMargins(0, 0, 0, 0);
            h->addWidget(control);
            h->addWidget(new QLabel(note, row));
            h->addStretch();
        }
        form->addRow(QString::fromUtf8(field.label), row);
    }
    auto* buttons = new QHBoxLayout;
    save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(IdName(ConfigurationSaveId));
    save->setDefault(true);
    cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(IdName(ConfigurationCancelId));
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    outer->addLayout(buttons);
    connect(save, &QPushButton::clicked, this, &ConfigurationDialog::SaveAndClose);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QWidget* ConfigurationDialog::MakeControl(const ConfigurationField& field)
{
    if (field.kind == FieldKind::Check) {
        auto* box = new QCheckBox(QString::fromUtf8(field.label), this);
        box->setObjectName(IdName(field.id));
        checks[field.id] = box;
        return box;
    }
    auto* edit = new QLineEdit(this);
    edit->setObjectName(IdName(field.id));
    edit->setMaxLength(NumberFieldMaxLength);
    edit->setValidator(new NumberFieldValidator(edit));
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    numbers[field.id] = edit;
    return edit;
}

int ConfigurationDialog::Run()
{
    exec();
    return QDialog::Rejected;
}

QLineEdit* ConfigurationDialog::NumberField(int id) const
{
    const auto it = numbers.find(id);
    return it == numbers.end() ? nullptr : it->second;
}

QCheckBox* ConfigurationDialog::CheckBox(int id) const
{
    const auto it = checks.find(id);
    return it == checks.end() ? nullptr : it->second;
}

void ConfigurationDialog::showEvent(QShowEvent* event)
{
    model.SetValues(read());
    ShowModel();
    QDialog::showEvent(event);
}

void ConfigurationDialog::ShowModel()
{
    for (auto& [id, edit] : numbers)
        edit->setText(QString::fromStdString(model.Text(id)));
    for (auto& [id, box] : checks)
        box->setChecked(model.Checked(id));
}

void ConfigurationDialog::SaveAndClose()
{
    for (auto& [id, edit] : numbers)
        model.SetText(id, edit->text().toStdString());
    for (auto& [id, box] : checks)
        model.SetChecked(id, box->isChecked());
    write(model.Values());
    reject();
}

} // namespace tools
