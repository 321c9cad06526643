/** @file LocalText.h
 ** Face and file names between the program's 8-bit strings and the toolkit's strings. **/
#pragma once

#include <QString>

#include <string>

namespace app {

/// Names are kept in the locale's 8-bit encoding, as the settings and document headers hold them.
inline QString LocalText(const std::string& text)
{
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string FromLocalText(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace app
