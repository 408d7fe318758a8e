#pragma once
// A sink that hands every byte on and keeps their count and SHA-256, for a file's description.
#include "batch/TextSink.h"

#include <QCryptographicHash>
#include <cstdint>
#include <string>

class TChecksumSink : public TTextSink {
public:
    explicit TChecksumSink(TTextSink& next) : FNext(next) {}

    void Write(std::string_view text) override;
    void Flush() override { FNext.Flush(); }

    std::uint64_t Bytes() const { return FBytes; }
    // Lower-case hexadecimal.
    std::string Sha256() const;
    // The first line, without its line break: a table's or summary's header.
    const std::string& FirstLine() const { return FFirstLine; }

private:
    TTextSink& FNext;
    QCryptographicHash FHash{QCryptographicHash::Sha256};
    std::uint64_t FBytes = 0;
    std::string FFirstLine;
    bool FFirstLineDone = false;
};
