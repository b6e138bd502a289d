#include "payment/Zahlungen.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Dates.h"

namespace tav {

namespace {

QString nr(int n) { return QString::number(n); }

// A room label with the booking's own number in brackets when it has one.
QString zimmerMitNummer(const QString& zimmer, const QString& eigene) {
    return eigene.trimmed().isEmpty() ? zimmer : zimmer + QStringLiteral(" (") + eigene + QLatin1Char(')');
}

// The invoices ("R") linked to the bookings of a list directly or through one of their items.
QString rechnungenDerBelegungen(const QString& liste) {
    return QStringLiteral(
               "SELECT tbRechnungen_zu_Posten.IDRechnung FROM tbRechnungen_zu_Posten WHERE tbRechnungen_zu_Posten.IDBelegung IN (") +
           liste +
           QStringLiteral(
               ") UNION SELECT tbRechnungen_zu_Posten.IDRechnung FROM tbRechnungen_zu_Posten INNER JOIN tbRePosten ON "
               "tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten WHERE tbRePosten.IDBelegung IN (") +
           liste + QLatin1Char(')');
}

}  // namespace

QString Zahlungen::liste(const QList<int>& ids) {
    QStringList teile;
    for (int id : ids) teile << nr(id);
    return teile.isEmpty() ? QStringLiteral("0") : teile.join(QStringLiteral(", "));
}

// ---- sums ----------------------------------------------------------------------------------

geld::Cent Zahlungen::summeProRechnung(int reNummer) const {
    geld::Cent summe = 0;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Betrag FROM tbZahlung WHERE IdRechnung = ?"), {reNummer}); !rs.eof();
         rs.moveNext())
        summe += geld::cent(rs.number(QStringLiteral("Betrag")));
    return summe;
}

geld::Cent Zahlungen::offenerBetrag(int reNummer) const {
    const QVariant brutto = db_.scalar(QStringLiteral("SELECT BetragBrutto FROM tbRechnungen WHERE ReNummer = ?"), {reNummer});
    return geld::cent(brutto.isNull() ? 0.0 : brutto.toDouble()) - summeProRechnung(reNummer);
}

static QString zahlungsListe(Recordset rs, geld::Cent* summe) {
    QStringList zeilen;
    geld::Cent s = 0;
    for (; !rs.eof(); rs.moveNext()) {
        const geld::Cent betrag = geld::cent(rs.number(QStringLiteral("Betrag")));
        s += betrag;
        zeilen << dates::longDate(rs.value(QStringLiteral("ZahlDatum")).toDate()) + QStringLiteral(", ") + geld::text(betrag);
    }
    if (summe) *summe = s;
    return zeilen.join(QLatin1Char('\n'));
}

QString Zahlungen::bisherigeZahlungenProRechnung(int reNummer, geld::Cent* summe) const {
    return zahlungsListe(
        db_.openRecordset(QStringLiteral("SELECT ZahlDatum, Betrag FROM tbZahlung WHERE IdRechnung = ? ORDER BY ZahlDatum, IDZahlung"),
                          {reNummer}),
        summe);
}

QString Zahlungen::bisherigeZahlungen(int belegung, geld::Cent* summe) const {
    return zahlungsListe(
        db_.openRecordset(QStringLiteral("SELECT ZahlDatum, Betrag FROM tbZahlung WHERE IDBelegung = ? ORDER BY ZahlDatum, IDZahlung"),
                          {belegung}),
        summe);
}

QList<Zahlung> Zahlungen::zahlungenAuflisten(int reNummer) const {
    return zahlungen(QStringLiteral("tbZahlung.IdRechnung = ") + nr(reNummer),
                     QStringLiteral(" ORDER BY tbZimmernummern.NeueNummer, tbZahlung.ZahlDatum"));
}

QList<QPair<QDate, geld::Cent>> Zahlungen::zahlungenAuflistenBelegung(int belegung) const {
    QList<QPair<QDate, geld::Cent>> tage;
    Recordset rs =
        db_.openRecordset(QStringLiteral("SELECT ZahlDatum, Betrag FROM tbZahlung WHERE IDBelegung = ? ORDER BY ZahlDatum"), {belegung});
    for (; !rs.eof(); rs.moveNext()) {
        const QDate tag = rs.value(QStringLiteral("ZahlDatum")).toDate();
        const geld::Cent betrag = geld::cent(rs.number(QStringLiteral("Betrag")));
        if (!tage.isEmpty() && tage.last().first == tag)
            tage.last().second += betrag;
        else
            tage.append({tag, betrag});
    }
    tage.removeIf([](const auto& t) { return t.second == 0; });
    return tage;
}

bool Zahlungen::nochNichtZugeordnete(const QList<int>& belegungen) const {
    return db_.scalar(QStringLiteral("SELECT Count(*) FROM tbZahlung WHERE IdRechnung Is Null AND IDBelegung IN (") + liste(belegungen) +
                      QLatin1Char(')'))
               .toInt() > 0;
}

// ---- writing -------------------------------------------------------------------------------

geld::Cent Zahlungen::bezahlen(bool loeschen, const QDate& datum, const QString& zahlart, int reNummer, int belegung, geld::Cent betrag) {
    if (loeschen) {
        db_.execute(QStringLiteral("DELETE IdRechnung From tbZahlung WHERE IdRechnung = ?"), {reNummer});
        return 0;
    }
    if (betrag == 0) betrag = offenerBetrag(reNummer);
    if (betrag == 0) return 0;
    const QString art = zahlart.trimmed().isEmpty() ? kOhne : zahlart.trimmed();
    db_.execute(QStringLiteral("Insert into tbZahlung ( ZahlDatum,Zahlart,Betrag ,IDRechnung, WasBezahlt, IDBelegung) "
                               " Values (?, ?, ?, ?, 'Gesamtzahlung', ?)"),
                {datum, art, geld::ausCent(betrag), reNummer, belegung > 0 ? QVariant(belegung) : QVariant()});
    return betrag;
}

int Zahlungen::bezahltDatumUmwandeln() {
    Transaction t(db_);
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT ReNummer, BezahltDatumRe, BetragBrutto, Zahlart FROM tbRechnungen WHERE BezahltDatumRe Is Not Null"));
    int anzahl = 0;
    for (; !rs.eof(); rs.moveNext()) {
        db_.execute(QStringLiteral("INSERT INTO tbZahlung (IdRechnung, ZahlDatum, Betrag, Zahlart, WasBezahlt) VALUES (?, ?, ?, ?, ?)"),
                    {rs.value(QStringLiteral("ReNummer")), rs.value(QStringLiteral("BezahltDatumRe")),
                     rs.number(QStringLiteral("BetragBrutto")), rs.value(QStringLiteral("Zahlart")), kGesamtzahlung});
        ++anzahl;
    }
    if (anzahl > 0) db_.execute(QStringLiteral("UPDATE tbRechnungen SET BezahltDatumRe = Null WHERE BezahltDatumRe Is Not Null"));
    t.commit();
    return anzahl;
}

int Zahlungen::ergaenzen() {
    QSet<int> vergeben;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT IDZahlung FROM tbZahlung WHERE IDZahlung Is Not Null")); !rs.eof();
         rs.moveNext())
        vergeben.insert(rs.integer(QStringLiteral("IDZahlung")));
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZahlung WHERE IDZahlung Is Null"));
    if (rs.eof()) return 0;
    Transaction t(db_);
    int anzahl = 0;
    int kandidat = 1;
    for (; !rs.eof(); rs.moveNext()) {
        while (kandidat <= 32767 && vergeben.contains(kandidat)) ++kandidat;
        if (kandidat > 32767) break;  // the counter has no number left
        rs.edit();
        rs.setValue(QStringLiteral("IDZahlung"), kandidat);
        rs.update();
        vergeben.insert(kandidat);
        ++anzahl;
    }
    t.commit();
    return anzahl;
}

void Zahlungen::beimStartPruefen(Database& db) {
    try {
        Zahlungen z(db);
        z.bezahltDatumUmwandeln();
        z.ergaenzen();
    } catch (const DatabaseError&) {
        // each step writes in one transaction: nothing is half done, the next start tries again
    }
}

QStringList Zahlungen::zahlarten() const {
    QStringList out;
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT tbZahlart.Zahlarten  From tbZahlart ORDER BY tbZahlart.Zahlarten; "));
         !rs.eof(); rs.moveNext())
        if (!rs.text(QStringLiteral("Zahlarten")).isEmpty()) out << rs.text(QStringLiteral("Zahlarten"));
    out.removeDuplicates();
    return out;
}

bool Zahlungen::zahlartHinzufuegen(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    // Like without wildcards in the typed text: an entry that equals it regardless of case.
    if (!db_.openRecordset(QStringLiteral("SELECT tbZahlart.Zahlarten From tbZahlart WHERE tbZahlart.Zahlarten = ?"), {t}).eof())
        return false;
    db_.execute(QStringLiteral("INSERT INTO tbZahlart (Zahlarten) VALUES (?)"), {t});
    return true;
}

int Zahlungen::zahlartEntfernen(const QString& text) {
    return db_.execute(QStringLiteral("DELETE Zahlarten FROM tbZahlart WHERE Zahlarten = ?"), {text.trimmed()});
}

// ---- bookings and invoices -----------------------------------------------------------------

QList<int> Zahlungen::blockMitglieder(int belegung) const {
    QList<int> out;
    const QVariant block = db_.scalar(
        QStringLiteral("SELECT IDBlockbuchung FROM tbBlockbuchung WHERE IDBelegung = ? AND IDBlockbuchung Is Not Null"), {belegung});
    if (!block.isNull()) {
        for (Recordset rs =
                 db_.openRecordset(QStringLiteral("SELECT tbBlockbuchung.IDBelegung FROM tbBlockbuchung INNER JOIN tblBelegung ON "
                                                  "tbBlockbuchung.IDBelegung = tblBelegung.ID WHERE tbBlockbuchung.IDBlockbuchung = ? "
                                                  "ORDER BY tbBlockbuchung.Master, tbBlockbuchung.IDBelegung"),
                                   {block});
             !rs.eof(); rs.moveNext())
            if (!out.contains(rs.integer(QStringLiteral("IDBelegung")))) out << rs.integer(QStringLiteral("IDBelegung"));
    }
    if (!out.contains(belegung)) out.prepend(belegung);
    return out;
}

QString Zahlungen::zimmerText(int belegung) const {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT tbZimmernummern.NeueNummer, tblBelegung.BelegNummer_eigen FROM tblBelegung "
                                                    "LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer "
                                                    "WHERE tblBelegung.ID = ?"),
                                     {belegung});
    if (rs.eof()) return {};
    return zimmerMitNummer(rs.text(QStringLiteral("NeueNummer")), rs.text(QStringLiteral("BelegNummer_eigen")));
}

QList<Eintrag> Zahlungen::rechnungenDerBelegung(int belegung) const {
    QList<Eintrag> out;
    Recordset rs = db_.openRecordset(
        QStringLiteral(
            "SELECT tbRechnungen.ReNummer, tbRechnungen.Renummer_eigen, Address.Firstname, Address.Lastname, Address.city "
            "FROM tbRechnungen INNER JOIN Address ON tbRechnungen.IDAdresseRe = Address.ID WHERE tbRechnungen.IST_Rechnung = 'R' "
            "AND tbRechnungen.ReNummer IN (") +
        rechnungenDerBelegungen(nr(belegung)) + QStringLiteral(") ORDER BY tbRechnungen.DatumRe, tbRechnungen.ReNummer"));
    for (; !rs.eof(); rs.moveNext()) {
        QStringList teile;
        for (const char* f : {"Renummer_eigen", "Firstname", "Lastname", "city"})
            if (!rs.text(QString::fromLatin1(f)).trimmed().isEmpty()) teile << rs.text(QString::fromLatin1(f)).trimmed();
        const int id = rs.integer(QStringLiteral("ReNummer"));
        if (std::none_of(out.begin(), out.end(), [id](const Eintrag& e) { return e.id == id; }))
            out << Eintrag{id, teile.join(QLatin1Char(' '))};
    }
    return out;
}

int Zahlungen::rechnungFindenBelegung(int belegung) const {
    const QString b = nr(belegung);
    const QVariant v = db_.scalar(
        QStringLiteral(
            "SELECT Min(tbRechnungen.ReNummer) FROM tbRechnungen WHERE tbRechnungen.IST_Rechnung = 'R' AND tbRechnungen.ReNummer IN ("
            "SELECT IDRechnung FROM tbRechnungen_zu_Posten WHERE IDBelegung = ") +
        b +
        QStringLiteral(" UNION SELECT tbRechnungen_zu_Posten.IDRechnung FROM tbRechnungen_zu_Posten INNER JOIN tbRePosten ON "
                       "tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten WHERE tbRePosten.IST_Belegung = 'Y' AND "
                       "tbRePosten.IDBelegung = ") +
        b + QLatin1Char(')'));
    return v.isNull() ? 0 : v.toInt();
}

QList<RechnungsBlock> Zahlungen::bloecke(const QString& where) const {
    QList<RechnungsBlock> out;
    Recordset rs = db_.openRecordset(
        QStringLiteral(
            "SELECT tbRechnungen.ReNummer, tbRechnungen.Renummer_eigen, tbRechnungen.DatumRe, tbRechnungen.BetragBrutto, "
            "Address.Firstname, Address.Lastname, Address.city FROM tbRechnungen LEFT JOIN Address ON tbRechnungen.IDAdresseRe = "
            "Address.ID WHERE ") +
        where + QStringLiteral(" ORDER BY tbRechnungen.DatumRe, tbRechnungen.ReNummer"));
    for (; !rs.eof(); rs.moveNext()) {
        RechnungsBlock b;
        b.reNummer = rs.integer(QStringLiteral("ReNummer"));
        b.eigeneNummer = rs.text(QStringLiteral("Renummer_eigen"));
        b.datum = rs.value(QStringLiteral("DatumRe")).toDate();
        b.brutto = geld::cent(rs.number(QStringLiteral("BetragBrutto")));
        // last name, ", ", first name, " ", city; a missing part leaves out its separator
        b.adresse = rs.text(QStringLiteral("Lastname"));
        if (!rs.text(QStringLiteral("Firstname")).isEmpty())
            b.adresse += (b.adresse.isEmpty() ? QString() : QStringLiteral(", ")) + rs.text(QStringLiteral("Firstname"));
        if (!rs.text(QStringLiteral("city")).isEmpty())
            b.adresse += (b.adresse.isEmpty() ? QString() : QStringLiteral(" ")) + rs.text(QStringLiteral("city"));
        b.gezahlt = summeProRechnung(b.reNummer);
        out << b;
    }
    return out;
}

QList<RechnungsBlock> Zahlungen::alleRechnungen(const QList<int>& belegungen) const {
    return bloecke(QStringLiteral("tbRechnungen.IST_Rechnung = 'R' AND tbRechnungen.ReNummer IN (") +
                   rechnungenDerBelegungen(liste(belegungen)) + QLatin1Char(')'));
}

QList<RechnungsBlock> Zahlungen::rechnungsBlock(int reNummer) const {
    return bloecke(QStringLiteral("tbRechnungen.ReNummer = ") + nr(reNummer));
}

QList<RechnungsBlock> Zahlungen::rechnungenDerAdresse(int adresse) const {
    return bloecke(QStringLiteral("tbRechnungen.IST_Rechnung = 'R' AND tbRechnungen.IDAdresseRe = ") + nr(adresse));
}

QList<int> Zahlungen::belegungenDerRechnung(int reNummer) const {
    QList<int> out;
    Recordset rs = db_.openRecordset(
        QStringLiteral(
            "SELECT tblBelegung.ID FROM tblBelegung LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = "
            "tbZimmernummern.Zimmernummer WHERE tblBelegung.ID IN (SELECT IDBelegung FROM tbRechnungen_zu_Posten WHERE IDRechnung = ") +
        nr(reNummer) +
        QStringLiteral(" UNION SELECT tbRePosten.IDBelegung FROM tbRechnungen_zu_Posten INNER JOIN tbRePosten ON "
                       "tbRechnungen_zu_Posten.IDPostenRe = tbRePosten.IDRePosten WHERE tbRechnungen_zu_Posten.IDRechnung = ") +
        nr(reNummer) + QStringLiteral(") ORDER BY tbZimmernummern.NeueNummer, tblBelegung.ID"));
    for (; !rs.eof(); rs.moveNext()) out << rs.integer(QStringLiteral("ID"));
    return out;
}

bool Zahlungen::zusatzpostenOffen(const QList<int>& belegungen) const {
    // Per item of the bookings, whether an invoice holds it (the link's index on the item).
    return db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE tbRePosten.IDBelegung IN (") + liste(belegungen) +
                      QStringLiteral(") AND (tbRePosten.IST_Belegung Is Null OR tbRePosten.IST_Belegung <> 'Y') AND NOT EXISTS "
                                     "(SELECT tbRechnungen_zu_Posten.IDPostenRe FROM tbRechnungen_zu_Posten INNER JOIN tbRechnungen ON "
                                     "tbRechnungen_zu_Posten.IDRechnung = tbRechnungen.ReNummer WHERE tbRechnungen_zu_Posten.IDPostenRe = "
                                     "tbRePosten.IDRePosten AND tbRechnungen.IST_Rechnung = 'R')"))
               .toInt() > 0;
}

bool Zahlungen::durchNachtpostenGedeckt(int belegung) const {
    return db_.scalar(QStringLiteral("SELECT Count(*) FROM (tbRePosten INNER JOIN tbRechnungen_zu_Posten ON tbRePosten.IDRePosten = "
                                     "tbRechnungen_zu_Posten.IDPostenRe) INNER JOIN tbRechnungen ON tbRechnungen_zu_Posten.IDRechnung = "
                                     "tbRechnungen.ReNummer WHERE tbRePosten.IDBelegung = ? AND tbRePosten.IST_Belegung = 'Y' AND "
                                     "tbRechnungen.IST_Rechnung = 'R'"),
                      {belegung})
               .toInt() > 0;
}

bool Zahlungen::belegungenAbgerechnet(const QList<int>& belegungen) const {
    return db_.scalar(QStringLiteral("SELECT Count(*) FROM tblBelegung WHERE ID IN (") + liste(belegungen) +
                      QStringLiteral(") AND (IST_Geteilt Is Null OR IST_Geteilt <> 'Y') AND (Abgerechnet Is Null OR Abgerechnet <> 1)"))
               .toInt() == 0;
}

// ---- payment rows --------------------------------------------------------------------------

QList<Zahlung> Zahlungen::zahlungen(const QString& where, const QString& orderBy) const {
    QList<Zahlung> out;
    QHash<int, bool> gedeckt;  // per booking: covered by a night item of an invoice
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbZahlung.IDZahlung, tbZahlung.IdRechnung, tbZahlung.IDBelegung, tbZahlung.ZahlDatum, tbZahlung.Betrag, "
                       "tbZahlung.Zahlart, tbZahlung.WasBezahlt, tbZahlung.Zahlung_Bem, tbRechnungen.Renummer_eigen, "
                       "tbZimmernummern.NeueNummer, tblBelegung.BelegNummer_eigen "
                       "FROM ((tbZahlung LEFT JOIN tblBelegung ON tbZahlung.IDBelegung = tblBelegung.ID) LEFT JOIN tbZimmernummern ON "
                       "tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) LEFT JOIN tbRechnungen ON tbRechnungen.ReNummer = "
                       "tbZahlung.IdRechnung WHERE ") +
        where + orderBy);
    for (; !rs.eof(); rs.moveNext()) {
        Zahlung z;
        z.id = rs.integer(QStringLiteral("IDZahlung"));
        z.rechnung = rs.integer(QStringLiteral("IdRechnung"));
        z.belegung = rs.integer(QStringLiteral("IDBelegung"));
        z.datum = rs.value(QStringLiteral("ZahlDatum")).toDate();
        z.betrag = geld::cent(rs.number(QStringLiteral("Betrag")));
        z.zahlart = rs.text(QStringLiteral("Zahlart"));
        z.wasBezahlt = rs.text(QStringLiteral("WasBezahlt"));
        z.bemerkung = rs.text(QStringLiteral("Zahlung_Bem"));
        if (rs.value(QStringLiteral("IdRechnung")).isNull()) {
            if (!gedeckt.contains(z.belegung)) gedeckt.insert(z.belegung, durchNachtpostenGedeckt(z.belegung));
            z.rechnungText = gedeckt.value(z.belegung) ? QStringLiteral("Nicht zugeordnet") : kNichtZugeordnet;
        } else
            z.rechnungText = rs.text(QStringLiteral("Renummer_eigen"));
        z.zimmerText = zimmerMitNummer(rs.text(QStringLiteral("NeueNummer")), rs.text(QStringLiteral("BelegNummer_eigen")));
        out << z;
    }
    return out;
}

QList<Zahlung> Zahlungen::zahlungenDerBelegungen(const QList<int>& belegungen) const {
    return zahlungen(QStringLiteral("tbZahlung.IDBelegung IN (") + liste(belegungen) + QLatin1Char(')'),
                     QStringLiteral(" ORDER BY tbZahlung.ZahlDatum, tbZahlung.IDZahlung"));
}

std::optional<Zahlung> Zahlungen::zahlung(int id) const {
    const QList<Zahlung> z = zahlungen(QStringLiteral("tbZahlung.IDZahlung = ") + nr(id), {});
    if (z.isEmpty()) return std::nullopt;
    return z.first();
}

QList<Zahlung> Zahlungen::zahlungenDerAdresse(int adresse) const {
    const QString a = nr(adresse);
    return zahlungen(QStringLiteral("(tblBelegung.GastID = ") + a + QStringLiteral(" OR tblBelegung.IDAdressRechnung = ") + a +
                         QStringLiteral(" OR tbRechnungen.IDAdresseRe = ") + a + QLatin1Char(')'),
                     QStringLiteral(" ORDER BY tbZahlung.ZahlDatum, tbZahlung.IDZahlung"));
}

}  // namespace tav
