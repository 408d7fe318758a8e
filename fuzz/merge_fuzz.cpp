// Merge on fuzzed parts of one small study. The first byte chooses one or two shards and
// --allow-partial; the rest, split at 0xFE (never in UTF-8), gives the rows after each part's
// header. Each part gets a true descriptor of its bytes. Every merge is either refused with
// one line and writes nothing, or writes a table that merges again to the same bytes and that
// is the merge of its own runs shared out anew, in one, two or three parts (gzip ones when the
// first byte's third bit is set).
#include "app/FormatSettings.h"
#include "base/FloatEnvironment.h"
#include "batch/study/GzipSink.h"
#include "batch/study/StudyCommand.h"
#include "batch/study/StudyDescriptor.h"
#include "batch/study/StudyTable.h"
#include "fuzz/FloatState.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

const std::filesystem::path& Folder()
{
    static const std::filesystem::path kFolder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "kelvaro-merge-fuzz-XXXXXX").string();
        Require(mkdtemp(name.data()) != nullptr, "no temporary folder");
        return std::filesystem::path(name);
    }();
    return kFolder;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteText(const std::filesystem::path& path, std::string_view text)
{
    std::ofstream(path, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

// gene A, 1 generation, rate 3, limit 30, kill factor 1; two replicates, every generation, seed 5.
TPartDescription Part(std::int32_t shard, std::int32_t shards)
{
    DecimalSeparator = U',';
    return {StudyDefinition({{"A", "1", "3", "30", "1"}}, 2, 1, 5, false), {"fuzz"}, shard, shards, {}, 0, {}};
}

// Writes `table` as part `shard`/`shards` with a true descriptor; returns its file.
std::string WritePart(const std::string& name, std::string_view table, std::int32_t shard, std::int32_t shards,
                      std::vector<std::int64_t> missing = {})
{
    std::string file = (Folder() / name).string();
    TStringSink bytes;
    std::optional<TGzipSink> gzip;
    if (IsGzipName(file))
        gzip.emplace(bytes);
    TChecksumSink written(gzip ? static_cast<TTextSink&>(*gzip) : bytes);
    written.Write(table);
    if (gzip)
        gzip->Finish();
    WriteText(file, bytes.Text);
    TPartDescription part = Part(shard, shards);
    part.Missing = std::move(missing);
    WriteText(DescriptorPath(file), DescriptorText(part, file, TResourceKind::Table, written));
    return file;
}

// The merged table's runs in `shards` parts, each as the study would have written it.
std::vector<std::string> SharedOut(const std::string& merged, std::int32_t shards, bool gzip)
{
    const std::string table = ReadText(merged);
    const std::vector<std::int64_t> missing = ReadDescriptor(ReadText(DescriptorPath(merged)), merged).Missing;
    const std::int64_t replicates = Part(1, 1).Study.Replicates;
    std::vector<std::string> parts(static_cast<std::size_t>(shards), kStudyTableHeader);
    for (std::size_t start = table.find('\n') + 1, end; start < table.size(); start = end + 1) {
        end = table.find('\n', start);
        const std::size_t comma = table.find(',', start);
        const std::int64_t index =
            (std::stoll(table.substr(start, comma - start)) - 1) * replicates + std::stoll(table.substr(comma + 1)) - 1;
        parts[static_cast<std::size_t>(index % shards)] += table.substr(start, end + 1 - start);
    }
    std::vector<std::string> files;
    for (std::int32_t k = 1; k <= shards; ++k) {
        std::vector<std::int64_t> share;
        std::copy_if(missing.begin(), missing.end(), std::back_inserter(share),
                     [&](std::int64_t index) { return index % shards == k - 1; });
        files.push_back(WritePart("shared" + std::to_string(k) + ".csv" + (gzip ? ".gz" : ""),
                                  parts[static_cast<std::size_t>(k - 1)], k, shards, std::move(share)));
    }
    return files;
}

int Merge(std::vector<std::string> args, std::string& err)
{
    TStringSink out, errors;
    const int status = RunCommandLine(args, out, errors);
    err = errors.Text;
    Require(out.Text.empty(), "merge wrote to stdout with --output");
    return status;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    SetFloatEnvironment();
    const std::filesystem::path& folder = Folder();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::int32_t shards = (data[0] & 1) + 1;
    const std::string_view rows(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> args = {"merge"};
    for (std::int32_t k = 1, start = 0; k <= shards; ++k) {
        const std::size_t end = std::min(rows.find('\xFE', static_cast<std::size_t>(start)), rows.size());
        const std::string table =
            kStudyTableHeader + std::string(rows.substr(static_cast<std::size_t>(start), end - start));
        start = static_cast<std::int32_t>(std::min(end + 1, rows.size()));
        args.push_back(WritePart("part" + std::to_string(k) + ".csv", table, k, shards));
    }
    if (data[0] & 2)
        args.push_back("--allow-partial");
    const std::string merged = (folder / "merged.csv").string();
    args.insert(args.end(), {"--output", merged});
    std::string err;
    const int status = Merge(args, err);
    if (status == 2) {
        Require(!err.empty() && err.find('\n') == err.size() - 1, "refused without exactly one line");
        Require(!std::filesystem::exists(merged) && !std::filesystem::exists(DescriptorPath(merged)),
                "refused but wrote");
        return 0;
    }
    const std::string again = (folder / "again.csv").string();
    std::vector<std::string> remerge = {"merge", merged, "--output", again};
    if (data[0] & 2)
        remerge.push_back("--allow-partial");
    Require(Merge(remerge, err) == status, "the merged table merges to another status");
    Require(ReadText(again) == ReadText(merged), "the merged table merges to other bytes");
    for (std::int32_t shares = 1; shares <= 3; ++shares) {
        std::vector<std::string> split = {"merge"};
        for (const std::string& part : SharedOut(merged, shares, (data[0] & 4) != 0))
            split.push_back(part);
        split.insert(split.end(), {"--output", again});
        if (data[0] & 2)
            split.push_back("--allow-partial");
        Require(Merge(split, err) == status, "the merged table's runs shared out anew merge to another status");
        Require(ReadText(again) == ReadText(merged), "the merged table's runs shared out anew merge to other bytes");
    }
    return 0;
}
