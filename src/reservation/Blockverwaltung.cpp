#include "reservation/Blockverwaltung.h"

#include <cmath>

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/UserName.h"
#include "reservation/BelegNummern.h"
#include "store/Parameter.h"
#include "store/mdBlockbuchung.h"

namespace tav {

namespace {

constexpr int kKuerzelLaenge = 17;

double aufCent(double betrag) { return std::round(betrag * 100.0) / 100.0; }

}  // namespace

Blockverwaltung::Blockverwaltung(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

bool Blockverwaltung::buchungLesen(int id) {
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tblBelegung.ID, tblBelegung.Von, tblBelegung.Bis, tblBelegung.Kürzel, tblBelegung.Gelöscht, "
                       "Address.FirstName, Address.LastName FROM tblBelegung LEFT JOIN Address ON tblBelegung.GastID = Address.ID "
                       "WHERE tblBelegung.ID = ?"),
        {id});
    if (rs.eof()) {
        dialogs_.message(QStringLiteral("Die Reservierung mit der Nummer ") + QString::number(id) +
                             QStringLiteral(" existiert nicht mehr. Die Blockbuchung kann nicht bearbeitet werden."),
                         kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    if (rs.yes(QStringLiteral("Gelöscht"))) {
        dialogs_.message(QStringLiteral("Die Reservierung steht in der Warteposition. Eine Blockbuchung kann nur aus einer Reservierung "
                                        "mit Zimmer angelegt werden."),
                         kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    von_ = rs.value(QStringLiteral("Von")).toDate();
    bis_ = rs.value(QStringLiteral("Bis")).toDate();
    kuerzel_ = rs.text(QStringLiteral("Kürzel")).trimmed();
    gast_ = (rs.text(QStringLiteral("FirstName")).trimmed() + QLatin1Char(' ') + rs.text(QStringLiteral("LastName")).trimmed()).trimmed();
    return true;
}

bool Blockverwaltung::laden(int buchungId) {
    mitglieder_.clear();
    entfernt_.clear();
    geaendert_ = false;
    block_ = 0;
    buchungId_ = buchungId;
    if (!buchungLesen(buchungId)) return false;
    warteZimmer_ = db_.scalar(QStringLiteral("SELECT Max(Zimmernummer) FROM tbZimmernummern")).toInt();

    block_ = mdBlockbuchung::BlocknummerDerBelegung(db_, buchungId);
    const QString auswahl = QStringLiteral(
        "SELECT tblBelegung.ID, tblBelegung.Zimmernummer, tbZimmernummern.NeueNummer, tblBelegung.Kürzel, "
        "tblBelegung.AnzahlGäste, tblBelegung.Preis FROM tblBelegung LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = "
        "tbZimmernummern.Zimmernummer WHERE tblBelegung.ID = ?");
    const auto mitglied = [&](int id, bool master) -> bool {
        Recordset rs = db_.openRecordset(auswahl, {id});
        if (rs.eof()) return false;
        Blockmitglied m;
        m.buchungId = id;
        m.zimmer = rs.integer(QStringLiteral("Zimmernummer"));
        m.zimmerLabel = rs.text(QStringLiteral("NeueNummer"));
        m.kuerzel = rs.text(QStringLiteral("Kürzel"));
        m.gaeste = rs.integer(QStringLiteral("AnzahlGäste"));
        m.preis = rs.number(QStringLiteral("Preis"));
        m.master = master;
        mitglieder_ << m;
        return true;
    };
    if (block_ == 0) {
        mitglied(buchungId, true);
        return true;
    }

    bool masterDa = false;
    QList<int> verwaist;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT IDBelegung, Master FROM tbBlockbuchung WHERE IDBlockbuchung = ? ORDER BY Master, IDBelegung"), {block_});
    QList<QPair<int, bool>> zeilen;
    for (; !rs.eof(); rs.moveNext()) zeilen << qMakePair(rs.integer(QStringLiteral("IDBelegung")), rs.yes(QStringLiteral("Master")));
    for (const auto& [id, master] : zeilen) {
        if (mitglied(id, master))
            masterDa = masterDa || master;
        else
            verwaist << id;
    }
    if (!verwaist.isEmpty()) {
        // Members whose booking was deleted elsewhere leave the block.
        Transaction t(db_, QStringLiteral("tbBlockbuchung"));
        for (int id : verwaist)
            db_.execute(QStringLiteral(" DELETE tbBlockbuchung.IDBelegung From tbBlockbuchung ") +
                        QStringLiteral(" WHERE (((tbBlockbuchung.IDBelegung)=") + QString::number(id) + QStringLiteral(")); "));
        t.commit();
    }
    if (!masterDa) {
        for (Blockmitglied& m : mitglieder_) m.master = m.buchungId == buchungId;
        geaendert_ = true;
        dialogs_.message(QStringLiteral("Die führende Reservierung dieser Blockbuchung gibt es nicht mehr. Die Reservierung '") + kuerzel_ +
                             QStringLiteral("' führt die Blockbuchung jetzt. Speichern Sie die Blockbuchung, um das zu übernehmen."),
                         kTitel, Buttons::Ok, Icon::Information);
    }
    return true;
}

QString Blockverwaltung::ueberschrift() const {
    const QString block = block_ == 0 ? QStringLiteral("Neue Blockbuchung") : QStringLiteral("Blockbuchung ") + QString::number(block_);
    return block + QStringLiteral(" – ") + (gast_.isEmpty() ? kuerzel_ : gast_) + QStringLiteral(", ") + dates::longDate(von_) +
           QStringLiteral(" bis ") + dates::longDate(bis_);
}

bool Blockverwaltung::zimmerFrei(int zimmer, int ohneBuchung) {
    // Two bookings of a room collide when each begins before the other ends; bookings in the
    // waiting position do not count.
    return db_.scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Zimmernummer = ? AND Gelöscht = False AND Von < ? AND "
                                     "Bis > ? AND ID <> ?"),
                      {zimmer, bis_, von_, ohneBuchung})
               .toInt() == 0;
}

QList<BlockZimmer> Blockverwaltung::freieZimmer() {
    QList<BlockZimmer> frei;
    Recordset rs = db_.openRecordset(
        QStringLiteral(
            "SELECT Zimmernummer, NeueNummer, AnzahlGästeDefault, PreisDefault FROM tbZimmernummern WHERE Zimmernummer < ? AND Zimmernummer "
            "NOT IN (SELECT DISTINCT Zimmernummer FROM tblBelegung WHERE Gelöscht = False AND Von < ? AND Bis > ?) ORDER BY Zimmernummer"),
        {warteZimmer_, bis_, von_});
    for (; !rs.eof(); rs.moveNext()) {
        const int nummer = rs.integer(QStringLiteral("Zimmernummer"));
        bool imBlock = false;
        for (const Blockmitglied& m : mitglieder_) imBlock = imBlock || m.zimmer == nummer;
        if (imBlock) continue;
        frei << BlockZimmer{nummer, rs.text(QStringLiteral("NeueNummer")), rs.integer(QStringLiteral("AnzahlGästeDefault")),
                            rs.number(QStringLiteral("PreisDefault"))};
    }
    return frei;
}

bool Blockverwaltung::zimmerHinzufuegen(int zimmer) {
    for (const BlockZimmer& z : freieZimmer()) {
        if (z.nummer != zimmer) continue;
        Blockmitglied m;
        m.zimmer = z.nummer;
        m.zimmerLabel = z.label;
        m.gaeste = z.gaeste > 0 ? z.gaeste : 1;
        m.preis = aufCent(z.preisProNacht * double(von_.daysTo(bis_)));
        m.kuerzel = kuerzelFuer(z.label);
        mitglieder_ << m;
        geaendert_ = true;
        return true;
    }
    dialogs_.message(QStringLiteral("Dieses Zimmer ist vom ") + dates::longDate(von_) + QStringLiteral(" bis ") + dates::longDate(bis_) +
                         QStringLiteral(" nicht frei."),
                     kTitel, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool Blockverwaltung::entfernen(int index) {
    if (index < 0 || index >= mitglieder_.size()) return false;
    if (mitglieder_[index].master) {
        dialogs_.message(QStringLiteral("Die führende Reservierung kann nicht aus der Blockbuchung genommen werden. Bestimmen Sie zuerst "
                                        "eine andere Reservierung als führende."),
                         kTitel, Buttons::Ok, Icon::Information);
        return false;
    }
    if (mitglieder_[index].buchungId != 0) entfernt_ << mitglieder_[index].buchungId;
    mitglieder_.removeAt(index);
    geaendert_ = true;
    return true;
}

void Blockverwaltung::setMaster(int index) {
    if (index < 0 || index >= mitglieder_.size() || mitglieder_[index].master) return;
    for (int i = 0; i < mitglieder_.size(); ++i) mitglieder_[i].master = i == index;
    geaendert_ = true;
}

QString Blockverwaltung::kuerzelFuer(const QString& label) {
    // The short name of a member: the leading booking's, followed by the room, unique over
    // all bookings and the rooms added here.
    const QString raum = QLatin1Char(' ') + label.trimmed();
    QString basis = kuerzel_.left(kKuerzelLaenge - int(raum.size())).trimmed() + raum;
    QString k = basis.left(kKuerzelLaenge);
    for (int n = 2;; ++n) {
        bool vergeben = db_.scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE Kürzel = ?"), {k}).toInt() > 0;
        for (const Blockmitglied& m : mitglieder_) vergeben = vergeben || m.kuerzel.compare(k, Qt::CaseInsensitive) == 0;
        if (!vergeben) return k;
        const QString zusatz = QLatin1Char('-') + QString::number(n);
        k = basis.left(kKuerzelLaenge - int(zusatz.size())) + zusatz;
    }
}

int Blockverwaltung::neueBuchung(const Blockmitglied& m, const NummernMuster& muster) {
    Recordset vorlage = db_.openRecordset(QStringLiteral("SELECT * FROM tblBelegung WHERE ID = ?"), {buchungId_});
    const qint64 nummer = BelegNummern::naechste(db_, muster.alle);
    const QDate heute = Clock::current().today();
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tblBelegung WHERE ID = 0"));
    rs.addNew();
    for (const char* feld :
         {"GastID", "IDAdressRechnung", "Belegungsart", "Wäsche1", "Wäsche2", "Frühstück", "Mittag", "Abendessen", "Zahlart", "Fix"})
        rs.setValue(QString::fromUtf8(feld), vorlage.value(QString::fromUtf8(feld)));
    const int naechte = int(von_.daysTo(bis_));
    rs.setValue(QStringLiteral("Zimmernummer"), m.zimmer);
    rs.setValue(QStringLiteral("Von"), von_);
    rs.setValue(QStringLiteral("Bis"), bis_);
    rs.setValue(QStringLiteral("Kürzel"), m.kuerzel);
    rs.setValue(QStringLiteral("AnzahlGäste"), m.gaeste);
    rs.setValue(QStringLiteral("AnzahlÜbernachtungen"), naechte);
    rs.setValue(QStringLiteral("PreisProNacht"), naechte > 0 ? aufCent(m.preis / naechte) : 0.0);
    rs.setValue(QStringLiteral("Preis"), m.preis);
    rs.setValue(QStringLiteral("BelegNummer"), nummer);
    rs.setValue(QStringLiteral("BelegNummer_eigen"), BelegNummern::eigene(muster, nummer, von_));
    rs.setValue(QStringLiteral("WerErstellt"), userName());
    rs.setValue(QStringLiteral("WannErstellt"), heute);
    rs.setValue(QStringLiteral("WerGeändert"), userName());
    rs.setValue(QStringLiteral("WannGeändert"), heute);
    rs.setValue(QStringLiteral("Checked"), false);
    rs.setValue(QStringLiteral("Gelöscht"), false);
    rs.setValue(QStringLiteral("Abgerechnet"), 0);
    rs.update();
    return rs.lastModified(QStringLiteral("ID")).toInt();
}

bool Blockverwaltung::speichern() {
    if (mitglieder_.size() < 2) {
        dialogs_.message(QStringLiteral("Eine Blockbuchung besteht aus mindestens zwei Zimmern. Fügen Sie weitere Zimmer hinzu oder lösen "
                                        "Sie die Blockbuchung auf."),
                         kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const NummernMuster muster = NummernMuster::lesen(db_);
    QList<int> neueIds;
    QString belegt;
    {
        // The free-room test, the new bookings and the membership rows run under the write
        // lock of the bookings' file: a room another workstation books meanwhile is seen here.
        Transaction t(db_, QStringLiteral("tblBelegung"));
        Blockmitglied* fuehrend = nullptr;
        for (Blockmitglied& m : mitglieder_)
            if (m.master) fuehrend = &m;
        if (fuehrend && fuehrend->buchungId != 0 &&
            db_.scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ID = ?"), {fuehrend->buchungId}).toInt() == 0) {
            t.rollback();
            dialogs_.message(QStringLiteral("Die führende Reservierung '") + fuehrend->kuerzel +
                                 QStringLiteral("' wurde inzwischen gelöscht. Die Blockbuchung wurde nicht gespeichert."),
                             kTitel, Buttons::Ok, Icon::Critical);
            return false;
        }
        for (const Blockmitglied& m : mitglieder_) {
            if (m.buchungId != 0 || zimmerFrei(m.zimmer, 0)) continue;
            belegt += (belegt.isEmpty() ? QString() : QStringLiteral(", ")) + m.zimmerLabel;
        }
        if (!belegt.isEmpty()) {
            t.rollback();
            dialogs_.message(QStringLiteral("Es sind Konflikte im Netzwerkbetrieb aufgetreten: Zimmer ") + belegt +
                                 QStringLiteral(" ist inzwischen vom ") + dates::longDate(von_) + QStringLiteral(" bis ") +
                                 dates::longDate(bis_) +
                                 QStringLiteral(" belegt. Die Blockbuchung wurde nicht gespeichert; wählen Sie ein anderes Zimmer."),
                             kTitel, Buttons::Ok, Icon::Critical);
            return false;
        }
        // The member bookings first, then the membership rows: a failure on the way leaves
        // neither.
        for (const Blockmitglied& m : mitglieder_) neueIds << (m.buchungId != 0 ? m.buchungId : neueBuchung(m, muster));
        const int block = block_ != 0 ? block_ : db_.scalar(QStringLiteral("SELECT Max(IDBlockbuchung) FROM tbBlockbuchung")).toInt() + 1;
        for (int id : entfernt_)
            db_.execute(QStringLiteral(" DELETE tbBlockbuchung.IDBelegung From tbBlockbuchung ") +
                        QStringLiteral(" WHERE (((tbBlockbuchung.IDBelegung)=") + QString::number(id) + QStringLiteral(")); "));
        const QString vorname = gast_.section(QLatin1Char(' '), 0, 0);
        const QString nachname = gast_.section(QLatin1Char(' '), 1);
        const QDate heute = Clock::current().today();
        for (int i = 0; i < mitglieder_.size(); ++i) {
            const Blockmitglied& m = mitglieder_[i];
            const int id = neueIds[i];
            // A booking belongs to at most one block.
            const int bisher = db_.scalar(QStringLiteral("SELECT IDBlockbuchung FROM tbBlockbuchung WHERE IDBelegung = ?"), {id}).toInt();
            if (bisher != 0 && bisher != block) {
                t.rollback();
                dialogs_.message(QStringLiteral("Die Reservierung '") + m.kuerzel +
                                     QStringLiteral("' gehört bereits zu einer anderen Blockbuchung. Die Blockbuchung wurde nicht "
                                                    "gespeichert."),
                                 kTitel, Buttons::Ok, Icon::Critical);
                return false;
            }
            if (bisher == 0)
                db_.execute(QStringLiteral("INSERT INTO tbBlockbuchung (IDBlockbuchung, IDBelegung, WannAngelegt, BlVorname, BlNachname, "
                                           "Master) VALUES (?, ?, ?, ?, ?, ?)"),
                            {block, id, heute, vorname, nachname, m.master});
            else
                db_.execute(QStringLiteral("UPDATE tbBlockbuchung SET Master = ? WHERE IDBelegung = ?"), {m.master, id});
        }
        // What the block program did, for whoever reads the hand-over row: the block number
        // (F2) and the day it was saved (F3).
        Parameter(db_).write(mdBlockbuchung::kUebergabe, {{2, QString::number(block)}, {3, dates::longDate(heute)}});
        t.commit();
        block_ = block;
    }
    for (int i = 0; i < mitglieder_.size(); ++i) mitglieder_[i].buchungId = neueIds[i];
    entfernt_.clear();
    geaendert_ = false;
    return true;
}

bool Blockverwaltung::aufloesen() {
    if (block_ == 0) {
        mitglieder_.erase(std::remove_if(mitglieder_.begin(), mitglieder_.end(), [](const Blockmitglied& m) { return !m.master; }),
                          mitglieder_.end());
        entfernt_.clear();
        geaendert_ = false;
        return true;
    }
    if (dialogs_.message(QStringLiteral("Soll die Blockbuchung aufgelöst werden? Die Reservierungen bleiben als einzelne Reservierungen "
                                        "erhalten."),
                         kTitel, Buttons::YesNo, Icon::Question, 2) != Answer::Yes)
        return false;
    Transaction t(db_, QStringLiteral("tbBlockbuchung"));
    db_.execute(QStringLiteral("DELETE * FROM tbBlockbuchung WHERE IDBlockbuchung = ?"), {block_});
    t.commit();
    return laden(buchungId_);
}

}  // namespace tav
