#pragma once

#include <QString>

#include "platform/MailMerge.h"

namespace tav {

// Which template reads which data file, and where the merged copy of a document is kept.
enum class Dokumentart {
    RechnungEditor,      // invoice from the items editor
    AngebotEditor,       // offer from the items editor
    BestaetigungEditor,  // confirmation from the items editor
    Rechnung,            // invoice from the reservation form
    Angebot,             // offer from the reservation form
    Anmeldung,           // registration form
    ResBestaetigung,     // reservation confirmation
};

class Dokumentausgabe {
public:
    // The template's file name in the program folder ("rechnung.doc", "Bestät.doc", …).
    static QString vorlage(Dokumentart art);
    // The letter data file the template reads ("Rechn.doc", "angeb.doc", "Best.doc").
    static QString datendatei(Dokumentart art);
    // The folder of the merged copies below the program folder ("Rechnungen", …); empty for the
    // items editor's documents, whose merged copy is the program folder's "Serienbrief.doc".
    static QString ordner(Dokumentart art);

    // Merges the document of a kind whose data files are written: the template and data file of
    // the program folder, the merged copy under the kind's folder and the given name (the file
    // name alone, ending in ".doc"), the PDF beside it under the same name ending in ".pdf".
    static MergeResult ausgeben(Dokumentart art, const QString& programmordner, const QString& dateiname = {});

    // The path of the PDF beside a merged document.
    static QString pdfPfad(const QString& dokument);
};

}  // namespace tav
