#include "invoice/Dokumentausgabe.h"

#include <QDir>
#include <QFileInfo>

#include "invoice/Briefdatei.h"
#include "invoice/Formulardatei.h"
#include "platform/Files.h"

namespace tav {

QString Dokumentausgabe::vorlage(Dokumentart art) {
    switch (art) {
        case Dokumentart::RechnungEditor:
        case Dokumentart::Rechnung: return QStringLiteral("rechnung.doc");
        case Dokumentart::AngebotEditor: return QStringLiteral("VarAngebot.doc");
        case Dokumentart::BestaetigungEditor: return QStringLiteral("Bestät.doc");
        case Dokumentart::Angebot: return QStringLiteral("angebot.doc");
        case Dokumentart::Anmeldung: return QStringLiteral("Anmeldung.doc");
        case Dokumentart::ResBestaetigung: return QStringLiteral("resbestätigung.doc");
    }
    return {};
}

QString Dokumentausgabe::datendatei(Dokumentart art) {
    switch (art) {
        case Dokumentart::Angebot: return Formulardatei::kAngebot;
        case Dokumentart::Anmeldung:
        case Dokumentart::ResBestaetigung: return Formulardatei::kBestaetigung;
        default: return Briefdatei::kDateiname;
    }
}

QString Dokumentausgabe::ordner(Dokumentart art) {
    switch (art) {
        case Dokumentart::Rechnung: return QStringLiteral("Rechnungen");
        case Dokumentart::Angebot: return QStringLiteral("Angebote");
        case Dokumentart::Anmeldung: return QStringLiteral("Anmeldungen");
        case Dokumentart::ResBestaetigung: return QStringLiteral("Bestätigungen");
        default: return {};
    }
}

QString Dokumentausgabe::pdfPfad(const QString& dokument) {
    const QFileInfo fi(dokument);
    return fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".pdf"));
}

MergeResult Dokumentausgabe::ausgeben(Dokumentart art, const QString& programmordner, const QString& dateiname) {
    const QString unterordner = ordner(art);
    QString ziel;
    if (unterordner.isEmpty() || dateiname.isEmpty()) {
        ziel = files::join(programmordner, QStringLiteral("Serienbrief.doc"));
    } else {
        const QString ordnerPfad = files::join(programmordner, unterordner);
        if (!files::createFolder(ordnerPfad)) {
            MergeResult r;
            r.message = QStringLiteral("Der Ordner %1 konnte nicht angelegt werden.").arg(QDir::toNativeSeparators(ordnerPfad));
            return r;
        }
        ziel = files::join(ordnerPfad, dateiname);
    }
    return mailMerge(files::join(programmordner, vorlage(art)), files::join(programmordner, datendatei(art)), ziel, pdfPfad(ziel));
}

}  // namespace tav
