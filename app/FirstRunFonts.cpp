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

std::string DefaultFontFolder()
{
    // $XDG_DATA_HOME/fonts, ~/.local/share/fonts when it is unset.
    return (QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/fonts").toStdString();
}

} // namespace

UserFontInstaller::UserFontInstaller(std::string programFolder, std::string fontFolder)
    : onInstalled(DefaultRegistration()), programFolder(std::move(programFolder)),
      fontFolder(fontFolder.empty() ? DefaultFontFolder() : std::move(fontFolder))
{
}

void UserFontInstaller::SetDefaultRegistration(std::function<void(const std::string&)> registration)
{
    DefaultRegistration() = std::move(registration);
}

bool UserFontInstaller::InstallFont(const std::string& file)
{
    QFileInfo source(QString::fromStdString(file));
    if (source.isRelative() && !programFolder.empty())
        source = QFileInfo(QDir(QString::fromStdString(programFolder)), QString::fromStdString(file));
    if (!source.isFile())
        return false;
    std::string bytes;
    if (!platform::ReadFileBytes(source.absoluteFilePath().toStdString(), bytes).ok)
        return false;
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
    if (platform::ReadTextFile(fontsCfgPath, text).ok) {
        for (const std::string& file : ReadFontList(text))
            installer.InstallFont(file);
        installer.Finish();
    } else {
        messages.Show("fonts.cgf not founded", "Kelmora");
    }
    // Marked done even without fonts.cfg: the question is never asked again.
    settings.SetFirstTimeDone();
}

} // namespace app
