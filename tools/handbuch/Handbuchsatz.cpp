#include "Handbuchsatz.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QUrl>

namespace tav::handbuch {

namespace {

// QTextDocument::print() keeps a margin of 2 cm inside the page on every side.
constexpr qreal kRandMm = 20;

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
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                                         QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(QStringLiteral("Tavomera – Handbuch"));
        writer.setCreator(QStringLiteral("Tavomera"));

        QTextDocument doc;
        QFont schrift(QStringLiteral("DejaVu Sans"));
        schrift.setPointSizeF(10);
        doc.setDefaultFont(schrift);
        doc.setDefaultStyleSheet(QStringLiteral("table { border-collapse: collapse; } td, th { padding: 3px; }"));
        // The text width in the document's units (1/96 inch), as print() lays the pages out.
        const qreal textbreiteMm = QPageSize(QPageSize::A4).size(QPageSize::Millimeter).width() - 2 * kRandMm;
        const qreal textbreite = textbreiteMm / 25.4 * 96 - 4;
        b = setzen(doc, text, QFileInfo(markdownDatei).absolutePath(), textbreite);
        if (!b.fehlendeBilder.isEmpty()) {
            if (fehler) *fehler = QStringLiteral("Im Handbuch fehlen die Bilder: ") + b.fehlendeBilder.join(QStringLiteral(", "));
            if (bericht) *bericht = b;
            return false;
        }
        doc.print(&writer);
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
