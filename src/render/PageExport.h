#pragma once

#include "graphs/Canvas.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane::render {

// The formats a page is exported in, by the file name's extension.
enum class ExportFormat { Pdf, Svg, Png };
std::optional<ExportFormat> exportFormatOf(const std::filesystem::path& path);

enum class PageOrientation { Portrait, Landscape };

// One page, drawn on a canvas that stands for a printer page.
using PageDrawing = std::function<void(Canvas&)>;

// Writes the pages as a printed page is laid out, on a letter page in the orientation:
// a PDF holds every page; SVG and PNG hold the first. The file is written under a temporary
// name in the same folder and renamed when complete, so a failed export leaves no partial
// file and an existing file is replaced only by a complete one. Returns the reason when the
// file cannot be written (nothing is left behind then).
std::optional<std::string> exportPages(const std::filesystem::path& path, ExportFormat format,
                                       PageOrientation orientation,
                                       const std::vector<PageDrawing>& pages);

// The page size in device pixels of an SVG or PNG export (96 pixels per inch).
Size exportImageSize(PageOrientation orientation);

} // namespace korvane::render
