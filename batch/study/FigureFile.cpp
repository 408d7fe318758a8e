#include "batch/study/FigureFile.h"

#include "Unit2/RunChart.h"
#include "base/DesignScale.h"

#include <QFile>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace {

bool EndsWith(const std::string& file, std::string_view suffix)
{
    if (file.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(file[file.size() - suffix.size() + i])) != suffix[i])
            return false;
    return true;
}

std::string TemporaryName(const std::string& file, const char* extension)
{
    return file + ".tmp" + std::to_string(getpid()) + extension;
}

void Complete(bool written, const std::string& temporary, const std::string& file)
{
    if (!written || !QFile::exists(QString::fromStdString(temporary)) ||
        std::rename(temporary.c_str(), file.c_str()) != 0) {
        std::remove(temporary.c_str());
        throw std::runtime_error("kann " + file + " nicht schreiben");
    }
}

}  // namespace

bool IsVectorName(const std::string& file)
{
    return EndsWith(file, ".pdf") || EndsWith(file, ".svg");
}

void SavePng(const QImage& image, const std::string& file)
{
    const std::string temporary = TemporaryName(file, ".png");
    Complete(image.save(QString::fromStdString(temporary), "PNG"), temporary, file);
}

std::string NumberedFile(const std::string& file, std::int32_t number)
{
    const std::size_t slash = file.rfind('/');
    std::size_t dot = file.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        dot = file.size();
    return file.substr(0, dot) + '-' + std::to_string(number) + file.substr(dot);
}

std::unique_ptr<TChartCanvas> TFigureChart::CreateImageCanvas(QImage& image)
{
    return FDevice ? std::make_unique<TChartCanvas>(FDevice) : TDataChart::CreateImageCanvas(image);
}

void TFigureChart::DrawOn(QPaintDevice& device)
{
    FDevice = &device;
    Invalidate();
    UpdatedImage();
    FDevice = nullptr;
}

void TFigureChart::Save(const std::string& file, std::int32_t width, std::int32_t height)
{
    SetBounds(0, 0, width, height);
    if (EndsWith(file, ".pdf")) {
        const std::string temporary = TemporaryName(file, ".pdf");
        {
            QPdfWriter writer(QString::fromStdString(temporary));
            writer.setResolution(kDesignPixelsPerInch);
            writer.setPageMargins({});
            const double points = 72.0 / kDesignPixelsPerInch;
            writer.setPageSize(QPageSize(QSizeF(width * points, height * points), QPageSize::Point));
            writer.setCreator("kelvaro-batch");
            DrawOn(writer);
        }
        Complete(true, temporary, file);
    } else if (EndsWith(file, ".svg")) {
        const std::string temporary = TemporaryName(file, ".svg");
        {
            QSvgGenerator generator;
            generator.setFileName(QString::fromStdString(temporary));
            generator.setSize({width, height});
            generator.setViewBox(QRect(0, 0, width, height));
            generator.setResolution(kDesignPixelsPerInch);
            DrawOn(generator);
        }
        Complete(true, temporary, file);
    } else {
        Invalidate();
        SavePng(UpdatedImage(), file);
    }
}
