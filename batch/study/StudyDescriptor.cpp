#include "batch/study/StudyDescriptor.h"

#include "batch/study/GzipSink.h"

#include "app/FormatSettings.h"
#include "app/IntegerText.h"
#include "app/Utf8.h"
#include "batch/study/AtomicFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <filesystem>

namespace {

constexpr const char* kParameterNames[kParameterCount] = {"gene", "generations", "mutation_rate", "mutation_limit",
                                                          "kill_factor"};

struct TColumn {
    const char* Name;
    const char* Type;
    const char* Unit;  // empty: none
};

constexpr TColumn kColumns[] = {
    {"set", "integer", ""},
    {"replicate", "integer", ""},
    {"seed", "integer", ""},
    {"gene", "string", ""},
    {"generations", "string", ""},
    {"mutation_rate", "string", ""},
    {"mutation_limit", "string", ""},
    {"kill_factor", "string", ""},
    {"generation", "integer", "generation"},
    {"population", "string", ""},
    {"living", "integer", "organisms alive after the parasite attack, of 100"},
    {"gc", "number", "percent"},
    {"died_out_at", "integer", "generation"},
    {"error", "string", ""},
    {"measure", "string", ""},
    {"runs", "integer", "runs"},
    {"failed", "integer", "runs"},
};

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

QJsonObject Field(const std::string& name, TResourceKind kind, const std::string& separator)
{
    QJsonObject field{{"name", Text(name)}, {"type", "number"}};
    if (kind == TResourceKind::Summary)
        field["unit"] = "the row's measure (died_out: share of runs)";
    for (const TColumn& column : kColumns)
        if (name == column.Name) {
            field["type"] = column.Type;
            field.remove("unit");
            if (column.Unit[0] != '\0')
                field["unit"] = column.Unit;
        }
    if (name == "population" && kind == TResourceKind::Table)
        field["constraints"] = QJsonObject{{"enum", QJsonArray{"sexual", "asexual"}}};
    if (name == "living")
        field["constraints"] = QJsonObject{{"minimum", 0}, {"maximum", 100}};
    if (name == "gc" && kind == TResourceKind::Table)
        field["decimalChar"] = Text(separator);
    return field;
}

QJsonArray Fields(const std::string& header, TResourceKind kind, const std::string& separator)
{
    QJsonArray fields;
    std::size_t start = 0;
    while (start <= header.size()) {
        const std::size_t end = std::min(header.find(',', start), header.size());
        fields.append(Field(header.substr(start, end - start), kind, separator));
        start = end + 1;
    }
    return fields;
}

QJsonObject Sets(const TStudyDefinition& study)
{
    QJsonArray sets;
    for (std::size_t s = 0; s < study.Sets.size(); ++s) {
        QJsonObject set{{"set", static_cast<qint64>(s + 1)}};
        for (int p = 0; p < kParameterCount; ++p)
            set[kParameterNames[p]] = Text(study.Sets[s][static_cast<std::size_t>(p)]);
        sets.append(set);
    }
    return QJsonObject{{"sets", sets},
                       {"replicates", study.Replicates},
                       {"every", study.Every},
                       {"paired", study.Paired},
                       {"decimal_separator", Text(study.DecimalSeparator)}};
}

std::int64_t ShareSize(const TPartDescription& part)
{
    return (part.Study.RunCount() - part.Shard + part.ShardCount) / part.ShardCount;
}

// Reading: every item present with the type and range this program writes.
class TDescriptorReader {
public:
    explicit TDescriptorReader(const std::string& name) : FName(name) {}

    [[noreturn]] void Fail(const std::string& what) const
    {
        throw EDataError(FName + ": keine Beschreibung einer Studientabelle (" + what + ")");
    }
    QJsonValue Item(const QJsonObject& object, const char* key) const
    {
        if (!object.contains(key))
            Fail(std::string(key) + " fehlt");
        return object[key];
    }
    QJsonObject Object(const QJsonObject& object, const char* key) const
    {
        const QJsonValue value = Item(object, key);
        if (!value.isObject())
            Fail(std::string(key) + " ist kein Objekt");
        return value.toObject();
    }
    QJsonArray Array(const QJsonObject& object, const char* key) const
    {
        const QJsonValue value = Item(object, key);
        if (!value.isArray())
            Fail(std::string(key) + " ist keine Liste");
        return value.toArray();
    }
    std::string String(const QJsonValue& value, const char* key) const
    {
        if (!value.isString())
            Fail(std::string(key) + " ist kein Text");
        return value.toString().toStdString();
    }
    std::string String(const QJsonObject& object, const char* key) const { return String(Item(object, key), key); }
    std::int64_t Integer(const QJsonValue& value, const char* key, double low, double high) const
    {
        const double number = value.toDouble(NAN);
        if (!value.isDouble() || number != std::floor(number) || number < low || number > high)
            Fail(std::string(key) + " ist keine ganze Zahl im Bereich");
        return static_cast<std::int64_t>(number);
    }
    std::int64_t Integer(const QJsonObject& object, const char* key, double low, double high) const
    {
        return Integer(Item(object, key), key, low, high);
    }

private:
    std::string FName;
};

TStudyDefinition ReadStudy(const TDescriptorReader& read, const QJsonObject& kelvaro)
{
    TStudyDefinition study;
    study.Version = read.String(kelvaro, "version");
    const QJsonObject seed = read.Object(kelvaro, "seed");
    study.BaseSeed = static_cast<std::uint32_t>(read.Integer(seed, "base", 0, 4294967295.0));
    study.SeedRule = read.String(seed, "rule");
    const QJsonObject definition = read.Object(kelvaro, "study");
    study.Replicates = static_cast<std::int32_t>(read.Integer(definition, "replicates", 1, INT32_MAX));
    study.Every = static_cast<std::int32_t>(read.Integer(definition, "every", 1, INT32_MAX));
    if (!definition.value("paired").isBool())
        read.Fail("paired ist kein Wahrheitswert");
    study.Paired = definition.value("paired").toBool();
    study.DecimalSeparator = read.String(definition, "decimal_separator");
    const std::u32string separator = DecodeUtf8(study.DecimalSeparator);
    if (separator.size() != 1 || separator[0] == U'\uFFFD')
        read.Fail("decimal_separator ist kein Zeichen");
    const QJsonArray sets = read.Array(definition, "sets");
    if (sets.isEmpty() || static_cast<double>(sets.size()) * study.Replicates > 4294967296.0)
        read.Fail("sets leer oder zu viele Läufe");
    for (qsizetype s = 0; s < sets.size(); ++s) {
        if (!sets[s].isObject())
            read.Fail("sets enthält kein Objekt");
        const QJsonObject set = sets[s].toObject();
        if (read.Integer(set, "set", 1, INT32_MAX) != s + 1)
            read.Fail("sets nicht der Reihe nach");
        TParameterTexts& texts = study.Sets.emplace_back();
        for (int p = 0; p < kParameterCount; ++p)
            texts[static_cast<std::size_t>(p)] = read.String(set, kParameterNames[p]);
        try {
            StrToInt(texts[paGenerations]);
        } catch (const Exception&) {
            read.Fail("generations ist keine ganze Zahl");
        }
    }
    return study;
}

}  // namespace

// The seed rule in words and the seeds it gives: both follow TStudyPlan::Run and change with it.
// A part made under another rule is of another study.
const char* const kSeedRule =
    "z = splitmix64 finalizer of base * 2^32 + index; seed = upper 32 bits of z xor lower 32 bits; "
    "index = (set - 1) * replicates + replicate - 1, or replicate - 1 when paired";

std::uint32_t RuleSeed(const TStudyPlan& plan, std::int64_t index)
{
    return plan.Run(index).Seed;
}

TStudyDefinition StudyDefinition(std::vector<TParameterTexts> sets, std::int32_t replicates, std::int32_t every,
                                 std::uint32_t baseSeed, bool paired)
{
    return {KELVARO_VERSION, baseSeed, kSeedRule, EncodeUtf8(std::u32string(1, DecimalSeparator)),
            replicates,      every,    paired,    std::move(sets)};
}

std::string DefinitionDifference(const TStudyDefinition& a, const TStudyDefinition& b)
{
    if (a.Version != b.Version)
        return "Programmversion " + b.Version + " statt " + a.Version;
    if (a.SeedRule != b.SeedRule)
        return "Regel der Seeds";
    if (a.BaseSeed != b.BaseSeed)
        return "--seed " + std::to_string(b.BaseSeed) + " statt " + std::to_string(a.BaseSeed);
    if (a.Every != b.Every)
        return "--every " + IntToStr(b.Every) + " statt " + IntToStr(a.Every);
    if (a.Paired != b.Paired)
        return b.Paired ? "--paired statt ohne" : "ohne --paired statt mit";
    if (a.Replicates != b.Replicates)
        return "--replicates " + IntToStr(b.Replicates) + " statt " + IntToStr(a.Replicates);
    if (a.DecimalSeparator != b.DecimalSeparator)
        return "Dezimaltrennzeichen " + b.DecimalSeparator + " statt " + a.DecimalSeparator;
    if (a.Sets != b.Sets)
        return "Parametersätze";
    return {};
}

std::string DescriptorPath(const std::string& file)
{
    return file + ".datapackage.json";
}

std::string DescriptorText(const TPartDescription& part, const std::string& file, TResourceKind kind,
                           const TChecksumSink& written)
{
    QJsonArray commandLine;
    for (const std::string& arg : part.CommandLine)
        commandLine.append(Text(arg));
    QJsonArray missing;
    for (const std::int64_t index : part.Missing)
        missing.append(QJsonArray{static_cast<qint64>(index / part.Study.Replicates + 1),
                                  static_cast<qint64>(index % part.Study.Replicates + 1)});
    const std::int64_t share = ShareSize(part);
    const QJsonObject runs{{"total", static_cast<qint64>(part.Study.RunCount())},
                           {"share", static_cast<qint64>(share)},
                           {"held", static_cast<qint64>(share - static_cast<std::int64_t>(part.Missing.size()))},
                           {"missing", missing}};
    const QJsonObject kelvaro{
        {"version", Text(part.Study.Version)},
        {"command_line", commandLine},
        {"seed", QJsonObject{{"base", static_cast<qint64>(part.Study.BaseSeed)}, {"rule", Text(part.Study.SeedRule)}}},
        {"study", Sets(part.Study)},
        {"shard", QJsonObject{{"index", part.Shard}, {"count", part.ShardCount}}},
        {"runs", runs}};
    const QJsonObject dialect{
        {"delimiter", ","}, {"quoteChar", "\""}, {"doubleQuote", true}, {"lineTerminator", "\n"}, {"header", true}};
    QJsonObject resource{
        {"name", kind == TResourceKind::Table ? "table" : "summary"},
        {"path", Text(std::filesystem::path(file).filename().string())},
        {"profile", "tabular-data-resource"},
        {"format", "csv"},
        {"mediatype", "text/csv"},
        {"encoding", "utf-8"},
        {"bytes", static_cast<qint64>(written.Bytes())},
        {"hash", Text("sha256:" + written.Sha256())},
        {"dialect", dialect},
        {"schema", QJsonObject{{"fields", Fields(written.FirstLine(), kind, part.Study.DecimalSeparator)},
                               {"missingValues", QJsonArray{""}}}}};
    if (IsGzipName(file))
        resource.insert("compression", "gzip");  // bytes and hash are of the table inside
    const QJsonObject package{{"profile", "tabular-data-package"},
                              {"name", "kelvaro-study"},
                              {"kelvaro", kelvaro},
                              {"resources", QJsonArray{resource}}};
    return QJsonDocument(package).toJson(QJsonDocument::Indented).toStdString();
}

void WriteDescriptor(const TPartDescription& part, const std::string& file, TResourceKind kind,
                     const TChecksumSink& written)
{
    if (!std::filesystem::is_regular_file(file))
        return;  // a device, a pipe or standard output took the bytes: nothing to describe beside it
    TAtomicFile descriptor(DescriptorPath(file));
    descriptor.Sink().Write(DescriptorText(part, file, kind, written));
    descriptor.Commit();
}

TPartDescription ReadDescriptor(std::string_view text, const std::string& name)
{
    const TDescriptorReader read(name);
    QJsonParseError error;
    const QJsonDocument document =
        QJsonDocument::fromJson(QByteArray(text.data(), static_cast<qsizetype>(text.size())), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        read.Fail("kein JSON-Objekt");
    const QJsonObject kelvaro = read.Object(document.object(), "kelvaro");
    TPartDescription part;
    part.Study = ReadStudy(read, kelvaro);
    for (const QJsonValue arg : read.Array(kelvaro, "command_line"))
        part.CommandLine.push_back(read.String(arg, "command_line"));
    const QJsonObject shard = read.Object(kelvaro, "shard");
    part.ShardCount = static_cast<std::int32_t>(read.Integer(shard, "count", 1, INT32_MAX));
    part.Shard = static_cast<std::int32_t>(read.Integer(shard, "index", 1, part.ShardCount));
    const QJsonObject runs = read.Object(kelvaro, "runs");
    const QJsonArray missing = read.Array(runs, "missing");
    for (const QJsonValue run : missing) {
        const QJsonArray pair = run.toArray();
        if (pair.size() != 2)
            read.Fail("missing enthält kein Paar Satz, Replikat");
        const std::int64_t set = read.Integer(pair[0], "missing", 1, static_cast<double>(part.Study.Sets.size()));
        const std::int64_t replicate = read.Integer(pair[1], "missing", 1, part.Study.Replicates);
        const std::int64_t index = (set - 1) * part.Study.Replicates + replicate - 1;
        if (!part.InShare(index) || (!part.Missing.empty() && index <= part.Missing.back()))
            read.Fail("missing nicht aufsteigend im Anteil des Teils");
        part.Missing.push_back(index);
    }
    const std::int64_t share = ShareSize(part);
    if (read.Integer(runs, "total", 0, 4294967296.0) != part.Study.RunCount() ||
        read.Integer(runs, "share", 0, 4294967296.0) != share ||
        read.Integer(runs, "held", 0, 4294967296.0) != share - static_cast<std::int64_t>(missing.size()))
        read.Fail("runs passt nicht zur Studie");
    const QJsonArray resources = read.Array(document.object(), "resources");
    if (resources.size() != 1 || !resources[0].isObject())
        read.Fail("resources hält nicht genau eine Tabelle");
    const QJsonObject resource = resources[0].toObject();
    if (read.String(resource, "name") != "table")
        read.Fail("beschreibt keine Studientabelle");
    part.Bytes = static_cast<std::uint64_t>(read.Integer(resource, "bytes", 0, 9007199254740992.0));
    const std::string hash = read.String(resource, "hash");
    if (hash.size() != 71 || hash.rfind("sha256:", 0) != 0 ||
        hash.find_first_not_of("0123456789abcdef", 7) != std::string::npos)
        read.Fail("hash ist kein sha256");
    part.Sha256 = hash.substr(7);
    return part;
}
