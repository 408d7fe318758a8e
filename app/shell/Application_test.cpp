#include "app/shell/ShellFixture.h"

#include "app/shell/HandlerGuard.h"

#include "app/Errors.h"
#include "base/FloatEnvironment.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <new>

namespace {

using ApplicationTest = ShellFixture;

struct TErrorCase {
    const char* Name;
    std::function<void()> Raise;
    const char* Expected;  // nullptr: no box
};

TEST_F(ApplicationTest, ReportsEscapingErrorsWithTrailingFullStop)
{
    const TErrorCase cases[] = {
        {"convert", [] { throw EConvertError("'abc' ist kein gültiger Integerwert"); },
         "'abc' ist kein gültiger Integerwert."},
        {"overflow", [] { throw EOverflow(kOverflowMessage); }, "Überlauf bei Gleitkomma-Operation."},
        {"zero divide", [] { throw EZeroDivide(kZeroDivideMessage); }, "Gleitkommadivision durch Null."},
        {"already ends with a stop", [] { throw Exception("Fertig."); }, "Fertig.."},
        {"out of memory", [] { throw std::bad_alloc(); }, "Speicher reicht nicht aus."},
        {"abort", [] { throw EAbort("still"); }, nullptr},
    };
    for (const TErrorCase& c : cases) {
        SCOPED_TRACE(c.Name);
        FShown.clear();
        InvokeHandler(nullptr, c.Raise);
        if (!c.Expected) {
            EXPECT_TRUE(FShown.empty());
            continue;
        }
        ASSERT_EQ(FShown.size(), 1u);
        EXPECT_EQ(FShown[0].Text, QString::fromUtf8(c.Expected));
        EXPECT_EQ(FShown[0].Caption, "Kelvaro");
        EXPECT_EQ(FShown[0].Icon, QMessageBox::Critical);
        // Stay-on-top windows are taken out while the box is open, and put back after.
        EXPECT_EQ(FShown[0].TakeOuts, 1);
        EXPECT_EQ(Application->TopMosts().TakeOuts(), 0);
    }
}

TEST_F(ApplicationTest, HandlerErrorAbandonsOnlyTheRestOfThatHandler)
{
    QPushButton button("Start");
    int before = 0, after = 0, nextEvent = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, Guarded(&button, [&] {
        ++before;
        throw EConvertError("'x' ist kein gültiger Integerwert");
        ++after;
    }));
    QObject::connect(&button, &QPushButton::pressed, &button, [&] { ++nextEvent; });
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 0);
    EXPECT_EQ(nextEvent, 2);
    EXPECT_EQ(FShown.size(), 2u);
}

TEST_F(ApplicationTest, ErrorInNestedHandlerIsReportedThereAndOuterCarriesOn)
{
    QPushButton inner("inner");
    QObject::connect(&inner, &QPushButton::clicked, &inner,
                     Guarded(&inner, [] { throw EInvalidOp(kInvalidOpMessage); }));
    bool outerFinished = false;
    InvokeHandler(nullptr, [&] {
        QTimer::singleShot(0, &inner, [&] { inner.click(); });
        Application->ProcessMessages();
        EXPECT_EQ(FShown.size(), 1u);
        outerFinished = true;
    });
    EXPECT_TRUE(outerFinished);
    ASSERT_EQ(FShown.size(), 1u);
    EXPECT_EQ(FShown[0].Text, "Fehler bei Gleitkomma-Operation.");
}

void RaiseInvalidFlag()
{
    volatile long double zero = 0;
    volatile long double nan = zero / zero;
    (void)nan;
}

TEST_F(ApplicationTest, FloatFlagsLeftByOtherCodeAreNotFaultsOfAHandler)
{
    RaiseInvalidFlag();  // as toolkit code between two events may
    InvokeHandler(nullptr, [] { CheckFloatFaults(); });
    EXPECT_TRUE(FShown.empty());

    // Events pumped during a computation leave its flags as they were.
    InvokeHandler(nullptr, [] {
        QTimer::singleShot(0, [] { RaiseInvalidFlag(); });
        Application->ProcessMessages();
        CheckFloatFaults();
    });
    EXPECT_TRUE(FShown.empty());

    InvokeHandler(nullptr, [] {
        RaiseInvalidFlag();
        Application->ProcessMessages();
        CheckFloatFaults();
    });
    ASSERT_EQ(FShown.size(), 1u);
    EXPECT_EQ(FShown[0].Text, "Fehler bei Gleitkomma-Operation.");
}

TEST_F(ApplicationTest, ErrorReleasesMouseCapture)
{
    QWidget window;
    window.show();
    window.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &window);
    InvokeHandler(&window, [] { throw Exception("x"); });
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ApplicationTest, TerminateIsTakenFromTheQueue)
{
    Application->Terminate();
    EXPECT_FALSE(Application->Terminated());
    Application->ProcessMessages();
    EXPECT_TRUE(Application->Terminated());
}

TEST_F(ApplicationTest, FirstCreatedFormIsMainFormAndFormsDieWithTheApplication)
{
    QPointer<QWidget> first, second;
    {
        TApplication local;
        QWidget* a = nullptr;
        QWidget* b = nullptr;
        local.CreateForm(a);
        local.CreateForm(b);
        first = a;
        second = b;
        EXPECT_EQ(local.MainForm(), a);
        EXPECT_TRUE(a->testAttribute(Qt::WA_WState_Created));
        EXPECT_FALSE(b->testAttribute(Qt::WA_WState_Created));
    }
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

TEST(ApplicationTitle, DefaultsToExecutableNameWithTailInLowerCase)
{
    TApplication application;
    EXPECT_EQ(application.Title(), "shell_tests");
}

}  // namespace
