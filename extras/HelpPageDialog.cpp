#include "extras/HelpPageDialog.h"

#include "extras/HelpTexts.h"
#include "platform/DialogLayout.h"
#include "res/ExtrasIds.h"
#include "res/ResourceIds.h"

#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

namespace extras {

HelpPageDialog::HelpPageDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(res::ObjectName(res::HelpDialog));
    setWindowTitle(QStringLiteral("Help page"));
    setFont(platform::DialogFont());
    const platform::DialogUnits du = platform::DialogUnitsOf(font());
    const platform::UnitRect size = du.Rect(0, 0, 171, 148);
    setFixedSize(size.width, size.height);

    auto* frame = new QGroupBox(QStringLiteral("Shortcut Keys :  "), this);
    platform::PlaceAt(frame, du, 3, 3, 162, 117);
    list = new QListWidget(this);
    list->setObjectName(res::ObjectName(res::ShortcutList));
    list->setSortingEnabled(false);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    platform::PlaceAt(list, du, 9, 14, 150, 100);
    for (const std::string_view row : ShortcutRows())
        list->addItem(QString::fromUtf8(row.data(), static_cast<qsizetype>(row.size())));

    auto* icon = new QLabel(this);
    icon->setObjectName(res::ObjectName(res::HelpIcon));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    platform::PlaceAt(icon, du, 11, 122, 21, 20);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(res::ObjectName(res::OkButton));
    ok->setDefault(true);
    platform::PlaceAt(ok, du, 93, 126, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void RunHelpPage()
{
    HelpPageDialog page;
    page.exec();
}

} // namespace extras
