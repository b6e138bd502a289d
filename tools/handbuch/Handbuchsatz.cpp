#include "Handbuchsatz.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

namespace tav::handbuch {

namespace {

constexpr qreal kRandMm = 20;  // page margin on every side
constexpr qreal kFussMm = 8;   // the page number's line below the text
constexpr int kDpi = 300;

struct Bildstelle {
    int anfang;
    int laenge;
    QTextImageFormat format;
};

}  // namespace

QSizeF bildgroesse(const QSizeF& eigen, qreal textbreite) {
    if (eigen.width() <= 0 || eigen.height() <= 0) return {};
    if (eigen.width() <= textbreite) return eigen;
    return {textbreite, eigen.height() * textbreite / eigen.width()};
}

Satzbericht setzen(QTextDocument& doc, const QString& markdown, const QString& ordner, qreal textbreite) {
    Satzbericht bericht;
    doc.setBaseUrl(QUrl::fromLocalFile(QDir(ordner).absolutePath() + QLatin1Char('/')));
    // A picture without a caption would be dropped by the Markdown reader: it gets one.
    QString text = markdown;
    text.replace(QStringLiteral("![]("), QStringLiteral("![Bild]("));
    doc.setMarkdown(text, QTextDocument::MarkdownDialectGitHub);

    // The pictures are collected first: changing a format while walking the fragments would
    // split the fragment under the walk.
    QList<Bildstelle> stellen;
    bool ersterTitel = true;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1) {
            ++bericht.kapitel;
            if (!ersterTitel) {
                QTextCursor c(block);
                QTextBlockFormat f = block.blockFormat();
                f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
                c.setBlockFormat(f);
            }
            ersterTitel = false;
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && fragment.charFormat().isImageFormat())
                stellen.push_back({fragment.position(), fragment.length(), fragment.charFormat().toImageFormat()});
        }
    }
    // Tables as thin ruled grids across the text width.
    for (QTextFrame* rahmen : doc.rootFrame()->childFrames()) {
        auto* tabelle = qobject_cast<QTextTable*>(rahmen);
        if (!tabelle) continue;
        QTextTableFormat f = tabelle->format();
        f.setBorderCollapse(true);
        f.setBorder(1);
        f.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        f.setBorderBrush(QColor(0x90, 0x90, 0x90));
        f.setCellSpacing(0);
        f.setCellPadding(4);
        f.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        tabelle->setFormat(f);
        ++bericht.tabellen;
    }
    for (Bildstelle& s : stellen) {
        const QString datei = QDir(ordner).filePath(s.format.name());
        const QImage bild(datei);
        if (bild.isNull()) {
            bericht.fehlendeBilder << s.format.name();
            continue;
        }
        doc.addResource(QTextDocument::ImageResource, QUrl(s.format.name()), bild);
        const QSizeF groesse = bildgroesse(QSizeF(bild.size()), textbreite);
        s.format.setWidth(groesse.width());
        s.format.setHeight(groesse.height());
        QTextCursor c(&doc);
        c.setPosition(s.anfang);
        c.setPosition(s.anfang + s.laenge, QTextCursor::KeepAnchor);
        c.setCharFormat(s.format);
        ++bericht.bilder;
    }
    return bericht;
}

bool pdfSchreiben(const QString& markdownDatei, const QString& pdfDatei, QString* fehler, Satzbericht* bericht) {
    QFile quelle(markdownDatei);
    if (!quelle.open(QIODevice::ReadOnly)) {
        if (fehler) *fehler = QStringLiteral("Der Text '%1' konnte nicht gelesen werden.").arg(QDir::toNativeSeparators(markdownDatei));
        return false;
    }
    const QString text = QString::fromUtf8(quelle.readAll());

    QDir().mkpath(QFileInfo(pdfDatei).absolutePath());
    const QString vorlaeufig = pdfDatei + QStringLiteral(".neu");
    Satzbericht b;
    {
        QPdfWriter writer(vorlaeufig);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(kRandMm, kRandMm, kRandMm, kRandMm + kFussMm), QPageLayout::Millimeter));
        writer.setResolution(kDpi);
        writer.setTitle(QStringLiteral("Tavomera – Handbuch"));
        writer.setCreator(QStringLiteral("Tavomera"));

        QTextDocument doc;
        QFont schrift(QStringLiteral("DejaVu Sans"));
        schrift.setPointSizeF(10);
        doc.setDefaultFont(schrift);
        doc.documentLayout()->setPaintDevice(&writer);
        const QSizeF seite(writer.width(), writer.height());
        doc.setPageSize(seite);
        // Pictures are measured in 1/96 inch, as the text layout scales them to the device.
        b = setzen(doc, text, QFileInfo(markdownDatei).absolutePath(), seite.width() * 96.0 / kDpi - 4);
        if (!b.fehlendeBilder.isEmpty()) {
            if (fehler) *fehler = QStringLiteral("Im Handbuch fehlen die Bilder: ") + b.fehlendeBilder.join(QStringLiteral(", "));
            if (bericht) *bericht = b;
            return false;
        }
        // Pages drawn one by one: the pictures keep every pixel (no lossy compression of the
        // screenshots), and every page gets its number at the foot.
        QPainter p(&writer);
        p.setRenderHint(QPainter::LosslessImageRendering);
        p.setRenderHint(QPainter::Antialiasing);
        QFont fuss = schrift;
        fuss.setPointSizeF(8);
        const int seiten = doc.pageCount();
        for (int i = 0; i < seiten; ++i) {
            if (i > 0) writer.newPage();
            p.save();
            p.translate(0, -i * seite.height());
            QAbstractTextDocumentLayout::PaintContext ctx;
            ctx.clip = QRectF(0, i * seite.height(), seite.width(), seite.height());
            // Nothing of a table that runs on to the next page is drawn into the margins.
            p.setClipRect(ctx.clip);
            doc.documentLayout()->draw(&p, ctx);
            p.restore();
            p.setFont(fuss);
            p.setPen(QColor(0x60, 0x60, 0x60));
            const qreal fussHoehe = kFussMm / 25.4 * kDpi;
            p.drawText(QRectF(0, seite.height(), seite.width(), fussHoehe), Qt::AlignBottom | Qt::AlignHCenter,
                       QStringLiteral("Tavomera – Handbuch · Seite %1 von %2").arg(i + 1).arg(seiten));
        }
        b.seiten = seiten;
    }
    if (bericht) *bericht = b;
    QFile::remove(pdfDatei);
    if (!QFile::rename(vorlaeufig, pdfDatei)) {
        QFile::remove(vorlaeufig);
        if (fehler) *fehler = QStringLiteral("Die Datei '%1' konnte nicht geschrieben werden.").arg(QDir::toNativeSeparators(pdfDatei));
        return false;
    }
    return true;
}

}  // namespace tav::handbuch
