#include "app/shell/ShellFixture.h"

#include <QTest>
#include <QWindow>

namespace {

class TopMostLayerTest : public ShellFixture {
protected:
    TopMostLayerTest() : FChart(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    {
        Application->CreateForm(FMain);
        FMain->show();
        FChart.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&FChart));
    }

    bool ChartOnTop() const { return FChart.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint); }

    QWidget* FMain = nullptr;
    QWidget FChart;
};

TEST_F(TopMostLayerTest, DeactivationTakesOutAndActivationPutsBack)
{
    ASSERT_TRUE(ChartOnTop());
    Application->ApplicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(ChartOnTop());
    EXPECT_TRUE(FChart.isVisible());
    Application->ApplicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(Application->TopMosts().TakeOuts(), 1);
    Application->ApplicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(ChartOnTop());
}

TEST_F(TopMostLayerTest, TakeOutsNest)
{
    TTopMostLayer& layer = Application->TopMosts();
    layer.NormalizeTopMosts(FMain);
    layer.NormalizeTopMosts(FMain);
    layer.RestoreTopMosts();
    EXPECT_FALSE(ChartOnTop());
    layer.RestoreTopMosts();
    EXPECT_TRUE(ChartOnTop());
    layer.RestoreTopMosts();  // unbalanced: ignored
    EXPECT_EQ(layer.TakeOuts(), 0);
}

TEST_F(TopMostLayerTest, HiddenWindowsAndTheMainWindowStayAsTheyAre)
{
    FMain->setWindowFlag(Qt::WindowStaysOnTopHint);
    FMain->show();
    FChart.hide();
    Application->TopMosts().NormalizeTopMosts(FMain);
    EXPECT_TRUE(FMain->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(ChartOnTop());
    Application->TopMosts().RestoreTopMosts();
}

}  // namespace
