#include "tools/ConfigurationModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using tools::ConfigurationModel;

TEST(ConfigurationModelTest, EveryFieldEditsItsOwnValue)
{
    // Each field, set to something no other field holds, shows up in its own value only.
    ConfigurationModel model;
    std::vector<std::string tools::ConfigurationValues::*> texts;
    std::vector<bool tools::ConfigurationValues::*> flags;
    int n = 100;
    for (const tools::ConfigurationField& f : tools::ConfigurationFields()) {
        if (f.kind == tools::FieldKind::Number) {
            ASSERT_TRUE(model.SetText(f.id, std::to_string(++n))) << f.id;
            EXPECT_EQ(model.Values().*f.text, std::to_string(n)) << f.id;
            EXPECT_EQ(std::count(texts.begin(), texts.end(), f.text), 0) << f.id;
            texts.push_back(f.text);
        } else {
            model.SetChecked(f.id, true);
            EXPECT_TRUE(model.Values().*f.flag) << f.id;
            EXPECT_EQ(std::count(flags.begin(), flags.end(), f.flag), 0) << f.id;
            flags.push_back(f.flag);
        }
    }
    EXPECT_EQ(texts.size(), 6u);
    EXPECT_EQ(flags.size(), 9u);
    const tools::ConfigurationValues& v = model.Values();
    EXPECT_EQ(v.right, model.Text(1023));
    EXPECT_TRUE(v.indentOnResemble && v.startWithLastDocument && v.dosMode);
}

TEST(ConfigurationModelTest, NumberFieldsTakeUpToThreeDigitsOnly)
{
    struct Case {
        std::string text;
        bool accepted;
    };
    const Case cases[] = {{"", true},     {"0", true},   {"999", true}, {"1000", false},
                          {"12a", false}, {"-1", false}, {" 1", false}, {"٣", false}};
    ConfigurationModel model;
    for (const Case& c : cases) {
        EXPECT_EQ(tools::IsNumberFieldText(c.text), c.accepted) << c.text;
        EXPECT_EQ(model.SetText(1015, c.text), c.accepted) << c.text;
        if (!c.accepted) {
            EXPECT_NE(model.Text(1015), c.text);
        }
    }
    EXPECT_FALSE(model.SetText(1030, "1")); // a check box has no text
    EXPECT_FALSE(model.SetText(4242, "1"));
}

TEST(ConfigurationModelTest, StoredTextLongerThanAFieldIsShownCut)
{
    tools::ConfigurationValues stored;
    stored.left = "12345";
    stored.tab = "7";
    stored.dosMode = true;
    ConfigurationModel model;
    model.SetValues(stored);
    EXPECT_EQ(model.Text(1022), "123");
    EXPECT_EQ(model.Text(1015), "7");
    EXPECT_TRUE(model.Checked(1018));
    EXPECT_FALSE(model.Checked(1031));
}

} // namespace
