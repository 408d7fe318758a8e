#include "batch/study/TableReader.h"

#include "app/FloatToText.h"
#include "app/IntegerText.h"
#include "app/Utf8.h"

#include <algorithm>
#include <charconv>

namespace {

constexpr std::size_t kColumns = 14;
enum : std::size_t {
    coSet,
    coReplicate,
    coSeed,
    coGene,
    coGeneration = 8,
    coPopulation,
    coLiving,
    coGc,
    coDiedOutAt,
    coError
};

std::string ColumnName(std::size_t column)
{
    const std::string_view header(kStudyTableHeader);
    std::size_t start = 0;
    for (std::size_t c = 0; c < column; ++c)
        start = header.find(',', start) + 1;
    return std::string(header.substr(start, header.find_first_of(",\n", start) - start));
}

bool ValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t start = pos;
        if (NextUtf8(text, pos) == U'\uFFFD' && text.substr(start, pos - start) != "\xEF\xBF\xBD")
            return false;
    }
    return true;
}

// A count as IntToStr writes it, within [low, high]; -1 when it is none.
std::int64_t Count(const std::string& text, std::int64_t low, std::int64_t high)
{
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high ||
        std::to_string(value) != text)
        return -1;
    return value;
}

}  // namespace

std::size_t MaxRowLength(const TStudyDefinition& study)
{
    std::size_t prefix = 0;
    for (const TParameterTexts& set : study.Sets)
        prefix = std::max(prefix, RowPrefix({INT32_MAX, INT32_MAX, UINT32_MAX}, set).size());
    // generation, population, living, quoted gc, died_out_at; an error message may quote the texts.
    return prefix + 11 + 8 + 4 + kFloatTextCapacity + 3 + 12 + 2 * prefix + 512;
}

TTableReader::TTableReader(const std::string& name, const TStudyDefinition& study, const TStudyPlan& plan)
    : FStudy(study), FPlan(plan), FSeparator(DecodeUtf8(study.DecimalSeparator)[0]), FLines(name, MaxRowLength(study))
{
    const std::string_view header(kStudyTableHeader, std::char_traits<char>::length(kStudyTableHeader) - 1);
    if (!FLines.Next(FLine) || (FLines.Unterminated() && header.starts_with(FLine))) {
        FHeaderCut = true;
        return;
    }
    if (FLine.ends_with('\r'))
        Fail(kColumns, "Zeilenende CR LF: Tabellen haben nur LF");
    if (FLine != header)
        Fail(1, "keine Studientabelle (Kopfzeile)");
}

void TTableReader::Fail(std::size_t column, const std::string& what) const
{
    throw EDataError(FLines.Name() + ", Zeile " + std::to_string(FLines.LineNumber()) + ", Spalte " +
                     std::to_string(column) + " (" + ColumnName(std::min(column, kColumns) - 1) + "): " + what);
}

bool TTableReader::Peek()
{
    if (!FPending && !FHeaderCut && FLines.Next(FLine)) {
        FPending = true;
        Split();
    }
    return FPending;
}

void TTableReader::Split()
{
    FFields.assign(1, {});
    FStarts.assign(1, 0);
    if (FLines.Unterminated())
        return;  // cut off: not read as a row
    bool quoted = false;
    for (std::size_t pos = 0; pos < FLine.size(); ++pos) {
        const char c = FLine[pos];
        const bool fieldStart = pos == FStarts.back();
        if (quoted) {
            if (c != '"')
                FFields.back() += c;
            else if (pos + 1 < FLine.size() && FLine[pos + 1] == '"')
                FFields.back() += FLine[++pos];
            else if (pos + 1 < FLine.size() && FLine[pos + 1] != ',')
                Fail(FFields.size(), "Zeichen nach dem schließenden Anführungszeichen");
            else
                quoted = false;
        } else if (c == '"') {
            if (!fieldStart)
                Fail(FFields.size(), "Anführungszeichen mitten im Feld");
            quoted = true;
        } else if (c == ',') {
            if (FFields.size() == kColumns)
                Fail(kColumns + 1, "mehr als " + std::to_string(kColumns) + " Spalten");
            FFields.emplace_back();
            FStarts.push_back(pos + 1);
        } else if (c == '\r') {
            Fail(FFields.size(), "Zeilenende CR LF: Tabellen haben nur LF");
        } else {
            FFields.back() += c;
        }
    }
    if (quoted)
        Fail(FFields.size(), "Anführungszeichen wird erst in einer späteren Zeile geschlossen");
    for (std::size_t c = 0; c < FFields.size(); ++c)
        if (!ValidUtf8(FFields[c]))
            Fail(c + 1, "kein UTF-8");
    if (FFields.size() != kColumns)
        Fail(FFields.size(),
             std::to_string(kColumns) + " Spalten erwartet, " + std::to_string(FFields.size()) + " gefunden");
}

TTableReader::TRead TTableReader::ReadRun(std::int64_t index, TTextSink& rows, TTableRun& run)
{
    const TStudyRun expected = FPlan.Run(index);
    run = {expected, FPlan.Parameters(expected.Set), {}, {}};
    const std::int32_t generations = StrToInt(run.Parameters[paGenerations]);
    const std::string set = IntToStr(expected.Set);
    const std::string replicate = IntToStr(expected.Replicate);
    const std::string seed = std::to_string(RuleSeed(FPlan, index));
    const std::string prefix = RowPrefix(expected, run.Parameters);
    const std::string at = "Satz " + set + ", Replikat " + replicate;
    const auto failRun = [&](std::size_t column, const std::string& what) {
        Fail(column, "Lauf " + set + "/" + replicate + what);
    };
    const auto failSeed = [&](const std::string& found) {
        Fail(coSeed + 1, "Seed '" + found + "' folgt nicht der Regel der Seeds für " + at + " (" + seed + ")");
    };
    std::int32_t generation = std::min(FStudy.Every, generations);
    std::int32_t previous = 0;
    int population = 0;
    bool started = false;
    FDiedOutAt[0] = FDiedOutAt[1] = 0;
    for (;;) {
        if (!Peek())
            return started ? TRead::Truncated : generations > 0 ? TRead::Missing : TRead::Complete;
        if (FLines.Unterminated())
            return TRead::Truncated;
        if (FFields[coSet] != set || FFields[coReplicate] != replicate) {
            if (!started && generations <= 0)
                return TRead::Complete;
            const std::size_t column = FFields[coSet] != set ? coSet + 1 : coReplicate + 1;
            if (started)
                failRun(column, " endet vor Generation " + IntToStr(generation));
            failRun(column, " erwartet (" + at + ")");
        }
        if (FFields[coSeed] != seed)
            failSeed(FFields[coSeed]);
        for (int p = 0; p < kParameterCount; ++p)
            if (FFields[coGene + static_cast<std::size_t>(p)] != run.Parameters[static_cast<std::size_t>(p)])
                Fail(coGene + static_cast<std::size_t>(p) + 1, "anders als in der Beschreibung für " + at);
        FPending = false;
        started = true;
        if (!FFields[coError].empty()) {
            for (std::size_t c = coGeneration; c < coError; ++c)
                if (!FFields[c].empty())
                    Fail(c + 1, "nicht leer in der Fehlerzeile eines Laufs");
            CheckLayout(prefix);
            FLine += '\n';
            rows.Write(FLine);
            run.Outcome.Failed = true;
            return TRead::Complete;
        }
        if (generations <= 0 || FFields[coGeneration] != IntToStr(generation))
            Fail(coGeneration + 1, "Generation '" + FFields[coGeneration] + "' statt " +
                                       (generations > 0 ? IntToStr(generation) : "keiner"));
        if (FFields[coPopulation] != kPopulationNames[population])
            Fail(coPopulation + 1,
                 std::string("'") + FFields[coPopulation] + "' statt " + kPopulationNames[population]);
        CheckMeasures(run, generation, population, previous);
        CheckLayout(prefix);
        FLine += '\n';
        rows.Write(FLine);
        if (population == 1) {
            if (generation == generations)
                return TRead::Complete;
            previous = generation;
            generation =
                static_cast<std::int32_t>(std::min<std::int64_t>(std::int64_t{generation} + FStudy.Every, generations));
        }
        population ^= 1;
    }
}

void TTableReader::CheckMeasures(TTableRun& run, std::int32_t generation, int population, std::int32_t previous)
{
    const std::int64_t living = Count(FFields[coLiving], 0, 100);
    if (living < 0)
        Fail(coLiving + 1, "'" + FFields[coLiving] + "' ist keine Anzahl 0 bis 100");
    const std::string& gcText = FFields[coGc];
    const double gc = GcValue(gcText);
    char printed[kFloatTextCapacity];
    if (gcText.empty() || gcText != std::string_view(printed, FloatToText(printed, gc, 15, 0, FSeparator)) || gc < 0 ||
        gc > 1000)
        Fail(coGc + 1, "'" + gcText + "' ist kein GC-Gehalt 0 bis 1000 mit dem Dezimaltrennzeichen der Studie");
    std::int32_t& diedOutAt = FDiedOutAt[population];
    const std::string& died = FFields[coDiedOutAt];
    if (living > 0 ? !died.empty() || diedOutAt != 0 : died.empty())
        Fail(coDiedOutAt + 1, "'" + died + "' passt nicht zu " + FFields[coLiving] + " Lebenden");
    if (living == 0) {
        const std::int64_t at =
            Count(died, diedOutAt != 0 ? diedOutAt : previous + 1, diedOutAt != 0 ? diedOutAt : generation);
        if (at < 0)
            Fail(coDiedOutAt + 1, "'" + died + "' ist nicht die Generation, in der die Population ausstarb");
        diedOutAt = static_cast<std::int32_t>(at);
    }
    std::vector<TGenerationMeasures>& measures = run.Outcome.Generations;
    if (population == 0)
        measures.push_back({generation, {}, {}, {}});
    measures.back().Living[population] = static_cast<std::int32_t>(living);
    measures.back().Gc[population] = gc;
    measures.back().DiedOutAt[population] = diedOutAt;
}

void TTableReader::CheckLayout(const std::string& prefix)
{
    FRow = prefix;
    std::string& row = FRow;
    for (std::size_t c = coGeneration; c < kColumns; ++c) {
        AppendCsvField(row, FFields[c]);
        if (c + 1 < kColumns)
            row += ',';
    }
    if (row == FLine)
        return;
    const std::size_t differs = static_cast<std::size_t>(
        std::mismatch(row.begin(), row.end(), FLine.begin(), FLine.end()).second - FLine.begin());
    const auto column =
        static_cast<std::size_t>(std::upper_bound(FStarts.begin(), FStarts.end(), differs) - FStarts.begin());
    Fail(column, "anders geschrieben, als das Programm schreibt (Anführungszeichen)");
}

void TTableReader::ExpectEnd()
{
    if (Peek())
        Fail(1, FLines.Unterminated() ? "Datei endet mitten in einer Zeile (abgeschnitten)"
                                      : "Zeile nach dem letzten Lauf des Teils");
}
