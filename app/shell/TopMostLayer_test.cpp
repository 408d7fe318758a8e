#include "app/shell/ShellFixture.h"

#include <QTest>
#include <QWindow>

namespace {

class TopMostLayerTest : public ShellFixture {
protected:
    TopMostLayerTest() : Chart(nullptr, Qt::Window | Qt::WindowStaysOnTopHint)
    {
        Application->CreateForm(Main);
        Main->show();
        Chart.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&Chart));
    }

    bool ChartOnTop() const
    {
        return Chart.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    }

    QWidget* Main = nullptr;
    QWidget Chart;
};

TEST_F(TopMostLayerTest, DeactivationTakesOutAndActivationPutsBack)
{
    ASSERT_TRUE(ChartOnTop());
    Application->ApplicationStateChanged(Qt::ApplicationInactive);
    EXPECT_FALSE(ChartOnTop());
    EXPECT_TRUE(Chart.isVisible());
    Application->ApplicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(Application->TopMosts().TakeOuts(), 1);
    Application->ApplicationStateChanged(Qt::ApplicationActive);
    EXPECT_TRUE(ChartOnTop());
}

TEST_F(TopMostLayerTest, TakeOutsNest)
{
    TTopMostLayer& layer = Application->TopMosts();
    layer.NormalizeTopMosts(Main);
    layer.NormalizeTopMosts(Main);
    layer.RestoreTopMosts();
    EXPECT_FALSE(ChartOnTop());
    layer.RestoreTopMosts();
    EXPECT_TRUE(ChartOnTop());
    layer.RestoreTopMosts(); // unbalanced: ignored
    EXPECT_EQ(layer.TakeOuts(), 0);
}

TEST_F(TopMostLayerTest, HiddenWindowsAndTheMainWindowStayAsTheyAre)
{
    Main->setWindowFlag(Qt::WindowStaysOnTopHint);
    Main->show();
    Chart.hide();
    Application->TopMosts().NormalizeTopMosts(Main);
    EXPECT_TRUE(Main->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(ChartOnTop());
    Application->TopMosts().RestoreTopMosts();
}

} // namespace
