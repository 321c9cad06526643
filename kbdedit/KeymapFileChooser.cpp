#include "kbdedit/KeymapFileChooser.h"

#include "kbdedit/DialogLayout.h"
#include "kbdedit/DorvantilePictures.h"
#include "res/DorvantileIds.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>

namespace kbdedit {
namespace ids = dorvantile_ids;

KeymapFileChooser::KeymapFileChooser(QWidget* parent) : dialog(parent)
{
    dialog.setObjectName(QStringLiteral("KeymapFileChooser"));
    // The panel is added to the chooser's own layout, which only the Qt chooser has.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("kbd"));
    dialog.setNameFilters({QStringLiteral("Dorvantile Files (*.kbd)"), QStringLiteral("All Files (*.*)")});
    dialog.selectFile(QStringLiteral("main.kbd"));

    auto* panel = new QWidget(&dialog);
    panel->setObjectName(ids::IdName(ids::IDD_FILE_PANEL));
    const DialogUnits du = DialogUnitsOf(DialogFont());
    const UnitRect size = du.Rect(0, 0, 186, 56);
    panel->setFixedSize(std::max(size.width, 110), std::max(size.height, 86));
    auto* picture = new QLabel(panel);
    picture->setObjectName(ids::IdName(ids::IDB_FILE_PANEL));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setPixmap(QPixmap::fromImage(FilePanelPicture()));
    picture->setGeometry(du.X(1), du.Y(3), 100 + 4, 78 + 4);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(panel, grid->rowCount(), 0, 1, grid->columnCount());
}

void KeymapFileChooser::Prepare(ChooserPurpose purpose, const std::string& currentPath)
{
    // Load opens an existing file: an Open button and no question about replacing it.
    const bool load = purpose == ChooserPurpose::Load;
    dialog.setAcceptMode(load ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(load ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setLabelText(QFileDialog::Accept, load ? QStringLiteral("Open") : QStringLiteral("Save"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, load);
    dialog.setWindowTitle(purpose == ChooserPurpose::Load ? QStringLiteral("Dorvantile Load ...")
                                                          : QStringLiteral("Dorvantile Save As ..."));
    const QFileInfo current(QString::fromStdString(currentPath));
    dialog.setDirectory(current.absolutePath());
    dialog.selectFile(current.fileName());
}

std::optional<std::string> KeymapFileChooser::Choose(ChooserPurpose purpose, const std::string& currentPath)
{
    const QFileDialog::Options before = dialog.options();
    Prepare(purpose, currentPath);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    dialog.setOptions(before);
    if (!accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

} // namespace kbdedit
