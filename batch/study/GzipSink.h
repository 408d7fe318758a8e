#pragma once
// Text compressed to the gzip format (zlib) on its way to another sink.
#include "batch/TextSink.h"

#include <memory>
#include <string>

// Whether a file name asks for gzip (ends in ".gz").
bool IsGzipName(const std::string& file);

class TGzipSink : public TTextSink {
public:
    explicit TGzipSink(TTextSink& out);
    ~TGzipSink() override;
    TGzipSink(const TGzipSink&) = delete;
    TGzipSink& operator=(const TGzipSink&) = delete;

    void Write(std::string_view text) override;
    // Ends the gzip member and hands it all on; nothing may be written after it.
    void Finish();

private:
    struct TStream;
    void Deflate(std::string_view text, int flush);

    TTextSink& FOut;
    std::unique_ptr<TStream> FStream;
    std::string FBuffer;
};
