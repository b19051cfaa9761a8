#include "PageExportCli.h"

#include "CliSupport.h"
#include "format/Messages.h"

#include <iostream>

#ifdef KORVANE_EXPORT
#include "render/OffscreenApplication.h"
#include "render/PageExport.h"
#endif

namespace korvane::cli {

#ifdef KORVANE_EXPORT

namespace {

render::PageOrientation renderOrientation(PageOrientation orientation) {
    return orientation == PageOrientation::Landscape ? render::PageOrientation::Landscape
                                                     : render::PageOrientation::Portrait;
}

int writePages(const std::string& path, render::ExportFormat format, PageOrientation orientation,
               const std::vector<PageDrawing>& pages) {
    // Painting needs a Qt application; it is created only now, for runs that write pages.
    render::ensureGuiApplication();
    if (const auto reason =
            render::exportPages(path, format, renderOrientation(orientation), pages)) {
        showMessage("CANNOT WRITE FILE " + path + ": " + *reason, "FILE ERROR");
        return kExitRefused;
    }
    return kExitOk;
}

} // namespace

void addPdfOption(CLI::App* command, std::optional<std::string>& path,
                  const std::string& description) {
    command->add_option("--pdf", path, description)->type_name("FILE");
}

void addPlotOption(CLI::App* command, std::optional<std::string>& path,
                   const std::string& description) {
    const CLI::Validator pageFileName(
        [](std::string& name) {
            return render::exportFormatOf(name)
                       ? std::string()
                       : "the file name must end in .pdf, .svg or .png: " + name;
        },
        "");
    command->add_option("--plot", path, description)
        ->type_name("FILE.pdf|FILE.svg|FILE.png")
        ->check(pageFileName);
}

int writePdf(const std::string& path, PageOrientation orientation,
             const std::vector<PageDrawing>& pages) {
    return writePages(path, render::ExportFormat::Pdf, orientation, pages);
}

int writePlot(const std::string& path, PageOrientation orientation, const PageDrawing& page) {
    // The option's check lets only the three extensions through.
    const auto format = render::exportFormatOf(path).value_or(render::ExportFormat::Pdf);
    return writePages(path, format, orientation, {page});
}

#else

void addPdfOption(CLI::App*, std::optional<std::string>&, const std::string&) {}
void addPlotOption(CLI::App*, std::optional<std::string>&, const std::string&) {}

int writePdf(const std::string&, PageOrientation, const std::vector<PageDrawing>&) {
    std::cerr << "korvane: this build writes no page files\n";
    return kExitUsage;
}

int writePlot(const std::string&, PageOrientation, const PageDrawing&) {
    std::cerr << "korvane: this build writes no page files\n";
    return kExitUsage;
}

#endif

} // namespace korvane::cli
