// The runner's command line, split at NUL bytes: every command line is either taken
// or refused with a usage error and leaves the decimal separator as it was; a run's
// options parse again to themselves from their "--name=value" form, keep genes to ten
// upper-cased characters, and never take a decimal separator that changes how numbers
// read or makes the lines unreadable.
#include "app/FloatToText.h"
#include "app/FormatSettings.h"
#include "app/GeneText.h"
#include "app/TextToFloat.h"
#include "app/Utf8.h"
#include "base/FloatEnvironment.h"
#include "batch/study/CommandLine.h"
#include "fuzz/FloatState.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::vector<std::string> Split(std::string_view input)
{
    std::vector<std::string> args;
    for (std::size_t start = 0;;) {
        const std::size_t end = input.find('\0', start);
        args.emplace_back(input.substr(start, end - start));
        if (end == std::string_view::npos)
            return args;
        start = end + 1;
    }
}

std::vector<std::string> Rendered(const TBatchOptions& options)
{
    const TRunFields& f = options.Fields;
    std::vector<std::string> args = {"--gene=" + f.Gene, "--generations=" + f.Generations,
                                     "--kill-factor=" + f.KillFactor, "--mutation-limit=" + f.MutationLimit,
                                     "--mutation-rate=" + f.MutationRate};
    if (options.Format)
        args.push_back(*options.Format == TOutputFormat::Csv ? "--format=csv" : "--format=memo");
    if (f.Seed)
        args.push_back("--seed=" + std::to_string(*f.Seed));
    if (options.DecimalSeparator)
        args.push_back("--decimal-separator=" + EncodeUtf8(std::u32string(1, *options.DecimalSeparator)));
    return args;
}

bool Same(const TBatchOptions& a, const TBatchOptions& b)
{
    return a.Fields.Gene == b.Fields.Gene && a.Fields.Generations == b.Fields.Generations &&
           a.Fields.KillFactor == b.Fields.KillFactor && a.Fields.MutationLimit == b.Fields.MutationLimit &&
           a.Fields.MutationRate == b.Fields.MutationRate && a.Fields.Seed == b.Fields.Seed && a.Format == b.Format &&
           a.DecimalSeparator == b.DecimalSeparator;
}

long double Read(const std::string& text)
{
    long double value = -12345;
    return TextToFloat(text, value) ? value : -12345;
}

// With `separator`, texts without it read as they do with any other, a number with it
// reads as the fraction it writes, and a printed value stays one plain line.
void CheckSeparator(char32_t separator)
{
    DecimalSeparator = separator;
    const std::string s = EncodeUtf8(std::u32string(1, separator));
    Require(Read("1E1") == 10 && Read("-2") == -2 && Read("+3") == 3 && Read(" 4 ") == 4 && Read("5e-1") == 0.5L &&
                Read("12") == 12,
            "a taken separator changes how numbers without it read");
    Require(Read("1" + s + "5") == 1.5L, "a number with the taken separator does not read");
    char text[kFloatTextCapacity];
    const std::string printed(text, FloatToText(text, 49.95L, 15, 0, separator));
    Require(Read(printed) == Read("49" + s + "95") && printed.find_first_of(" \t\r\n") == std::string::npos,
            "a printed value with the taken separator does not read back as one plain line");
    DecimalSeparator = U'.';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SetFloatEnvironment();
    const std::vector<std::string> args = Split(std::string_view(reinterpret_cast<const char*>(data), size));
    DecimalSeparator = U'.';
    TBatchOptions options;
    try {
        const TCommandLine line = ParseCommandLine(args);
        if (line.Command == TCommand::Help || line.Command == TCommand::Merge)
            return 0;
        options = line.Run;
    } catch (const EUsageError& e) {
        Require(!e.Message.empty(), "a usage error without a message");
        Require(DecimalSeparator == U'.', "a refused command line changed the decimal separator");
        return 0;
    }
    Require(DecimalSeparator == U'.', "reading the command line changed the decimal separator");
    const std::u32string gene = DecodeUtf8(options.Fields.Gene);
    Require(gene.size() <= 10 && UpperCaseGene(gene) == gene, "a gene longer than ten characters or not upper case");
    if (options.DecimalSeparator)
        CheckSeparator(*options.DecimalSeparator);
    Require(Same(ParseCommandLine(Rendered(options)).Run, options), "the options do not parse again to themselves");
    return 0;
}
