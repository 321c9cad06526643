#include "kbdedit/AboutDorvantileDialog.h"

#include "kbdedit/DialogLayout.h"
#include "kbdedit/DorvantilePictures.h"
#include "res/DorvantileIds.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace kbdedit {
namespace ids = dorvantile_ids;

AboutDorvantileDialog::AboutDorvantileDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(ids::IdName(ids::IDD_ABOUTBOX));
    setWindowTitle(QStringLiteral("About Dorvantile"));
    setFont(DialogFont());
    const DialogUnits du = DialogUnitsOf(font());
    const UnitRect size = du.Rect(0, 0, 264, 263);
    setFixedSize(size.width, size.height);

    auto* picture = new QLabel(this);
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(picture, du, ids::IDC_ABOUT_PICTURE, 1, 2, 222, 172);
    // Read from the current folder each time; a missing file leaves the frame empty.
    const QPixmap image(QString::fromLatin1(PictureFile));
    if (!image.isNull())
        picture->setPixmap(image);

    auto* group = new QGroupBox(this);
    Place(group, du, 0, 1, 218, 186, 42);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    Place(icon, du, 0, 8, 232, 21, 20);
    auto* text = new QLabel(QStringLiteral("Dorvantile Version 1.0\n"
                                           "Keymap editor of the Kelmora Persian editor\n"
                                           "Makes the keymaps of legacy Persian fonts"),
                            this);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Place(text, du, 0, 35, 224, 150, 32);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    Place(ok, du, ids::IDOK, 197, 235, 55, 14);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace kbdedit
