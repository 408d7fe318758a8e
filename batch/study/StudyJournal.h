#pragma once
// The finished runs of a study, kept durably beside its table (`<table>.journal`) so that an
// interrupted study can go on where it stopped. After an 8-byte mark the file is a list of
// records: payload length (u64), CRC-32 of the payload (u32), payload. The first record names
// the study; each later one holds a run, in the study's order: its index (u64), its rows, its
// measures, their count (u64) and whether it failed (u8). Records are synced to disk in batches;
// a record cut short or with a wrong checksum (power lost while writing) ends the journal.
#include "batch/TextSink.h"
#include "batch/study/StudyTable.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

class TStudyJournal : public TTextSink {
public:
    static std::string PathFor(const std::string& table);

    // The base seed a journal at `path` was begun with; none when there is no complete journal.
    // Raises EOutputPathError when the file is no journal or cannot be read.
    static std::optional<std::uint32_t> Seed(const std::string& path);

    // Begins a journal for the study `identity` with `seed`, created exclusively, or with `resume`
    // goes on with the one there (when it has a complete first record). Raises EOutputPathError
    // when a journal is there without `resume`, when another process holds it or when it belongs
    // to another study (its identity not `identity`; `difference` names what differs).
    TStudyJournal(std::string path, std::uint32_t seed, const std::string& identity, bool resume,
                  const std::function<std::string(const std::string& stored)>& difference);
    ~TStudyJournal() override;
    TStudyJournal(const TStudyJournal&) = delete;
    TStudyJournal& operator=(const TStudyJournal&) = delete;

    // The runs the journal holds: 0 .. Done() - 1.
    std::int64_t Done() const { return FDone; }
    // Writes the rows of every run held to `table` and hands its measures to `done`, reading the
    // journal piece by piece.
    void Replay(TTextSink& table, const std::function<void(std::int64_t, TRunOutcome&&)>& done) const;

    // A run's record: BeginRun, its rows through the sink it returns (which hands them on to
    // `table` as well), EndRun.
    TTextSink& BeginRun(std::int64_t index, TTextSink& table);
    void Write(std::string_view rows) override;
    void EndRun(const TRunOutcome& outcome);

    // The study is complete: the journal goes.
    void Remove();

private:
    void Append(const void* data, std::size_t size);
    void AppendPayload(const void* data, std::size_t size);
    void Push();
    void Sync();
    void Begin(std::uint32_t seed, const std::string& identity);
    bool CheckRecord(std::uint64_t& offset, std::uint64_t size, std::int64_t index) const;

    std::string FPath;
    int FDescriptor = -1;
    std::int64_t FDone = 0;
    std::uint64_t FRunsStart = 0;    // where the first run's record begins
    std::uint64_t FEnd = 0;          // the file's length with the buffer written
    std::uint64_t FBufferStart = 0;  // where the buffer goes
    std::string FBuffer;
    TTextSink* FTable = nullptr;
    std::uint64_t FRecordStart = 0;
    std::uint64_t FRecordLength = 0;
    std::uint32_t FRecordCrc = 0;
    std::int32_t FUnsynced = 0;
    std::chrono::steady_clock::time_point FSynced;
};
