#pragma once

#include <QString>
#include <optional>

#include "platform/DataFile.h"

class QPagedPaintDevice;

namespace tav {

// The program's own mail merge: a template and a data file make a merged document and its PDF.
//
// Templates are HTML files, saved under the document's ".doc" name in the program folder and
// editable with any text or HTML editor (UTF-8; a file that is not UTF-8 is read as Latin-1).
// What the merge reads in a template:
//
//   «Feld»            is replaced by the field "Feld" (the name as it stands in line 1 of the
//                     data file) of the FIRST record of the main data file: HTML-escaped, every
//                     line break as <br>. A name that neither data file has stops the merge with
//                     a message naming it, so that a typing error in a template is found at once.
//   <tr data-repeat>  the table row is repeated once per record of the main data file (lists).
//   <tr data-repeat="ReDetail.doc">
//                     the row is repeated once per record of that data file, looked for in the
//                     folder of the main data file (the item table of a letter). Inside such a
//                     row a field comes from the row's record; a name the row's file does not
//                     have comes from the main record.
//   data-where="Feld=A,B"
//                     on a repeated row: only the records whose field is one of the listed
//                     values (an empty value is written as nothing after "=" or between commas).
//   data-if="Feld"    on any element: the element and its contents are kept only when the field
//   data-if="Feld=A,B"  holds text other than "Falsch", "0" and "Nein" (or one of the values
//   data-if-not="…"   listed); data-if-not keeps it in the opposite case. Inside a repeated row
//                     the row's record decides.
//   <div data-footer> is taken out of the flow and printed at the foot of every page.
//   <div data-position="links oben breite">
//                     is taken out of the flow and printed on the first page at that place
//                     (millimetres from the page's top left corner): the letterhead, the address
//                     window and the information block of a letter stand where DIN 5008 puts them.
//   <meta name="seitenraender" content="oben rechts unten links">
//                     page margins in millimetres (A4); without it 12 20 32 25 (DIN 5008
//                     left and right margins, the lower one leaving room for the footer).
//   <meta name="textbeginn" content="98">
//                     the flow of the first page begins that many millimetres from the top of
//                     the page (below the address window); later pages begin at the top margin.
//
// Elements carrying data-… must close with their end tag; repeated rows do not nest. Lengths in
// the template's CSS are typographic points ("px" is read as one point), fonts are embedded in the
// PDF.
struct MergeResult {
    bool ok = false;
    QString message;   // German, names the file, when !ok
    QString document;  // the merged HTML as written
    QString pdf;       // the PDF as written (empty when none was asked for)
    int copies = 1;    // from the field "Druckanzahl" ("Druckanzahl=3" or "3"), at least 1
};

// Reads the template and the data file, merges them, writes the merged document (HTML under the
// document's name; none when outputDocument is empty) and, when outputPdf is not empty, an A4
// PDF. Both files are first written under temporary names and renamed at the end: after a
// failure neither file is touched. A missing or unreadable template gives "Das Programm 'Word'
// konnte nicht geöffnet werden." with a second line naming the template.
MergeResult mailMerge(const QString& templatePath, const QString& dataFilePath, const QString& outputDocument, const QString& outputPdf);

// The merge itself, on texts: the template's HTML and the main data file's records; named data
// files of repeated rows are read from dataFolder. nullopt with a German message on an unknown
// field, an unreadable data file or a data-… element without its end tag.
std::optional<QString> mergeTemplate(const QString& templateHtml, const DataFile::Table& main, const QString& dataFolder, QString* error);

// The number of copies a data file asks for (field "Druckanzahl"): 1 when it is missing, 0 or
// not a number.
int copyCount(const DataFile::Table& data);

// Lays out a merged document on A4 pages and paints it on a PDF writer or a printer; returns the
// number of pages.
int paintDocument(const QString& mergedHtml, QPagedPaintDevice& device);

// Writes a merged document as an A4 PDF under path (temporary name first, renamed at the end).
bool writePdf(const QString& mergedHtml, const QString& path, QString* error, const QString& title = {});

}  // namespace tav
