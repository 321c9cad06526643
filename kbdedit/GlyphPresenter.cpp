#include "kbdedit/GlyphPresenter.h"

#include "keymap/KeyMap.h"
#include "keymap/UnicodeBridge.h"
#include "platform/FontFaces.h"

#include <QFontMetrics>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace kbdedit {
namespace {

/// The first Persian Unicode face installed here; empty for none.
QString StandInFace() { return platform::InstalledPersianFaces().value(0); }

} // namespace

QFont MakeFont(const std::string& face, int requestedHeight)
{
    // The height comes from a settings file anyone can edit: keep it to sizes a list can show.
    const int height = std::clamp(requestedHeight, -MaxFontHeight, MaxFontHeight);
    const QString name = QString::fromStdString(face);
    const bool installed = platform::FaceInstalled(name);
    QFont font(installed ? name : StandInFace());
    if (height == 0)
        return font; // the platform's default size
    // The Unicode stand-ins have far taller line spacing than the legacy fonts, so fitting their
    // cell to the height would shrink the letters until they cannot be read: they get the height
    // as their character height instead.
    if (height < 0 || !installed) {
        font.setPixelSize(std::abs(height));
        return font;
    }
    // A positive height is the whole cell (ascent plus descent): scale the em size to fit it.
    font.setPixelSize(height);
    const int cell = QFontMetrics(font).height();
    if (cell > height)
        font.setPixelSize(std::max(1, height * height / cell));
    return font;
}

GlyphPresenter::GlyphPresenter(const keymap::KeyTable& table, bool faceInstalled)
{
    for (int code = 0; code < 256; ++code)
        shown[static_cast<size_t>(code)] = static_cast<char32_t>(code);
    if (faceInstalled)
        return;
    keymap::KeyMap map;
    map.SetRecords(table, std::string());
    const keymap::UnicodeBridge bridge(map);
    for (int code = 1; code < 256; ++code) {
        const char32_t form = bridge.DisplayForm(static_cast<keymap::GlyphCode>(code));
        if (form != 0)
            shown[static_cast<size_t>(code)] = form;
    }
}

QString GlyphPresenter::Character(int code) const
{
    const char32_t c = shown[static_cast<size_t>(code & 0xff)];
    if (c == 0)
        return QString();
    return QString::fromUcs4(&c, 1);
}

QString GlyphPresenter::ListEntry(int code) const
{
    if ((code & 0xff) == 0)
        return QString();
    QString character = Character(code);
    // A right-to-left letter would pull the digits after it into its own run and show them on its
    // left; marks on both sides keep every entry reading "letter, then number" in every list.
    if (!character.isEmpty() && character.isRightToLeft())
        character = QChar(0x200E) + character + QChar(0x200E);
    return character + QStringLiteral("  ") + QStringLiteral("%1").arg(code, 3);
}

} // namespace kbdedit
