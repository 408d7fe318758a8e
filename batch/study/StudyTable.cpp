#include "batch/study/StudyTable.h"

#include "app/IntegerText.h"

#include <charconv>

namespace {

constexpr std::size_t kColumns = 14;

// Splits one CSV record starting at `pos`; advances `pos` past its line break.
std::vector<std::string> ReadRecord(std::string_view text, std::size_t& pos)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (quoted) {
            if (c != '"')
                fields.back() += c;
            else if (pos + 1 < text.size() && text[pos + 1] == '"')
                fields.back() += text[++pos];
            else
                quoted = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            fields.emplace_back();
        } else if (c == '\n') {
            ++pos;
            break;
        } else if (c != '\r') {
            fields.back() += c;
        }
    }
    return fields;
}

template <class T>
bool ReadNumber(const std::string& text, T& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

class TTableParser {
public:
    TTableParser(std::string_view text, const std::string& name) : FText(text), FName(name) {}

    std::vector<TTableRun> Runs()
    {
        if (ReadRecord(FText, FPos) != ReadRecord(kStudyTableHeader, FHeaderPos))
            Fail("keine Studientabelle (Kopfzeile)");
        std::vector<TTableRun> runs;
        while (FPos < FText.size()) {
            const std::size_t start = FPos;
            ++FLine;
            const std::vector<std::string> f = ReadRecord(FText, FPos);
            if (f.size() != kColumns)
                Fail("falsche Spaltenzahl");
            TStudyRun run{};
            if (!ReadNumber(f[0], run.Set) || !ReadNumber(f[1], run.Replicate) || !ReadNumber(f[2], run.Seed))
                Fail("set, replicate oder seed ungültig");
            if (runs.empty() || runs.back().Run.Set != run.Set || runs.back().Run.Replicate != run.Replicate) {
                runs.push_back({run, {f[3], f[4], f[5], f[6], f[7]}, {}, {}});
            } else if (runs.back().Outcome.Failed) {
                Fail("Zeile nach der Fehlerzeile eines Laufs");
            }
            TTableRun& current = runs.back();
            current.Rows.append(FText.substr(start, FPos - start));
            if (!f[13].empty())
                current.Outcome.Failed = true;
            else
                AddMeasure(current.Outcome, f);
        }
        return runs;
    }

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw EUsageError(FName + ", Zeile " + IntToStr(FLine) + ": " + what);
    }

    void AddMeasure(TRunOutcome& outcome, const std::vector<std::string>& f) const
    {
        const int population = f[9] == kPopulationNames[0] ? 0 : f[9] == kPopulationNames[1] ? 1 : -1;
        std::int32_t generation = 0, living = 0, diedOutAt = 0;
        if (population < 0 || !ReadNumber(f[8], generation) || !ReadNumber(f[10], living) ||
            (!f[12].empty() && !ReadNumber(f[12], diedOutAt)))
            Fail("generation, population, living oder died_out_at ungültig");
        if (population == 0)
            outcome.Generations.push_back({generation, {living, 0}, {GcValue(f[11]), 0}, {diedOutAt, 0}});
        else if (outcome.Generations.empty() || outcome.Generations.back().Generation != generation)
            Fail("asexual ohne sexual derselben Generation");
        TGenerationMeasures& measures = outcome.Generations.back();
        measures.Living[population] = living;
        measures.Gc[population] = GcValue(f[11]);
        measures.DiedOutAt[population] = diedOutAt;
    }

    std::string_view FText;
    std::string FName;
    std::size_t FPos = 0;
    std::size_t FHeaderPos = 0;
    std::int32_t FLine = 1;
};

}  // namespace

void AppendCsvField(std::string& row, std::string_view field)
{
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        row.append(field);
        return;
    }
    row += '"';
    for (char c : field) {
        if (c == '"')
            row += '"';
        row += c;
    }
    row += '"';
}

std::string ErrorRow(std::string_view prefix, std::string_view message)
{
    std::string row(prefix);
    row += ",,,,,";
    AppendCsvField(row, message);
    row += '\n';
    return row;
}

std::string RowPrefix(const TStudyRun& run, const TParameterTexts& parameters)
{
    std::string prefix = IntToStr(run.Set) + ',' + IntToStr(run.Replicate) + ',' + std::to_string(run.Seed) + ',';
    for (const std::string& text : parameters) {
        AppendCsvField(prefix, text);
        prefix += ',';
    }
    return prefix;
}

double GcValue(std::string_view text)
{
    // The printed form: sign, digits, one separator character (perhaps several bytes), exponent.
    std::string ascii;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'E')
            ascii += c;
        else if (ascii.empty() || ascii.back() != '.')
            ascii += '.';
    }
    double value = 0;
    std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    return value;
}

std::vector<TTableRun> ReadStudyTable(std::string_view text, const std::string& name)
{
    return TTableParser(text, name).Runs();
}
