#include "batch/study/StudyOutput.h"

#include "batch/study/CompareFigure.h"

std::int32_t FailedMessage(TTextSink& err, std::int64_t failed, std::int64_t runs)
{
    if (failed == 0)
        return 0;
    err.Write("kelvaro-batch: " + std::to_string(failed) + " von " + std::to_string(runs) +
              " Läufen mit Fehler abgebrochen (Meldungen in der Tabelle).\n");
    return 1;
}

void FinishStudy(TStudySummary& summary, const std::optional<std::string>& summaryFile, const TPictureOptions& picture,
                 const TPartDescription& part)
{
    if (summaryFile) {
        TAtomicFile file(*summaryFile);
        TChecksumSink written(file.Sink());
        summary.Write(written);
        file.Commit();
        WriteDescriptor(part, *summaryFile, TResourceKind::Summary, written);
    }
    if (picture.File)
        SaveStudyPictures(summary, picture);
    if (picture.Compare)
        SaveCompareFigure(summary, picture, *picture.Compare);
}
