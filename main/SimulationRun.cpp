#include "main/SimulationRun.h"

#include "app/FloatToTextCache.h"
#include "app/IntegerText.h"
#include "app/TextToFloat.h"
#include "app/Utf8.h"
#include "base/Round.h"
#include "population/AsexualPopulation.h"
#include "population/Random.h"
#include "population/SexualPopulation.h"
#include "population/SixByteReal.h"

namespace {

// Bumped by every run; a run that finds it changed after pumping messages has
// been superseded by a run started meanwhile.
unsigned LatestRun = 0;

template <class TPopulation>
void InitPopulation(TPopulation& population, const std::u32string& gene, const TRunFields& fields)
{
    population.Init(gene);
    population.MutationLimit = static_cast<std::uint8_t>(StrToInt(fields.MutationLimit));
    population.ParasiteKillFactor = Ext2Real(StrToFloat(fields.KillFactor));
    population.MutationRate = Ext2Real(StrToFloat(fields.MutationRate));
}

// The decimal digits of a count below 256; returns their number.
std::size_t PutCount(char* out, std::uint8_t count)
{
    const std::size_t length = count >= 100 ? 3 : (count >= 10 ? 2 : 1);
    unsigned rest = count;
    for (std::size_t i = length; i-- > 0; rest /= 10)
        out[i] = static_cast<char>('0' + rest % 10);
    return length;
}

// One population's generation: parasite, report, then the steps that make the next one.
template <class TPopulation>
void Generation(TRunHost& host, const TExtendedArithmetic& arithmetic, TFloatToTextCache& texts,
                TPopulation& population, TResultBox box, TRunSeries gcSeries, std::uint32_t gcColour,
                TRunSeries livingSeries, std::uint32_t livingColour)
{
    population.ParasiteStep();
    const long double average = Real2Ext(population.AverageGC());
    const std::uint8_t living = population.CountLiving();

    char line[16 + kFloatTextCapacity];
    std::size_t length = PutCount(line, living);
    line[length++] = ';';
    line[length++] = ' ';
    length += texts.Text(arithmetic, line + length, average);
    host.Measured(box, living, average);
    host.AppendLine(box, std::string_view(line, length));
    host.AddPoint(gcSeries, Round(average), gcColour);
    host.AddPoint(livingSeries, living, livingColour);

    population.Mutate();
    population.LethalCheck();
    population.Reproduce();
}

void RunGenerations(TRunHost& host, const TRunFields& fields, unsigned thisRun)
{
    host.ClearLines(TResultBox::Sexual);
    host.ClearLines(TResultBox::Asexual);
    for (auto series :
         {TRunSeries::SexualGC, TRunSeries::SexualLiving, TRunSeries::AsexualLiving, TRunSeries::AsexualGC})
        host.ClearSeries(series);

    const std::u32string gene = DecodeUtf8(fields.Gene);
    host.AppendLine(TResultBox::Sexual, kSexualHeader);
    InitPopulation(SexualPopulation, gene, fields);
    host.AppendLine(TResultBox::Asexual, kAsexualHeader);
    InitPopulation(AsexualPopulation, gene, fields);
    if (fields.Seed)
        RandSeed = *fields.Seed;

    const std::int32_t generations = StrToInt(fields.Generations);
    // The lines' conversions share one setting of the arithmetic; the caller's comes back at the end.
    const TExtendedArithmetic arithmetic;
    TFloatToTextCache texts;
    for (std::int32_t g = 0; g < generations; ++g) {
        if (host.ChartVisible()) {
            host.ProcessMessages();
            if (LatestRun != thisRun)
                return;
        }
        // Each series carries what its title names.
        Generation(host, arithmetic, texts, SexualPopulation, TResultBox::Sexual, TRunSeries::SexualGC, kSexualGCColour,
                   TRunSeries::SexualLiving, kSexualLivingColour);
        Generation(host, arithmetic, texts, AsexualPopulation, TResultBox::Asexual, TRunSeries::AsexualGC,
                   kAsexualGCColour, TRunSeries::AsexualLiving, kAsexualLivingColour);
    }
}

}  // namespace

void SimulationRun(TRunHost& host, const TRunFields& fields)
{
    const unsigned thisRun = ++LatestRun;
    host.SetBusyCursor(true);
    try {
        RunGenerations(host, fields, thisRun);
    } catch (...) {
        // Restored here and not by a destructor: the host may allocate on the way
        // (lines still waiting for their box), and a failure then must replace the
        // error being handled rather than end the program.
        host.SetBusyCursor(false);
        throw;
    }
    host.SetBusyCursor(false);
}
