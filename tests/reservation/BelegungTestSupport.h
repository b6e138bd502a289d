#pragma once

#include <gtest/gtest.h>

#include <QDate>
#include <functional>
#include <memory>

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/ScriptedDialogs.h"
#include "platform/UserName.h"
#include "reservation/AdressTeil.h"
#include "reservation/Belegung.h"
#include "reservation/CollisionLogik.h"
#include "store/Variablen.h"
#include "support/DatabaseFixture.h"

namespace tav::test {

// The address part of the form, scripted: what the save asks of it and what it was told.
class SkriptAdresse final : public AdressTeil {
public:
    QString land_ = QStringLiteral("Deutschland");
    bool speichernGelingt = true;
    int gast = 7;
    int rechnung = 0;
    int speicherAufrufe = 0;
    QList<QPair<int, bool>> benutzt;

    QString land() const override { return land_; }
    bool adressSpeichern() override {
        ++speicherAufrufe;
        return speichernGelingt;
    }
    int gastId() const override { return gast; }
    int rechnungsadresseId() const override { return rechnung; }
    void setRechnungsadresse(int id) override { rechnung = id; }
    void adresseBenutzt(int id, bool setzen) override { benutzt << qMakePair(id, setzen); }
};

// The collision dialog, scripted: the test decides what the user does in it.
class SkriptKollisionsDialog final : public KollisionsDialog {
public:
    std::function<void(CollisionLogik&)> aktion = [](CollisionLogik& p) { p.cmdÄndern(); };
    int gezeigt = 0;
    QList<Kollision> zuletzt;
    QString ueberschrift;

    void zeigen(CollisionLogik& p) override {
        ++gezeigt;
        zuletzt = p.liste();
        ueberschrift = p.ueberschrift();
        if (!p.beimLaden()) return;
        aktion(p);
    }
};

// The form's fields of a new reservation of the kind "Einzel" for two guests.
inline ReservierungsFelder neueFelder(const QString& zimmer, const QDate& von, const QDate& bis, const QString& kuerzel) {
    ReservierungsFelder f;
    f.gastName = QStringLiteral("Sommer");
    f.kuerzel = kuerzel;
    f.zimmer = zimmer;
    f.von = dates::longDate(von);
    f.bis = dates::longDate(bis);
    f.artIndex = 0;
    f.artName = QStringLiteral("Einzel");
    f.gaeste = QStringLiteral("2");
    f.waesche1 = QStringLiteral("7");
    f.waesche2 = QStringLiteral("3");
    f.geaendert = QStringLiteral("Ja");
    return f;
}

// A record on its own connection to the file, as another workstation saves.
struct Arbeitsplatz {
    explicit Arbeitsplatz(const QString& datei) : db(Database::open(datei)) {
        record.setNummernMuster(NummernMuster{QStringLiteral("Üb"), QString(), false});
    }
    std::unique_ptr<Database> db;
    ScriptedDialogs dialogs;
    SkriptAdresse adresse;
    SkriptKollisionsDialog kollisionsDialog;  // the user keeps the other booking
    KollisionsErgebnis kollision;
    Belegung record{*db, dialogs, adresse, kollisionsDialog, kollision};
};

// A fresh installation with six rooms ("101" … "106"), the booking kinds, a fixed date
// (Friday 1 March 2024) and a fixed user name, and a booking record over it.
class BookingFixture : public DatabaseFixture {
protected:
    static QDate tag(int day, int month = 3, int year = 2024) { return QDate(year, month, day); }
    static QString t(int day, int month = 3, int year = 2024) { return dates::longDate(tag(day, month, year)); }

    void SetUp() override {
        DatabaseFixture::SetUp();
        uhr_ = std::make_unique<ClockOverride>(tag(1));
        setUserNameForTests(QStringLiteral("Empfang"));
        Transaction einmal(db());
        for (int i = 1; i <= 6; ++i)
            db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer, AnzahlGästeDefault, PreisDefault) "
                                        "VALUES (?, ?, 2, 80)"),
                         {i, QString::number(100 + i)});
        // The last room is the waiting row's, as in every installation.
        db().execute(QStringLiteral("INSERT INTO tbZimmernummern (Zimmernummer, NeueNummer) VALUES (7, 'Vorläufig')"));
        const QStringList arten = {QStringLiteral("Frei"), QStringLiteral("Einzel"), QStringLiteral("Doppel"), QStringLiteral("Tresen"),
                                   QStringLiteral("Angebot")};
        for (int i = 0; i < arten.size(); ++i)
            db().execute(QStringLiteral("INSERT INTO tbBelegArten (BelegungsID, BelegungsArt) VALUES (?, ?)"), {i, arten[i]});
        einmal.commit();
        record_ = std::make_unique<Belegung>(db(), dialogs_, adresse_, kollisionsDialog_, kollision_);
        record_->setNummernMuster(NummernMuster{QStringLiteral("Üb"), QStringLiteral("yy"), true});
    }

    void TearDown() override {
        record_.reset();
        uhr_.reset();
        setUserNameForTests(QString());
        DatabaseFixture::TearDown();
    }

    // A stored booking written straight into the table; returns its ID.
    int buchung(int zimmer, const QDate& von, const QDate& bis, const QString& kuerzel, bool geloescht = false, int abgerechnet = 0,
                const QString& geteilt = QString()) {
        db().execute(QStringLiteral("INSERT INTO tblBelegung (Zimmernummer, Von, Bis, Kürzel, Gelöscht, Abgerechnet, IST_Geteilt, "
                                    "Belegungsart, GastID, AnzahlGäste, BelegNummer) VALUES (?, ?, ?, ?, ?, ?, ?, 1, 3, 2, ?)"),
                     {zimmer, von, bis, kuerzel, geloescht ? -1 : 0, abgerechnet, geteilt.isEmpty() ? QVariant() : QVariant(geteilt),
                      ++letzteNummer_});
        return db().scalar(QStringLiteral("SELECT Max(ID) FROM tblBelegung")).toInt();
    }

    void inBlock(int block, int id) {
        db().execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung) VALUES (?, ?)"), {block, id});
    }

    static ReservierungsFelder neue(const QString& zimmer, const QDate& von, const QDate& bis, const QString& kuerzel) {
        return neueFelder(zimmer, von, bis, kuerzel);
    }

    // Stored fields of a booking as text (dates dd.MM.yyyy, Null empty): many fields, one comparison.
    QStringList spalten(int id, const QStringList& namen) {
        Recordset rs = db().openRecordset(QStringLiteral("SELECT * FROM tblBelegung WHERE ID = ?"), {id});
        QStringList out;
        for (const QString& n : namen) out << (rs.eof() ? QStringLiteral("<keine Buchung>") : rs.text(n));
        return out;
    }

    int zeilen(const QString& where = QStringLiteral("1 = 1")) {
        return db().scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ") + where).toInt();
    }

    ScriptedDialogs dialogs_;
    SkriptAdresse adresse_;
    SkriptKollisionsDialog kollisionsDialog_;
    KollisionsErgebnis kollision_;
    std::unique_ptr<Belegung> record_;
    std::unique_ptr<ClockOverride> uhr_;
    int letzteNummer_ = 0;
};

}  // namespace tav::test
