#pragma once
// The simulation run behind the Start button, shared with the headless runner.
// It reaches the windows only through TRunHost.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The result boxes (Memo1, Memo2) and the chart's series (Series1 .. Series4), by what they show.
enum class TResultBox { Sexual, Asexual };
enum class TRunSeries { SexualGC, SexualLiving, AsexualLiving, AsexualGC };

inline constexpr const char* kSexualHeader = "Anzahl Lebender nach Parasit (sexuell); GC-Gehalt (sexuell)";
inline constexpr const char* kAsexualHeader = "Anzahl Lebender nach Parasit (nicht sexuell); GC-Gehalt (nichtsexuell)";

// Colours (0x00BBGGRR) each series' points carry.
inline constexpr std::uint32_t kSexualGCColour = 0x0000FF;       // clRed, "GC-Sexuell"
inline constexpr std::uint32_t kSexualLivingColour = 0x8000FF;   // "Lebend-Sexuell"
inline constexpr std::uint32_t kAsexualLivingColour = 0xFFFF00;  // clAqua, "Lebend-Nichtsexuell"
inline constexpr std::uint32_t kAsexualGCColour = 0xFF0000;      // clBlue, "GC-Nichtsexuell"

class TRunHost {
public:
    virtual ~TRunHost() = default;

    virtual void ClearLines(TResultBox box) = 0;
    virtual void AppendLine(TResultBox box, std::string_view line) = 0;
    virtual void ClearSeries(TRunSeries series) = 0;
    virtual void AddPoint(TRunSeries series, double value, std::uint32_t colour) = 0;
    virtual bool ChartVisible() = 0;
    // Processes all pending window messages; may start a new run inside this one.
    virtual void ProcessMessages() = 0;
    virtual void SetBusyCursor(bool busy) = 0;

    // The unrounded measures behind the generation line about to be appended,
    // for hosts that keep numbers rather than text.
    virtual void Measured(TResultBox /*box*/, std::uint8_t /*living*/, long double /*averageGC*/) {}
};

// The texts of the parameter fields, converted as the run reaches them. The initial values are
// the fields' texts when the main window opens, and the runner's defaults.
struct TRunFields {
    std::string Gene = "AAATTCCCGG";  // initial gene, as is
    std::string Generations = "500";
    std::string KillFactor = "1";      // parasite kill factor
    std::string MutationLimit = "30";  // low 8 bits used
    std::string MutationRate = "3";
    // RandSeed after both populations are initialised, instead of the clock's.
    std::optional<std::uint32_t> Seed;
};

// The whole run. Conversion and floating-point errors propagate to the caller
// after the cursor is restored; what was produced stays. A run superseded by
// a newer one started from ProcessMessages ends silently.
void SimulationRun(TRunHost& host, const TRunFields& fields);
