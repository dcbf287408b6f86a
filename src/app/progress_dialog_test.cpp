// The progress dialog on HeadlessUi's clock: when it shows, Stop, the bar,
// the disabled main window and the kept quit request.
#include "app/progress_dialog.h"

#include <gtest/gtest.h>

#include "app/quit_request.h"
#include "ui/dialog_driver.h"
#include "ui/headless_ui.h"

namespace recaster::app {
namespace {

constexpr int kCaption = 57344;  // any string serves as the caption

TEST(ProgressDialogTest, ShowsOnlyWhenStillInTheFirstFifthAfterHalfASecond) {
    ui::HeadlessUi ui;
    ui.SetTickCount(1000);
    {
        ProgressDialog slow(0, 100, kCaption, ui);
        EXPECT_EQ(slow.title(), "Recaster II");
        EXPECT_TRUE(slow.Update(5));
        ui.AdvanceTicks(500);  // not yet past the deadline
        EXPECT_TRUE(slow.Update(10));
        EXPECT_FALSE(slow.visible());
        ui.AdvanceTicks(1);
        EXPECT_TRUE(slow.Update(19));  // decided on the last position, 10 %
        EXPECT_TRUE(slow.visible());
    }
    {
        ProgressDialog quick(0, 100, kCaption, ui);
        EXPECT_TRUE(quick.Update(20));
        ui.AdvanceTicks(600);
        EXPECT_TRUE(quick.Update(30));  // 20 % done at the check
        EXPECT_FALSE(quick.visible());
        ui.AdvanceTicks(10000);
        quick.Update(1);  // the check is made once
        quick.Update(2);
        EXPECT_FALSE(quick.visible());
    }
    {
        ProgressDialog empty(7, 7, kCaption, ui);
        ui.AdvanceTicks(1000);
        EXPECT_TRUE(empty.Update(7));
        EXPECT_FALSE(empty.visible());
        EXPECT_EQ(empty.Item(ProgressDialog::kBar).position(), 0);
    }
    {
        // The tick counter wraps around.
        ui.SetTickCount(0xFFFFFF00u);
        ProgressDialog wrap(0, 10, kCaption, ui);
        ui.AdvanceTicks(0x200);
        wrap.Update(0);
        EXPECT_TRUE(wrap.visible());
    }
}

TEST(ProgressDialogTest, StopMakesTheNextUpdateFalseAndTheDialogStaysUntilDestroyed) {
    ui::HeadlessUi ui;
    ProgressDialog progress(0, 10, kCaption, ui);
    ui::DialogDriver driver(progress);
    ui.OnPump([&] {
        if (ui.pumpCount() == 2) driver.Press(ui::IDCANCEL);
    });
    EXPECT_TRUE(progress.Update(1));
    EXPECT_FALSE(progress.Update(2));
    EXPECT_FALSE(progress.Update(3));  // it stays set
    EXPECT_TRUE(progress.exists());
    EXPECT_EQ(ui.openModeless().size(), 1u);
    progress.Destroy();
    EXPECT_TRUE(ui.openModeless().empty());

    // Enter presses Stop (the default button), Escape too.
    ProgressDialog second(0, 10, kCaption, ui);
    ui.OnPump({});
    ui::DialogDriver d2(second);
    EXPECT_TRUE(d2.PressEnter());
    EXPECT_FALSE(second.Update(1));
    ProgressDialog third(0, 10, kCaption, ui);
    ui::DialogDriver d3(third);
    EXPECT_TRUE(d3.PressEscape());
    EXPECT_FALSE(third.Update(1));
}

TEST(ProgressDialogTest, MainWindowIsDisabledWhileItExistsAndQuitIsKept) {
    ui::HeadlessUi ui;
    ASSERT_TRUE(ui.IsMainWindowEnabled());
    QuitRequest::Take();
    {
        ProgressDialog outer(0, 100, kCaption, ui);
        EXPECT_FALSE(ui.IsMainWindowEnabled());
        EXPECT_EQ(ui.waitCursorLevel(), 1);
        {
            // A nested one finds the owner disabled and leaves it to the outer.
            ProgressDialog inner(0, 100, kCaption, ui);
            inner.Destroy();
            EXPECT_FALSE(ui.IsMainWindowEnabled());
        }
        ui.OnPump([] { QuitRequest::Post(); });
        EXPECT_TRUE(outer.Update(50));  // the operation goes on
        ui.OnPump({});
        EXPECT_TRUE(outer.Update(60));
        EXPECT_TRUE(QuitRequest::Pending());
    }
    EXPECT_TRUE(ui.IsMainWindowEnabled());
    EXPECT_EQ(ui.waitCursorLevel(), 0);
    EXPECT_TRUE(QuitRequest::Take());
    EXPECT_FALSE(QuitRequest::Pending());
}

TEST(ProgressDialogTest, BarFollowsThePositionOnAnyScale) {
    ui::HeadlessUi ui;
    ProgressDialog p(-100, 100, kCaption, ui);
    const ui::Control& bar = p.Item(ProgressDialog::kBar);
    EXPECT_EQ(bar.rangeHigh(), 10000);
    p.Update(0);
    EXPECT_EQ(bar.position(), 5000);
    p.Update(100);
    EXPECT_EQ(bar.position(), 10000);
    ProgressDialog q(0, 3, kCaption, ui);
    q.Update(1);
    EXPECT_EQ(q.Item(ProgressDialog::kBar).position(), 3333);
    q.Update(2);
    EXPECT_EQ(q.Item(ProgressDialog::kBar).position(), 6667);  // rounded
    ProgressDialog big(INT32_MIN, INT32_MAX, kCaption, ui);
    big.Update(INT32_MAX - 1);  // no overflow on wide scales
    EXPECT_EQ(big.Item(ProgressDialog::kBar).position(), 10000);
}

}  // namespace
}  // namespace recaster::app
