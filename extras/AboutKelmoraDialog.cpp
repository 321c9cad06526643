#include "extras/AboutKelmoraDialog.h"

#include "extras/HelpTexts.h"
#include "platform/DialogLayout.h"
#include "res/ExtrasIds.h"
#include "res/ResourceIds.h"

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace extras {

namespace {

QString Text(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

} // namespace

AboutKelmoraDialog::AboutKelmoraDialog(std::string programFolder, QWidget* parent)
    : QDialog(parent), programFolder(std::move(programFolder))
{
    setObjectName(res::ObjectName(res::AboutDialog));
    setWindowTitle(QStringLiteral("About Kelmora"));
    setFont(platform::DialogFont());
    const platform::DialogUnits du = platform::DialogUnitsOf(font());
    const platform::UnitRect size = du.Rect(0, 0, 263, 266);
    setFixedSize(size.width, size.height);

    picture = new QLabel(this);
    picture->setObjectName(res::ObjectName(res::AboutPicture));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setAlignment(Qt::AlignCenter);
    platform::PlaceAt(picture, du, 2, 2, 199, 147);

    auto* icon = new QLabel(this);
    const QIcon programIcon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                                  : QApplication::windowIcon();
    icon->setPixmap(programIcon.pixmap(32, 32));
    platform::PlaceAt(icon, du, 10, 224, 21, 20);

    auto* version = new QLabel(Text(AboutVersionLine), this);
    platform::PlaceAt(version, du, 38, 220, 160, 9);
    QStringList info;
    for (const std::string_view line : AboutInformationLines())
        info << Text(line);
    auto* lines = new QLabel(info.join(QLatin1Char('\n')), this);
    lines->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    platform::PlaceAt(lines, du, 38, 229, 170, 36);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(res::ObjectName(res::OkButton));
    ok->setDefault(true);
    platform::PlaceAt(ok, du, 209, 241, 50, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutKelmoraDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const QPixmap image(QString::fromStdString(programFolder + "/" + PictureFile));
    // The picture is shared with the keymap editor, whose frame is larger: fit it to this one.
    picture->setPixmap(image.isNull() ? image
                                      : image.scaled(picture->contentsRect().size(), Qt::KeepAspectRatio,
                                                     Qt::SmoothTransformation));
}

void RunAboutBox(const std::string& programFolder)
{
    AboutKelmoraDialog box(programFolder);
    box.exec();
}

} // namespace extras
