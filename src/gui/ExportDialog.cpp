#include "gui/ExportDialog.h"

#include "format/Messages.h"
#include "render/QtCanvas.h"

#include <QFileDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>

namespace korvane::gui {
namespace {

QString askExportFile(QWidget* parent, const QString& suggestedName) {
    QFileDialog dialog(parent, "SAVE AS");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = {"PDF document (*.pdf)", "SVG drawing (*.svg)",
                                 "PNG picture (*.png)"};
    const QStringList suffixes = {"pdf", "svg", "png"};
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix("pdf");
    dialog.selectFile(suggestedName + ".pdf");
    // The filter chosen decides the format: the name follows it.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const QString suffix = suffixes[static_cast<int>(filters.indexOf(filter))];
        dialog.setDefaultSuffix(suffix);
        dialog.selectFile(suggestedName + "." + suffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    QString file = dialog.selectedFiles().front();
    if (!render::exportFormatOf(file.toStdString())) {
        const auto index = filters.indexOf(dialog.selectedNameFilter());
        file += "." + suffixes[static_cast<int>(index < 0 ? 0 : index)];
    }
    return file;
}

QString askSpiceFile(QWidget* parent, const QString& suggestedName) {
    QFileDialog dialog(parent, "SAVE SPICE MODEL");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(
        {"SPICE library (*.lib)", "SPICE subcircuit (*.sub *.cir)", "All Files (*)"});
    dialog.setDefaultSuffix("lib");
    dialog.selectFile(suggestedName + ".lib");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().front();
}

} // namespace

std::function<QString(QWidget*, const QString&)> chooseExportFile = askExportFile;
std::function<QString(QWidget*, const QString&)> chooseSpiceFile = askSpiceFile;

bool saveText(const QString& file, const std::string& text) {
    QSaveFile out(file);
    const bool written = out.open(QIODevice::WriteOnly) &&
                         out.write(text.data(), static_cast<qint64>(text.size())) ==
                             static_cast<qint64>(text.size()) &&
                         out.commit();
    if (!written) {
        showMessage("CANNOT WRITE FILE " + file.toStdString() + ": " +
                        out.errorString().toStdString(),
                    "FILE ERROR");
    }
    return written;
}

namespace {

QPageLayout::Orientation qtOrientation(render::PageOrientation orientation) {
    return orientation == render::PageOrientation::Landscape ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait;
}

} // namespace

bool printPage(QPrinter& printer, render::PageOrientation orientation,
               const render::PageDrawing& page) {
    printer.setPageOrientation(qtOrientation(orientation));
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    render::QtCanvas canvas(painter, true);
    page(canvas);
    return painter.end();
}

bool printWithDialog(QWidget* parent, render::PageOrientation orientation,
                     const std::function<void(QPrinter&)>& print) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(qtOrientation(orientation));
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    print(printer);
    return true;
}

bool exportTo(const QString& file, render::PageOrientation orientation,
              const render::PageDrawing& page) {
    const std::string path = file.toStdString();
    const auto format = render::exportFormatOf(path);
    if (!format) {
        showMessage("CANNOT WRITE FILE " + path + ": the name must end in .pdf, .svg or .png",
                    "FILE ERROR");
        return false;
    }
    if (const auto failure = render::exportPages(path, *format, orientation, {page})) {
        showMessage("CANNOT WRITE FILE " + path + ": " + *failure, "FILE ERROR");
        return false;
    }
    return true;
}

bool saveAs(QWidget* parent, const QString& suggestedName, render::PageOrientation orientation,
            const render::PageDrawing& page) {
    const QString file = chooseExportFile ? chooseExportFile(parent, suggestedName) : QString();
    if (file.isEmpty()) {
        return false;
    }
    return exportTo(file, orientation, page);
}

} // namespace korvane::gui
