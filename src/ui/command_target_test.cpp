// Command routing along the chain of targets.
#include "ui/command_target.h"

#include <gtest/gtest.h>

namespace recaster::ui {
namespace {

TEST(CommandTargetTest, FirstTargetThatKnowsAnIdAnswersForItEvenWhenDisabled) {
    std::vector<std::string> ran;
    bool viewHasSelection = false;
    CommandMap view, document, app;
    view.Add(
        1002, [&] { ran.push_back("view delete"); }, [&] { return viewHasSelection; });
    document.Add(1002, [&] { ran.push_back("document delete"); });
    document.Add(
        57603, [&] { ran.push_back("save"); }, {}, [] { return true; });
    app.Add(57601, [&] { ran.push_back("open"); });

    CommandChain chain;
    chain.SetTargets({&view, &document, &app});
    // The view knows Delete: its "disabled" holds, the document is not asked.
    EXPECT_EQ(chain.Find(1002), &view);
    EXPECT_FALSE(chain.IsEnabled(1002));
    EXPECT_FALSE(chain.Execute(1002));
    viewHasSelection = true;
    EXPECT_TRUE(chain.Execute(1002));
    EXPECT_TRUE(chain.Execute(57601));
    EXPECT_TRUE(chain.IsChecked(57603));
    EXPECT_FALSE(chain.IsChecked(57601));
    // Nobody knows it: disabled, nothing runs.
    EXPECT_EQ(chain.Find(32781), nullptr);
    EXPECT_FALSE(chain.IsEnabled(32781));
    EXPECT_FALSE(chain.Execute(32781));
    EXPECT_EQ(ran, (std::vector<std::string>{"view delete", "open"}));

    // Without a view (no document open), the document's handler is next.
    chain.SetTargets({nullptr, &document, &app});
    EXPECT_TRUE(chain.Execute(1002));
    EXPECT_EQ(ran.back(), "document delete");
}

}  // namespace
}  // namespace recaster::ui
