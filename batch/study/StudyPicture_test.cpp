#include "batch/study/StudyPicture.h"

#include "Unit2/Unit2.h"
#include "base/FloatEnvironment.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {

// The chart window after the same run, as the window system shows it.
QImage WindowPicture(const TRunFields& fields, bool view3D)
{
    TForm2 form;
    form.DataChart1->SetView3D(view3D);
    TChartHost host({form.Series1, form.Series2, form.Series3, form.Series4});
    SimulationRun(host, fields);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return {};
    QTest::qWait(10);
    return form.findChild<TDataChartWidget*>()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(StudyPicture, ARunsPictureIsTheChartWindowsPixelForPixel)
{
    SetFloatEnvironment();
    TRunFields fields;
    fields.Generations = "120";
    fields.Seed = 11;
    for (bool view3D : {false, true}) {
        SCOPED_TRACE(view3D);
        TPictureOptions picture;
        picture.View3D = view3D;
        EXPECT_EQ(RunPicture(fields, picture).size(), QSize(527, 307));
        // At the window's client size (which its frame decides), the window's own picture.
        const QImage window = WindowPicture(fields, view3D);
        picture.Width = window.width();
        picture.Height = window.height();
        EXPECT_TRUE(RunPicture(fields, picture) == window);
    }
}

}  // namespace
