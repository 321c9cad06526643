// Recognizing a font file whose face the system already offers.
#include "app/FirstRunFonts.h"
#include "app/SystemFonts.h"
#include "platform/TextMode.h"
#include "tests/fakes/TestEnvironment.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFontDatabase>

namespace {

TEST(SystemHasFontFace, AFaceIsKnownOnceTheDatabaseHoldsItAndJunkNever)
{
    std::string list;
    ASSERT_TRUE(platform::ReadTextFile(fakes::BuildProgramFolder() + "/fonts.cfg", list).ok);
    const std::vector<std::string> files = app::ReadFontList(list);
    ASSERT_FALSE(files.empty());
    std::string bytes;
    ASSERT_TRUE(platform::ReadFileBytes(fakes::BuildProgramFolder() + "/" + files.front(), bytes).ok);

    // Whether this machine has the font is not known; once the database holds it, it is found.
    const int id = QFontDatabase::addApplicationFontFromData(QByteArray::fromStdString(bytes));
    ASSERT_NE(id, -1);
    EXPECT_TRUE(app::SystemHasFontFace(bytes));
    QFontDatabase::removeApplicationFont(id);

    EXPECT_FALSE(app::SystemHasFontFace("true but no tables"));
    EXPECT_FALSE(app::SystemHasFontFace(""));
}

} // namespace
