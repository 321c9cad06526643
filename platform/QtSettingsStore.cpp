#include "platform/QtSettingsStore.h"

#include "platform/TextMode.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

namespace platform {
namespace {

QString KeyOf(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section) + QLatin1Char('/') + QString::fromStdString(name);
}

} // namespace

namespace {

/// Without an organisation QSettings files the values under "Unknown Organization"; name the
/// place directly instead: HKEY_CURRENT_USER\Software\<application> on Windows, the file
/// <application>.conf in the user's configuration folder elsewhere.
std::unique_ptr<QSettings> UserSettingsOf(const std::string& application)
{
    const QString app = QString::fromStdString(application);
#ifdef _WIN32
    return std::make_unique<QSettings>(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + app, QSettings::NativeFormat);
#else
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    QDir().mkpath(folder);
    return std::make_unique<QSettings>(folder + QLatin1Char('/') + app + QStringLiteral(".conf"), QSettings::IniFormat);
#endif
}

} // namespace

QtSettingsStore::QtSettingsStore(const std::string& application) : settings(UserSettingsOf(application)) {}

QtSettingsStore::QtSettingsStore(std::unique_ptr<QSettings> s) : settings(std::move(s)) {}

std::unique_ptr<QtSettingsStore> QtSettingsStore::AtFile(const std::string& path)
{
    return std::unique_ptr<QtSettingsStore>(
        new QtSettingsStore(std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat)));
}

QtSettingsStore::~QtSettingsStore() = default;

int QtSettingsStore::ReadInt(const std::string& section, const std::string& name, int defaultValue) const
{
    const QVariant v = settings->value(KeyOf(section, name));
    if (!v.isValid())
        return defaultValue;
    // Values written by hand or by another program may be text; read them by the atoi rule.
    return AtoiRule(v.toString().toStdString());
}

std::string QtSettingsStore::ReadString(const std::string& section, const std::string& name,
                                        const std::string& defaultValue) const
{
    const QVariant v = settings->value(KeyOf(section, name));
    if (!v.isValid())
        return defaultValue;
    return v.toString().toStdString();
}

void QtSettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    settings->setValue(KeyOf(section, name), value);
}

void QtSettingsStore::WriteString(const std::string& section, const std::string& name, const std::string& value)
{
    settings->setValue(KeyOf(section, name), QString::fromStdString(value));
}

bool QtSettingsStore::Contains(const std::string& section, const std::string& name) const
{
    return settings->contains(KeyOf(section, name));
}

void QtSettingsStore::Remove(const std::string& section, const std::string& name)
{
    settings->remove(KeyOf(section, name));
}

void QtSettingsStore::Sync()
{
    settings->sync();
}

} // namespace platform
