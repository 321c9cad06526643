#include "tests/fakes/TestEnvironment.h"

#include "platform/DataFolders.h"
#include "platform/TextMode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace fakes {

TempProgramFolder::TempProgramFolder(platform::SettingsStore& settings) : previousUserFolder(platform::UserDataFolder())
{
    QDir(dir.path()).mkpath("KeyMaps");
    settings.WriteString("Temp", "KelmDir", Path());
    platform::SetUserDataFolder(UserPath());
}

TempProgramFolder::~TempProgramFolder() { platform::SetUserDataFolder(previousUserFolder); }

std::string TempProgramFolder::Write(const std::string& relative, const std::string& bytes) const
{
    const std::string path = Path() + "/" + relative;
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    if (!platform::WriteFileAtomically(path, bytes).ok)
        throw std::runtime_error("cannot write test file " + path);
    return path;
}

void TempProgramFolder::InstallKeymap(const std::string& name) const
{
    std::string bytes;
    const std::string from = BuildProgramFolder() + "/KeyMaps/" + name;
    if (!platform::ReadFileBytes(from, bytes).ok)
        throw std::runtime_error("keymap missing from the build: " + from);
    Write("KeyMaps/" + name, bytes);
}

std::string BuildProgramFolder() { return KELMORA_PROGRAM_DIR; }
std::string TestDataFolder() { return KELMORA_TEST_DATA_DIR; }

} // namespace fakes
