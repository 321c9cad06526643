#include "kbdedit/RegistrySettings.h"
#include "platform/MemorySettingsStore.h"
#include "platform/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

using kbdedit::RegistrySettings;

TEST(RegistrySettings, AMissingValueIsWrittenBackWithItsDefault)
{
    platform::MemorySettingsStore store;
    RegistrySettings settings(store);
    EXPECT_EQ(settings.ReadText("FontName", "nasim web homa"), "nasim web homa");
    EXPECT_EQ(settings.ReadInt("FontSize", 16), 16);
    EXPECT_EQ(store.ReadString("Setting", "FontName", "?"), "nasim web homa");
    // Numbers are kept as text.
    EXPECT_EQ(store.ReadString("Setting", "FontSize", "?"), "16");

    // Once there, the stored value wins over a different default.
    EXPECT_EQ(settings.ReadText("FontName", "other"), "nasim web homa");
    EXPECT_EQ(settings.ReadInt("FontSize", 40), 16);
}

TEST(RegistrySettings, NumbersAreReadByTheDecimalRuleAndWrittenAsText)
{
    platform::MemorySettingsStore store;
    RegistrySettings settings(store);
    const struct {
        const char* stored;
        int expected;
    } cases[] = {{"  -12abc", -12}, {"+7", 7}, {"abc", 0}, {"", 0}, {"99999999999", 2147483647}};
    for (const auto& c : cases) {
        store.WriteString("Setting", "FontSize", c.stored);
        EXPECT_EQ(settings.ReadInt("FontSize", 16), c.expected) << c.stored;
    }
    settings.WriteInt("FontSize", -24);
    EXPECT_EQ(store.ReadString("Setting", "FontSize", "?"), "-24");
}

TEST(RegistrySettings, ValuesReachAFileStoreAndNothingHappensAfterClose)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/Dorvantile.conf";
    {
        auto store = platform::QtSettingsStore::AtFile(path);
        RegistrySettings settings(*store);
        settings.WriteText("FileName", "/tmp/a.kbd");
        settings.ReadInt("FontSize", 16);
        settings.Close();
        EXPECT_FALSE(settings.IsOpen());
        settings.WriteText("FileName", "/tmp/b.kbd");
        EXPECT_EQ(settings.ReadText("FontName", "x"), "x");
        EXPECT_FALSE(store->Contains("Setting", "FontName"));
    }
    QSettings file(QString::fromStdString(path), QSettings::IniFormat);
    EXPECT_EQ(file.value("Setting/FileName").toString(), "/tmp/a.kbd");
    EXPECT_EQ(file.value("Setting/FontSize").toString(), "16");
}

namespace {

/// Records what the store held each time it was told to sync.
class SyncRecordingStore : public platform::MemorySettingsStore {
public:
    void Sync() override { synced.push_back(ReadString("Setting", "FileName", "")); }
    std::vector<std::string> synced;
};

} // namespace

TEST(RegistrySettings, CloseSyncsAnyStoreOnceAfterTheLastWrite)
{
    SyncRecordingStore store;
    {
        RegistrySettings settings(store);
        settings.WriteText("FileName", "/tmp/a.kbd");
        EXPECT_TRUE(store.synced.empty());
        settings.Close();
        EXPECT_EQ(store.synced, std::vector<std::string>{"/tmp/a.kbd"});
    } // the destructor finds the group closed already
    EXPECT_EQ(store.synced.size(), 1u);
}
