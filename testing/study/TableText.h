#pragma once
// A study table written by hand for a test, read back as every table is read (TTableReader): rows
// are checked against the study, and "S" in a row's seed column stands for the seed its run has.
#include "batch/study/TableReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

inline std::vector<TTableRun> ReadTableText(const std::string& text, const TStudyDefinition& study)
{
    const TStudyPlan plan(study.Sets, study.Replicates, study.BaseSeed, study.Paired);
    std::string seeded;
    for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
        end = text.find('\n', start);
        std::string line = text.substr(start, end - start);
        // set,replicate,S,...: the run's number gives its seed
        if (const std::size_t seed = line.find(",S,"); seed != std::string::npos) {
            const std::int64_t set = std::stoll(line.substr(0, line.find(',')));
            const std::int64_t replicate = std::stoll(line.substr(line.find(',') + 1));
            line.replace(seed + 1, 1, std::to_string(RuleSeed(plan, (set - 1) * study.Replicates + replicate - 1)));
        }
        seeded += line + '\n';
    }
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("kelvaro-table-" + std::to_string(getpid()) + ".csv");
    std::ofstream(file, std::ios::binary) << seeded;
    std::vector<TTableRun> runs(static_cast<std::size_t>(study.RunCount()));
    {
        TTableReader reader(file.string(), study, plan);
        TStringSink rows;
        for (std::int64_t index = 0; index < study.RunCount(); ++index)
            EXPECT_EQ(reader.ReadRun(index, rows, runs[static_cast<std::size_t>(index)]),
                      TTableReader::TRead::Complete);
        reader.ExpectEnd();
        EXPECT_EQ(kStudyTableHeader + rows.Text, seeded);
    }
    std::filesystem::remove(file);
    return runs;
}
