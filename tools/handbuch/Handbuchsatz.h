#pragma once

#include <QSizeF>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace tav::handbuch {

// What setting the manual found and did.
struct Satzbericht {
    int kapitel = 0;             // headings of the first level: each begins a new page
    int bilder = 0;              // pictures placed
    int tabellen = 0;            // tables ruled
    int seiten = 0;              // pages of the PDF written
    QStringList fehlendeBilder;  // pictures the text names that are not there
};

// The width a picture gets on the page: its own width, at most the text width, the height
// following in proportion.
QSizeF bildgroesse(const QSizeF& eigen, qreal textbreite);

// Reads the manual's Markdown text into doc (pictures relative to the text's folder): every
// chapter (heading of the first level) but the first begins a new page, every picture is
// fitted to textbreite, every table becomes a thin grid across the text width.
Satzbericht setzen(QTextDocument& doc, const QString& markdown, const QString& ordner, qreal textbreite);

// The manual as an A4 PDF with page numbers. False with a German reason in fehler when a
// picture is missing or the file cannot be written.
bool pdfSchreiben(const QString& markdownDatei, const QString& pdfDatei, QString* fehler, Satzbericht* bericht = nullptr);

}  // namespace tav::handbuch
