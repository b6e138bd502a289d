#include "invoice/clsRechnung.h"

#include <QSet>
#include <QThread>

#include "engine/Database.h"
#include "engine/JetFormat.h"
#include "platform/Dialogs.h"
#include "store/Datenbankfehler.h"
#include "store/Geld.h"
#include "store/Nummernstand.h"
#include "store/Parameter.h"

namespace tav {

namespace {

QVariant oderNull(const std::optional<double>& v) { return v ? QVariant(geld::runden(*v)) : QVariant(); }

// A lock held by another workstation longer than the busy timeout: the whole creation is tried
// again this often before the user is told.
constexpr int kVersuche = 5;

}  // namespace

ReNummerMuster ReNummerMuster::aus(const QStringList& f) {
    ReNummerMuster m;
    m.praefix = f.value(0).trimmed();
    m.datumsformat = f.value(1).trimmed();
    m.zaehlerAlle = f.value(3).trimmed() == QLatin1String("Alle");
    const QString f5 = f.value(4).trimmed();
    m.schluesselAlle = f5.isEmpty() || f5 == QLatin1String("Alle");
    return m;
}

ReNummerMuster ReNummerMuster::lesen(Database& db) {
    QStringList f;
    if (const auto row = Parameter(db).read(QStringLiteral("ReNummer")))
        for (int i = 1; i <= 5; ++i) f << row->text(i);
    return aus(f);
}

QString clsRechnung::art(bool rechnung, bool angebot) {
    if (rechnung) return QStringLiteral("R");
    return angebot ? QStringLiteral("A") : QStringLiteral("B");
}

int clsRechnung::naechsteReNummer(bool alle) {
    if (!alle) {
        const QVariant hoechste = db_.scalar(QStringLiteral("SELECT Max(ReNummer) FROM tbRechnungen"));
        return hoechste.isNull() ? 1 : hoechste.toInt() + 1;
    }
    // The keys in use above the run without a gap that the working file keeps in step,
    // smallest first: the first place where the walk and the keys part is a gap.
    const qint64 lueckenlos = nummernstand::lueckenlosBis(db_, nummernstand::kReNummern);
    Recordset rs =
        db_.openRecordset(QStringLiteral("SELECT ReNummer FROM tbRechnungen WHERE ReNummer > ? ORDER BY ReNummer"), {lueckenlos});
    qint64 kandidat = lueckenlos + 1;
    for (; !rs.eof(); rs.moveNext(), ++kandidat)
        if (rs.value(0).toLongLong() != kandidat) break;
    return int(kandidat);
}

qint64 clsRechnung::naechsterZaehler(const QString& feld, bool alle) {
    // feld is one of the two counter names of this class, never user text.
    const QVariant hoechste = db_.scalar(QStringLiteral("SELECT Max(%1) FROM tbRechnungen").arg(feld));
    if (hoechste.isNull()) return 1;
    const qint64 h = hoechste.toLongLong();
    if (alle && h > 1) {
        // The 51 candidates below the highest (none below 1), read in one pass.
        const qint64 unten = qMax<qint64>(1, h - 51);
        QSet<qint64> belegt;
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT %1 FROM tbRechnungen WHERE %1 >= ? AND %1 < ?").arg(feld), {unten, h});
        for (; !rs.eof(); rs.moveNext()) belegt.insert(rs.value(0).toLongLong());
        for (qint64 kandidat = h - 1; kandidat >= unten; --kandidat)
            if (!belegt.contains(kandidat)) return kandidat;
    }
    return h + 1;
}

bool clsRechnung::reZaehlerVergeben(qint64 zaehler) {
    return !db_.scalar(QStringLiteral("SELECT ReNummer FROM tbRechnungen WHERE ReZaehler = ?"), {zaehler}).isNull();
}

QString clsRechnung::nummerEigen(const QString& art, const ReNummerMuster& muster, qint64 zaehler, const QDate& datum) {
    QStringList teile{art};
    if (!muster.praefix.isEmpty()) teile << muster.praefix;
    teile << jetformat::format(zaehler, QStringLiteral("0000")).toString();
    if (!muster.datumsformat.isEmpty()) teile << jetformat::format(datum, muster.datumsformat).toString();
    return teile.join(QLatin1Char(' '));
}

QString clsRechnung::naechsteNummerEigen(const QString& art, const QDate& datum) {
    const ReNummerMuster m = ReNummerMuster::lesen(db_);
    const qint64 z = art == QLatin1String("R") ? naechsterReZaehler(m.zaehlerAlle) : naechsterBesZaehler(m.zaehlerAlle);
    return nummerEigen(art, m, z, datum);
}

bool clsRechnung::nummerEigenVergeben(const QString& text, int reNummer) {
    return !db_.scalar(QStringLiteral("SELECT ReNummer FROM tbRechnungen WHERE Renummer_eigen = ? AND ReNummer <> ?"),
                       {text.trimmed(), reNummer})
                .isNull();
}

int clsRechnung::anlegen(const NeuesDokument& d, const ReNummerMuster& muster) {
    const QString kind = art(d.rechnung, d.angebot);
    const int key = naechsteReNummer(muster.schluesselAlle);

    // An entry belongs to at most one document: a new one takes it away from an earlier one.
    for (const DokumentEintrag& e : d.eintraege) {
        if (e.art == DokumentEintrag::Art::Posten)
            db_.execute(QStringLiteral("DELETE IDPostenRe From tbRechnungen_zu_Posten WHERE IDPostenRe = ?"), {e.id});
        else
            db_.execute(QStringLiteral("DELETE IDPostenRe From tbRechnungen_zu_Posten WHERE IDBelegung = ?"), {e.id});
    }

    qint64 zaehler = 0;
    QString nummer = d.nummerEigen.trimmed();
    const bool eigeneNummer = !nummer.isEmpty() && nummer != QLatin1String("0");
    if (kind == QLatin1String("R"))
        zaehler = naechsterReZaehler(muster.zaehlerAlle);
    else
        zaehler = naechsterBesZaehler(muster.zaehlerAlle);
    if (!eigeneNummer) {
        nummer = nummerEigen(kind, muster, zaehler, d.datum);
        // A number typed earlier may already read like the composed one: the next counter.
        while (nummerEigenVergeben(nummer, key)) nummer = nummerEigen(kind, muster, ++zaehler, d.datum);
    }

    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbRechnungen WHERE ReNummer = ?"), {key});
    rs.addNew();
    rs.setValue(QStringLiteral("ReNummer"), key);
    rs.setValue(kind == QLatin1String("R") ? QStringLiteral("ReZaehler") : QStringLiteral("Beszaehler"), zaehler);
    rs.setValue(QStringLiteral("Renummer_eigen"), nummer);
    rs.setValue(QStringLiteral("DatumRe"), d.datum);
    rs.setValue(QStringLiteral("Zahlart"), d.zahlart.trimmed().isEmpty() ? QStringLiteral("Ohne") : d.zahlart);
    rs.setValue(QStringLiteral("IDAdresseRe"), d.adressId);
    rs.setValue(QStringLiteral("Anzahlung"), d.anzahlung ? QStringLiteral("Y") : QStringLiteral("N"));
    rs.setValue(QStringLiteral("RE_TEXT1"), d.reText1);
    rs.setValue(QStringLiteral("Anz_Vor_Reise"), d.anzVorReise.isEmpty() ? QStringLiteral("Y") : d.anzVorReise);
    rs.setValue(QStringLiteral("IST_Rechnung"), kind);
    rs.update();
    ReDatenSpeichern(key, d.summen);

    db_.execute(QStringLiteral("DELETE * FROM tbRechnungen_zu_Posten WHERE IDRechnung = ?"), {key});
    int reihenfolge = 0;
    for (const DokumentEintrag& e : d.eintraege) {
        ++reihenfolge;
        if (e.art == DokumentEintrag::Art::Posten)
            db_.execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDPostenRe, Reihenfolge) VALUES (?, ?, ?)"),
                        {key, e.id, reihenfolge});
        else
            db_.execute(QStringLiteral("INSERT INTO tbRechnungen_zu_Posten (IDRechnung, IDBelegung, Reihenfolge) VALUES (?, ?, ?)"),
                        {key, e.id, reihenfolge});
    }

    if (kind == QLatin1String("R")) {
        for (const DokumentEintrag& e : d.eintraege) {
            if (e.art != DokumentEintrag::Art::Buchung) continue;
            // Another document still covers the booking (through its items): its payments stay.
            const int andere = db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten INNER JOIN tbRePosten "
                                                         "ON tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten "
                                                         "WHERE tbRePosten.IDBelegung = ? AND tbRechnungen_zu_Posten.IDRechnung <> ?"),
                                          {e.id, key})
                                   .toInt();
            // Items of the booking outside this document that are not settled.
            const int offen = db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE IDBelegung = ? "
                                                        "AND (AbgerechnetPo Is Null OR AbgerechnetPo IN ('', 'Nein', 'Warten')) "
                                                        "AND IDRePosten NOT IN (SELECT IDPostenRe FROM tbRechnungen_zu_Posten "
                                                        "WHERE IDRechnung = ? AND IDPostenRe Is Not Null)"),
                                         {e.id, key})
                                  .toInt();
            if (andere == 0 && offen == 0)
                db_.execute(QStringLiteral("UPDATE tbZahlung SET IdRechnung = ? WHERE IdBelegung = ? AND IdRechnung Is Null"), {key, e.id});
        }
    }
    if (d.abrechnen) {
        for (const DokumentEintrag& e : d.eintraege) {
            if (e.art == DokumentEintrag::Art::Buchung)
                db_.execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE ID = ?"), {e.id});
            else
                db_.execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE IDRePosten = ?"), {e.id});
        }
    }
    return key;
}

std::optional<int> clsRechnung::ReZuordnungen(const NeuesDokument& d) {
    if (d.eintraege.isEmpty()) {
        dialogs_.message(kKeineEintraege);
        return std::nullopt;
    }
    for (int versuch = 1;; ++versuch) {
        try {
            const ReNummerMuster muster = ReNummerMuster::lesen(db_);
            Transaction t(db_, QStringLiteral("tbRechnungen"));
            const QString typed = d.nummerEigen.trimmed();
            if (!typed.isEmpty() && typed != QLatin1String("0") && nummerEigenVergeben(typed, 0)) {
                t.rollback();
                dialogs_.message(kNummerVergeben, {}, Buttons::Ok, Icon::Exclamation);
                return std::nullopt;
            }
            const int key = anlegen(d, muster);
            t.commit();
            return key;
        } catch (const DatabaseError& fehler) {
            if (fehler.locked() && versuch < kVersuche) {
                QThread::msleep(20 * versuch);
                continue;
            }
            dialogs_.message(datenbankFehlertext(kVorgangFehler, fehler), {}, Buttons::Ok, Icon::Exclamation);
            return std::nullopt;
        }
    }
}

void clsRechnung::ReDatenSpeichern(int reNummer, const DokumentSummen& s) {
    std::optional<double> prozent = s.rabattProz;
    std::optional<double> betrag = prozent ? std::nullopt : s.rabattBetrag;
    db_.execute(QStringLiteral("UPDATE tbRechnungen SET BetragBrutto = ?, BetragMWST = ?, Rabatt_Proz = ?, Rabatt_Betrag = ?, "
                               "Rabatt_Bezeichnung = ?, Skonto_Proz = ? WHERE ReNummer = ?"),
                {geld::runden(s.brutto), geld::runden(s.mwst), prozent ? QVariant(*prozent) : QVariant(), oderNull(betrag),
                 s.rabattBezeichnung, s.skontoProz ? QVariant(*s.skontoProz) : QVariant(), reNummer});
}

QString clsRechnung::stornoFrage(const QString& art) {
    QString was = QStringLiteral("die Bestätigung");
    if (art == QLatin1String("R") || art == QLatin1String("Y"))
        was = QStringLiteral("die Rechnung");
    else if (art == QLatin1String("A"))
        was = QStringLiteral("das Angebot");
    return QStringLiteral("Möchen Sie ") + was + QStringLiteral(" stornieren?");
}

bool clsRechnung::stornieren(int reNummer) {
    try {
        const QString kind = IST_RechnungDB(reNummer);
        if (kind.isEmpty()) return false;
        if (dialogs_.message(stornoFrage(kind), {}, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
        const QStringList buchungen = AlleBelegungenFindenFuerRechnung(reNummer).split(QLatin1Char(','), Qt::SkipEmptyParts);
        Transaction t(db_, QStringLiteral("tbRechnungen"));
        db_.execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 0 WHERE ID IN (SELECT IDBelegung FROM tbRechnungen_zu_Posten "
                                   "WHERE IDRechnung = ?) AND (IST_Geteilt Is Null OR IST_Geteilt <> 'Y')"),
                    {reNummer});
        db_.execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Nein' WHERE IDRePosten IN (SELECT IDPostenRe FROM "
                                   "tbRechnungen_zu_Posten WHERE IDRechnung = ?)"),
                    {reNummer});
        if (!buchungen.isEmpty())
            db_.execute(
                QStringLiteral("UPDATE tbZahlung SET IdBelegung = ? WHERE IdRechnung = ? AND (IdBelegung Is Null OR IdBelegung = 0)"),
                {buchungen.first().toInt(), reNummer});
        db_.execute(QStringLiteral("UPDATE tbZahlung SET IdRechnung = Null WHERE IdRechnung = ?"), {reNummer});
        db_.execute(QStringLiteral("DELETE * FROM tbRechnungen_zu_Posten WHERE IDRechnung = ?"), {reNummer});
        db_.execute(QStringLiteral("DELETE * FROM tbRechnungen WHERE ReNummer = ?"), {reNummer});
        t.commit();
        return true;
    } catch (const DatabaseError& fehler) {
        dialogs_.message(datenbankFehlertext(kVorgangFehler, fehler), {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
}

bool clsRechnung::druckPruefen(const QList<int>& buchungen, bool ohneDruckAnbieten, bool* erstellenOhneDruck) {
    if (erstellenOhneDruck) *erstellenOhneDruck = false;
    if (NochNichtZugeordneteZahlungen(buchungen) == 0) return true;
    if (!ohneDruckAnbieten) {
        dialogs_.message(kNichtZugeordnet + kZuordnenHinweis, {}, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const Answer a =
        dialogs_.message(kNichtZugeordnet + QStringLiteral(" ") + kOhneDruckFrage, kKonflikteTitel, Buttons::YesNo, Icon::Question);
    if (erstellenOhneDruck) *erstellenOhneDruck = a == Answer::Yes;
    return false;
}

bool clsRechnung::postenAenderbar(int idPosten) {
    const QVariant z = db_.scalar(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten WHERE IDRePosten = ?"), {idPosten});
    if (z.toString() != QLatin1String("Ja")) return true;
    dialogs_.message(kBereitsAbgerechnet);
    return false;
}

bool clsRechnung::anzeigbar(int reNummer) {
    if (db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDRechnung = ?"), {reNummer}).toInt() > 0) return true;
    dialogs_.message(kPostenGeloescht);
    return false;
}

std::optional<int> clsRechnung::RechnungFinden(int idBelegung, int idPosten) {
    const QVariant v = idPosten != 0
                           ? db_.scalar(QStringLiteral("SELECT IDRechnung FROM tbRechnungen_zu_Posten WHERE IDPostenRe = ?"), {idPosten})
                           : db_.scalar(QStringLiteral("SELECT IDRechnung FROM tbRechnungen_zu_Posten WHERE IDBelegung = ?"), {idBelegung});
    if (v.isNull()) return std::nullopt;
    return v.toInt();
}

std::optional<int> clsRechnung::RechnungFindenBelegung(int idBelegung) {
    const QVariant v = db_.scalar(QStringLiteral("SELECT tbRechnungen.ReNummer FROM tbRechnungen INNER JOIN tbRechnungen_zu_Posten "
                                                 "ON tbRechnungen.ReNummer = tbRechnungen_zu_Posten.IDRechnung "
                                                 "WHERE tbRechnungen_zu_Posten.IDBelegung = ? AND tbRechnungen.IST_Rechnung = 'R'"),
                                  {idBelegung});
    if (v.isNull()) return std::nullopt;
    return v.toInt();
}

QString clsRechnung::AlleBelegungenFindenFuerRechnung(int reNummer) {
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbRechnungen_zu_Posten.IDBelegung AS B, tbRePosten.IDBelegung AS P FROM tbRechnungen_zu_Posten "
                       "LEFT JOIN tbRePosten ON tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten "
                       "WHERE tbRechnungen_zu_Posten.IDRechnung = ? ORDER BY tbRechnungen_zu_Posten.Reihenfolge"),
        {reNummer});
    QStringList ids;
    for (; !rs.eof(); rs.moveNext()) {
        int id = rs.integer(QStringLiteral("B"));
        if (id == 0) id = rs.integer(QStringLiteral("P"));
        if (id != 0 && !ids.contains(QString::number(id))) ids << QString::number(id);
    }
    return ids.join(QLatin1Char(','));
}

double clsRechnung::ZahlungSumme_ProRechnung(int reNummer) {
    return db_.scalar(QStringLiteral("SELECT Sum(Betrag) FROM tbZahlung WHERE IdRechnung = ?"), {reNummer}).toDouble();
}

bool clsRechnung::RechnungIstVollstBezahlt(int reNummer) {
    const QVariant brutto = db_.scalar(QStringLiteral("SELECT BetragBrutto FROM tbRechnungen WHERE ReNummer = ?"), {reNummer});
    return geld::gleich(brutto.toDouble(), ZahlungSumme_ProRechnung(reNummer));
}

bool clsRechnung::offenePosten(int idBelegung) {
    return db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE IDBelegung = ? "
                                     "AND (AbgerechnetPo Is Null OR AbgerechnetPo IN ('', 'Nein', 'Warten'))"),
                      {idBelegung})
               .toInt() > 0;
}

void clsRechnung::WartenNeinSetzen(const DokumentEintrag& e, int zustand) {
    if (e.art == DokumentEintrag::Art::Buchung) {
        db_.execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = ? WHERE ID = ?"), {zustand, e.id});
        return;
    }
    const QString text = zustand == 1 ? QStringLiteral("Ja") : zustand == 2 ? QStringLiteral("Warten") : QStringLiteral("Nein");
    db_.execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = ? WHERE IDRePosten = ?"), {text, e.id});
}

bool clsRechnung::IstGeteilt(int idBelegung) {
    return db_.scalar(QStringLiteral("SELECT IST_Geteilt FROM tblBelegung WHERE ID = ?"), {idBelegung}).toString() == QLatin1String("Y");
}

QString clsRechnung::IST_RechnungDB(int reNummer) {
    return db_.scalar(QStringLiteral("SELECT IST_Rechnung FROM tbRechnungen WHERE ReNummer = ?"), {reNummer}).toString();
}

int clsRechnung::NochNichtZugeordneteZahlungen(const QList<int>& buchungen) {
    int n = 0;
    for (int b : buchungen)
        n += db_.scalar(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IdBelegung = ? AND IdRechnung Is Null"), {b}).toInt();
    return n;
}

bool clsRechnung::vorhanden(int reNummer) { return !IST_RechnungDB(reNummer).isEmpty(); }

QList<DokumentZeile> clsRechnung::dokumente(const QString& bedingung, const QVariantList& werte) {
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbRechnungen.ReNummer, Renummer_eigen, IST_Rechnung, DatumRe, IDAdresseRe, Address.Lastname, Address.city, "
                       "BetragBrutto, BetragMWST, (SELECT Sum(Betrag) FROM tbZahlung WHERE tbZahlung.IdRechnung = tbRechnungen.ReNummer) "
                       "AS Bezahlt FROM tbRechnungen LEFT JOIN Address ON tbRechnungen.IDAdresseRe = Address.ID WHERE ") +
            bedingung + QStringLiteral(" ORDER BY DatumRe, tbRechnungen.ReNummer"),
        werte);
    QList<DokumentZeile> zeilen;
    for (; !rs.eof(); rs.moveNext()) {
        DokumentZeile z;
        z.reNummer = rs.integer(QStringLiteral("ReNummer"));
        z.nummerEigen = rs.text(QStringLiteral("Renummer_eigen"));
        z.art = rs.text(QStringLiteral("IST_Rechnung"));
        z.datum = rs.value(QStringLiteral("DatumRe")).toDate();
        z.adressId = rs.integer(QStringLiteral("IDAdresseRe"));
        z.name = rs.text(QStringLiteral("Lastname"));
        z.ort = rs.text(QStringLiteral("city"));
        z.brutto = rs.number(QStringLiteral("BetragBrutto"));
        z.mwst = rs.number(QStringLiteral("BetragMWST"));
        z.zustand = geld::gleich(z.brutto, rs.number(QStringLiteral("Bezahlt"))) ? QStringLiteral("bezahlt") : QStringLiteral("offen");
        zeilen << z;
    }
    return zeilen;
}

QList<DokumentZeile> clsRechnung::dokumenteDerBuchung(int idBelegung) {
    return dokumente(QStringLiteral("tbRechnungen.ReNummer IN (SELECT IDRechnung FROM tbRechnungen_zu_Posten LEFT JOIN tbRePosten "
                                    "ON tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten "
                                    "WHERE tbRechnungen_zu_Posten.IDBelegung = ? OR tbRePosten.IDBelegung = ?)"),
                     {idBelegung, idBelegung});
}

QList<DokumentZeile> clsRechnung::dokumenteDerAdresse(int idAdresse) { return dokumente(QStringLiteral("IDAdresseRe = ?"), {idAdresse}); }

std::optional<DokumentZeile> clsRechnung::dokument(int reNummer) {
    const QList<DokumentZeile> z = dokumente(QStringLiteral("tbRechnungen.ReNummer = ?"), {reNummer});
    if (z.isEmpty()) return std::nullopt;
    return z.first();
}

}  // namespace tav
