#pragma once
// Text advances already measured, per font (its key and resolution): shaping a text costs far
// more than looking it up, and a chart measures the same labels at every paint. The widths
// are shared by every canvas of the thread.
#include <cstddef>
#include <string>
#include <unordered_map>

class QFont;
class QFontMetrics;

class TTextWidthCache {
public:
    // Selects the widths measured with this font; metrics are the font's.
    void Select(const QFont& font, const QFontMetrics& metrics);
    // The text's advance in the selected font, measured with its metrics when not known yet.
    int Width(const std::string& text, const QFontMetrics& metrics)
    {
        const auto known = FWidths->find(text);
        return known != FWidths->end() ? known->second : Measure(text, metrics);
    }

private:
    // Measures a text not known yet and keeps its width.
    int Measure(const std::string& text, const QFontMetrics& metrics);

    // Bounded: labels of a chart that keeps rescaling would otherwise pile up.
    static constexpr std::size_t kMostWidths = 4096;
    std::unordered_map<std::string, int>* FWidths = nullptr;
};
