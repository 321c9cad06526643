#include "tools/BatchDialog.h"

#include "extras/ScratchTable.h"
#include "platform/DataFolders.h"
#include "platform/Services.h"
#include "platform/TextMode.h"
#include "res/ResourceIds.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFocusEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace tools {

namespace {

enum Id {
    InitialField = 1037, InitialButton = 1032, SourceButton = 1023, SourceField = 1025, SourceKeymap = 1027,
    SourcePattern = 1029, DestinationButton = 1024, DestinationField = 1026, DestinationPattern = 1030,
    FontBox = 1038, KeymapBox = 1028, SizeList = 1039, SizeBox = 1010, ConvertButton = 1031, CancelButton = 2,
};

constexpr const char* Sizes[] = {"8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"};

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

template <typename W>
W* Named(W* w, int id)
{
    w->setObjectName(res::ObjectName(id));
    return w;
}

QComboBox* NewBox(int id, bool sorted)
{
    auto* box = Named(new QComboBox, id);
    if (sorted)
        box->setInsertPolicy(QComboBox::InsertAlphabetically);
    return box;
}

void AddSorted(QComboBox* box, const QString& text)
{
    int i = 0;
    while (i < box->count() && QString::compare(box->itemText(i), text, Qt::CaseInsensitive) <= 0)
        ++i;
    box->insertItem(i, text);
}

} // namespace

BatchDialog::BatchDialog(BatchSettings stored, std::string folder, QWidget* parent)
    : QDialog(parent), values(std::move(stored)), programFolder(std::move(folder)), storeInitialFolder([](const std::string&) {})
{
    setObjectName(res::ObjectName(BatchDialogId));
    setWindowTitle(QStringLiteral("Batch Convert ..."));
    browse = [this](const std::string& title, const std::string& start) {
        return S(QFileDialog::getExistingDirectory(this, Q(title), Q(start)));
    };
    auto* top = new QVBoxLayout(this);

    auto* initial = new QGridLayout;
    initial->addWidget(Named(new QLineEdit, InitialField), 0, 0);
    initial->addWidget(Named(new QPushButton(QStringLiteral("Select Directory")), InitialButton), 0, 1);
    initial->addWidget(new QLabel(QStringLiteral("Select initial path to select faster or left it empty")), 1, 0, 1, 2);
    top->addLayout(initial);

    auto* source = new QGroupBox(QStringLiteral("Source Folder : "));
    auto* s = new QGridLayout(source);
    s->addWidget(Named(new QPushButton(QStringLiteral("Select Directory")), SourceButton), 0, 0);
    s->addWidget(Named(new QLineEdit, SourceField), 0, 1, 1, 3);
    s->addWidget(NewBox(SourceKeymap, true), 1, 0, 1, 2);
    s->addWidget(new QLabel(QStringLiteral("Extention : ")), 1, 2);
    s->addWidget(Named(new QLineEdit, SourcePattern), 1, 3);
    top->addWidget(source);

    auto* destination = new QGroupBox(QStringLiteral("Destination Folder : "));
    auto* d = new QGridLayout(destination);
    d->addWidget(Named(new QPushButton(QStringLiteral("Select Directory")), DestinationButton), 0, 0);
    d->addWidget(Named(new QLineEdit, DestinationField), 0, 1, 1, 3);
    d->addWidget(new QLabel(QStringLiteral("Extention : ")), 1, 2);
    d->addWidget(Named(new QLineEdit, DestinationPattern), 1, 3);
    d->addWidget(new QLabel(QStringLiteral("Font  :")), 2, 0);
    d->addWidget(NewBox(FontBox, false), 2, 1);
    d->addWidget(new QLabel(QStringLiteral("KMap :")), 2, 2);
    d->addWidget(NewBox(KeymapBox, false), 2, 3);
    d->addWidget(new QLabel(QStringLiteral("Font Size :")), 3, 2);
    d->addWidget(NewBox(SizeBox, true), 3, 3);
    auto* sizeList = NewBox(SizeList, false);
    sizeList->hide();
    d->addWidget(sizeList, 4, 0);
    top->addWidget(destination);

    auto* buttons = new QHBoxLayout;
    auto* convert = Named(new QPushButton(QStringLiteral("&Convert")), ConvertButton);
    convert->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(convert);
    buttons->addWidget(Named(new QPushButton(QStringLiteral("Cancel")), CancelButton));
    top->addLayout(buttons);

    Box(SizeBox)->setEditable(true);
    for (const char* size : Sizes)
        AddSorted(Box(SizeBox), QString::fromLatin1(size));

    connect(Button(InitialButton), &QPushButton::clicked, this, [this] { Browse(InitialField, "Select Initial directory", false); });
    connect(Button(SourceButton), &QPushButton::clicked, this, [this] { Browse(SourceField, "Select Source directory", true); });
    connect(Button(DestinationButton), &QPushButton::clicked, this,
            [this] { Browse(DestinationField, "Select Destiniation directory", true); });
    connect(Box(FontBox), &QComboBox::activated, this, &BatchDialog::FontChosen);
    connect(convert, &QPushButton::clicked, this, &BatchDialog::Convert);
    connect(Button(CancelButton), &QPushButton::clicked, this, &QDialog::reject);
    Field(DestinationField)->installEventFilter(this);
    Field(InitialField)->installEventFilter(this);
}

QLineEdit* BatchDialog::Field(int id) const { return findChild<QLineEdit*>(res::ObjectName(id)); }
QComboBox* BatchDialog::Box(int id) const { return findChild<QComboBox*>(res::ObjectName(id)); }
QPushButton* BatchDialog::Button(int id) const { return findChild<QPushButton*>(res::ObjectName(id)); }

void BatchDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        Fill();
    QDialog::showEvent(event);
}

void BatchDialog::Fill()
{
    QComboBox* sourceKeymap = Box(SourceKeymap);
    sourceKeymap->clear();
    for (const platform::KeymapEntry& keymap : platform::DataFolders(programFolder).Keymaps())
        AddSorted(sourceKeymap, Q(keymap.name));
    AddSorted(sourceKeymap, QString::fromLatin1(UnicodeChoice));

    const BatchSettings& b = values;
    sourceKeymap->setCurrentIndex(sourceKeymap->findText(Q(b.sourceKeymap), Qt::MatchFixedString));
    Field(SourceField)->setText(Q(b.sourceFolder));
    Field(DestinationField)->setText(Q(b.destinationFolder));
    Field(SourcePattern)->setText(Q(b.sourcePattern));
    Field(DestinationPattern)->setText(Q(b.destinationPattern));
    Field(InitialField)->setText(Q(b.initialFolder));

    FillScratchBoxes();
    const int font = Box(FontBox)->findText(Q(b.fontName), Qt::MatchFixedString);
    Box(FontBox)->setCurrentIndex(font);
    Box(KeymapBox)->setCurrentIndex(font >= 0 ? font : Box(KeymapBox)->findText(Q(b.destinationKeymap)));
    Box(SizeList)->setCurrentIndex(font);
    Box(SizeBox)->setCurrentText(QString::number(b.fontSize));
}

void BatchDialog::FillScratchBoxes()
{
    for (int id : {FontBox, KeymapBox, SizeList})
        Box(id)->clear();
    extras::ScratchTable table;
    if (scratch)
        table.SetEntries(*scratch);
    else if (!table.Load(platform::DataFolders(programFolder).ReadPath(extras::ScratchFileName)))
        platform::Messages().Show("Scratch Not Found", "Kelmora");
    for (const extras::ScratchEntry& e : table.Entries()) {
        Box(FontBox)->addItem(Q(e.faceName));
        Box(KeymapBox)->addItem(Q(e.keymapName));
        Box(SizeList)->addItem(Q(e.sizeText));
    }
    // Past the scratch entries, so choosing a font never lands on it: UTF-8 text as destination.
    Box(KeymapBox)->addItem(QString::fromLatin1(UnicodeChoice));
}

void BatchDialog::FontChosen(int index)
{
    Box(KeymapBox)->setCurrentIndex(index);
    Box(SizeList)->setCurrentIndex(index);
    const QString sizeText = Box(SizeList)->itemText(index);
    const int found = Box(SizeBox)->findText(sizeText);
    if (found >= 0)
        Box(SizeBox)->setCurrentIndex(found);
    else
        Box(SizeBox)->setCurrentText(sizeText);
}

void BatchDialog::Browse(int fieldId, const char* title, bool fromInitialFolder)
{
    const std::string start = fromInitialFolder ? S(Field(InitialField)->text()) : std::string();
    const std::string chosen = browse(title, start.empty() || !platform::IsDirectory(start) ? S(QDir::homePath()) : start);
    if (!chosen.empty())
        Field(fieldId)->setText(Q(chosen));
}

bool BatchDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Checked when the user moves on inside the dialog, not when another window takes the focus
    // or the dialog closes: neither is a sign the field is finished.
    if (event->type() == QEvent::FocusOut && !closing &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == Field(DestinationField))
            DestinationLeft();
        else if (watched == Field(InitialField))
            InitialFolderLeft();
    }
    return QDialog::eventFilter(watched, event);
}

void BatchDialog::done(int result)
{
    closing = true;
    QDialog::done(result);
    closing = false;
}

void BatchDialog::DestinationLeft()
{
    const std::string folder = S(Field(DestinationField)->text());
    if (platform::IsDirectory(folder))
        return;
    const platform::MessageAnswer answer =
        platform::Messages().Show("The Destination directory dosn't exist\n Should I creat a new folder ?",
                                  "Folder not exist", platform::MessageButtons::YesNo, platform::MessageIcon::Question);
    if (answer == platform::MessageAnswer::Yes && !folder.empty())
        QDir().mkdir(Q(folder));
}

void BatchDialog::InitialFolderLeft()
{
    const std::string folder = S(Field(InitialField)->text());
    if (folder.empty() || !platform::IsDirectory(folder)) {
        platform::Messages().Show("Directory dosn't exist!", "Folder not exist", platform::MessageButtons::Ok,
                                  platform::MessageIcon::Question);
        Field(InitialField)->setText(Q(values.initialFolder));
        return;
    }
    values.initialFolder = folder;
    storeInitialFolder(folder);
}

void BatchDialog::Convert()
{
    BatchSettings& b = values;
    b.sourceFolder = S(Field(SourceField)->text());
    b.destinationFolder = S(Field(DestinationField)->text());
    b.sourceKeymap = S(Box(SourceKeymap)->currentText());
    b.destinationKeymap = S(Box(KeymapBox)->currentText());
    b.sourcePattern = S(Field(SourcePattern)->text());
    b.destinationPattern = S(Field(DestinationPattern)->text());
    b.initialFolder = S(Field(InitialField)->text());
    b.fontName = S(Box(FontBox)->currentText());
    b.fontSize = platform::AtoiRule(S(Box(SizeBox)->currentText()));
    accept();
}

} // namespace tools
