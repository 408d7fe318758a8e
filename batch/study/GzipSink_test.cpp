#include "batch/study/GzipSink.h"

#include <gtest/gtest.h>
#include <zlib.h>

namespace {

// zlib's own reading of a gzip member.
std::string Gunzip(const std::string& packed)
{
    z_stream z{};
    EXPECT_EQ(inflateInit2(&z, 15 + 16), Z_OK);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    std::string text;
    char buffer[4096];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        text.append(buffer, sizeof buffer - z.avail_out);
    }
    EXPECT_EQ(status, Z_STREAM_END);
    EXPECT_EQ(z.avail_in, 0u);  // nothing after the member
    inflateEnd(&z);
    return text;
}

TEST(GzipSink, ZlibReadsBackWhatWasWritten)
{
    // Nothing, one short piece, and many pieces that fill the output buffer many times over
    // (random-looking text compresses badly).
    std::string large;
    std::uint32_t x = 1;
    for (int i = 0; i < 400000; ++i) {
        x = x * 1664525u + 1013904223u;
        large += static_cast<char>('0' + (x >> 27));
    }
    for (const std::vector<std::string>& pieces :
         {std::vector<std::string>{}, {"set,replicate\n"}, std::vector<std::string>(8, large)}) {
        TStringSink packed;
        TGzipSink gzip(packed);
        std::string written;
        for (const std::string& piece : pieces) {
            gzip.Write(piece);
            written += piece;
        }
        gzip.Finish();
        ASSERT_GE(packed.Text.size(), 20u);
        EXPECT_EQ(packed.Text.substr(0, 2), "\x1f\x8b");
        EXPECT_TRUE(Gunzip(packed.Text) == written) << written.size();
    }
}

TEST(GzipSink, KnowsGzipNames)
{
    for (const auto& [name, gzip] : {std::pair("table.csv.gz", true), std::pair("table.csv", false),
                                     std::pair(".gz", false), std::pair("table.gzip", false)})
        EXPECT_EQ(IsGzipName(name), gzip) << name;
}

}  // namespace
