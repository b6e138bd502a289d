#include "reservation/CollisionLogik.h"

#include <QHash>
#include <algorithm>
#include <tuple>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/SqlText.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "reservation/LikeMuster.h"
#include "store/Datenbankfehler.h"
#include "store/Zimmerliste.h"

namespace tav {

namespace {

const QString kTitel = QStringLiteral("Reservierung");

QString cv(const QDate& d) { return dates::longDate(d); }

QString idListe(const QList<int>& ids) {
    QStringList parts;
    for (int id : ids) parts << QString::number(id);
    return parts.join(QLatin1Char(','));
}

}  // namespace

QString Kollision::tooltip() const {
    if (freieZimmer.isEmpty()) return QStringLiteral("Diese Reservierung kann nicht verschoben werden.");
    return QStringLiteral("Diese Reservierung kann auf ") + freieZimmer.join(QStringLiteral(" oder ")) +
           QStringLiteral(" verschoben werden.");
}

CollisionLogik::CollisionLogik(Database& db, Dialogs& dialogs, KollisionsErgebnis& ergebnis)
    : db_(db), dialogs_(dialogs), ergebnis_(ergebnis) {}

// ---- the overlap rule ------------------------------------------------------------------------

QString CollisionLogik::bedingung(const QDate& v, const QDate& b) {
    // The existing booking starts strictly inside (V, B), or ends strictly inside it, or
    // contains V, or B lies strictly inside it.
    const QString v1 = cv(v.addDays(1));
    const QString b1 = cv(b.addDays(-1));
    return QStringLiteral(" AND Gelöscht = FALSE ") + QStringLiteral(" AND (Von >= CVDATE('") + v1 +
           QStringLiteral("') AND von <= CVDATE( ' ") + b1 + QStringLiteral(" ' ) OR ") + QStringLiteral("  Bis >= CVDATE('") + v1 +
           QStringLiteral("') ") + QStringLiteral(" AND BIS <= CVDATE('") + b1 + QStringLiteral("') OR  ") + QStringLiteral(" (CVDATE('") +
           cv(v) + QStringLiteral("') >= Von AND (CVDATE('") + cv(v) + QStringLiteral("')) < Bis) OR ") + QStringLiteral(" (CVDATE('") +
           cv(b) + QStringLiteral("') > Von AND (CVDATE('") + cv(b) + QStringLiteral("') < Bis)))");
}

QString CollisionLogik::abfrage(Kopf kopf, int zimmer, const QDate& von, const QDate& bis, int eigeneId) {
    const QString r = QString::number(zimmer);
    const QString id = QString::number(eigeneId);
    QString head;
    switch (kopf) {
        case Kopf::NeueBuchung: head = QStringLiteral("SELECT ID FROM tblBelegung WHERE ") + QStringLiteral("Zimmernummer = ") + r; break;
        case Kopf::GespeicherteBuchung:
            head = QStringLiteral("SELECT ID FROM tblBelegung WHERE ") + QStringLiteral("ID <> ") + id + QStringLiteral(" AND ") +
                   QStringLiteral("Zimmernummer = ") + r;
            break;
        case Kopf::NachEinfuegen:
            head = QStringLiteral(" SELECT distinct ID FROM tblBelegung WHERE (Not (tblBelegung.ID)=") + id + QStringLiteral(") AND ") +
                   QStringLiteral(" Zimmernummer = ") + r;
            break;
        case Kopf::Live: head = QStringLiteral(" SELECT distinct ID FROM tblBelegung WHERE Zimmernummer = ") + r; break;
    }
    return head + bedingung(von, bis);
}

QList<int> CollisionLogik::ueberschneidungen(Kopf kopf, int zimmer, const QDate& von, const QDate& bis, int eigeneId) {
    QList<int> ids;
    Recordset rs = db_.openRecordset(abfrage(kopf, zimmer, von, bis, eigeneId));
    for (; !rs.eof(); rs.moveNext()) ids << rs.integer(QStringLiteral("ID"));
    return ids;
}

bool CollisionLogik::fktTesteÜberschneidungen(int zimmer, const QDate& von, const QDate& bis, int eigeneId, const NeueBuchung& neu,
                                              KollisionsDialog& dialog) {
    ergebnis_ = KollisionsErgebnis{};
    liste_.clear();
    const QList<int> ids = ueberschneidungen(eigeneId == 0 ? Kopf::NeueBuchung : Kopf::GespeicherteBuchung, zimmer, von, bis, eigeneId);
    if (ids.isEmpty()) {
        ergebnis_.geloest = true;
        return true;
    }
    listeLaden(ids, neu);
    dialog.zeigen(*this);
    return ergebnis_.geloest;
}

void CollisionLogik::listeLaden(const QList<int>& ids, const NeueBuchung& neu) {
    neu_ = neu;
    liste_.clear();
    QHash<int, Kollision> gelesen;
    {
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT ID, Kürzel, Zimmernummer, Von, Bis FROM tblBelegung WHERE ID IN (") +
                                         idListe(ids) + QStringLiteral(")"));
        for (; !rs.eof(); rs.moveNext()) {
            Kollision k;
            k.id = rs.integer(QStringLiteral("ID"));
            k.kuerzel = rs.text(QStringLiteral("Kürzel"));
            k.zimmer = rs.integer(QStringLiteral("Zimmernummer"));
            k.von = rs.value(QStringLiteral("Von")).toDate();
            k.bis = rs.value(QStringLiteral("Bis")).toDate();
            gelesen.insert(k.id, k);
        }
    }
    for (int id : ids) {
        if (!gelesen.contains(id)) continue;
        Kollision k = gelesen.value(id);
        k.freieZimmer = freieZimmerLabels(k.von, k.bis);
        k.blockbuchung = istBlockmitglied(k.kuerzel);
        liste_ << k;
    }
    // The overlapping bookings are listed by their departure: the overlap test finds them in
    // the order of the index each part of it was read through.
    std::stable_sort(liste_.begin(), liste_.end(),
                     [](const Kollision& a, const Kollision& b) { return std::tie(a.bis, a.von, a.id) < std::tie(b.bis, b.von, b.id); });
}

CollisionLogik::LiveErgebnis CollisionLogik::liveTest(const QString& zimmerLabel, const QString& von, const QString& bis, int eigeneId) {
    if (von.size() < 6 || bis.size() < 6) return LiveErgebnis::KeinTest;
    const auto v = dates::parse(von);
    const auto b = dates::parse(bis);
    if ((v && b && *v == *b) || von.trimmed() == bis.trimmed()) {
        dialogs_.message(QStringLiteral("Das Anfangs- und Enddatum sind gleich. Bitte korrigiren Sie die Eingaben."), kTitel, Buttons::Ok,
                         Icon::Exclamation);
        return LiveErgebnis::GleicheDaten;
    }
    if (zimmerLabel.trimmed().isEmpty()) return LiveErgebnis::KeinTest;
    // Half-typed or reversed dates give no range to test yet.
    if (!v || !b || *v > *b) return LiveErgebnis::KeinTest;
    const int zimmer = Zimmerliste::nummerVonLabel(db_, zimmerLabel);
    const QList<int> ids = ueberschneidungen(Kopf::Live, zimmer, *v, *b);
    if (ids.isEmpty() || (ids.size() == 1 && eigeneId != 0 && ids.front() == eigeneId)) return LiveErgebnis::Frei;
    return LiveErgebnis::Belegt;
}

// ---- free rooms --------------------------------------------------------------------------

QList<FreiesZimmer> CollisionLogik::freieZimmer(const QDate& von, const QDate& bis, int eigeneId) {
    const QString v = sqltext::date(von);
    const QString b = sqltext::date(bis);
    // The booking being edited does not occupy its own room.
    const QString sql =
        QStringLiteral("SELECT tbZimmernummern.Zimmernummer, tbZimmernummern.NeueNummer, tbZimmernummern.Raucher ") +
        QStringLiteral(" From tbZimmernummern WHERE (((tbZimmernummern.Zimmernummer) Not In (SELECT DISTINCT tblBelegung.Zimmernummer ") +
        QStringLiteral(" FROM tblBelegung WHERE tblBelegung.ID <> ") + QString::number(eigeneId) +
        QStringLiteral(" AND ((((tblBelegung.Von)=") + v + QStringLiteral(") AND ((tblBelegung.Gelöscht)=False)) OR (((tblBelegung.Von)>") +
        v + QStringLiteral(" And (tblBelegung.Von)<") + b +
        QStringLiteral(") AND ((tblBelegung.Gelöscht)=False)) OR (((tblBelegung.Von)<=") + v +
        QStringLiteral(") AND ((tblBelegung.Gelöscht)=False) AND ((tblBelegung.Bis)>=") + b +
        QStringLiteral(")) OR (((tblBelegung.Gelöscht)=False) AND ((tblBelegung.Bis)=") + b +
        QStringLiteral(")) OR (((tblBelegung.Gelöscht)=False) AND ((tblBelegung.Bis)>") + v + QStringLiteral(" And (tblBelegung.Bis)<") +
        b + QStringLiteral(")));))) order by tbZimmernummern.Zimmernummer; ");
    QList<FreiesZimmer> out;
    Recordset rs = db_.openRecordset(sql);
    for (; !rs.eof(); rs.moveNext())
        out << FreiesZimmer{rs.integer(QStringLiteral("Zimmernummer")), rs.text(QStringLiteral("NeueNummer")),
                            rs.yes(QStringLiteral("Raucher"))};
    return out;
}

int CollisionLogik::warteZimmer() {
    if (db_.scalar(QStringLiteral("SELECT Count(*) FROM tbZimmernummern")).toInt() < 2) return 0;
    return db_.scalar(QStringLiteral("SELECT Max(Zimmernummer) FROM tbZimmernummern")).toInt();
}

QStringList CollisionLogik::freieZimmerLabels(const QDate& von, const QDate& bis) {
    QStringList labels;
    // The waiting row's room is never offered as a place to move to: the plan draws only
    // waiting bookings in that row, so a live booking moved there would vanish from the plan.
    const int warten = warteZimmer();
    for (const FreiesZimmer& z : freieZimmer(von, bis)) {
        if (labels.size() >= kMaxFreieZimmer) break;
        if (z.nummer == warten) continue;
        labels << z.label;
    }
    return labels;
}

bool CollisionLogik::istBlockmitglied(const QString& kuerzel) {
    Recordset rs =
        db_.openRecordset(QStringLiteral("SELECT tblBelegung.Kürzel, tbBlockbuchung.IDBlockbuchung") +
                              QStringLiteral(" FROM tblBelegung INNER JOIN tbBlockbuchung ON tblBelegung.ID = tbBlockbuchung.IDBelegung ") +
                              QStringLiteral(" WHERE (((tblBelegung.Kürzel) Like ?)); "),
                          {like::woertlich(kuerzel)});
    return !rs.eof();
}

QList<int> CollisionLogik::ids() const {
    QList<int> out;
    for (const Kollision& k : liste_) out << k.id;
    return out;
}

bool CollisionLogik::zimmerFrei(int zimmer, const QDate& von, const QDate& bis, int eigeneId) {
    return ueberschneidungen(Kopf::NachEinfuegen, zimmer, von, bis, eigeneId).isEmpty();
}

// ---- the collision dialog -----------------------------------------------------------------

QString CollisionLogik::ueberschrift() const {
    if (liste_.size() == 1)
        return QStringLiteral("Die neue Reservierung überschneidet sich mit folgender bereits vorhandenen Reservierung:");
    return QStringLiteral("Die neue Reservierung überschneidet sich mit folgenden ") + QString::number(liste_.size()) +
           QStringLiteral(" bereits vorhandenen Reservierungen:");
}

bool CollisionLogik::beimLaden() {
    for (const Kollision& k : std::as_const(liste_)) {
        if (k.blockbuchung && k.freieZimmer.isEmpty()) {
            dialogs_.message(QStringLiteral("Diese Reservierung kann nicht gespeichert werden. Es existieren Blockbuchugen, die nicht "
                                            "verschoben werden können. Bitte ") +
                                 QStringLiteral("ändern Sie die aktuelle Reservierung."),
                             kTitel, Buttons::Ok, Icon::Critical);
            cmdÄndern();
            return false;
        }
    }
    return true;
}

void CollisionLogik::zielZimmerWaehlen(int index, const QString& label) {
    if (index < 0 || index >= liste_.size()) return;
    Kollision& k = liste_[index];
    k.zielLabel = label.trimmed();
    k.zielZimmer = k.zielLabel.isEmpty() ? 0 : Zimmerliste::nummerVonLabel(db_, k.zielLabel);
}

void CollisionLogik::wartenSetzen(int index, bool warten) {
    if (index < 0 || index >= liste_.size()) return;
    if (liste_[index].blockbuchung) return;  // block members never go into the waiting position
    liste_[index].warten = warten;
}

void CollisionLogik::datumGeaendert(bool istVon, const QString& text) {
    if (!dates::isDate(text)) return;
    (istVon ? neu_.von : neu_.bis) = text.trimmed();
    if (datumZurueck) datumZurueck(istVon, text.trimmed());
}

void CollisionLogik::cmdOK() {
    QHash<int, std::pair<int, QString>> status;  // ID -> (Abgerechnet, IST_Geteilt)
    {
        // Read everything first: no read may stay open while a message box waits for the user.
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT *, Abgerechnet, IST_Geteilt FROM tblBelegung WHERE ID IN ") +
                                         QStringLiteral("(") + idListe(ids()) + QStringLiteral(")"));
        for (; !rs.eof(); rs.moveNext())
            status.insert(rs.integer(QStringLiteral("ID")),
                          {rs.integer(QStringLiteral("Abgerechnet")), rs.text(QStringLiteral("IST_Geteilt"))});
    }
    const auto keinZimmer = [this](const Kollision& k) {
        dialogs_.message(QStringLiteral("Die Reservierung (") + k.kuerzel +
                             QStringLiteral(") konnte nicht gespeichert werden, weil kein Zimmer mehr frei war."),
                         kTitel, Buttons::Ok, Icon::Exclamation);
    };
    bool fehler = false;
    for (const Kollision& k : std::as_const(liste_)) {
        if (!status.contains(k.id)) continue;  // removed by another user meanwhile: no longer in the way
        const auto& [abgerechnet, geteilt] = status.value(k.id);
        if (abgerechnet == 1 || geteilt == QLatin1String("Y")) {
            dialogs_.message(QStringLiteral("Die Reservierung (") + k.kuerzel +
                                 QStringLiteral(") konnte nicht gespeichert werden, weil sie bereits abgerechnet wurde."),
                             kTitel, Buttons::Ok, Icon::Exclamation);
            fehler = true;
            continue;
        }
        try {
            if (k.zielZimmer != 0) {
                // The target was free when the dialog opened; another workstation may have taken
                // it since. Check and move under the write lock.
                bool frei = true;
                {
                    Transaction t(db_, QStringLiteral("tblBelegung"));
                    frei = k.warten || zimmerFrei(k.zielZimmer, k.von, k.bis, k.id);
                    if (frei) {
                        db_.execute(QStringLiteral("UPDATE tblBelegung SET Zimmernummer = ") + QString::number(k.zielZimmer) +
                                    QStringLiteral(", Gelöscht = ") + (k.warten ? QStringLiteral("True") : QStringLiteral("False")) +
                                    QStringLiteral(" WHERE ID = ") + QString::number(k.id));
                        t.commit();
                    }
                }
                if (!frei) {
                    keinZimmer(k);
                    fehler = true;
                }
            } else if (k.warten) {
                const Answer a = dialogs_.message(QStringLiteral("Möchten Sie die Reservierung mit dem Kürzel ") + k.kuerzel +
                                                      QStringLiteral(" in die Warteposition verschieben?"),
                                                  kTitel, Buttons::YesNo, Icon::Critical);
                if (a == Answer::Yes) {
                    db_.execute(QStringLiteral("UPDATE tblBelegung SET Gelöscht = True WHERE ID = ") + QString::number(k.id));
                } else {
                    keinZimmer(k);
                    fehler = true;
                }
            } else {
                keinZimmer(k);
                fehler = true;
            }
        } catch (const DatabaseError& e) {
            dialogs_.message(datenbankFehlertext(QStringLiteral("Die Reservierung konnte nicht verschoben werden."), e), kTitel,
                             Buttons::Ok, Icon::Critical);
            fehler = true;
        }
    }
    ergebnis_.geloest = !fehler;
}

void CollisionLogik::cmdÄndern() {
    ergebnis_.geloest = false;
    ergebnis_.imFormularBleiben = true;
}

void CollisionLogik::cmdAbbrechen() {
    ergebnis_.geloest = true;
    ergebnis_.verwerfen = true;
}

void CollisionLogik::cmdWarten() {
    if (neu_.blockbuchung) return;  // block members never go into the waiting position
    ergebnis_.inWarteposition = true;
    ergebnis_.geloest = true;
}

}  // namespace tav
