#include "batch/SpillBuffer.h"

#include <gtest/gtest.h>

namespace {

TEST(SpillBuffer, KeepsOrderAcrossMemoryAndFile)
{
    // Limits below, at and above the total exercise every mix of the two stores.
    for (std::size_t limit : {1u, 5u, 9u, 1000u}) {
        TSpillBuffer buffer(limit);
        std::string expected;
        for (const char* piece : {"abc", "", "defg", "h", "ijklmnop", "q"}) {
            buffer.AppendLine(piece);
            expected += std::string(piece) + '\n';
        }
        TStringSink sink;
        buffer.MoveTo(sink);
        EXPECT_EQ(sink.Text, expected) << "limit " << limit;

        buffer.AppendLine("again");
        TStringSink second;
        buffer.MoveTo(second);
        EXPECT_EQ(second.Text, "again\n") << "the buffer starts empty after MoveTo";
    }
}

TEST(SpillBuffer, KeepsOrderWhileTheMemoryGrowsAndSpills)
{
    // 7 MiB of lines against a limit of 6 MiB: the memory grows twice, then spills once.
    TSpillBuffer buffer(std::size_t{6} << 20);
    std::string expected;
    for (int i = 0; expected.size() < (std::size_t{7} << 20); ++i) {
        const std::string line(static_cast<std::size_t>(i % 97), static_cast<char>('a' + i % 26));
        buffer.AppendLine(line);
        expected += line + '\n';
    }
    TStringSink sink;
    buffer.MoveTo(sink);
    EXPECT_TRUE(sink.Text == expected);
}

}  // namespace
