#include "tools/ConvertingDialog.h"

#include "platform/Services.h"
#include "res/ResourceIds.h"
#include "tools/BatchDialog.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace tools {

namespace {

template <typename W>
W* Named(W* w, int id)
{
    w->setObjectName(res::ObjectName(id));
    return w;
}

} // namespace

ConvertingDialog::ConvertingDialog(BatchSettings values, DosLayout dos, HeaderChoice header, QWidget* parent)
    : QDialog(parent), settings(std::move(values)), options(OptionsFor(settings, dos, header))
{
    setObjectName(res::ObjectName(ConvertingDialogId));
    setWindowTitle(QStringLiteral("Converting ..."));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("From File :")), 0, 0);
    grid->addWidget(from = Named(new QLineEdit, 1034), 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("To File  :")), 1, 0);
    grid->addWidget(to = Named(new QLineEdit, 1035), 1, 1, 1, 2);
    grid->addWidget(progress = Named(new QProgressBar, 1033), 2, 0, 1, 3);
    grid->addWidget(convert = Named(new QPushButton(QStringLiteral("Convert")), 1031), 3, 1);
    grid->addWidget(cancel = Named(new QPushButton(QStringLiteral("Cancel")), 2), 3, 2);
    files = Named(new QComboBox(this), 1036);
    files->hide();
    from->setReadOnly(true);
    to->setReadOnly(true);
    from->setMinimumWidth(360);
    convert->setDefault(true);
    timer = new QTimer(this);
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, &ConvertingDialog::Step);
    connect(convert, &QPushButton::clicked, this, &ConvertingDialog::Start);
    connect(cancel, &QPushButton::clicked, this, &ConvertingDialog::reject);
}

ConvertingDialog::~ConvertingDialog() = default;

void ConvertingDialog::showEvent(QShowEvent* event)
{
    if (!event->spontaneous() && !running)
        Fill();
    QDialog::showEvent(event);
}

void ConvertingDialog::Fill()
{
    const BatchSettings& b = settings;
    const std::vector<std::string> titles = ListBatchTitles(b.sourceFolder, b.sourcePattern);
    items = BatchItems(titles, b.sourceFolder, b.sourcePattern, b.destinationFolder, b.destinationPattern);
    files->clear();
    for (const std::string& title : titles)
        files->addItem(QString::fromStdString(title));
    progress->setRange(0, items.empty() ? 0 : static_cast<int>(items.size()) - 1);
    progress->setValue(0);
    converter = std::make_unique<BatchConverter>(options);
    report = BatchReport();
    next = 0;
    stopRequested = false;
}

void ConvertingDialog::Start()
{
    if (running)
        return;
    std::string error;
    if (!items.empty() && !converter->Prepare(error)) {
        platform::Messages().Show(error, "Kelmora", platform::MessageButtons::Ok, platform::MessageIcon::Error);
        QDialog::reject();
        return;
    }
    running = true;
    convert->setEnabled(false);
    timer->start();
}

void ConvertingDialog::ShowPaths(const BatchItem& item)
{
    // Shortened in the middle to the field's width, as a compacted path is.
    const QFontMetrics metrics(from->font());
    const int width = from->width() - 8;
    from->setText(metrics.elidedText(QString::fromStdString(item.source), Qt::ElideMiddle, width));
    to->setText(metrics.elidedText(QString::fromStdString(item.destination), Qt::ElideMiddle, width));
}

void ConvertingDialog::Step()
{
    if (stopRequested || next >= items.size()) {
        report.cancelled = stopRequested && next < items.size();
        Finish();
        return;
    }
    progress->setValue(static_cast<int>(next));
    ShowPaths(items[next]);
    Record(report, items[next], converter->Convert(items[next]));
    for (const BatchReport::Entry& e : converter->TakeLateFailures())
        RecordLateFailure(report, e);
    emit FileDone(static_cast<int>(next));
    ++next;
}

void ConvertingDialog::Finish()
{
    timer->stop();
    running = false;
    if (converter) {
        converter->Finish();
        for (const BatchReport::Entry& e : converter->TakeLateFailures())
            RecordLateFailure(report, e);
    }
    const std::string text = BatchReportText(report);
    if (!text.empty())
        platform::Messages().Show(text, "Kelmora", platform::MessageButtons::Ok,
                                  report.failed > 0 ? platform::MessageIcon::Warning : platform::MessageIcon::Information);
    QDialog::accept();
}

void ConvertingDialog::reject()
{
    // During a run Cancel stops after the file in hand; what was written stays written.
    if (running) {
        stopRequested = true;
        return;
    }
    QDialog::reject();
}

void RunBatchConversion(QWidget* parent, const BatchEnvironment& environment)
{
    BatchDialog settings(environment.stored, environment.programFolder, parent);
    if (environment.writeInitialFolder)
        settings.SetInitialFolderStore(environment.writeInitialFolder);
    if (environment.scratch)
        settings.SetScratchEntries(*environment.scratch);
    if (settings.exec() != QDialog::Accepted)
        return;
    if (environment.writeSettings)
        environment.writeSettings(settings.Values());
    ConvertingDialog converting(settings.Values(), environment.dos, environment.header, parent);
    converting.exec();
}

} // namespace tools
