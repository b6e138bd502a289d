#include "store/SchemaErweiterung.h"

#include <QDir>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SettingsStore.h"
#include "store/Nummernstand.h"
#include "store/Schema.h"
#include "store/Verknuepfung.h"
#include "store/clsTabFelder.h"

namespace tav {

namespace {

// A field to add: name, type and (for text) size.
struct F {
    QString name;
    JetType typ;
    int groesse = 50;
};

QList<SchemaErweiterung::Aktion> felder(std::initializer_list<F> list) {
    QList<SchemaErweiterung::Aktion> out;
    for (const F& f : list) {
        SchemaErweiterung::Aktion a;
        a.feld = f.name;
        a.typ = f.typ;
        a.groesse = f.groesse;
        out << a;
    }
    return out;
}

}  // namespace

SchemaErweiterung::SchemaErweiterung(Dialogs& dialogs, const SettingsStore& settings, const RegistryNamen& werte, Database* link)
    : dialogs_(dialogs), settings_(settings), werte_(werte), link_(link) {}

QString SchemaErweiterung::zielPfad(bool beispiel) const { return settings_.getSetting(beispiel ? werte_.beispielPfad : werte_.pfad); }

void SchemaErweiterung::alleSchritte(bool beispiel) {
    blockbuchung(beispiel);
    zahlart(beispiel);
    parameterFelder(beispiel);
    kategorien(beispiel);
    zahlarten(beispiel);
    adressBemerkung(beispiel);
    waescheUndVorgaben(beispiel);
    verlaufsHilfen(beispiel);
    indizes(beispiel);
}

void SchemaErweiterung::indizes(bool beispiel) {
    const QStringList pfade = beispiel ? QStringList{zielPfad(true)} : QStringList{settings_.getSetting(werte_.zentral), zielPfad(false)};
    for (const QString& pfad : pfade) {
        if (pfad.isEmpty()) continue;
        std::unique_ptr<Database> db;
        try {
            db = Database::open(pfad);
        } catch (const DatabaseError&) {
            continue;  // missing, locked or read only: the next start tries again
        }
        for (const schema::TableEntry& e : schema::tables()) {
            const auto def = db->tableDef(e.def.name);
            if (!def || def->isLinked()) continue;
            for (const IndexDef& index : e.def.indexes) {
                try {
                    if (db->hasIndex(def->name, index.name)) continue;
                    db->createIndex(def->name, index);
                    geaendert_ = true;
                } catch (const DatabaseError&) {
                    // The other indexes are still made.
                }
            }
        }
    }
}

void SchemaErweiterung::verlaufsHilfen(bool beispiel) {
    // The booking numbers in the central file (with the sample database, in that one file),
    // the document keys in the working file.
    verlaufsHilfe(beispiel ? zielPfad(true) : settings_.getSetting(werte_.zentral), nummernstand::kBelegNummern,
                  {QStringLiteral("tblBelegung"), QStringLiteral("Address")}, !beispiel);
    verlaufsHilfe(zielPfad(beispiel), nummernstand::kReNummern, {QStringLiteral("tbRechnungen")}, !beispiel);
}

void SchemaErweiterung::verlaufsHilfe(const QString& pfad, const Nummernlauf& lauf, const QStringList& mitIndizes, bool verknuepfen) {
    const QString stand = QString::fromUtf8(lauf.stand);
    if (pfad.isEmpty()) return;
    try {
        auto db = Database::open(pfad);
        if (db->hasTableDef(QString::fromUtf8(lauf.tabelle)) && !db->hasTableDef(stand)) {
            // The triggers seek the numbers: the indexes come first.
            for (const QString& name : mitIndizes)
                if (const schema::TableEntry* e = schema::find(name); e && db->hasTableDef(e->def.name))
                    for (const IndexDef& index : e->def.indexes)
                        if (!db->hasIndex(e->def.name, index.name)) db->createIndex(e->def.name, index);
            db->createTable(schema::find(stand)->def);
            nummernstand::einrichten(*db, lauf);
            geaendert_ = true;
        }
        if (verknuepfen && link_ && db->hasTableDef(stand) && !verknuepfung::tabelleVorhanden(*link_, stand)) {
            verknuepfung::tabelleVerknuepfen(*link_, stand, true, pfad);
            geaendert_ = true;
        }
    } catch (const DatabaseError&) {
        // Read only or locked: the searches stay slower until a start can write the file.
    }
}

QList<SchemaErweiterung::Aktion> SchemaErweiterung::fehlend(Database& db, const QString& tabelle, const QList<Aktion>& felder) {
    const auto def = db.tableDef(tabelle);
    QList<Aktion> out;
    for (Aktion a : felder) {
        a.tabelle = tabelle;
        if (!def || !def->field(a.feld)) out << a;
    }
    return out;
}

QList<SchemaErweiterung::Aktion> SchemaErweiterung::tabelleMitFeldern(Database& db, const QString& tabelle, JetType schluesselTyp,
                                                                      const QList<Aktion>& felder) {
    QList<Aktion> out;
    if (!db.hasTableDef(tabelle)) {
        Aktion neu;
        neu.neueTabelle = true;
        neu.tabelle = tabelle;
        neu.typ = schluesselTyp;
        out << neu;
    }
    return out + fehlend(db, tabelle, felder);
}

bool SchemaErweiterung::ausfuehren(const QString& pfad, const Aktion& a) {
    clsTabFelder f;
    f.datenbankPfad = pfad;
    f.tabellenName = a.tabelle;
    f.feldTyp = a.typ;
    f.feldGroesse = a.groesse;
    if (a.neueTabelle) {
        f.mitSchluessel = true;
        return f.NeueTabelle();
    }
    f.feldName = a.feld;
    return f.Anfügen();
}

bool SchemaErweiterung::schritt(bool beispiel, const Plan& plan, const QStringList& verknuepfen) {
    for (;;) {
        const QString pfad = zielPfad(beispiel);
        QList<Aktion> aktionen;
        try {
            auto db = Database::open(pfad);
            aktionen = plan(*db);
        } catch (const DatabaseError&) {
            return false;  // the next start tries again
        }
        bool ok = true;
        for (const Aktion& a : aktionen) {
            if (!ausfuehren(pfad, a)) {
                ok = false;
                break;
            }
            geaendert_ = true;
        }
        if (ok && link_) {
            try {
                for (const QString& t : verknuepfen) {
                    if (verknuepfung::tabelleVorhanden(*link_, t)) continue;
                    verknuepfung::tabelleVerknuepfen(*link_, t, true, pfad);
                    geaendert_ = true;
                }
            } catch (const DatabaseError&) {
                ok = false;
            }
        }
        if (ok) return true;
        const Answer a = dialogs_.message(QStringLiteral("Das Anfügen von Tabellenfeldern ist fehlgeschlagen."),
                                          QStringLiteral("neue Tabellenfelder anlegen"), Buttons::RetryCancel, Icon::Exclamation);
        if (a != Answer::Retry) return true;
    }
}

void SchemaErweiterung::blockbuchung(bool beispiel) {
    schritt(beispiel,
            [&](Database& db) {
                return fehlend(db, QStringLiteral("tbZimmernummern"), felder({{QStringLiteral("katBlockBuchung"), JetType::Text}})) +
                       tabelleMitFeldern(db, QStringLiteral("tbBlockbuchung"), JetType::Integer,
                                         felder({{QStringLiteral("IDBelegung"), JetType::Integer},
                                                 {QStringLiteral("WannAngelegt"), JetType::Date},
                                                 {QStringLiteral("BlVorname"), JetType::Text},
                                                 {QStringLiteral("BlNachname"), JetType::Text},
                                                 {QStringLiteral("Master"), JetType::Boolean}}));
            },
            {QStringLiteral("tbBlockbuchung")});
}

void SchemaErweiterung::zahlart(bool beispiel) {
    schritt(beispiel,
            [&](Database& db) {
                return fehlend(db, QStringLiteral("tblBelegung"), felder({{QStringLiteral("Zahlart"), JetType::Text}}));
            },
            {});
}

void SchemaErweiterung::parameterFelder(bool beispiel) {
    schritt(beispiel,
            [&](Database& db) {
                return fehlend(db, QStringLiteral("tblParameter"),
                               felder({{QStringLiteral("F24"), JetType::Text},
                                       {QStringLiteral("F25"), JetType::Text},
                                       {QStringLiteral("F26"), JetType::Text},
                                       {QStringLiteral("F27"), JetType::Text},
                                       {QStringLiteral("F28"), JetType::Text}}));
            },
            {});
}

void SchemaErweiterung::kategorien(bool beispiel) {
    schritt(beispiel,
            [&](Database& db) {
                return tabelleMitFeldern(db, QStringLiteral("tbKategorie"), JetType::Long,
                                         felder({{QStringLiteral("blKategorie"), JetType::Text}}));
            },
            {QStringLiteral("tbKategorie")});
}

void SchemaErweiterung::zahlarten(bool beispiel) {
    schritt(beispiel,
            [&](Database& db) {
                return tabelleMitFeldern(db, QStringLiteral("tbZahlart"), JetType::Long,
                                         felder({{QStringLiteral("Zahlarten"), JetType::Text}}));
            },
            {QStringLiteral("tbZahlart")});
}

void SchemaErweiterung::adressBemerkung(bool beispiel) {
    schritt(beispiel,
            [&](Database& db) {
                return fehlend(db, QStringLiteral("Address"), felder({{QStringLiteral("BemerkAdr"), JetType::Text, 255}}));
            },
            {});
}

void SchemaErweiterung::waescheUndVorgaben(bool beispiel) {
    const bool geoeffnet = schritt(beispiel,
                                   [&](Database& db) {
                                       QList<Aktion> out;
                                       // The three booking fields came together; when the first is there, so are the others.
                                       const auto belegung = db.tableDef(QStringLiteral("tblBelegung"));
                                       if (!belegung || !belegung->field(QStringLiteral("Wäsche1")))
                                           out += fehlend(db, QStringLiteral("tblBelegung"),
                                                          felder({{QStringLiteral("Wäsche1"), JetType::Integer},
                                                                  {QStringLiteral("Wäsche2"), JetType::Integer},
                                                                  {QStringLiteral("Frühstück"), JetType::Boolean}}));
                                       out += fehlend(db, QStringLiteral("tbZimmernummern"),
                                                      felder({{QStringLiteral("AnzahlGästeDefault"), JetType::Integer},
                                                              {QStringLiteral("PreisDefault"), JetType::Double}}));
                                       return out;
                                   },
                                   {});
    if (!geoeffnet || !beispiel) return;
    // The sample bookings always show both kinds of linen and breakfast.
    try {
        auto db = Database::open(zielPfad(true));
        db->execute(
            QStringLiteral("UPDATE tblBelegung SET tblBelegung.Wäsche1 = 6, tblBelegung.Wäsche2 = 3, tblBelegung.Frühstück = True;"));
    } catch (const DatabaseError&) {}
}

bool SchemaErweiterung::feiertage(bool beispiel) {
    const QString pfad = zielPfad(beispiel);
    const QString tabelle = QStringLiteral("tbFeiertage");
    bool ok = false;
    try {
        QList<Aktion> aktionen;
        {
            auto db = Database::open(pfad);
            aktionen =
                tabelleMitFeldern(*db, tabelle, JetType::Long,
                                  felder({{QStringLiteral("FTBezeichnung"), JetType::Text}, {QStringLiteral("FTDatum"), JetType::Date}}));
        }
        ok = true;
        for (const Aktion& a : aktionen) {
            if (!ausfuehren(pfad, a)) {
                ok = false;
                break;
            }
            geaendert_ = true;
        }
        if (ok && link_ && !verknuepfung::tabelleVorhanden(*link_, tabelle)) {
            verknuepfung::tabelleVerknuepfen(*link_, tabelle, true, pfad);
            geaendert_ = true;
        }
    } catch (const DatabaseError&) {
        ok = false;
    }
    if (!ok) dialogs_.message(QStringLiteral("Die Tabelle 'tbFeiertage' konnte nicht angelegt werden."));
    return ok;
}

const QStringList& SchemaErweiterung::systemOrdner() {
    static const QStringList names = {QStringLiteral("Rechnungen"), QStringLiteral("Anmeldungen"), QStringLiteral("Bestätigungen"),
                                      QStringLiteral("Sicherungen"), QStringLiteral("Angebote")};
    return names;
}

void SchemaErweiterung::systemOrdnerAnlegen(Dialogs& dialogs, const QString& programmordner) {
    for (const QString& name : systemOrdner()) {
        const QString ordner = files::join(programmordner, name);
        if (files::folderExists(ordner)) continue;
        files::createFolder(ordner);
        if (!files::folderExists(ordner))
            dialogs.message(QStringLiteral("Fehler beim Anlegen des Systemordners ") + QDir::toNativeSeparators(ordner) +
                            QStringLiteral(". Bitte wenden Sie sich an den Hersteller der Software."));
    }
}

}  // namespace tav
