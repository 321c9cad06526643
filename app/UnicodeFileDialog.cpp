#include "app/UnicodeFileDialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

namespace app {

UnicodeFileDialog::UnicodeFileDialog(Kind kind, QWidget* parent) : QFileDialog(parent)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setNameFilter("Unicode Text (*.txt *.text *.utf8);;All Files (*)");
    if (kind == Kind::Import) {
        setObjectName("ImportUnicodeDialog");
        setWindowTitle("Import Unicode Text");
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::ExistingFile);
        return;
    }
    setObjectName("ExportUnicodeDialog");
    setWindowTitle("Export as Unicode Text");
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix("txt");
    lineEnds = new QComboBox(this);
    lineEnds->setObjectName("LineEnds");
    // This platform's own line end comes first and is the default.
    lineEnds->addItem("LF (Linux, macOS)", static_cast<int>(LineEnds::Lf));
    lineEnds->addItem("CR LF (Windows)", static_cast<int>(LineEnds::CrLf));
    if (auto* layout = qobject_cast<QGridLayout*>(this->layout())) {
        const int row = layout->rowCount();
        layout->addWidget(new QLabel("Line ends:", this), row, 0);
        layout->addWidget(lineEnds, row, 1);
    }
}

std::optional<UnicodeFileDialog::Choice> UnicodeFileDialog::Run(const std::string& suggested)
{
    const QFileInfo offered(QString::fromStdString(suggested));
    QString folder = QFileInfo(lastFolder).isDir() ? lastFolder : QString();
    if (folder.isEmpty() && !suggested.empty() && offered.absoluteDir().exists())
        folder = offered.absolutePath();
    setDirectory(folder.isEmpty() ? QDir::homePath() : folder);
    selectFile(suggested.empty() ? QString() : offered.fileName());
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return std::nullopt;
    const QFileInfo chosen(selectedFiles().front());
    lastFolder = chosen.absolutePath();
    Choice choice{chosen.absoluteFilePath().toStdString()};
    if (lineEnds)
        choice.ends = static_cast<LineEnds>(lineEnds->currentData().toInt());
    return choice;
}

} // namespace app
