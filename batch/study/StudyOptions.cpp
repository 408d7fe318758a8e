#include "batch/study/StudyOptions.h"

#include "app/Errors.h"
#include "app/FloatToText.h"
#include "app/FormatSettings.h"
#include "app/IntegerText.h"
#include "app/TextToFloat.h"

#include <charconv>
#include <string_view>

namespace {

constexpr std::string_view kParameterNames[kParameterCount] = {"gene", "generations", "mutation-rate", "mutation-limit",
                                                               "kill-factor"};
constexpr std::size_t kMaxRangeValues = 100000;

[[noreturn]] void Usage(std::string message)
{
    throw EUsageError(std::move(message));
}

bool IsInteger(TParameter parameter)
{
    return parameter == paGenerations || parameter == paMutationLimit;
}

std::vector<std::string> Split(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    for (;;) {
        const std::size_t end = text.find(separator);
        parts.emplace_back(text.substr(0, end));
        if (end == std::string_view::npos)
            return parts;
        text.remove_prefix(end + 1);
    }
}

// first:last:step, ends included, each value a fresh first + i * step so that no error adds up.
std::vector<std::string> Range(TParameter parameter, const std::vector<std::string>& bounds, const std::string& option)
{
    for (const std::string& bound : bounds)
        CheckParameterText(parameter, bound);
    std::vector<std::string> values;
    const auto add = [&](auto first, auto last, auto step, auto text) {
        if (step == 0 || (last - first) / step < 0)
            Usage("--sweep: leerer Bereich oder Schritt 0: '" + option + "'");
        const auto tolerance = step / 1000000000;
        for (std::size_t i = 0;; ++i) {
            const auto value = first + static_cast<decltype(step)>(i) * step;
            if (step > 0 ? value > last + tolerance : value < last + tolerance)
                return;
            if (values.size() == kMaxRangeValues)
                Usage("--sweep: mehr als 100000 Werte: '" + option + "'");
            values.push_back(text(value));
        }
    };
    if (IsInteger(parameter))
        add(std::int64_t{StrToInt(bounds[0])}, std::int64_t{StrToInt(bounds[1])}, std::int64_t{StrToInt(bounds[2])},
            [](std::int64_t v) { return std::to_string(v); });
    else
        add(StrToFloat(bounds[0]), StrToFloat(bounds[1]), StrToFloat(bounds[2]),
            [](long double v) { return FloatToStr(v); });
    return values;
}

}  // namespace

std::int32_t ReadPositiveNumber(const std::string& name, const std::string& text)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 1)
        Usage("ungültiger Wert für " + name + ": '" + text + "' (ganze Zahl ab 1)");
    return value;
}

void CheckParameterText(TParameter parameter, const std::string& text)
{
    try {
        if (IsInteger(parameter))
            StrToInt(text);
        else if (parameter != paGene)
            StrToFloat(text);
    } catch (const EConvertError& e) {
        Usage(e.Message + " (--" + std::string(kParameterNames[parameter]) + ")");
    }
}

TSweep ReadSweep(const std::string& option, const std::vector<TSweep>& earlier)
{
    const std::size_t equals = option.find('=');
    const std::string_view name = std::string_view(option).substr(0, equals);
    int parameter = 0;
    while (parameter < kParameterCount && kParameterNames[parameter] != name)
        ++parameter;
    if (equals == std::string::npos || parameter == kParameterCount)
        Usage("--sweep braucht NAME=WERTE mit NAME gene, generations, mutation-rate, mutation-limit "
              "oder kill-factor: '" +
              option + "'");
    if (DecimalSeparator == U';' || DecimalSeparator == U':')
        Usage("--sweep trennt Werte mit ';' und ':', nicht möglich mit diesem Dezimaltrennzeichen");
    TSweep sweep{static_cast<TParameter>(parameter), {}};
    for (const TSweep& other : earlier)
        if (other.Parameter == sweep.Parameter)
            Usage("--sweep: " + std::string(name) + " doppelt");
    const std::string values = option.substr(equals + 1);
    const std::vector<std::string> bounds = Split(values, ':');
    if (sweep.Parameter != paGene && values.find(';') == std::string::npos && bounds.size() == 3) {
        sweep.Values = Range(sweep.Parameter, bounds, option);
        return sweep;
    }
    for (const std::string& value : Split(values, ';')) {
        CheckParameterText(sweep.Parameter, value);
        sweep.Values.push_back(sweep.Parameter == paGene ? ReadGene(value) : value);
    }
    return sweep;
}

void ReadShard(TStudyOptions& study, const std::string& text)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string::npos)
        Usage("--shard braucht K/N: '" + text + "'");
    const std::int32_t index = ReadPositiveNumber("--shard", text.substr(0, slash));
    study.ShardCount = ReadPositiveNumber("--shard", text.substr(slash + 1));
    if (index > study.ShardCount)
        Usage("--shard: K größer als N: '" + text + "'");
    study.ShardIndex = index - 1;
}

TParameterTexts ParameterTexts(const TRunFields& fields)
{
    return {fields.Gene, fields.Generations, fields.MutationRate, fields.MutationLimit, fields.KillFactor};
}

void ReadSize(TPictureOptions& picture, const std::string& value)
{
    std::size_t cross = value.find('x');
    std::size_t crossLength = 1;
    if (cross == std::string::npos) {
        cross = value.find("×");
        crossLength = std::string_view("×").size();
    }
    if (cross == std::string::npos)
        Usage("--size braucht BxH: '" + value + "'");
    picture.Width = ReadPositiveNumber("--size", value.substr(0, cross));
    picture.Height = ReadPositiveNumber("--size", value.substr(cross + crossLength));
    if (picture.Width > 10000 || picture.Height > 10000)
        Usage("--size: höchstens 10000x10000: '" + value + "'");
}
