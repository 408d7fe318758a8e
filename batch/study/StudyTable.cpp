#include "batch/study/StudyTable.h"

#include "app/IntegerText.h"

#include <charconv>

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
