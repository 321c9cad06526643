#include "editctl/DisplayFont.h"

#include "platform/FontFaces.h"

#include "keymap/UnicodeBridge.h"

#include <QFontDatabase>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace editctl {
namespace {

// Heights beyond this only cost memory; the size box offers up to 72.
constexpr int MaxHeight = 1000;
constexpr qreal ProbeSize = 100.0;

QRawFont RawFontOf(const QString& family)
{
    QFont font(family);
    font.setPixelSize(static_cast<int>(ProbeSize));
    font.setStyleStrategy(QFont::NoFontMerging);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return QRawFont::fromFont(font);
}

// What the Windows code page 1252 puts at 0x80..0x9F (0 where it has nothing): 8-bit fonts made
// for that platform keep their glyphs for these codes under these characters.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

// Symbol-encoded fonts keep code b at U+F000 + b.
constexpr char32_t SymbolBase = 0xF000;

bool IsPrintableLatin1(unsigned char code)
{
    return (code >= 0x20 && code < 0x7F) || code >= 0xA0;
}

// An 8-bit display font keeps its glyphs at the codes 0xA0..0xFF; a Unicode Persian font
// (Nazli, Homa) has almost none there and is better used for the display forms.
bool IsEightBitFont(const QRawFont& raw)
{
    int present = 0;
    for (char32_t c = 0xA0; c <= 0xFF; ++c)
        present += raw.supportsCharacter(c) || raw.supportsCharacter(SymbolBase + c) ? 1 : 0;
    return present >= 48;
}

using CacheKey = std::tuple<QString, int, DisplayForms>;

std::map<CacheKey, std::shared_ptr<const DisplayFont>>& Cache()
{
    static std::map<CacheKey, std::shared_ptr<const DisplayFont>> cache;
    return cache;
}

} // namespace

std::shared_ptr<const DisplayFont> DisplayFont::Get(const QString& face, int height, const DisplayForms& forms)
{
    CacheKey key{face.toCaseFolded(), height, forms};
    auto& cache = Cache();
    auto found = cache.find(key);
    if (found != cache.end())
        return found->second;
    auto font = std::make_shared<const DisplayFont>(face, height, forms);
    cache.emplace(std::move(key), font);
    return font;
}

DisplayForms DisplayFont::FormsOf(const keymap::KeyMap* map)
{
    DisplayForms forms{};
    if (!map)
        return forms;
    const keymap::UnicodeBridge bridge(*map);
    for (int code = 0; code < 256; ++code)
        forms[static_cast<size_t>(code)] = bridge.DisplayForm(static_cast<keymap::GlyphCode>(code));
    return forms;
}

bool DisplayFont::IsInstalled(const QString& face) { return platform::FaceInstalled(face); }

QStringList DisplayFont::SubstituteFamilies() { return platform::InstalledPersianFaces(); }

DisplayFont::DisplayFont(const QString& face, int requestedHeight, const DisplayForms& forms)
    : height(std::clamp(std::abs(requestedHeight), 1, MaxHeight))
{
    LoadFonts(face);
    for (int code = 0; code < 256; ++code) {
        const auto byte = static_cast<unsigned char>(code);
        char32_t character = 0;
        if (codesDirect)
            character = byte;
        else if (forms[byte] != 0)
            character = forms[byte];
        else if (IsPrintableLatin1(byte))
            character = byte;
        if (!codesDirect || !ResolveDirectGlyph(byte))
            ResolveGlyph(byte, character);
    }
}

bool DisplayFont::ResolveDirectGlyph(unsigned char code)
{
    if (fonts.empty() || code < 0x20)
        return false;
    const char32_t candidates[] = {code, code >= 0x80 && code < 0xA0 ? char32_t(Cp1252High[code - 0x80]) : 0,
        SymbolBase + code};
    for (const char32_t c : candidates) {
        if (c == 0)
            continue;
        const QList<quint32> indexes = fonts.front().glyphIndexesForString(QString::fromUcs4(&c, 1));
        if (indexes.size() == 1 && indexes.front() != 0) {
            SetGlyph(code, 0, indexes.front());
            return true;
        }
    }
    return false;
}

void DisplayFont::SetGlyph(unsigned char code, int font, quint32 index)
{
    Glyph& glyph = glyphs[code];
    glyph.font = font;
    glyph.index = index;
    QPointF advance;
    fonts[static_cast<size_t>(font)].advancesForGlyphIndexes(&glyph.index, &advance, 1, QRawFont::UseDesignMetrics);
    glyph.advance = std::max(0, static_cast<int>(std::lround(advance.x())));
}

void DisplayFont::LoadFonts(const QString& face)
{
    QStringList families;
    if (IsInstalled(face)) {
        codesDirect = IsEightBitFont(RawFontOf(face));
        families << face;
    }
    families << SubstituteFamilies();
    families.removeDuplicates();
    // The desktop's own font last, for Latin-1 characters the Persian fonts lack.
    families << QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    for (const QString& family : families) {
        QRawFont raw = RawFontOf(family);
        if (raw.isValid())
            fonts.push_back(raw);
    }
    if (fonts.empty())
        return;
    // The first font's ascent plus descent fills the cell; every font shares its em size so that
    // mixed glyphs stand on one baseline at one scale.
    const qreal cell = std::max<qreal>(fonts.front().ascent() + fonts.front().descent(), 1.0);
    const qreal pixelSize = ProbeSize * height / cell;
    for (QRawFont& raw : fonts)
        raw.setPixelSize(pixelSize);
    ascent = std::clamp(static_cast<int>(std::lround(fonts.front().ascent())), 0, height);
}

void DisplayFont::ResolveGlyph(unsigned char code, char32_t character)
{
    if (fonts.empty() || code < 0x20)
        return;
    if (character != 0) {
        const QString text = QString::fromUcs4(&character, 1);
        for (size_t i = 0; i < fonts.size(); ++i) {
            const QList<quint32> indexes = fonts[i].glyphIndexesForString(text);
            if (indexes.size() == 1 && indexes.front() != 0) {
                SetGlyph(code, static_cast<int>(i), indexes.front());
                return;
            }
        }
    }
    SetGlyph(code, 0, 0); // the missing-glyph box
}

int DisplayFont::Width(std::string_view text) const
{
    int width = 0;
    for (const char c : text)
        width += glyphs[static_cast<unsigned char>(c)].advance;
    return width;
}

QString DisplayFont::PrimaryFamily() const
{
    return fonts.empty() ? QString() : fonts.front().familyName();
}

qreal DisplayFont::Draw(QPainter& painter, QPointF origin, std::string_view text) const
{
    // One glyph run per stretch of glyphs from the same font, each glyph at its own whole-pixel x.
    qreal x = origin.x();
    size_t i = 0;
    while (i < text.size()) {
        const int font = glyphs[static_cast<unsigned char>(text[i])].font;
        if (font < 0) {
            ++i; // control codes take no room and show nothing
            continue;
        }
        const qreal runStart = x;
        QList<quint32> indexes;
        QList<QPointF> positions;
        for (; i < text.size(); ++i) {
            const Glyph& glyph = glyphs[static_cast<unsigned char>(text[i])];
            if (glyph.font < 0)
                continue;
            if (glyph.font != font)
                break;
            indexes.push_back(glyph.index);
            positions.push_back(QPointF(x - runStart, 0));
            x += glyph.advance;
        }
        QGlyphRun run;
        run.setRawFont(fonts[static_cast<size_t>(font)]);
        run.setGlyphIndexes(indexes);
        run.setPositions(positions);
        painter.drawGlyphRun(QPointF(runStart, origin.y()), run);
    }
    return x;
}

} // namespace editctl
