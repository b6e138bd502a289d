#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QProcess>

#include "platform/ui/DocumentPrinter.h"
#include "support/TempFolder.h"

using namespace tav;

TEST(DocumentPrinterTest, PrintsTheMergedDocumentWithItsCopyCount) {
    test::TempFolder tmp;
    const QString dok = tmp.file(QStringLiteral("Rechnung.doc"));
    {
        QFile f(dok);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><body><p>Gesamtbetrag 1.234,50 EUR</p><div data-footer><p>Bank</p></div></body></html>");
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(tmp.file(QStringLiteral("druck.pdf")));
    QString fehler;
    ASSERT_TRUE(DocumentPrinter::printTo(dok, 3, printer, &fehler)) << qPrintable(fehler);
    EXPECT_EQ(printer.copyCount(), 3);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);

    QProcess p;
    p.start(QStringLiteral("pdftotext"), {tmp.file(QStringLiteral("druck.pdf")), QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Gesamtbetrag 1.234,50 EUR"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("Bank")));

    EXPECT_FALSE(DocumentPrinter::printTo(tmp.file(QStringLiteral("fehlt.doc")), 1, printer, &fehler));
    EXPECT_TRUE(fehler.contains(QStringLiteral("fehlt.doc"))) << qPrintable(fehler);
}
