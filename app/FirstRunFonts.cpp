#include "app/FirstRunFonts.h"

#include "platform/TextMode.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace app {

namespace {

std::function<void(const std::string&)>& DefaultRegistration()
{
    static std::function<void(const std::string&)> registration;
    return registration;
}

std::function<bool(const std::string&)>& DefaultInstalledCheck()
{
    static std::function<bool(const std::string&)> check;
    return check;
}

std::string DefaultFontFolder()
{
    // $XDG_DATA_HOME/fonts, ~/.local/share/fonts when it is unset.
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/fonts").toStdString();
}

} // namespace

UserFontInstaller::UserFontInstaller(std::string programFolder, std::string fontFolder)
    : onInstalled(DefaultRegistration()), alreadyInstalled(DefaultInstalledCheck()), programFolder(std::move(programFolder)),
      fontFolder(fontFolder.empty() ? DefaultFontFolder() : std::move(fontFolder))
{
}

void UserFontInstaller::SetDefaultRegistration(std::function<void(const std::string&)> registration)
{
    DefaultRegistration() = std::move(registration);
}

void UserFontInstaller::SetDefaultInstalledCheck(std::function<bool(const std::string&)> check)
{
    DefaultInstalledCheck() = std::move(check);
}

bool IsFont(std::string_view bytes)
{
    const std::string_view tag = bytes.substr(0, 4);
    return tag == std::string_view("\x00\x01\x00\x00", 4) || tag == "true" || tag == "OTTO" || tag == "ttcf";
}

bool UserFontInstaller::InstallFont(const std::string& file)
{
    QFileInfo source(QString::fromStdString(file));
    if (source.isRelative() && !programFolder.empty())
        source = QFileInfo(QDir(QString::fromStdString(programFolder)), QString::fromStdString(file));
    // fonts.cfg can be edited by others: only a font of the program's own font folder is copied,
    // whatever "..", links or absolute names the line holds, and never a file of another kind.
    const QString fontRoot = QFileInfo(QString::fromStdString(programFolder) + "/" + ProgramFontFolder).canonicalFilePath();
    const QString real = source.canonicalFilePath();
    if (fontRoot.isEmpty() || real.isEmpty() || !real.startsWith(fontRoot + "/"))
        return false;
    std::string bytes;
    if (!platform::ReadFileBytes(real.toStdString(), bytes, {FontSizeLimit}, platform::FileKinds::RegularOnly).ok ||
        !IsFont(bytes))
        return false;
    if (alreadyInstalled && alreadyInstalled(bytes))
        return true;
    if (!QDir().mkpath(QString::fromStdString(fontFolder)))
        return false;
    const std::string target = fontFolder + "/" + source.fileName().toStdString();
    if (!platform::WriteFileAtomically(target, bytes).ok)
        return false;
    installed.push_back(target);
    if (onInstalled)
        onInstalled(target);
    return true;
}

void UserFontInstaller::Finish()
{
    if (installed.empty() || cacheRefresher.empty())
        return;
    // Other programs learn of the new files from fontconfig's cache. The refresh runs on its own
    // so start-up does not wait for it; a missing fc-cache only delays what fontconfig finds anyway.
    QProcess::startDetached(QString::fromStdString(cacheRefresher), {QString::fromStdString(fontFolder)});
}

std::vector<std::string> ReadFontList(const std::string& text)
{
    std::vector<std::string> files;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        if (line == "***")
            break;
        if (!line.empty())
            files.push_back(line);
        start = end + 1;
    }
    return files;
}

void InstallFirstRunFonts(const std::string& fontsCfgPath, FontInstaller& installer,
                          EditorSettings& settings, platform::MessageService& messages)
{
    if (!settings.FirstTime())
        return;
    std::string text;
    const platform::FileResult read = platform::ReadTextFile(fontsCfgPath, text, platform::CtrlZ::EndsText,
                                                             {FontListLimit}, platform::FileKinds::RegularOnly);
    if (read.ok) {
        for (const std::string& file : ReadFontList(text))
            installer.InstallFont(file);
        installer.Finish();
    } else if (read.tooLarge) {
        messages.Show("Cannot read fonts.cfg\n" + read.error, "Kelmora");
    } else {
        messages.Show("fonts.cgf not founded", "Kelmora");
    }
    // Marked done even without fonts.cfg: the question is never asked again.
    settings.SetFirstTimeDone();
}

} // namespace app
