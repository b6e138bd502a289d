#include "platform/ui/DocumentPrinter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>

#include "platform/MailMerge.h"

namespace tav {

namespace {

bool readDocument(const QString& path, QString& html, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("Das Dokument %1 konnte nicht gelesen werden.").arg(QDir::toNativeSeparators(path));
        return false;
    }
    html = QString::fromUtf8(file.readAll());
    return true;
}

void setUp(QPrinter& printer, int copies) {
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFullPage(true);
    printer.setCopyCount(std::max(1, copies));
}

}  // namespace

bool DocumentPrinter::printTo(const QString& documentPath, int copies, QPrinter& printer, QString* error) {
    QString html;
    if (!readDocument(documentPath, html, error)) return false;
    setUp(printer, copies);
    if (paintDocument(html, printer) > 0) return true;
    if (error) *error = QStringLiteral("Das Dokument %1 konnte nicht gedruckt werden.").arg(QDir::toNativeSeparators(documentPath));
    return false;
}

bool DocumentPrinter::print(const QString& documentPath, int copies, QWidget* parent, QString* error) {
    QString html;
    if (!readDocument(documentPath, html, error)) return false;
    QPrinter printer(QPrinter::HighResolution);
    setUp(printer, copies);
    printer.setDocName(QFileInfo(documentPath).completeBaseName());
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() != QDialog::Accepted) return false;
    if (paintDocument(html, printer) > 0) return true;
    if (error) *error = QStringLiteral("Das Dokument %1 konnte nicht gedruckt werden.").arg(QDir::toNativeSeparators(documentPath));
    return false;
}

}  // namespace tav
