#include "app/shell/CheckBox.h"

#include "app/shell/ShellFixture.h"

#include <QTest>

namespace {

using CheckBoxTest = ShellFixture;

TEST_F(CheckBoxTest, FiresOncePerStateChangeByCodeOrUser)
{
    QWidget window;
    TCheckBox box("3D", &window);
    box.SetChecked(true);  // no handler attached yet: silent, like a window being built
    int clicks = 0;
    bool checkedInside = true;
    box.OnClick = [&] {
        ++clicks;
        checkedInside = box.Checked();  // the handler runs after the state changed
    };

    struct TStep {
        const char* Name;
        std::function<void()> Act;
        bool Checked;
        int Clicks;
    };
    const TStep steps[] = {
        {"set current state", [&] { box.SetChecked(true); }, true, 0},
        {"set other state", [&] { box.SetChecked(false); }, false, 1},
        {"set it again", [&] { box.SetChecked(false); }, false, 1},
        {"user click", [&] { QTest::mouseClick(&box, Qt::LeftButton); }, true, 2},
        {"space key", [&] { QTest::keyClick(&box, Qt::Key_Space); }, false, 3},
    };
    window.show();
    for (const TStep& s : steps) {
        SCOPED_TRACE(s.Name);
        s.Act();
        EXPECT_EQ(box.Checked(), s.Checked);
        EXPECT_EQ(clicks, s.Clicks);
        EXPECT_EQ(checkedInside, s.Checked);
    }
}

TEST_F(CheckBoxTest, HandlerErrorIsReportedAndStateKept)
{
    QWidget window;
    TCheckBox box("GC sex.", &window);
    box.OnClick = [] { throw Exception("kaputt"); };
    box.SetChecked(true);
    EXPECT_TRUE(box.Checked());
    ASSERT_EQ(FShown.size(), 1u);
    EXPECT_EQ(FShown[0].Text, "kaputt.");
}

}  // namespace
