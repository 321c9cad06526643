/** @file TestMain.cpp
 ** Entry point of every test program: headless Qt and a private home, so no test touches the
 ** user's display, settings or font folder. **/
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

#ifdef KELMORA_TEST_GUI
#include <QApplication>
#endif

int main(int argc, char** argv)
{
    QTemporaryDir home;
    const QByteArray homePath = home.path().toLocal8Bit();
    ::setenv("HOME", homePath.constData(), 1);
    ::setenv("XDG_CONFIG_HOME", (homePath + "/config").constData(), 1);
    ::setenv("XDG_DATA_HOME", (homePath + "/data").constData(), 1);
    ::setenv("XDG_CACHE_HOME", (homePath + "/cache").constData(), 1);
    ::setenv("XDG_RUNTIME_DIR", (homePath + "/runtime").constData(), 1);
    QDir().mkpath(home.path() + "/runtime");
    QFile::setPermissions(home.path() + "/runtime", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QStandardPaths::setTestModeEnabled(true);

    ::testing::InitGoogleTest(&argc, argv);
#ifdef KELMORA_TEST_GUI
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    return RUN_ALL_TESTS();
}
