#include "platform/MemorySettingsStore.h"
#include "platform/QtSettingsStore.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <memory>

using namespace platform;

namespace {

// Both backends must behave alike: the reader's default for absent values, never written back.
void ExerciseStore(SettingsStore& store)
{
    EXPECT_EQ(store.ReadInt("Settings", "size", 24), 24);
    EXPECT_EQ(store.ReadString("Settings", "font", "nasim web homa"), "nasim web homa");
    EXPECT_FALSE(store.Contains("Settings", "size"));
    EXPECT_FALSE(store.Contains("Settings", "font"));

    store.WriteInt("Settings", "size", 18);
    store.WriteString("Settings", "font", "Homa");
    store.WriteString("Settings", "Tab", "5");
    EXPECT_EQ(store.ReadInt("Settings", "size", 24), 18);
    EXPECT_EQ(store.ReadString("Settings", "font", "x"), "Homa");
    EXPECT_EQ(store.ReadInt("Settings", "Tab", 3), 5);
    EXPECT_EQ(store.ReadInt("Temp", "size", 7), 7) << "sections are separate";

    store.Remove("Settings", "size");
    EXPECT_EQ(store.ReadInt("Settings", "size", 24), 24);
}

} // namespace

TEST(SettingsStore, MemoryBackend)
{
    MemorySettingsStore store;
    ExerciseStore(store);
}

TEST(SettingsStore, QtBackendInAFile)
{
    QTemporaryDir dir;
    const std::string path = dir.path().toStdString() + "/kelmora.ini";
    {
        auto store = QtSettingsStore::AtFile(path);
        ExerciseStore(*store);
        store->WriteInt("Temp", "FirstTime", 0);
    }
    auto again = QtSettingsStore::AtFile(path);
    EXPECT_EQ(again->ReadInt("Temp", "FirstTime", 1), 0) << "values persist";
}
