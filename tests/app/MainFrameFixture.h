/** @file MainFrameFixture.h
 ** A main window built headless in a temporary program folder, with fake services and a fixed clock. **/
#pragma once

#include "app/CMainFrame.h"
#include "app/RecentFileList.h"
#include "tests/fakes/TestEnvironment.h"

#include <QDir>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace apptest {

class FixedClock : public platform::Clock {
public:
    platform::LocalTime Now() const override { return time; }
    platform::LocalTime time{2026, 12, 10, 21, 5, 0, 4};
};

/// Each test gets its own settings, messages and program folder; the folder is the current folder
/// while the test runs, as the program makes its own folder current at start-up.
class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest();
    ~MainFrameTest() override;

    /// Creates the window as start-up does (after the settings a test has written).
    app::CMainFrame& CreateFrame();
    /// Closes and destroys the window (the exit steps run when it closes).
    bool CloseFrame();

    /// A keymap built from the project's tables when the build has it, else a small stand-in.
    void InstallKeymap(const std::string& name);
    /// The folder most tests start from: main.kbd installed and the first run's set-up already done.
    void InstallMainKeymapAfterFirstRun();
    QString BoxText(int id) const;

    fakes::FakeServices services;
    fakes::TempProgramFolder folder{services.settings};
    FixedClock clock;
    app::RecentFileList recentFiles;
    std::unique_ptr<app::CMainFrame> frame;

private:
    QString previousFolder;
};

} // namespace apptest
