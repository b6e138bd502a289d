#pragma once

#include <QList>
#include <QString>

#include "invoice/Stammdaten.h"

namespace tav {

class Database;
class Dialogs;

// The fields of the VAT window.
struct MwStFelder {
    int id = 0;             // 0 = a new key
    QString satz;           // txtName: the rate without percent sign
    QString gueltigBis;     // txtGueltigBis "dd.mm.yyyy"
    QString nachfolger;     // cboMwStNachfolger: the successor's rate as shown in the list
    bool standard = false;  // chStandard
    bool geaendert = false;
};

// The VAT window frmMwSt as logic: the sorted grid of the keys, loading a key, a new one,
// saving with its checks (a successor takes over the standard mark and becomes valid the day
// after the old key ends), deleting a key that nothing uses.
class MwStLogik {
public:
    static inline const QString kTitel = QStringLiteral("Mehrwertsteuer");
    static inline const QStringList kSpalten = {QStringLiteral("Nr."), QStringLiteral("Steuersatz"), QStringLiteral("Gültig bis"),
                                                QStringLiteral("Standardsteuersatz"), QStringLiteral("Steuersatz nach Ablauf")};
    static inline const QString kSatzLeer = QStringLiteral("Das Feld 'Bezeichnung' darf zum Speichern nicht leer sein");
    static inline const QString kOhneNachfolger = QStringLiteral(
        "Wenn dieser Mehrwertsteuersatz an einem bestimmten Datum ungültig wird, müssen Sie einen Nachfolgesteuersatz festlegen. "
        "Legen Sie dafür zunächst den neuen Steuersatz an.");
    static inline const QString kDatumFalsch = QStringLiteral("Btte überprüfen Sie das Datum.");
    static inline const QString kEndeVorBeginn =
        QStringLiteral("Der letzte gültige Tag liegt vor dem ersten gültigen Tag dieses Steuersatzes. Btte überprüfen Sie das Datum.");
    static inline const QString kSelbstNachfolger =
        QStringLiteral("Ein Mehrwertsteuersatz kann nicht sein eigener Nachfolger sein. Bitte wählen Sie einen anderen Nachfolger.");
    static inline const QString kNachfolgerKreis = QStringLiteral(
        "Der gewählte Nachfolger führt über seine eigenen Nachfolger zu diesem Steuersatz zurück. Bitte wählen Sie einen anderen "
        "Nachfolger.");
    static inline const QString kInGebrauch = QStringLiteral("Der MwSt-Satz ist in Gebrauch und kann deshalb nicht gelöscht werden");
    static inline const QString kLoeschenFrage = QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden?") + QLatin1Char('?');

    MwStLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs), auswahl_(db, dialogs) {}

    // The grid rows in the current order: key, rate, "Gültig bis", "Ja"/"Nein", successor's rate.
    QList<StammZeile> zeilen();
    void sortieren(int spalte) { sortierung_.klicken(spalte); }
    const Sortierung& sortierung() const { return sortierung_; }

    const MwStFelder& felder() const { return felder_; }
    MwStFelder& bearbeiten() {
        felder_.geaendert = true;
        return felder_;
    }
    MwStAuswahl& auswahl() { return auswahl_; }

    bool laden(int id);
    bool neu();
    bool speichern();
    bool loeschen();
    bool schliessen();
    // Leaving txtGueltigBis with a date that is not one: false with kDatumFalsch.
    bool datumPruefen(const QString& text);

private:
    bool aenderungenSichern();

    Database& db_;
    Dialogs& dialogs_;
    MwStAuswahl auswahl_;
    MwStFelder felder_;
    Sortierung sortierung_{1};
};

}  // namespace tav
