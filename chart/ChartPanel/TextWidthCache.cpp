#include "chart/ChartPanel/TextWidthCache.h"

#include <QFont>
#include <QFontMetrics>
#include <QString>

void TTextWidthCache::Select(const QFont& font, const QFontMetrics& metrics)
{
    thread_local std::unordered_map<QString, std::unordered_map<std::string, int>> widths;
    const QString key = font.key() + QLatin1Char('@') + QString::number(metrics.fontDpi());
    FWidths = &widths[key];
}

int TTextWidthCache::Measure(const std::string& text, const QFontMetrics& metrics)
{
    if (FWidths->size() >= kMostWidths)
        FWidths->clear();
    const int width = metrics.horizontalAdvance(QString::fromStdString(text));
    FWidths->emplace(text, width);
    return width;
}
