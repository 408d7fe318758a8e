#include "batch/study/GzipSource.h"

#include "batch/study/StudyDescriptor.h"

#include <new>
#include <zlib.h>

namespace {

constexpr std::size_t kInputBlock = 1 << 15;
constexpr int kGzipWindow = 15 + 16;  // the largest window, gzip framing only

}  // namespace

struct TGzipSource::TStream {
    z_stream Z = {};
};

TGzipSource::TGzipSource(std::string name, std::function<std::size_t(char*, std::size_t)> read)
    : FName(std::move(name)), FRead(std::move(read)), FStream(std::make_unique<TStream>()), FInput(kInputBlock, '\0')
{
    if (inflateInit2(&FStream->Z, kGzipWindow) != Z_OK)
        throw std::bad_alloc();
}

TGzipSource::~TGzipSource()
{
    inflateEnd(&FStream->Z);
}

std::size_t TGzipSource::Read(char* data, std::size_t size)
{
    z_stream& z = FStream->Z;
    z.next_out = reinterpret_cast<Bytef*>(data);
    z.avail_out = static_cast<uInt>(size);
    while (z.avail_out == size) {
        if (z.avail_in == 0) {
            const std::size_t got = FRead(FInput.data(), FInput.size());
            if (got == 0) {
                if (FInMember || !FAnyMember)
                    throw EDataError(FName + ": gzip-Daten abgeschnitten");
                return 0;
            }
            z.next_in = reinterpret_cast<Bytef*>(FInput.data());
            z.avail_in = static_cast<uInt>(got);
        }
        FInMember = FAnyMember = true;
        const int status = inflate(&z, Z_NO_FLUSH);
        if (status == Z_STREAM_END) {
            FInMember = false;
            inflateReset(&z);
        } else if (status == Z_MEM_ERROR) {
            throw std::bad_alloc();
        } else if (status != Z_OK && status != Z_BUF_ERROR) {
            throw EDataError(FName + ": keine gültigen gzip-Daten (" + (z.msg ? z.msg : "zlib") + ")");
        }
    }
    return size - z.avail_out;
}
