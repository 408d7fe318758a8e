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

}  // namespace
