#include "batch/TextSink.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/mman.h>
#include <unistd.h>
#include <vector>

namespace {

std::string ReadBack(int descriptor)
{
    std::string text(static_cast<std::size_t>(::lseek(descriptor, 0, SEEK_END)), '\0');
    EXPECT_EQ(::pread(descriptor, text.data(), text.size(), 0), static_cast<ssize_t>(text.size()));
    return text;
}

TEST(FileSink, WritesEveryLineWholeAcrossItsBlocks)
{
    // Lines that end just before, at and after the 64 KiB block, pieces longer than a block,
    // and plain text between the lines.
    const std::vector<std::vector<std::size_t>> cases = {
        {65534, 3},         {65535, 3},     {65536, 3},        {65537},       {200000, 1, 0},
        {30000, 35534, 10}, {30000, 35535}, {30000, 35536, 5}, {0, 0, 65535}, {17, 65518, 17, 65518},
    };
    for (const auto& lengths : cases) {
        const int descriptor = ::memfd_create("sink", 0);
        ASSERT_GE(descriptor, 0);
        std::string expected;
        {
            TFileSink sink(descriptor, "dem Test");
            for (std::size_t i = 0; i < lengths.size(); ++i) {
                const std::string line(lengths[i], static_cast<char>('a' + i));
                sink.WriteLine(line);
                sink.Write("x");
                expected += line + "\nx";
            }
            sink.Flush();
        }
        EXPECT_TRUE(ReadBack(descriptor) == expected) << lengths.size() << " lines, the first " << lengths[0];
        ::close(descriptor);
    }
}

}  // namespace
