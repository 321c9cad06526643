// Files dropped on the main window: drop events built here reach the document commands.
#include "tests/app/MainFrameFixture.h"

#include "app/DocumentCommands.h"
#include "editctl/PersianEdit.h"
#include "tests/fakes/ShippedKeymaps.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace apptest {
namespace {

using app::CMainFrame;

QMimeData* FilesData(const std::vector<std::string>& paths)
{
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const std::string& path : paths)
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(path)));
    data->setUrls(urls);
    return data;
}

/// The document as Unicode, without the spaces that align its lines to the right.
std::string Shown(CMainFrame& window)
{
    return QString::fromStdString(fakes::Unicode("main.kbd", window.Editor().Window().GetText())).trimmed().toStdString();
}

/// Whether the window takes the drag, and then the drop.
bool Drop(CMainFrame& window, QMimeData* data)
{
    const std::unique_ptr<QMimeData> owned(data);
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

TEST_F(MainFrameTest, DroppingDocumentsOpensTheFirstAndSaysSo)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    const std::string first = folder.Write("first.txf", fakes::Glyphs("main.kbd", "نخست") + "\r\n");
    const std::string second = folder.Write("second.txt", fakes::Glyphs("main.kbd", "دوم") + "\r\n");
    ASSERT_TRUE(Drop(window, FilesData({first, second})));
    EXPECT_EQ(window.Documents().CurrentPath(), first);
    EXPECT_EQ(window.windowTitle().toStdString(), first + " - Kelmora");
    EXPECT_EQ(Shown(window), "نخست");
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_EQ(services.messages.shown[0].text, "2 files were dropped; only the first is opened:\n" + first);
}

TEST_F(MainFrameTest, DroppingUtf8TextOffersTheImport)
{
    InstallMainKeymapAfterFirstRun();
    CMainFrame& window = CreateFrame();
    const std::string text = folder.Write("note.txt", "ماه در آب می‌لرزد\n");
    services.messages.Script({platform::MessageAnswer::Yes});
    ASSERT_TRUE(Drop(window, FilesData({text})));
    ASSERT_EQ(services.messages.shown.size(), 1u);
    EXPECT_NE(services.messages.shown[0].text.find("holds Unicode text"), std::string::npos);
    EXPECT_TRUE(window.Documents().IsImported());
    EXPECT_TRUE(window.Editor().modified);
    EXPECT_EQ(Shown(window), "ماه در آب می‌لرزد");
}

TEST_F(MainFrameTest, DragsWithoutLocalFilesAreRefused)
{
    InstallKeymap("main.kbd");
    CMainFrame& window = CreateFrame();
    auto* words = new QMimeData;
    words->setText("just text");
    EXPECT_FALSE(Drop(window, words));
    auto* remote = new QMimeData;
    remote->setUrls({QUrl("https://example.org/a.txf")});
    EXPECT_FALSE(Drop(window, remote));
    EXPECT_EQ(window.Documents().CurrentPath(), "UnTitled.txf");
}

} // namespace
} // namespace apptest
