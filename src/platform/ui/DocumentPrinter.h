#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace tav {

// Prints a merged document (the HTML that mailMerge wrote) with the number of copies its data
// file asked for: the print dialog opens with that count, and the user may change it or the
// printer. The pages are the same as in the document's PDF.
class DocumentPrinter {
public:
    // Shows the print dialog and prints on OK. False when the user cancelled, or with a German
    // message naming the file in *error when the document could not be read or printed.
    static bool print(const QString& documentPath, int copies, QWidget* parent, QString* error);

    // Prints without a dialog on a printer that is already set up (its copy count is set to
    // copies); used by print() after the dialog and by tests with a PDF printer.
    static bool printTo(const QString& documentPath, int copies, QPrinter& printer, QString* error);
};

}  // namespace tav
