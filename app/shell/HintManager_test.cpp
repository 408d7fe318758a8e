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
    HintTest()
        : FGroup("Initialisierung", &FWindow), FLabel("Läufe:", &FGroup), FLeft(&FGroup), FRight(&FGroup), FFar(&FGroup)
    {
        Application->SetShowHint(true);
        FHints = Application->Hints();
        FWindow.setGeometry(100, 100, 400, 300);
        FGroup.setGeometry(8, 8, 380, 250);
        FLabel.setGeometry(16, 64, 35, 16);
        FLeft.setGeometry(60, 64, 48, 24);
        FRight.setGeometry(108, 64, 48, 24);  // touches Left: no other control in between
        FFar.setGeometry(250, 64, 40, 24);
        Edit(FLeft, "Anzahl der Generationen");
        Edit(FRight, "Zusammenhang zwischen\nParasit und GC-Gehalt");
        Edit(FFar, "Ab wann ist eine Mutation lethal?|lange Fassung");
        FWindow.show();
        FWindow.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&FWindow));
    }

    static void Edit(QLineEdit& edit, const QString& hint)
    {
        SetHint(&edit, hint);
        SetShowHint(&edit, true);
    }

    void Rest(QWidget& control, QPoint at = QPoint(5, 5)) { QTest::mouseMove(&control, at); }

    bool Pending(int interval) const
    {
        return FHints->PauseTimer().isActive() && FHints->PauseTimer().interval() == interval;
    }

    QWidget FWindow;
    QGroupBox FGroup;
    QLabel FLabel;
    QLineEdit FLeft, FRight, FFar;
    THintManager* FHints = nullptr;
};

TEST_F(HintTest, ShowsBelowTheFieldAfterThePauseAndHidesAfterHidePause)
{
    Rest(FLeft);
    EXPECT_EQ(FHints->HintControl(), &FLeft);
    EXPECT_TRUE(Pending(500));
    Rest(FLeft, QPoint(10, 6));  // every movement restarts the pause until shown
    EXPECT_TRUE(Pending(500));
    EXPECT_FALSE(FHints->HintActive());
    EXPECT_FALSE(FHints->Window().isVisible());

    FHints->ActivateHint();
    const THintWindow& hint = FHints->Window();
    ASSERT_TRUE(hint.isVisible());
    EXPECT_EQ(hint.Text(), "Anzahl der Generationen");
    EXPECT_EQ(hint.pos(), FLeft.mapToGlobal(QPoint(0, FLeft.height() + 6)));
    const QRect text = hint.fontMetrics().boundingRect(QRect(0, 0, FLeft.screen()->geometry().width(), 0),
                                                       Qt::AlignLeft | Qt::TextWordWrap, hint.Text());
    EXPECT_EQ(hint.size(), text.size() + QSize(6, 2));
    EXPECT_TRUE(FHints->HideTimer().isActive());
    EXPECT_EQ(FHints->HideTimer().interval(), 2500);

    FHints->HideHint();
    EXPECT_FALSE(hint.isVisible());
    Rest(FLeft, QPoint(20, 10));  // still on the field: no new hint
    EXPECT_FALSE(FHints->PauseTimer().isActive());
    EXPECT_TRUE(FHints->HintActive());
}

TEST_F(HintTest, ShortPauseOnlyDirectlyFromOneHintedControlToAnother)
{
    Rest(FLabel);  // a label without hint switch shows none
    EXPECT_EQ(FHints->HintControl(), nullptr);
    EXPECT_FALSE(FHints->PauseTimer().isActive());
    Rest(FLeft);
    FHints->ActivateHint();
    Rest(FRight);
    EXPECT_FALSE(FHints->Window().isVisible());
    EXPECT_TRUE(Pending(50));

    FHints->ActivateHint();
    Rest(FGroup, QPoint(200, 70));  // the group box between the fields cancels
    EXPECT_EQ(FHints->HintControl(), nullptr);
    EXPECT_FALSE(FHints->HintActive());
    Rest(FFar);
    EXPECT_TRUE(Pending(500));
}

TEST_F(HintTest, KeyOrClickCancelsTheHint)
{
    const std::function<void()> cancels[] = {
        [&] { QTest::keyClick(&FLeft, Qt::Key_A); },
        [&] { QTest::mouseClick(&FLeft, Qt::LeftButton, {}, QPoint(5, 5)); },
    };
    for (const auto& cancel : cancels) {
        Rest(FFar);
        Rest(FLeft);
        FHints->ActivateHint();
        ASSERT_TRUE(FHints->Window().isVisible());
        cancel();
        EXPECT_FALSE(FHints->Window().isVisible());
        EXPECT_FALSE(FHints->HintActive());
        EXPECT_EQ(FHints->HintControl(), nullptr);
    }
}

TEST_F(HintTest, LineBreaksGiveLinesAndBarCutsTheText)
{
    Rest(FRight);
    FHints->ActivateHint();
    const THintWindow& hint = FHints->Window();
    EXPECT_EQ(hint.Text(), "Zusammenhang zwischen\nParasit und GC-Gehalt");
    EXPECT_GE(hint.height(), 2 * hint.fontMetrics().height() + 2);

    Rest(FFar);
    FHints->ActivateHint();
    EXPECT_EQ(hint.Text(), "Ab wann ist eine Mutation lethal?");
}

TEST_F(HintTest, NothingShownWithoutAnActiveApplicationWindow)
{
    Rest(FLeft);
    FWindow.hide();
    FHints->ActivateHint();
    EXPECT_FALSE(FHints->Window().isVisible());
}

TEST(HintWindow, StaysInsideTheScreen)
{
    struct TCase {
        QPoint Wanted;
        QPoint Placed;
    };
    const QRect screen(0, 0, 800, 600);
    const TCase cases[] = {
        {{100, 100}, {100, 100}},
        {{100, 590}, {100, 600 - 30}},   // past the bottom: moved up
        {{790, 100}, {800 - 120, 100}},  // past the right: moved left
        {{-5, 100}, {0, 100}},           // never left of the screen
    };
    THintWindow hint;
    hint.resize(120, 30);
    for (const TCase& c : cases) {
        hint.ActivateAt(c.Wanted, screen);
        EXPECT_EQ(hint.pos(), c.Placed);
    }
}

}  // namespace
