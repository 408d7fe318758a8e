#include "Elastic2/ResizeSlot.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

TEST(ResizeSlot, CalledWithTheWindowOncePerSizeAfterTheSizeChanged)
{
    QWidget form;
    std::vector<QSize> seen;
    TResizeSlot::Of(form).OnResize = [&](QObject* sender) {
        EXPECT_EQ(sender, &form);
        seen.push_back(form.size());
    };

    // A hidden window only remembers its size; showing it reports the last one.
    form.resize(300, 200);
    form.resize(320, 240);
    EXPECT_TRUE(seen.empty());
    form.show();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.back(), QSize(320, 240));

    form.resize(400, 240);
    form.resize(400, 240);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.back(), QSize(400, 240));
}

TEST(ResizeSlot, AHandlerMayReplaceItself)
{
    QWidget form;
    form.show();
    int calls = 0;
    TResizeSlot& slot = TResizeSlot::Of(form);
    slot.OnResize = [&](QObject*) {
        ++calls;
        slot.OnResize = nullptr;
    };
    form.resize(333, 222);
    form.resize(334, 222);
    EXPECT_EQ(calls, 1);
}

TEST(ResizeSlot, HandlersRunInsideTheBoundary)
{
    QWidget form;
    form.show();
    TResizeSlot& slot = TResizeSlot::Of(form);
    QObject* boundarySender = nullptr;
    QString caught;
    slot.Boundary = [&](QObject* sender, const std::function<void()>& handler) {
        boundarySender = sender;
        try {
            handler();
        } catch (const std::exception& error) {
            caught = QString::fromUtf8(error.what());
        }
    };
    slot.OnResize = [](QObject*) { throw std::runtime_error("im Handler"); };

    form.resize(333, 222);
    EXPECT_EQ(boundarySender, &form);
    EXPECT_EQ(caught, "im Handler");
}
