#include "editctl/DisplayFont.h"

#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontMetrics>

#include <QImage>
#include <QPainter>

#include <string>

namespace editctl {
namespace {

// Presentation forms standing for a few codes of an imaginary keymap.
constexpr unsigned char SeenInitial = 0xC1, LamMedial = 0xC2, AlefFinal = 0xC3, MeemIsolated = 0xC4;
constexpr unsigned char Unshowable = 0x85; // no display form and no printable Latin-1 character

DisplayForms TestForms()
{
    DisplayForms forms{};
    forms[SeenInitial] = U'\uFEB3';
    forms[LamMedial] = U'\uFEE0';
    forms[AlefFinal] = U'\uFE8E';
    forms[MeemIsolated] = U'\uFEE1';
    return forms;
}

std::string Codes(std::initializer_list<unsigned char> codes)
{
    return std::string(codes.begin(), codes.end());
}

QImage Render(int width, int height, const std::function<void(QPainter&)>& draw)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    draw(painter);
    return image;
}

// Left and right ends of the dark pixels, or (-1, -1) for a blank picture.
std::pair<int, int> InkColumns(const QImage& image)
{
    int left = -1, right = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (qGray(image.pixel(x, y)) < 128) {
                if (left < 0)
                    left = x;
                right = x;
                break;
            }
        }
    }
    return {left, right};
}

/// A face name no machine has, standing for a legacy face that is missing.
const QString MissingFace = QStringLiteral("kelmora missing legacy face");

/// An installed face that draws the codes as its own 8-bit characters, the euro sign and Á among
/// them; empty when there is none.
QString InstalledEightBitFace()
{
    const QStringList persian = DisplayFont::SubstituteFamilies();
    for (const QString& family : QFontDatabase::families()) {
        const QFontMetrics metrics{QFont(family)};
        if (persian.contains(family) || !metrics.inFontUcs4(0x20AC) || !metrics.inFontUcs4(0xC1))
            continue;
        if (DisplayFont::Get(family, 24, TestForms())->DrawsCodesDirectly())
            return family;
    }
    return QString();
}

TEST(DisplayFontTest, MissingFaceIsShownThroughDisplayFormsInAPersianFont)
{
    ASSERT_FALSE(DisplayFont::IsInstalled(MissingFace));
    const QStringList persian = DisplayFont::SubstituteFamilies();
    if (persian.isEmpty())
        GTEST_SKIP() << "no Persian Unicode face is installed (fonts-farsiweb, fonts-freefarsi)";
    const auto font = DisplayFont::Get(MissingFace, 24, TestForms());
    EXPECT_FALSE(font->DrawsCodesDirectly());
    EXPECT_EQ(font->PrimaryFamily(), persian.front());
    // An installed Unicode Persian face asked for by name shows the display forms itself.
    const auto named = DisplayFont::Get(persian.back(), 24, TestForms());
    EXPECT_FALSE(named->DrawsCodesDirectly());
    EXPECT_EQ(named->PrimaryFamily(), persian.back());

    struct WidthCase {
        const char* what;
        unsigned char code;
        bool hasWidth;
    };
    const WidthCase cases[] = {
        {"presentation form", SeenInitial, true},
        {"Latin letter the Persian font lacks comes from a fallback", 'A', true},
        {"space", ' ', true},
        {"unshowable code is a visible box", Unshowable, true},
        {"line feed takes no room", '\n', false},
        {"code 0 takes no room", 0, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(font->Width(c.code) > 0, c.hasWidth) << c.what;

    const QImage picture = Render(80, 30, [&](QPainter& p) { font->Draw(p, QPointF(0, font->Ascent()), Codes({SeenInitial})); });
    EXPECT_NE(InkColumns(picture).first, -1) << "the display form draws ink";
}

TEST(DisplayFontTest, InstalledFaceDrawsLatin1CharactersAndIgnoresDisplayForms)
{
    const QString face = InstalledEightBitFace();
    if (face.isEmpty())
        GTEST_SKIP() << "no 8-bit face is installed";
    const auto font = DisplayFont::Get(face.toLower(), 24, TestForms());
    EXPECT_TRUE(font->DrawsCodesDirectly());
    EXPECT_EQ(font->PrimaryFamily(), face) << "the face is found whatever the letter case";
    // Code 0xC1 is that font's Á, not the Persian form the keymap would give.
    const auto persian = DisplayFont::Get(MissingFace, 24, TestForms());
    const QImage latin = Render(60, 30, [&](QPainter& p) { font->Draw(p, QPointF(0, font->Ascent()), Codes({SeenInitial})); });
    const QImage substitute = Render(60, 30, [&](QPainter& p) { persian->Draw(p, QPointF(0, persian->Ascent()), Codes({SeenInitial})); });
    EXPECT_NE(latin, substitute);

    // 0x80 has no Latin-1 character; an 8-bit font of the old platform keeps the euro sign there.
    // 0x81 has none in either set and shows the missing-glyph box.
    const QImage euro = Render(60, 30, [&](QPainter& p) { font->Draw(p, QPointF(0, font->Ascent()), Codes({0x80})); });
    const QImage box = Render(60, 30, [&](QPainter& p) { font->Draw(p, QPointF(0, font->Ascent()), Codes({0x81})); });
    const QImage box2 = Render(60, 30, [&](QPainter& p) { font->Draw(p, QPointF(0, font->Ascent()), Codes({0x8D})); });
    EXPECT_EQ(box, box2);
    EXPECT_NE(euro, box);
    EXPECT_GT(font->Width(0x80), 0);
}

TEST(DisplayFontTest, DrawnWidthIsTheSumOfGlyphWidths)
{
    const auto font = DisplayFont::Get(MissingFace, 30, TestForms());
    // Lam then alef would merge into one ligature if the run were shaped; drawn one glyph at a
    // time it must look exactly like the glyphs drawn separately at the summed advances.
    const std::string word = Codes({MeemIsolated, AlefFinal, LamMedial, SeenInitial, 'x', ' ', Unshowable});
    EXPECT_EQ(font->Width(word), [&] {
        int sum = 0;
        for (const char c : word)
            sum += font->Width(static_cast<unsigned char>(c));
        return sum;
    }());
    const int width = font->Width(word);
    qreal end = 0;
    const QImage whole = Render(width + 40, 40, [&](QPainter& p) { end = font->Draw(p, QPointF(10, 30), word); });
    EXPECT_EQ(end, 10 + width);
    const QImage separate = Render(width + 40, 40, [&](QPainter& p) {
        qreal x = 10;
        for (const char c : word)
            x = font->Draw(p, QPointF(x, 30), std::string(1, c));
    });
    EXPECT_EQ(whole, separate);
    const auto [left, right] = InkColumns(whole);
    EXPECT_GE(left, 10 - 2);
    EXPECT_LE(right, 10 + width + 2) << "ink stays within the measured width";
}

TEST(DisplayFontTest, HeightsAreCellHeightsAndFontsAreShared)
{
    struct HeightCase {
        int requested;
        int height;
    };
    const HeightCase cases[] = {{24, 24}, {5, 5}, {72, 72}, {0, 1}, {-20, 20}, {1000000, 1000}};
    for (const auto& c : cases) {
        const auto font = DisplayFont::Get(MissingFace, c.requested, TestForms());
        EXPECT_EQ(font->Height(), c.height) << c.requested;
        EXPECT_LE(font->Ascent(), font->Height()) << c.requested;
    }
    EXPECT_LT(DisplayFont::Get("Nazli", 12, TestForms())->Width(SeenInitial),
        DisplayFont::Get("Nazli", 48, TestForms())->Width(SeenInitial));

    EXPECT_EQ(DisplayFont::Get("Nazli", 24, TestForms()), DisplayFont::Get("NAZLI", 24, TestForms()));
    EXPECT_NE(DisplayFont::Get("Nazli", 24, TestForms()), DisplayFont::Get("Nazli", 25, TestForms()));
    EXPECT_NE(DisplayFont::Get("x", 24, TestForms()), DisplayFont::Get("x", 24, DisplayForms{}));
}

} // namespace
} // namespace editctl
