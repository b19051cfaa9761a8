#pragma once

#include "graphs/Canvas.h"

#include <CLI/CLI.hpp>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace korvane::cli {

// The printed pages of a run written into files. Only a build with the page renderer
// (KORVANE_EXPORT) offers the options; without it the option functions add nothing.

enum class PageOrientation { Portrait, Landscape };

// One printed page, drawn on a canvas that stands for the printer page.
using PageDrawing = std::function<void(Canvas&)>;

// Adds "--pdf FILE": the pages as a PDF, whatever the name ends in.
void addPdfOption(CLI::App* command, std::optional<std::string>& path,
                  const std::string& description);

// Adds "--plot FILE": one page as PDF, SVG or PNG by the name's extension; any other
// extension is a usage error.
void addPlotOption(CLI::App* command, std::optional<std::string>& path,
                   const std::string& description);

// Writes the pages of --pdf, or the first page of --plot in the format of its extension. A file
// that cannot be written is reported ("FILE ERROR") and leaves nothing behind. Returns kExitOk
// or kExitRefused.
int writePdf(const std::string& path, PageOrientation orientation,
             const std::vector<PageDrawing>& pages);
int writePlot(const std::string& path, PageOrientation orientation, const PageDrawing& page);

} // namespace korvane::cli
