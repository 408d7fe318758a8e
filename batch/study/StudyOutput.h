#pragma once
// Where a study's or a merge's table, summary and pictures go, and the message for failed runs.
#include "batch/TextSink.h"
#include "batch/study/AtomicFile.h"
#include "batch/study/GzipSink.h"
#include "batch/study/StudyDescriptor.h"
#include "batch/study/StudyPicture.h"
#include "batch/study/StudySummary.h"

#include <cstdint>
#include <optional>
#include <string>

// Where the table or the summary goes: a file completed at the end (gzip when its name ends
// in .gz), or the sink given.
class TOutput {
public:
    TOutput(const std::optional<std::string>& file, TTextSink& fallback)
    {
        if (file)
            FFile.emplace(*file);
        FSink = file ? &FFile->Sink() : &fallback;
        if (file && IsGzipName(*file))
            FSink = &FGzip.emplace(*FSink);
    }
    TTextSink& Sink() { return *FSink; }
    void Commit()
    {
        if (FGzip)
            FGzip->Finish();
        if (FFile)
            FFile->Commit();
    }

private:
    std::optional<TAtomicFile> FFile;
    std::optional<TGzipSink> FGzip;
    TTextSink* FSink;
};

// Says how many of `runs` failed; returns the exit status, 1 when any did.
std::int32_t FailedMessage(TTextSink& err, std::int64_t failed, std::int64_t runs);

// Writes the summary, described as of `part`, and the pictures asked for.
void FinishStudy(TStudySummary& summary, const std::optional<std::string>& summaryFile, const TPictureOptions& picture,
                 const TPartDescription& part);
