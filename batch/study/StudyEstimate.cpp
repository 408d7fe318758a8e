#include "batch/study/StudyEstimate.h"

#include "app/FormatSettings.h"
#include "app/IntegerText.h"
#include "app/Utf8.h"
#include "batch/study/StudyTable.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Indices i in [0, end) with i % count == index.
std::int64_t InShard(std::int64_t end, std::int64_t index, std::int64_t count)
{
    return end > index ? (end - index + count - 1) / count : 0;
}

std::int64_t Digits(std::int64_t value)
{
    return static_cast<std::int64_t>(std::to_string(value).size());
}

std::string Decimal(double value, int decimals)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    const std::size_t dot = result.find('.');
    if (dot != std::string::npos)
        result.replace(dot, 1, EncodeUtf8(std::u32string(1, DecimalSeparator)));
    return result;
}

std::string Bytes(double bytes)
{
    const char* units[] = {"Bytes", "kB", "MB", "GB", "TB"};
    int unit = 0;
    while (bytes >= 1000 && unit < 4) {
        bytes /= 1000;
        ++unit;
    }
    return Decimal(bytes, unit == 0 ? 0 : 1) + ' ' + units[unit];
}

std::string Duration(double seconds)
{
    if (seconds < 120)
        return Decimal(seconds, 1) + " s";
    if (seconds < 7200)
        return Decimal(seconds / 60, 1) + " min";
    if (seconds < 172800)
        return Decimal(seconds / 3600, 1) + " h";
    return Decimal(seconds / 86400, 1) + " Tage";
}

}  // namespace

TStudyEstimate EstimateStudy(const TStudyPlan& plan, const TStudyOptions& study, std::int32_t jobs)
{
    TStudyEstimate estimate;
    const std::int64_t replicates = study.Replicates;
    estimate.Sets = plan.RunCount() / replicates;
    const double gcBytes = 15 + (DecimalSeparator == U',' ? 2 : 0);
    for (std::int32_t set = 1; set <= estimate.Sets; ++set) {
        const std::int64_t runs = InShard(set * replicates, study.ShardIndex, study.ShardCount) -
                                  InShard((set - 1) * replicates, study.ShardIndex, study.ShardCount);
        const TParameterTexts& parameters = plan.Parameters(set);
        const std::int64_t generations = std::max(0, StrToInt(parameters[paGenerations]));
        const std::int64_t recorded = generations / study.Every + (generations % study.Every != 0 ? 1 : 0);
        // set, replicate, seed, the parameters, generation, population (6.5), living (2), gc, two
        // empty fields: 15 separators and the line end.
        const std::int64_t seed = plan.Run((set - 1) * replicates).Seed;
        double rowBytes =
            static_cast<double>(Digits(set) + Digits(replicates) + Digits(seed) + Digits(generations)) + 23.5 + gcBytes;
        for (const std::string& text : parameters)
            rowBytes += static_cast<double>(text.size());
        estimate.Runs += runs;
        estimate.Generations += runs * generations;
        estimate.Rows += runs * recorded * 2;
        estimate.Bytes += static_cast<double>(runs * recorded * 2) * rowBytes;
    }
    estimate.Seconds = static_cast<double>(estimate.Generations) * kSecondsPerGeneration /
                       std::min<double>(jobs, static_cast<double>(std::max<std::int64_t>(1, estimate.Runs)));
    return estimate;
}

void WriteEstimate(TTextSink& out, const TStudyEstimate& estimate, std::int32_t jobs)
{
    out.Write("Parametersätze: " + std::to_string(estimate.Sets) + "\n");
    out.Write("Läufe: " + std::to_string(estimate.Runs) + "\n");
    out.Write("Generationen: " + std::to_string(estimate.Generations) + "\n");
    out.Write("Tabellenzeilen: " + std::to_string(estimate.Rows) + "\n");
    out.Write("Tabelle: etwa " + Bytes(estimate.Bytes) + " (ungepackt)\n");
    out.Write("Rechenzeit: etwa " + Duration(estimate.Seconds) + " mit " + std::to_string(jobs) +
              " Arbeitsprozessen (" + Decimal(kSecondsPerGeneration * 1e6, 1) + " µs je Generation)\n");
}
