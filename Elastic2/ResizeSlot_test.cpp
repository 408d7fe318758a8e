#include "Elastic2/ResizeSlot.h"

#include <QWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

TEST(ResizeSlot, OneSlotPerWindowOwnedByIt)
{
    QWidget Form;
    TResizeSlot& Slot = TResizeSlot::Of(Form);
    EXPECT_EQ(&TResizeSlot::Of(Form), &Slot);
    EXPECT_EQ(Slot.parent(), &Form);
    EXPECT_FALSE(Slot.OnResize);
}

TEST(ResizeSlot, CalledWithTheWindowOncePerSizeAfterTheSizeChanged)
{
    QWidget Form;
    std::vector<QSize> Seen;
    TResizeSlot::Of(Form).OnResize = [&](QObject* Sender) {
        EXPECT_EQ(Sender, &Form);
        Seen.push_back(Form.size());
    };

    // A hidden window only remembers its size; showing it reports the last one.
    Form.resize(300, 200);
    Form.resize(320, 240);
    EXPECT_TRUE(Seen.empty());
    Form.show();
    ASSERT_EQ(Seen.size(), 1u);
    EXPECT_EQ(Seen.back(), QSize(320, 240));

    Form.resize(400, 240);
    Form.resize(400, 240);
    ASSERT_EQ(Seen.size(), 2u);
    EXPECT_EQ(Seen.back(), QSize(400, 240));
}

TEST(ResizeSlot, AHandlerMayReplaceItself)
{
    QWidget Form;
    Form.show();
    int Calls = 0;
    TResizeSlot& Slot = TResizeSlot::Of(Form);
    Slot.OnResize = [&](QObject*) {
        ++Calls;
        Slot.OnResize = nullptr;
    };
    Form.resize(333, 222);
    Form.resize(334, 222);
    EXPECT_EQ(Calls, 1);
}

TEST(ResizeSlot, HandlersRunInsideTheBoundary)
{
    QWidget Form;
    Form.show();
    TResizeSlot& Slot = TResizeSlot::Of(Form);
    QObject* BoundarySender = nullptr;
    QString Caught;
    Slot.Boundary = [&](QObject* Sender, const std::function<void()>& Handler) {
        BoundarySender = Sender;
        try {
            Handler();
        } catch (const std::exception& Error) {
            Caught = QString::fromUtf8(Error.what());
        }
    };
    Slot.OnResize = [](QObject*) { throw std::runtime_error("im Handler"); };

    Form.resize(333, 222);
    EXPECT_EQ(BoundarySender, &Form);
    EXPECT_EQ(Caught, "im Handler");
}
