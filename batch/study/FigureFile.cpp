#include "batch/study/FigureFile.h"

#include "Unit2/RunChart.h"
#include "base/DesignScale.h"
#include "batch/study/AtomicFile.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <stdexcept>

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

// The encoded file goes through an exclusively created temporary, renamed when complete.
void WriteFile(const QByteArray& bytes, const std::string& file)
{
    TAtomicFile out(file);
    out.Sink().Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    out.Commit();
}

}  // namespace

bool IsVectorName(const std::string& file)
{
    return EndsWith(file, ".pdf") || EndsWith(file, ".svg");
}

void SavePng(const QImage& image, const std::string& file)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw std::runtime_error("kann " + file + " nicht schreiben");
    WriteFile(bytes, file);
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
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(kDesignPixelsPerInch);
            writer.setPageMargins({});
            const double points = 72.0 / kDesignPixelsPerInch;
            writer.setPageSize(QPageSize(QSizeF(width * points, height * points), QPageSize::Point));
            writer.setCreator("kelvaro-batch");
            DrawOn(writer);
        }
        WriteFile(bytes, file);
    } else if (EndsWith(file, ".svg")) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        {
            QSvgGenerator generator;
            generator.setOutputDevice(&buffer);
            generator.setSize({width, height});
            generator.setViewBox(QRect(0, 0, width, height));
            generator.setResolution(kDesignPixelsPerInch);
            DrawOn(generator);
        }
        WriteFile(bytes, file);
    } else {
        Invalidate();
        SavePng(UpdatedImage(), file);
    }
}
