#include "tests/app/MainFrameFixture.h"

#include "keymap/KeymapFile.h"
#include "platform/TextMode.h"
#include "res/ResourceIds.h"

#include <QComboBox>
#include <QLineEdit>

namespace apptest {

MainFrameTest::MainFrameTest() : previousFolder(QDir::currentPath())
{
    QDir::setCurrent(QString::fromStdString(folder.Path()));
    // An installed program has its scratch table; one without is tested on its own.
    folder.Write("scratch.cfg", "0\r\n");
}

MainFrameTest::~MainFrameTest()
{
    if (frame)
        frame->hide();
    frame.reset();
    QDir::setCurrent(previousFolder);
}

app::CMainFrame& MainFrameTest::CreateFrame()
{
    frame = std::make_unique<app::CMainFrame>(recentFiles, clock);
    EXPECT_TRUE(frame->Create());
    return *frame;
}

bool MainFrameTest::CloseFrame()
{
    const bool closed = frame->close();
    if (closed)
        frame.reset();
    return closed;
}

void MainFrameTest::InstallKeymap(const std::string& name)
{
    if (platform::FileExists(fakes::BuildProgramFolder() + "/KeyMaps/" + name)) {
        folder.InstallKeymap(name);
        return;
    }
    keymap::KeyTable table{};
    table[0] = keymap::KeyRecord{0x41, 0xC1, 0xC2, 0xC3, 0xC4, 0, 0, 0, 0};
    folder.Write("KeyMaps/" + name, keymap::SerializeKeymapFile(table));
}

void MainFrameTest::InstallMainKeymapAfterFirstRun()
{
    InstallKeymap("main.kbd");
    services.settings.WriteInt("Temp", "FirstTime", 0);
}

QString MainFrameTest::BoxText(int id) const
{
    const QString name = res::ObjectName(id);
    if (auto* box = frame->findChild<QComboBox*>(name))
        return box->currentText();
    if (auto* edit = frame->findChild<QLineEdit*>(name))
        return edit->text();
    return QStringLiteral("<no control %1>").arg(id);
}

} // namespace apptest
