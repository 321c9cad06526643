#include "extras/WarningDialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace extras {

namespace {

QLabel* WarningIcon(QWidget* parent)
{
    auto* icon = new QLabel(parent);
    icon->setObjectName("139");
    icon->setPixmap(parent->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    return icon;
}

QPushButton* Button(const QString& text, int id, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

/// Icon and text above a row of buttons, the layout both warnings share.
void LayOut(QDialog* dialog, const QString& text, std::initializer_list<QPushButton*> buttons)
{
    dialog->setWindowTitle("Warning !");
    dialog->setWindowFlags(dialog->windowFlags() & ~Qt::WindowContextHelpButtonHint);
    auto* top = new QHBoxLayout;
    top->addWidget(WarningIcon(dialog));
    auto* label = new QLabel(text, dialog);
    top->addWidget(label, 1);
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons)
        row->addWidget(button);
    auto* all = new QVBoxLayout(dialog);
    all->addLayout(top);
    all->addLayout(row);
    dialog->setSizeGripEnabled(false);
}

} // namespace

SaveChangesWarning::SaveChangesWarning(QWidget* parent)
    : QDialog(parent), yes(Button("&Yes", 6, this)), no(Button("&No", 7, this)), cancel(Button("&Cancel", 1016, this))
{
    setObjectName("146");
    LayOut(this, "The text in the file has changed .\nDo you want to save changes ?", {yes, no, cancel});
    yes->setDefault(true);
    connect(yes, &QPushButton::clicked, this, [this] { result = 1; accept(); });
    connect(no, &QPushButton::clicked, this, [this] { result = 2; accept(); });
    connect(cancel, &QPushButton::clicked, this, [this] { result = 3; reject(); });
}

void SaveChangesWarning::showEvent(QShowEvent* event)
{
    result = 3;
    yes->setFocus();
    QDialog::showEvent(event);
}

SaveChangesAnswer SaveChangesWarning::Run()
{
    exec();
    switch (result) {
    case 1: return SaveChangesAnswer::Yes;
    case 2: return SaveChangesAnswer::No;
    default: return SaveChangesAnswer::Cancel;
    }
}

RevertWarning::RevertWarning(QWidget* parent)
    : QDialog(parent), yes(Button("&Yes", 1, this)), no(Button("&No", 2, this))
{
    setObjectName("148");
    LayOut(this, "The text in the file has changed .\nAre you sure to revert ?", {yes, no});
    no->setDefault(true);
    no->setFocus();
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
}

bool RevertWarning::Run()
{
    no->setFocus();
    return exec() == QDialog::Accepted;
}

} // namespace extras
