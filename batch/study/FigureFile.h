#pragma once
// Figures as files: PNG, or drawn by the chart engine straight onto a PDF page (Qt's PDF
// writer) or into an SVG drawing (Qt SVG) when the name ends in .pdf or .svg.
#include "chart/Chart/DataChart.h"

#include <QImage>
#include <string>

// A chart whose paint goes to a vector device while one is lent to it.
class TFigureChart : public TDataChart {
public:
    // Draws the chart at width x height into the file, completed under its name at the end.
    // Raises std::runtime_error when it cannot be written.
    void Save(const std::string& file, std::int32_t width, std::int32_t height);

protected:
    std::unique_ptr<TChartCanvas> CreateImageCanvas(QImage& image) override;

private:
    void DrawOn(QPaintDevice& device);

    QPaintDevice* FDevice = nullptr;
};

// Whether the name asks for a PDF or SVG drawing.
bool IsVectorName(const std::string& file);

// Writes the image as PNG under a temporary name, then renames it. Raises std::runtime_error or
// EOutputError.
void SavePng(const QImage& image, const std::string& file);
