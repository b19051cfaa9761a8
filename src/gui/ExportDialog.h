#pragma once

#include "render/PageExport.h"

#include <QString>
#include <functional>

class QPrinter;
class QWidget;

namespace korvane::gui {

// Draws one page on a printer in the orientation; false when no page could be begun.
bool printPage(QPrinter& printer, render::PageOrientation orientation,
               const render::PageDrawing& page);

// PRINT: the print dialog with a high-resolution printer in the orientation, then `print`
// on it; false when the dialog was cancelled.
bool printWithDialog(QWidget* parent, render::PageOrientation orientation,
                     const std::function<void(QPrinter&)>& print);

// SAVE AS: the file dialog (PDF, SVG or PNG by its filter), then the export of the page as it
// would be printed. A file that cannot be written is reported as the program's message.
// Returns false when nothing was written.
bool saveAs(QWidget* parent, const QString& suggestedName, render::PageOrientation orientation,
            const render::PageDrawing& page);

// The export without the dialog (the dialog's choice, and tests).
bool exportTo(const QString& file, render::PageOrientation orientation,
              const render::PageDrawing& page);

// Tests replace the dialog: it returns the chosen file name, or empty when cancelled.
extern std::function<QString(QWidget*, const QString&)> chooseExportFile;

// The save dialog of a SPICE model (suggested name without extension); tests replace it.
extern std::function<QString(QWidget*, const QString&)> chooseSpiceFile;

// Writes a text file whole or not at all (a temporary file renamed when complete); a file
// that cannot be written is reported as the program's message.
bool saveText(const QString& file, const std::string& text);

} // namespace korvane::gui
