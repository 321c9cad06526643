// Command groups and their routing: each id reaches the one group that registered it.
#include "app/CommandRouter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/// A group whose commands record that they ran; `open` is its enable condition for id 2.
class RecordingGroup : public app::CommandGroup {
public:
    RecordingGroup(std::vector<std::string>& log, std::string name, std::vector<int> ids, const bool* open = nullptr)
    {
        for (int id : ids) {
            Condition enabled;
            if (open && id == 2)
                enabled = [open] { return *open; };
            Handle(id, [&log, name, id] { log.push_back(name + std::to_string(id)); }, enabled);
        }
    }
};

TEST(CommandRouter, RunsTheGroupThatRegisteredTheId)
{
    std::vector<std::string> log;
    bool open = false;
    app::CommandRouter router;
    ASSERT_NE(router.Add(std::make_unique<RecordingGroup>(log, "file", std::vector<int>{1, 2}, &open)), nullptr);
    ASSERT_NE(router.Add(std::make_unique<RecordingGroup>(log, "edit", std::vector<int>{3})), nullptr);

    EXPECT_TRUE(router.Run(1));
    EXPECT_TRUE(router.Run(3));
    EXPECT_FALSE(router.Run(4)) << "nobody handles 4";
    EXPECT_EQ(log, (std::vector<std::string>{"file1", "edit3"}));

    // A command whose condition says no is disabled and does not run.
    EXPECT_FALSE(router.IsEnabled(2));
    EXPECT_TRUE(router.Run(2));
    EXPECT_EQ(log.size(), 2u);
    open = true;
    EXPECT_TRUE(router.IsEnabled(2));
    router.Run(2);
    EXPECT_EQ(log.back(), "file2");

    EXPECT_TRUE(router.IsEnabled(1));
    EXPECT_FALSE(router.IsEnabled(4));
}

TEST(CommandRouter, GroupClaimingATakenIdIsRefusedWhole)
{
    std::vector<std::string> log;
    app::CommandRouter router;
    ASSERT_NE(router.Add(std::make_unique<RecordingGroup>(log, "file", std::vector<int>{1})), nullptr);
    EXPECT_EQ(router.Add(std::make_unique<RecordingGroup>(log, "other", std::vector<int>{5, 1})), nullptr);
    EXPECT_FALSE(router.IsEnabled(5)) << "none of the refused group's ids is routed";
    router.Run(1);
    EXPECT_EQ(log, std::vector<std::string>{"file1"});
}

} // namespace
