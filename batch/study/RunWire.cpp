#include "batch/study/RunWire.h"

#include <cstring>

namespace {

std::uint64_t LengthLimit(TWireKind kind)
{
    return kind == TWireKind::Output ? kWireChunk : kWireEndLimit;
}

void CheckLength(TWireKind kind, std::uint64_t length)
{
    if (kind != TWireKind::Output && kind != TWireKind::End)
        throw EWireError("unbekannte Nachrichtenart " + std::to_string(static_cast<int>(kind)));
    if (length > LengthLimit(kind))
        throw EWireError("Länge " + std::to_string(length) + " über der Grenze " + std::to_string(LengthLimit(kind)));
}

}  // namespace

TWireHeaderBytes PackHeader(const TWireHeader& header)
{
    CheckLength(header.Kind, header.Length);
    TWireHeaderBytes bytes;
    std::memcpy(bytes.data(), &header.Task, sizeof header.Task);
    bytes[sizeof header.Task] = static_cast<char>(header.Kind);
    std::memcpy(bytes.data() + sizeof header.Task + 1, &header.Length, sizeof header.Length);
    return bytes;
}

TWireHeader UnpackHeader(const TWireHeaderBytes& bytes)
{
    TWireHeader header{};
    std::memcpy(&header.Task, bytes.data(), sizeof header.Task);
    header.Kind = static_cast<TWireKind>(bytes[sizeof header.Task]);
    std::memcpy(&header.Length, bytes.data() + sizeof header.Task + 1, sizeof header.Length);
    CheckLength(header.Kind, header.Length);
    if (header.Task < 0)
        throw EWireError("Laufnummer " + std::to_string(header.Task));
    return header;
}

std::string PackOutcome(const TRunOutcome& outcome)
{
    const std::uint64_t count = outcome.Generations.size();
    const std::uint64_t length = 1 + sizeof count + count * sizeof(TGenerationMeasures);
    CheckLength(TWireKind::End, length);
    std::string packed(length, '\0');
    packed[0] = outcome.Failed ? 1 : 0;
    std::memcpy(packed.data() + 1, &count, sizeof count);
    if (count > 0)  // an empty vector has no data to copy
        std::memcpy(packed.data() + 1 + sizeof count, outcome.Generations.data(), count * sizeof(TGenerationMeasures));
    return packed;
}

TRunOutcome UnpackOutcome(std::string_view packed)
{
    std::uint64_t count = 0;
    if (packed.size() < 1 + sizeof count)
        throw EWireError("Laufende mit " + std::to_string(packed.size()) + " Bytes zu kurz");
    if (packed[0] != 0 && packed[0] != 1)
        throw EWireError("Laufende mit Fehlerkennung " + std::to_string(static_cast<int>(packed[0])));
    std::memcpy(&count, packed.data() + 1, sizeof count);
    const std::uint64_t measures = packed.size() - 1 - sizeof count;
    if (count > measures / sizeof(TGenerationMeasures) || measures != count * sizeof(TGenerationMeasures))
        throw EWireError("Laufende mit " + std::to_string(count) + " Messungen in " + std::to_string(measures) +
                         " Bytes");
    TRunOutcome outcome;
    outcome.Failed = packed[0] != 0;
    outcome.Generations.resize(count);
    if (count > 0)
        std::memcpy(outcome.Generations.data(), packed.data() + 1 + sizeof count, measures);
    return outcome;
}
