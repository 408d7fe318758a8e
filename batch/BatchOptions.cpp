#include "batch/BatchOptions.h"

#include "app/GeneText.h"
#include "app/Utf8.h"

#include <cstdio>

const char* const kBatchUsage =
    "Aufruf: kelvaro-batch [Optionen]\n"
    "Rechnet eine Simulation ohne Fenster und schreibt die Ergebnisse auf die Standardausgabe.\n"
    "\n"
    "  --gene TEXT              Initgen, höchstens 10 Zeichen (Vorgabe AAATTCCCGG)\n"
    "  --generations TEXT       Läufe (Vorgabe 500)\n"
    "  --mutation-rate TEXT     Mutationrate (Vorgabe 3)\n"
    "  --mutation-limit TEXT    Mutationlimit (Vorgabe 30)\n"
    "  --kill-factor TEXT       Parasitkillfaktor (Vorgabe 1)\n"
    "  --seed N                 RandSeed nach der Initialisierung statt der Uhrzeit\n"
    "  --decimal-separator C    Dezimaltrennzeichen (Vorgabe aus dem Gebietsschema)\n"
    "  --format memo|csv        Ausgabeformat (Vorgabe memo)\n"
    "  --help                   diese Hilfe\n"
    "\n"
    "Studien (viele Läufe; Tabelle mit einer Zeile je Lauf, Generation und Population):\n"
    "  --replicates N           N Wiederholungen je Parametersatz (Vorgabe 1)\n"
    "  --sweep NAME=W1;W2;...   Werteliste für einen Parameter: gene, generations,\n"
    "                           mutation-rate, mutation-limit oder kill-factor;\n"
    "  --sweep NAME=A:B:S       oder von A bis B in Schritten S (nicht für gene);\n"
    "                           mehrere --sweep bilden das volle Gitter\n"
    "  --every K                nur jede K-te Generation aufzeichnen, die letzte immer (Vorgabe 1)\n"
    "  --paired                 Wiederholung r bekommt in jedem Parametersatz denselben Startwert\n"
    "  --output DATEI           Tabelle in DATEI statt auf die Standardausgabe (DATEI.gz: gzip;\n"
    "                           - Standardausgabe; Geräte und Pipes werden direkt beschrieben)\n"
    "  --summary DATEI          Zusammenfassung je Parametersatz als CSV in DATEI\n"
    "  --resume                 eine abgebrochene Studie fortsetzen: gleicher Aufruf, dazu\n"
    "                           --resume; die fertigen Läufe stehen in DATEI.journal neben\n"
    "                           der Tabelle (--output DATEI), das am Ende verschwindet\n"
    "  --jobs J                 J Arbeitsprozesse (Vorgabe: Zahl der Prozessorkerne)\n"
    "  --shard K/N              nur den K-ten von N Teilen der Läufe rechnen\n"
    "  --plot DATEI.png         Diagramm als Bild: ein Lauf wie im Fenster \"Grafischer Output\",\n"
    "                           eine Studie als Mittelwerte mit 95-%-Band, ein Bild je\n"
    "                           Parametersatz (DATEI-1.png, DATEI-2.png, ... bei mehreren);\n"
    "                           .pdf oder .svg statt .png: Vektorgrafik\n"
    "  --compare DATEI          Vergleich über die Sätze: sexuell minus nicht sexuell (Lebende,\n"
    "                           GC) der letzten Generation mit 95-%-Intervall über dem Parameter\n"
    "                           der ersten --sweep-Angabe, eine Linie je Kombination der übrigen\n"
    "  --dry-run                nur den Plan zeigen: Sätze, Läufe, Zeilen, Bytes, Rechenzeit\n"
    "  --yes                    auch mehr als 10 Millionen Läufe oder 10 GB Tabelle rechnen\n"
    "  --size BxH               Bildgröße in Pixeln (Vorgabe 527x307, wie das Fenster)\n"
    "  --3d                     Bild in der dreidimensionalen Ansicht\n"
    "\n"
    "  kelvaro-batch merge TABELLE... [--output DATEI] [--summary DATEI] [--plot DATEI.png]\n"
    "                           [--compare DATEI] [--allow-partial]\n"
    "                           fügt die Tabellen der Teile (--shard) zur Tabelle der ganzen\n"
    "                           Studie zusammen, nur vollständig und wie beschrieben\n"
    "                           (TABELLE.datapackage.json); --allow-partial: auch ohne die\n"
    "                           fehlenden oder abgeschnittenen Läufe, die es nennt\n"
    "\n"
    "Läufe: Satz s (1, 2, ...; die erste --sweep-Angabe ändert sich am langsamsten),\n"
    "Wiederholung r (1..N) ist Lauf i = (s-1)*N + (r-1), mit --paired i = r-1. Sein Startwert:\n"
    "x = --seed * 2^32 + i; z = (x ^ (x >> 30)) * BF58476D1CE4E5B9; z = (z ^ (z >> 27)) *\n"
    "94D049BB133111EB; z = z ^ (z >> 31) (modulo 2^64, splitmix64); Startwert = obere XOR untere\n"
    "32 Bit von z. Ohne --seed kommt --seed von der Uhr. Jede Zeile nennt ihren Startwert:\n"
    "kelvaro-batch --seed S mit den Parametern der Zeile wiederholt den Lauf genau.\n"
    "Tabellenspalten: set, replicate, seed, gene, generations, mutation_rate, mutation_limit,\n"
    "kill_factor (die Texte wie angegeben), generation, population (sexual oder asexual),\n"
    "living (Anzahl Lebender nach Parasit), gc (GC-Gehalt wie im Ergebnisfeld), died_out_at\n"
    "(Generation, in der die Population ausgestorben ist, sonst leer), error (Fehlermeldung\n"
    "eines abgebrochenen Laufs in einer eigenen Zeile, sonst leer).\n"
    "Zusammenfassung (Zahlen mit Punkt, kürzeste Ziffernfolge, die denselben double-Wert\n"
    "ergibt; leer, wo nicht definiert): set, die fünf Parameter, generation, population,\n"
    "measure, runs (einbezogene Läufe), failed (abgebrochene Läufe, nicht einbezogen), mean,\n"
    "sd (Standardabweichung), min, max, ci_low, ci_high (95-%-Intervall). measure je\n"
    "aufgezeichnete Generation: living, gc (alle Läufe; Intervall des Mittelwerts nach\n"
    "Student t), gc_alive (GC nur der Läufe, in denen die Population noch lebt; runs zählt\n"
    "sie). Je Population: died_out (Anteil ausgestorben, Intervall nach Wilson),\n"
    "extinction_median (Median der Generation des Aussterbens nach Kaplan-Meier, Läufe,\n"
    "die bis zum Ende leben, zensiert; leer, solange über die Hälfte lebt; Intervall nach\n"
    "Brookmeyer-Crowley mit log(-log), inf: nach oben offen), alive_at_end (Kaplan-Meier-\n"
    "Anteil noch lebend in der letzten Generation, Intervall log(-log) mit Greenwood).\n"
    "population sexual-asexual: Differenz von living und gc in der letzten Generation.\n"
    "\n"
    "Exit-Status: 0 Erfolg, 1 Fehler im Lauf (Studie: mindestens ein Lauf), 2 falscher Aufruf\n"
    "oder eine sehr große Studie ohne --yes.\n";

namespace {

constexpr std::size_t kGeneCapacity = 10;

[[noreturn]] void Usage(std::string message)
{
    throw EUsageError(std::move(message));
}

// Characters a number text may hold besides the separator, and characters that
// cannot be seen: as separator they would make the lines unreadable and change
// how the option texts convert.
bool UnfitSeparator(char32_t c)
{
    if ((c >= U'0' && c <= U'9') || c == U'+' || c == U'-' || c == U'E' || c == U'e')
        return true;
    if (c < 0x20 || (c >= 0x7F && c <= 0xA0) || c == 0xAD)
        return true;
    return c == U' ' || c == 0x1680 || (c >= 0x2000 && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x205F && c <= 0x206F) || c == 0x3000 || c == 0xFEFF;
}

}  // namespace

std::uint32_t ReadSeed(const std::string& text)
{
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            Usage("ungültiger Wert für --seed: '" + text + "'");
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > 0xFFFFFFFFu)
            Usage("ungültiger Wert für --seed: '" + text + "'");
    }
    if (text.empty())
        Usage("ungültiger Wert für --seed: ''");
    return static_cast<std::uint32_t>(value);
}

char32_t ReadSeparator(const std::string& text)
{
    const std::u32string characters = DecodeUtf8(text);
    if (characters.size() != 1)
        Usage("--decimal-separator braucht genau ein Zeichen: '" + text + "'");
    const char32_t separator = characters.front();
    if (UnfitSeparator(separator)) {
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(separator));
        Usage(std::string("--decimal-separator: Ziffern, Vorzeichen, E, Leer- und Steuerzeichen gehen nicht: ") + code);
    }
    return separator;
}

std::string ReadGene(const std::string& text)
{
    std::u32string gene = UpperCaseGene(DecodeUtf8(text));
    if (gene.size() > kGeneCapacity)
        Usage("--gene: höchstens 10 Zeichen: '" + text + "'");
    return EncodeUtf8(gene);
}

TOutputFormat ReadFormat(const std::string& text)
{
    if (text == "memo")
        return TOutputFormat::Memo;
    if (text == "csv")
        return TOutputFormat::Csv;
    Usage("unbekanntes Format: '" + text + "' (memo oder csv)");
}
