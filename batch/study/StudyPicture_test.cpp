#include "batch/study/StudyPicture.h"

#include "base/DesignScale.h"

#include "batch/study/MeansFigure.h"
#include "chart/ChartEngine/ChartAxis.h"
#include "chart/ChartEngine/ChartLegend.h"

#include "Unit2/Unit2.h"
#include "base/FloatEnvironment.h"
#include "testing/app/SeparatorFixture.h"
#include "testing/study/TableText.h"

#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {

// The chart window after the same run, as the window system shows it.
QImage WindowPicture(const TRunFields& fields, bool view3D)
{
    TForm2 form;
    form.DataChart1->SetView3D(view3D);
    TChartHost host(form.RunSeries());
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

// Two runs recorded every fifth generation, one with a failed third run: each series holds what
// its title says at the generation it was recorded in, with its band where two runs make one.
TEST(StudyPicture, AStudysSeriesCarryWhatTheirTitlesSayAtTheirGeneration)
{
    constexpr const char* kTable = "set,replicate,seed,gene,generations,mutation_rate,mutation_limit,kill_factor,"
                                   "generation,population,living,gc,died_out_at,error\n"
                                   "1,1,S,ACG,10,3,30,1,5,sexual,50,40,,\n"
                                   "1,1,S,ACG,10,3,30,1,5,asexual,30,20,,\n"
                                   "1,1,S,ACG,10,3,30,1,10,sexual,60,44,,\n"
                                   "1,1,S,ACG,10,3,30,1,10,asexual,10,24,,\n"
                                   "1,2,S,ACG,10,3,30,1,5,sexual,70,42,,\n"
                                   "1,2,S,ACG,10,3,30,1,5,asexual,50,22,,\n"
                                   "1,2,S,ACG,10,3,30,1,10,sexual,80,46,,\n"
                                   "1,2,S,ACG,10,3,30,1,10,asexual,30,26,,\n"
                                   "1,3,S,ACG,10,3,30,1,,,,,,Fehler\n";
    const TSeparatorFixture separators(U'.');
    TStudySummary summary;
    for (const TTableRun& run : ReadTableText(kTable, StudyDefinition({{"ACG", "10", "3", "30", "1"}}, 3, 5, 7, false)))
        summary.Add(run);
    EnsurePictureApplication();
    TPictureOptions picture;
    picture.Width = 1054;  // twice the window: text and lines twice as large
    picture.Height = 614;
    TMeansFigure figure(summary, 1, picture);
    std::map<std::string, std::vector<std::pair<double, double>>> points;
    for (const TChartSeries* series : figure.Chart.SeriesList())
        for (std::int32_t i = 0; i < series->Count(); ++i)
            points[series->Title()].emplace_back(series->XValues()[i], series->YValues()[i]);
    using P = std::vector<std::pair<double, double>>;
    EXPECT_EQ(points["Lebend-Sexuell"], (P{{5, 60}, {10, 70}}));
    EXPECT_EQ(points["Lebend-Nichtsexuell"], (P{{5, 40}, {10, 20}}));
    EXPECT_EQ(points["GC-Sexuell"], (P{{5, 41}, {10, 45}}));
    EXPECT_EQ(points["GC-Nichtsexuell"], (P{{5, 21}, {10, 25}}));
    // Lower, then upper limits: Student t with one degree of freedom, 12.706... * sd / sqrt(2),
    // the sd of 40 and 42 (and of 44 and 46) being sqrt(2).
    const double t = 12.706204736174696;
    const P band = {{5, 41 - t}, {10, 45 - t}, {5, 41 + t}, {10, 45 + t}};
    ASSERT_EQ(points["GC-Sexuell 95 %"].size(), band.size());
    for (std::size_t i = 0; i < band.size(); ++i) {
        EXPECT_EQ(points["GC-Sexuell 95 %"][i].first, band[i].first);
        EXPECT_NEAR(points["GC-Sexuell 95 %"][i].second, band[i].second, 1e-9);
    }
    EXPECT_EQ(figure.Chart.SeriesCount(), 4 + 8);
    EXPECT_EQ(figure.Chart.Title().Text(),
              (std::vector<std::string>{"Initgen ACG, Läufe 10, Mutationrate 3, Mutationlimit 30, Parasitkillfaktor 1",
                                        "n = 2 Läufe (1 abgebrochen, nicht einbezogen), Mittelwerte mit 95-%-Band "
                                        "(Student t)"}));
    EXPECT_EQ(figure.Chart.LeftAxis()->Title().Caption(), "Lebende / GC-Gehalt in %");
    EXPECT_EQ(figure.Chart.Legend()->Font().Height(), -2 * ScaledFromDesign(10, ScreenPixelsPerInch()));
}

}  // namespace
