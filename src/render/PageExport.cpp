#include "render/PageExport.h"

#include "render/QtCanvas.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <random>
#include <system_error>

namespace korvane::render {
namespace {

constexpr int kImageDpi = 96;
constexpr int kPdfDpi = 300;

QString qtPath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A name beside the target that no other export uses.
std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    std::random_device seed;
    std::mt19937 random(seed());
    std::uniform_int_distribution<unsigned> digits(0, 0xFFFFFF);
    std::filesystem::path temporary = path;
    temporary += ".partial-" + std::to_string(digits(random));
    return temporary;
}

bool drawPdf(const std::filesystem::path& file, PageOrientation orientation,
             const std::vector<PageDrawing>& pages) {
    QPdfWriter writer(qtPath(file));
    writer.setResolution(kPdfDpi);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                        : QPageLayout::Portrait);
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&writer)) {
        return false;
    }
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.newPage();
        }
        QtCanvas canvas(painter, true);
        pages[i](canvas);
    }
    return painter.end();
}

bool drawSvg(const std::filesystem::path& file, PageOrientation orientation,
             const PageDrawing& page) {
    const Size size = exportImageSize(orientation);
    QSvgGenerator generator;
    generator.setFileName(qtPath(file));
    generator.setSize(QSize(size.width, size.height));
    generator.setViewBox(QRect(0, 0, size.width, size.height));
    generator.setResolution(kImageDpi);
    generator.setTitle("Korvane Inductor Designer");
    QPainter painter;
    if (!painter.begin(&generator)) {
        return false;
    }
    painter.fillRect(QRect(0, 0, size.width, size.height), Qt::white);
    QtCanvas canvas(painter, true);
    page(canvas);
    return painter.end() && QFile::exists(qtPath(file));
}

bool drawPng(const std::filesystem::path& file, PageOrientation orientation,
             const PageDrawing& page) {
    const Size size = exportImageSize(orientation);
    QImage image(size.width, size.height, QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(kImageDpi / 0.0254 + 0.5);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QtCanvas canvas(painter, true);
        page(canvas);
    }
    return image.save(qtPath(file), "PNG");
}

} // namespace

std::optional<ExportFormat> exportFormatOf(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == ".pdf") {
        return ExportFormat::Pdf;
    }
    if (extension == ".svg") {
        return ExportFormat::Svg;
    }
    if (extension == ".png") {
        return ExportFormat::Png;
    }
    return std::nullopt;
}

Size exportImageSize(PageOrientation orientation) {
    // Letter, 8.5 x 11 inches.
    const int shortSide = static_cast<int>(8.5 * kImageDpi);
    const int longSide = 11 * kImageDpi;
    return orientation == PageOrientation::Landscape ? Size{longSide, shortSide}
                                                     : Size{shortSide, longSide};
}

std::optional<std::string> exportPages(const std::filesystem::path& path, ExportFormat format,
                                       PageOrientation orientation,
                                       const std::vector<PageDrawing>& pages) {
    if (pages.empty()) {
        return std::string("nothing to export");
    }
    const std::filesystem::path temporary = temporaryBeside(path);
    {
        // Opening the file first tells a missing folder or a read-only place by its reason.
        QFile probe(qtPath(temporary));
        if (!probe.open(QIODevice::WriteOnly)) {
            return probe.errorString().toStdString();
        }
    }
    bool written = false;
    switch (format) {
    case ExportFormat::Pdf:
        written = drawPdf(temporary, orientation, pages);
        break;
    case ExportFormat::Svg:
        written = drawSvg(temporary, orientation, pages.front());
        break;
    case ExportFormat::Png:
        written = drawPng(temporary, orientation, pages.front());
        break;
    }
    std::error_code error;
    if (written) {
        std::filesystem::rename(temporary, path, error);
        if (!error) {
            return std::nullopt;
        }
    }
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return error ? error.message() : std::string("the page could not be drawn into the file");
}

} // namespace korvane::render
