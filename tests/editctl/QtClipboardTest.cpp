#include "editctl/QtClipboard.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace editctl {
namespace {

TEST(QtClipboardTest, CopyCarriesGlyphsKeymapAndUnicodeForOtherPrograms)
{
    QtClipboard board;
    ClipboardData copied;
    copied.hasGlyphs = true;
    copied.glyphs = std::string("\xC1\x00\x0D\x0A\xFE", 5); // a zero byte and a line break survive
    copied.keymapName = "kolb.kbd";
    copied.unicodeText = "\xD8\xB3\xD9\x84\xD8\xA7\xD9\x85"; // سلام
    board.Put(copied);

    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->data(QtClipboard::GlyphsMimeType), QByteArray("\xC1\x00\x0D\x0A\xFE", 5));
    EXPECT_EQ(mime->data(QtClipboard::KeymapMimeType), QByteArray("kolb.kbd"));
    EXPECT_EQ(mime->text(), QString::fromUtf8("سلام")) << "other programs see the Unicode text";

    const ClipboardData pasted = board.Get();
    EXPECT_TRUE(pasted.hasGlyphs);
    EXPECT_EQ(pasted.glyphs, copied.glyphs);
    EXPECT_EQ(pasted.keymapName, copied.keymapName);
    EXPECT_EQ(pasted.unicodeText, copied.unicodeText);
    EXPECT_TRUE(pasted.latin1.empty()) << "Persian letters are no Latin-1 text";
}

TEST(QtClipboardTest, TextFromOtherProgramsIsOfferedAsUnicodeAndLatin1WhenItFits)
{
    struct TextCase {
        const char* what;
        QString text;
        std::string unicode;
        std::string latin1;
    };
    const TextCase cases[] = {
        {"Persian", QString::fromUtf8("کتاب"), "\xDA\xA9\xD8\xAA\xD8\xA7\xD8\xA8", ""},
        {"ASCII", QStringLiteral("abc 12"), "abc 12", "abc 12"},
        {"upper Latin-1", QString::fromLatin1("caf\xE9"), "caf\xC3\xA9", "caf\xE9"},
        {"mixed beyond Latin-1", QString::fromUtf8("a€"), "a\xE2\x82\xAC", ""},
    };
    QtClipboard board;
    for (const auto& c : cases) {
        QGuiApplication::clipboard()->setText(c.text);
        const ClipboardData data = board.Get();
        EXPECT_FALSE(data.hasGlyphs) << c.what;
        EXPECT_EQ(data.unicodeText, c.unicode) << c.what;
        EXPECT_EQ(data.latin1, c.latin1) << c.what;
    }
    QGuiApplication::clipboard()->clear();
    EXPECT_TRUE(board.Get().Empty());
}

TEST(QtClipboardTest, Latin1OnlyCopyStillReachesOtherPrograms)
{
    ClipboardData copied;
    copied.latin1 = "x\xE9";
    std::unique_ptr<QMimeData> mime(QtClipboard::ToMimeData(copied));
    EXPECT_FALSE(mime->hasFormat(QtClipboard::GlyphsMimeType));
    EXPECT_EQ(mime->text(), QString::fromLatin1("x\xE9"));
    EXPECT_TRUE(QtClipboard::FromMimeData(nullptr).Empty());
}

} // namespace
} // namespace editctl
