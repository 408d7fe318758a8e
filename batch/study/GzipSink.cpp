#include "batch/study/GzipSink.h"

#include <new>
#include <stdexcept>
#include <zlib.h>

struct TGzipSink::TStream {
    z_stream Z{};
};

bool IsGzipName(const std::string& file)
{
    return file.size() > 3 && file.compare(file.size() - 3, 3, ".gz") == 0;
}

TGzipSink::TGzipSink(TTextSink& out) : FOut(out), FStream(std::make_unique<TStream>()), FBuffer(1 << 16, '\0')
{
    // Window bits 15 + 16: a gzip header and trailer around the deflate stream.
    if (deflateInit2(&FStream->Z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::bad_alloc();
}

TGzipSink::~TGzipSink()
{
    deflateEnd(&FStream->Z);
}

void TGzipSink::Deflate(std::string_view text, int flush)
{
    z_stream& z = FStream->Z;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    do {
        z.next_out = reinterpret_cast<Bytef*>(FBuffer.data());
        z.avail_out = static_cast<uInt>(FBuffer.size());
        const int status = deflate(&z, flush);
        if (status == Z_STREAM_ERROR)
            throw std::logic_error("deflate");
        FOut.Write(std::string_view(FBuffer.data(), FBuffer.size() - z.avail_out));
    } while (z.avail_out == 0 || z.avail_in > 0);
}

void TGzipSink::Write(std::string_view text)
{
    // Pieces small enough for zlib's 32-bit counts.
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t at = 0; at < text.size(); at += kPiece)
        Deflate(text.substr(at, kPiece), Z_NO_FLUSH);
}

void TGzipSink::Finish()
{
    Deflate({}, Z_FINISH);
    FOut.Flush();
}
