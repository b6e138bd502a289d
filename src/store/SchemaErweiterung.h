#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "engine/JetTypes.h"
#include "store/Nummernstand.h"
#include "store/Registrierung.h"

namespace tav {

class Database;
class Dialogs;
class SettingsStore;

// Brings databases made by older versions up to date: adds the tables and fields this version
// uses when they are missing, and links new tables into the link database. Each step works on
// the working database (settings value "Pfad") or, with beispiel set, on the sample database
// ("BeispielPfad"), and only adds what is missing. A step that cannot open its database ends
// silently; a step that fails while adding asks Retry (the whole step again) or Cancel.
class SchemaErweiterung {
public:
    // link: the open link database that new tables are linked into (may be null: no links).
    SchemaErweiterung(Dialogs& dialogs, const SettingsStore& settings, const RegistryNamen& werte, Database* link);

    // Every step in order, on one database.
    void alleSchritte(bool beispiel);

    void blockbuchung(bool beispiel);
    void zahlart(bool beispiel);
    void parameterFelder(bool beispiel);
    void kategorien(bool beispiel);
    void zahlarten(bool beispiel);
    void adressBemerkung(bool beispiel);
    void waescheUndVorgaben(bool beispiel);
    // The file of the bookings (the central file, or the sample database) gets the indexes
    // that keep searches over a long history short and the kept run of booking numbers
    // (tbBelegNummernStand with its triggers), the file of the documents the kept run of
    // their keys (tbReNummernStand); both are linked into the link database. Only a file
    // without the table of its run is touched; a file that cannot be written is left for the
    // next start.
    void verlaufsHilfen(bool beispiel);
    void verlaufsHilfe(const QString& pfad, const Nummernlauf& lauf, const QStringList& mitIndizes, bool verknuepfen);
    // Every index of this version's tables that a file lacks is made: in the central and the
    // working file (or the sample database), only on the tables that live in that file. An
    // index that cannot be made (a file that cannot be written, values an index refuses) is
    // left for the next start; the searches it serves read more rows until then.
    void indizes(bool beispiel);
    // The holiday table, made when the holidays window is first used; false (after its message)
    // when it could not be made.
    bool feiertage(bool beispiel);

    // The database a step works on.
    QString zielPfad(bool beispiel) const;
    // Something was added since this object was made.
    bool geaendert() const { return geaendert_; }

    // The document folders below the program folder: made when missing, a message for each
    // one that still does not exist.
    static void systemOrdnerAnlegen(Dialogs& dialogs, const QString& programmordner);
    static const QStringList& systemOrdner();

    // One thing a step adds: a table (with its key) or a field.
    struct Aktion {
        bool neueTabelle = false;
        QString tabelle;
        QString feld;
        JetType typ = JetType::Text;
        int groesse = 50;
    };
    using Plan = std::function<QList<Aktion>(Database& db)>;

private:
    // Runs one step: plans against the open database, carries the actions out, links the named
    // tables when the link database lacks them. Returns false when the database did not open.
    bool schritt(bool beispiel, const Plan& plan, const QStringList& verknuepfen);
    bool ausfuehren(const QString& pfad, const Aktion& a);

    // Missing fields of a table (all of them when the table itself is missing).
    static QList<Aktion> fehlend(Database& db, const QString& tabelle, const QList<Aktion>& felder);
    // A table made with its key and then filled with fields, each when missing.
    static QList<Aktion> tabelleMitFeldern(Database& db, const QString& tabelle, JetType schluesselTyp, const QList<Aktion>& felder);

    Dialogs& dialogs_;
    const SettingsStore& settings_;
    RegistryNamen werte_;
    Database* link_;
    bool geaendert_ = false;
};

}  // namespace tav
