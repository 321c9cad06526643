#include "kbdedit/TrialText.h"

#include <gtest/gtest.h>

using kbdedit::TrialKeymap;
using keymap::KeyRecord;
using keymap::KeyTable;

TEST(TrialTextTest, GlyphsAreCarriedToTheCodesTheSameKeyAndFormHaveNow)
{
    KeyTable before{};
    before[27] = KeyRecord{0x41, 0xBC, 0xBD, 0xBE, 0xBF, 0, 0, 0, 0};
    before[30] = KeyRecord{0x46, 0x8E, 0x8F, 0x90, 0x91, 0, 0, 0, 0};
    TrialKeymap trial;
    trial.SetTable(before);

    KeyTable after = before;
    after[30].medial = 0x7E; // moved
    after[27].final = 0;     // emptied: the old code stays
    const std::string text = "\xBF\x90\xBD\x20\x05";
    EXPECT_EQ(trial.Carry(after, text), "\xBF\x7E\xBD\x20\x05");
    EXPECT_EQ(trial.Carry(before, text), text);
}
