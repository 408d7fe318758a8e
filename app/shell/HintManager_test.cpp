#include "app/shell/ControlHint.h"
#include "app/shell/ShellFixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

// A window like the main window's parameter group: hinted edit fields, two of
// them side by side, and a label without hint switch.
class HintTest : public ShellFixture {
protected:
    HintTest() : Group("Initialisierung", &Window), Label("Läufe:", &Group), Left(&Group), Right(&Group), Far(&Group)
    {
        Application->SetShowHint(true);
        Hints = Application->Hints();
        Window.setGeometry(100, 100, 400, 300);
        Group.setGeometry(8, 8, 380, 250);
        Label.setGeometry(16, 64, 35, 16);
        Left.setGeometry(60, 64, 48, 24);
        Right.setGeometry(108, 64, 48, 24); // touches Left: no other control in between
        Far.setGeometry(250, 64, 40, 24);
        Edit(Left, "Anzahl der Generationen");
        Edit(Right, "Zusammenhang zwischen\nParasit und GC-Gehalt");
        Edit(Far, "Ab wann ist eine Mutation lethal?|lange Fassung");
        Window.show();
        Window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&Window));
    }

    static void Edit(QLineEdit& edit, const QString& hint)
    {
        SetHint(&edit, hint);
        SetShowHint(&edit, true);
    }

    void Rest(QWidget& control, QPoint at = QPoint(5, 5)) { QTest::mouseMove(&control, at); }

    bool Pending(int interval) const
    {
        return Hints->PauseTimer().isActive() && Hints->PauseTimer().interval() == interval;
    }

    QWidget Window;
    QGroupBox Group;
    QLabel Label;
    QLineEdit Left, Right, Far;
    THintManager* Hints = nullptr;
};

TEST_F(HintTest, ShowsBelowTheFieldAfterThePauseAndHidesAfterHidePause)
{
    Rest(Left);
    EXPECT_EQ(Hints->HintControl(), &Left);
    EXPECT_TRUE(Pending(500));
    Rest(Left, QPoint(10, 6)); // every movement restarts the pause until shown
    EXPECT_TRUE(Pending(500));
    EXPECT_FALSE(Hints->HintActive());
    EXPECT_FALSE(Hints->Window().isVisible());

    Hints->ActivateHint();
    const THintWindow& hint = Hints->Window();
    ASSERT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.Text(), "Anzahl der Generationen");
    EXPECT_EQ(hint.pos(), Left.mapToGlobal(QPoint(0, Left.height() + 6)));
    const QRect text = hint.fontMetrics().boundingRect(QRect(0, 0, Left.screen()->geometry().width(), 0),
                                                        Qt::AlignLeft | Qt::TextWordWrap, hint.Text());
    EXPECT_EQ(hint.size(), text.size() + QSize(6, 2));
    EXPECT_TRUE(Hints->HideTimer().isActive());
    EXPECT_EQ(Hints->HideTimer().interval(), 2500);

    Hints->HideHint();
    EXPECT_FALSE(hint.isVisible());
    Rest(Left, QPoint(20, 10)); // still on the field: no new hint
    EXPECT_FALSE(Hints->PauseTimer().isActive());
    EXPECT_TRUE(Hints->HintActive());
}

TEST_F(HintTest, ShortPauseOnlyDirectlyFromOneHintedControlToAnother)
{
    Rest(Label); // a label without hint switch shows none
    EXPECT_EQ(Hints->HintControl(), nullptr);
    EXPECT_FALSE(Hints->PauseTimer().isActive());
    Rest(Left);
    Hints->ActivateHint();
    Rest(Right);
    EXPECT_FALSE(Hints->Window().isVisible());
    EXPECT_TRUE(Pending(50));

    Hints->ActivateHint();
    Rest(Group, QPoint(200, 70)); // the group box between the fields cancels
    EXPECT_EQ(Hints->HintControl(), nullptr);
    EXPECT_FALSE(Hints->HintActive());
    Rest(Far);
    EXPECT_TRUE(Pending(500));
}

TEST_F(HintTest, KeyOrClickCancelsTheHint)
{
    const std::function<void()> cancels[] = {
        [&] { QTest::keyClick(&Left, Qt::Key_A); },
        [&] { QTest::mouseClick(&Left, Qt::LeftButton, {}, QPoint(5, 5)); },
    };
    for (const auto& cancel : cancels) {
        Rest(Far);
        Rest(Left);
        Hints->ActivateHint();
        ASSERT_TRUE(Hints->Window().isVisible());
        cancel();
        EXPECT_FALSE(Hints->Window().isVisible());
        EXPECT_FALSE(Hints->HintActive());
        EXPECT_EQ(Hints->HintControl(), nullptr);
    }
}

TEST_F(HintTest, LineBreaksGiveLinesAndBarCutsTheText)
{
    Rest(Right);
    Hints->ActivateHint();
    const THintWindow& hint = Hints->Window();
    EXPECT_EQ(hint.Text(), "Zusammenhang zwischen\nParasit und GC-Gehalt");
    EXPECT_GE(hint.height(), 2 * hint.fontMetrics().height() + 2);

    Rest(Far);
    Hints->ActivateHint();
    EXPECT_EQ(hint.Text(), "Ab wann ist eine Mutation lethal?");
}

TEST_F(HintTest, NothingShownWithoutAnActiveApplicationWindow)
{
    Rest(Left);
    Window.hide();
    Hints->ActivateHint();
    EXPECT_FALSE(Hints->Window().isVisible());
}

TEST(HintWindow, StaysInsideTheScreen)
{
    struct Case {
        QPoint Wanted;
        QPoint Placed;
    };
    const QRect screen(0, 0, 800, 600);
    const Case cases[] = {
        {{100, 100}, {100, 100}},
        {{100, 590}, {100, 600 - 30}},   // past the bottom: moved up
        {{790, 100}, {800 - 120, 100}},  // past the right: moved left
        {{-5, 100}, {0, 100}},           // never left of the screen
    };
    THintWindow hint;
    hint.resize(120, 30);
    for (const Case& c : cases) {
        hint.ActivateAt(c.Wanted, screen);
        EXPECT_EQ(hint.pos(), c.Placed);
    }
}

} // namespace
