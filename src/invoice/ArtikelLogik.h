#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "invoice/Stammdaten.h"

namespace tav {

class Database;
class Dialogs;

// The fields of the article window.
struct ArtikelFelder {
    int id = 0;              // 0 = a new article
    QString name;            // txtName
    QString preis;           // txtPreis as typed
    QString mwst;            // cboMwSt: the rate as shown in the list
    QString bemerkung;       // txtBemerkung
    bool keinDatum = false;  // chKeinDatum
    bool geaendert = false;
};

// What the items editor reads for an article name.
struct ArtikelVorgabe {
    double preis = 0;
    QString bemerkung;
    int mwstId = 0;
    bool keinDatum = false;
};

// The article window frmArtikel as logic: the sorted grid, loading an article, a new one,
// saving with its checks, deleting, and the question before unsaved changes are left.
class ArtikelLogik {
public:
    static inline const QString kTitel = QStringLiteral("Artikel");
    static inline const QStringList kSpalten = {QStringLiteral("Bezeichnung"), QStringLiteral("Preis"), QStringLiteral("MwSt"),
                                                QStringLiteral("Bemerkung"), QStringLiteral("Ohne Datum")};
    static inline const QString kNameLeer = QStringLiteral("Das Feld 'Bezeichnung' darf zum Speichern nicht leer sein");
    static inline const QString kPreisUngueltig = QStringLiteral("Bitte geben Sie den Preis als Betrag ein, zum Beispiel 1.234,50.");
    static inline const QString kSpeichernFrage = QStringLiteral("Änderungen oder neue Daten speichern?");
    static inline const QString kSpeichernTitel = QStringLiteral("Änderungen speichern");
    static inline const QString kLoeschenFrage = QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden?") + QLatin1Char('?');

    ArtikelLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs), auswahl_(db, dialogs) {}

    // The grid rows in the current order: name, price "#,##0.00", rate, remark, "Ja"/"Nein".
    QList<StammZeile> zeilen();
    // A click on a column header: by that column, reversed on a second click.
    void sortieren(int spalte) { sortierung_.klicken(spalte); }
    const Sortierung& sortierung() const { return sortierung_; }

    const ArtikelFelder& felder() const { return felder_; }
    ArtikelFelder& bearbeiten() {
        felder_.geaendert = true;
        return felder_;
    }
    MwStAuswahl& auswahl() { return auswahl_; }

    // A click on a row: asks about unsaved changes first (false when the user stays).
    bool laden(int id);
    // CmdNeueDaten: asks about unsaved changes first, then empties the fields.
    bool neu();
    // The checks, then the row (a new one gets the next key). False with the first check's
    // message; nothing is written then.
    bool speichern();
    // Deletes the loaded article after the question.
    bool loeschen();
    // Closing with unsaved changes asks whether to save; false when the window stays.
    bool schliessen();
    // The price shown "#,##0.00" when leaving the field; unchanged when it is no amount.
    static QString preisAnzeigen(const QString& text);

    // The first article of that name ("Preis_Bemerkung_emitteln").
    std::optional<ArtikelVorgabe> Preis_Bemerkung_emitteln(const QString& name);

private:
    bool aenderungenSichern();

    Database& db_;
    Dialogs& dialogs_;
    MwStAuswahl auswahl_;
    ArtikelFelder felder_;
    Sortierung sortierung_{0};
};

}  // namespace tav
