/** @file DocumentCommandsFixture.h
 ** The document commands on a fake main window, in a temporary program folder with main.kbd and
 ** kolb.kbd, outside DOS mode. **/
#pragma once

#include "app/DocumentCommands.h"
#include "platform/TextMode.h"
#include "tests/app/FakeDocumentHost.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace fakes {

struct DocumentCommandsFixture : ::testing::Test {
    FakeServices services;
    TempProgramFolder folder{services.settings};
    std::optional<FakeDocumentHost> host;
    app::RecentFileList recent;
    app::EditorSettings settings{services.settings};
    std::optional<app::DocumentCommands> commands;

    void SetUp() override
    {
        folder.InstallKeymap("main.kbd");
        folder.InstallKeymap("kolb.kbd");
        services.settings.WriteInt("Settings", "EnableDos", 0);
        host.emplace();
        commands.emplace(*host, recent, settings);
        host->commands = &*commands;
    }
    std::string ReadBack(const std::string& path) const
    {
        std::string bytes;
        platform::ReadFileBytes(path, bytes);
        return bytes;
    }
    /// The document as Unicode, through the keymap now bound.
    std::string Shown() const { return host->Unicode(host->Text()); }
};

} // namespace fakes
