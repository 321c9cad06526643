#include "app/DocumentFileDialog.h"

#include "app/DocumentFile.h"
#include "app/EditorSettings.h"
#include "platform/Services.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace app {

namespace {

const char* const OpenFilters = "Persian Files (*.txf *.txt);;Text Files (*.txt);;All Files (*)";
const char* const SaveFilters = "Persian Files (*.txf);;Text Files (*.txt);;All Files (*)";

} // namespace

DocumentFileDialog::DocumentFileDialog(Kind kind, QWidget* parent) : QFileDialog(parent), kind(kind)
{
    setOption(QFileDialog::DontUseNativeDialog, true);
    setDefaultSuffix("txf");
    if (kind == Kind::Open) {
        setObjectName("OpenDialog");
        setWindowTitle("Kelmora Load ...");
        setAcceptMode(QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::AnyFile); // the file need not exist
        setNameFilter(OpenFilters);
    } else {
        setObjectName("SaveAsDialog");
        setWindowTitle("Kelmora Save As ...");
        setAcceptMode(QFileDialog::AcceptSave);
        setFileMode(QFileDialog::AnyFile);
        setNameFilter(SaveFilters);
        setOption(QFileDialog::DontConfirmOverwrite, false);
        setOption(QFileDialog::ReadOnly, false);
    }
    AddPanel();
    connect(this, &QFileDialog::directoryEntered, this, [this](const QString& folder) { lastFolder = folder; });
    connect(this, &QFileDialog::currentChanged, this, &DocumentFileDialog::ShowPreview);
}

void DocumentFileDialog::AddPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName("150");
    panel->setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(panel);
    auto* icon = new QLabel(panel);
    icon->setObjectName("142");
    icon->setPixmap(style()->standardIcon(QStyle::SP_FileIcon).pixmap(32, 32));
    sizeBox = new QLineEdit(panel);
    sizeBox->setObjectName("1022");
    sizeBox->setReadOnly(true);
    keyboardBox = new QLineEdit(panel);
    keyboardBox->setObjectName("1023");
    keyboardBox->setReadOnly(true);
    grid->addWidget(icon, 0, 0, 2, 1);
    grid->addWidget(new QLabel("File size : ", panel), 0, 1);
    grid->addWidget(sizeBox, 0, 2);
    grid->addWidget(new QLabel("Keyboard :", panel), 1, 1);
    grid->addWidget(keyboardBox, 1, 2);

    // The non-native dialog lays itself out in a grid; the panel goes below everything.
    if (auto* layout = qobject_cast<QGridLayout*>(this->layout()))
        layout->addWidget(panel, layout->rowCount(), 0, 1, layout->columnCount());
}

QString DocumentFileDialog::InitialFolder()
{
    if (!folderRead) {
        lastFolder = QString::fromStdString(EditorSettings(platform::Settings()).FileDialogFolder());
        folderRead = true;
    }
    // A folder remembered from another system (or the first-run default) may not exist here.
    return QFileInfo(lastFolder).isDir() ? lastFolder : QDir::homePath();
}

void DocumentFileDialog::ShowPreview(const QString& path)
{
    if (const std::optional<FilePreview> preview = PreviewFile(path.toStdString())) {
        sizeBox->setText(QString::fromStdString(preview->sizeText));
        keyboardBox->setText(QString::fromStdString(preview->keyboardText));
    }
}

QLineEdit* DocumentFileDialog::NameBox() const { return findChild<QLineEdit*>("fileNameEdit"); }

void DocumentFileDialog::showEvent(QShowEvent* event)
{
    QFileDialog::showEvent(event);
    // The name offered is selected, so typing replaces it rather than adding to it. Queued: the
    // dialog fills and focuses the field itself as it shows.
    QMetaObject::invokeMethod(
        this, [this] {
            if (QLineEdit* name = NameBox()) {
                name->setFocus();
                name->selectAll();
            }
        },
        Qt::QueuedConnection);
}

void DocumentFileDialog::done(int result)
{
    // The name completer's popup is a window of its own; left open it would stay painted over the
    // document after the dialog has gone.
    if (QLineEdit* name = NameBox(); name && name->completer() && name->completer()->popup())
        name->completer()->popup()->hide();
    QFileDialog::done(result);
}

std::optional<std::string> DocumentFileDialog::Run()
{
    setDirectory(InitialFolder());
    lastFolder = directory().absolutePath();
    selectFile(lastName);
    if (exec() != QDialog::Accepted || selectedFiles().isEmpty())
        return std::nullopt;
    // A name typed with its own folder counts as a visit to that folder: the next dialog opens there.
    const QFileInfo chosen(selectedFiles().front());
    lastFolder = chosen.absolutePath();
    lastName = chosen.fileName();
    EditorSettings(platform::Settings()).SetFileDialogFolder(lastFolder.toStdString());
    return chosen.absoluteFilePath().toStdString();
}

} // namespace app
