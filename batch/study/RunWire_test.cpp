#include "batch/study/RunWire.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(RunWireTest, OutcomesAndHeadersComeBackAsPacked)
{
    TRunOutcome outcome;
    outcome.Failed = true;
    for (std::int32_t g = 1; g <= 3; ++g)
        outcome.Generations.push_back({g, {g, 2 * g}, {0.5 * g, 1e-300}, {0, g}});
    for (const TRunOutcome& sent : {TRunOutcome{}, outcome}) {
        const TRunOutcome got = UnpackOutcome(PackOutcome(sent));
        EXPECT_EQ(got.Failed, sent.Failed);
        ASSERT_EQ(got.Generations.size(), sent.Generations.size());
        EXPECT_TRUE(sent.Generations.empty() ||
                    std::memcmp(got.Generations.data(), sent.Generations.data(),
                                sent.Generations.size() * sizeof(TGenerationMeasures)) == 0);
    }
    for (const TWireHeader sent :
         {TWireHeader{0, TWireKind::Output, 0}, TWireHeader{(std::int64_t{1} << 40) + 3, TWireKind::Output, kWireChunk},
          TWireHeader{7, TWireKind::End, kWireEndLimit}}) {
        const TWireHeader got = UnpackHeader(PackHeader(sent));
        EXPECT_EQ(got.Task, sent.Task);
        EXPECT_EQ(got.Kind, sent.Kind);
        EXPECT_EQ(got.Length, sent.Length);
    }
}

TEST(RunWireTest, EveryDamagedLengthOrFieldIsRefused)
{
    const std::string packed = PackOutcome({{{1, {2, 3}, {0.25, 0.5}, {0, 0}}}, false});
    std::string flagged = packed;
    flagged[0] = 2;
    std::string overflowing = packed;  // a count whose byte size wraps around
    const std::uint64_t huge = (std::uint64_t{1} << 63) / sizeof(TGenerationMeasures) * 2 + 1;
    std::memcpy(overflowing.data() + 1, &huge, sizeof huge);
    const struct {
        const char* Name;
        std::string Packed;
    } outcomes[] = {{"empty", ""},
                    {"no count", packed.substr(0, 5)},
                    {"a measure short", packed.substr(0, packed.size() - 1)},
                    {"a byte over", packed + "x"},
                    {"flag", flagged},
                    {"overflowing count", overflowing}};
    for (const auto& c : outcomes) {
        SCOPED_TRACE(c.Name);
        EXPECT_THROW(UnpackOutcome(c.Packed), EWireError);
    }

    const auto bytes = [](std::int64_t task, std::uint8_t kind, std::uint64_t length) {
        TWireHeaderBytes header{};
        std::memcpy(header.data(), &task, sizeof task);
        header[sizeof task] = static_cast<char>(kind);
        std::memcpy(header.data() + sizeof task + 1, &length, sizeof length);
        return header;
    };
    const struct {
        const char* Name;
        TWireHeaderBytes Bytes;
    } headers[] = {{"kind 0", bytes(1, 0, 1)},
                   {"kind 3", bytes(1, 3, 1)},
                   {"chunk over", bytes(1, 1, kWireChunk + 1)},
                   {"end over", bytes(1, 2, kWireEndLimit + 1)},
                   {"negative task", bytes(-1, 1, 1)}};
    for (const auto& c : headers) {
        SCOPED_TRACE(c.Name);
        EXPECT_THROW(UnpackHeader(c.Bytes), EWireError);
    }
    EXPECT_THROW(PackHeader({1, TWireKind::Output, kWireChunk + 1}), EWireError);
    EXPECT_THROW(PackHeader({1, TWireKind::End, kWireEndLimit + 1}), EWireError);
}

}  // namespace
