#include "app/shell/ShellFixture.h"

#include <QGuiApplication>

namespace {

using ScreenTest = ShellFixture;

// Qt keeps a stack of override cursors; ours must never hold more than one.
int OverrideDepth()
{
    int depth = 0;
    std::vector<QCursor> popped;
    while (const QCursor* c = QGuiApplication::overrideCursor()) {
        popped.push_back(*c);
        QGuiApplication::restoreOverrideCursor();
        ++depth;
    }
    for (auto it = popped.rbegin(); it != popped.rend(); ++it)
        QGuiApplication::setOverrideCursor(*it);
    return depth;
}

TEST_F(ScreenTest, BusyCursorCoversTheApplicationAndDefaultRestoresAtOnce)
{
    EXPECT_EQ(Screen->Cursor(), crDefault);
    Screen->SetCursor(crHourGlass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    Screen->SetCursor(crHourGlass);
    EXPECT_EQ(OverrideDepth(), 1);
    Screen->SetCursor(crArrow);
    EXPECT_EQ(OverrideDepth(), 1);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::ArrowCursor);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(OverrideDepth(), 0);
    Screen->SetCursor(crDefault);
    EXPECT_EQ(OverrideDepth(), 0);
}

}  // namespace
