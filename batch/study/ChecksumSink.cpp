#include "batch/study/ChecksumSink.h"

void TChecksumSink::Write(std::string_view text)
{
    FNext.Write(text);
    FHash.addData(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    FBytes += text.size();
    if (!FFirstLineDone) {
        const std::size_t end = text.find('\n');
        FFirstLine.append(text.substr(0, end));
        FFirstLineDone = end != std::string_view::npos;
    }
}

std::string TChecksumSink::Sha256() const
{
    return FHash.result().toHex().toStdString();
}
