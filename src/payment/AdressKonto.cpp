#include "payment/AdressKonto.h"

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "payment/Zahlungen.h"
#include "platform/Dates.h"

namespace tav {

namespace {

QString kurz(const QVariant& d) { return d.isNull() ? QString() : d.toDate().toString(QStringLiteral("dd.MM.yy")); }
QString zweiStellen(double v) { return QString::number(v, 'f', 2); }
QString name(const Recordset& rs, const char* vor, const char* nach) {
    return (rs.text(QString::fromUtf8(vor)).trimmed() + QLatin1Char(' ') + rs.text(QString::fromUtf8(nach)).trimmed()).trimmed();
}
QString liste(const QList<int>& ids) {
    QStringList t;
    for (int id : ids) t << QString::number(id);
    return t.join(QStringLiteral(", "));
}

// The rows a sort treats alike: text, number, date.
QVariant datum(const Recordset& rs, const char* feld) { return rs.value(QString::fromUtf8(feld)).toDate(); }

const QString kNichtGeteilt = QStringLiteral("(tblBelegung.IST_Geteilt Is Null OR tblBelegung.IST_Geteilt <> 'Y')");

}  // namespace

const QStringList& AdressKonto::spaltenReservierungen() {
    static const QStringList s = {
        QStringLiteral("Angebot"),   QStringLiteral("Zimmer"), QStringLiteral("Reservierungsnummer"), QStringLiteral("Abgerechnet"),
        QStringLiteral("Vom"),       QStringLiteral("Bis"),    QStringLiteral("Reserviert von"),      QStringLiteral("Rechnungsadresse"),
        QStringLiteral("Gästezahl"), QStringLiteral("Menge"),  QStringLiteral("Einzelpreis"),         QStringLiteral("Gesamtpreis")};
    return s;
}
const QStringList& AdressKonto::spaltenRechnungen() {
    static const QStringList s = {QStringLiteral("ID"), QStringLiteral("Re-Nummer"), QStringLiteral("Datum"), QStringLiteral("Summe"),
                                  QStringLiteral("Adresse")};
    return s;
}
const QStringList& AdressKonto::spaltenZahlungenMit() {
    static const QStringList s = {QStringLiteral("Re-Nummer"),   QStringLiteral("Zimmernummer"), QStringLiteral("Reservierungsnummer"),
                                  QStringLiteral("Datum"),       QStringLiteral("Zahlbetrag"),   QStringLiteral("Zahlart"),
                                  QStringLiteral("Bezahlt als"), QStringLiteral("Bemerkung")};
    return s;
}
const QStringList& AdressKonto::spaltenZahlungenOhne() {
    static const QStringList s = {
        QStringLiteral("Zimmernummer"), QStringLiteral("Reservierungsnummer"), QStringLiteral("Datum"),    QStringLiteral("Zahlbetrag"),
        QStringLiteral("Zahlart"),      QStringLiteral("Bezahlt als"),         QStringLiteral("Bemerkung")};
    return s;
}
const QStringList& AdressKonto::spaltenOffen() {
    static const QStringList s = {QStringLiteral("Art"),       QStringLiteral("Zimmer"),         QStringLiteral("Reservierungsnummer"),
                                  QStringLiteral("Posten"),    QStringLiteral("Reserviert von"), QStringLiteral("Rechnungsadresse"),
                                  QStringLiteral("Datum/Von"), QStringLiteral("Datum/Bis"),      QStringLiteral("Gästezahl"),
                                  QStringLiteral("Menge"),     QStringLiteral("Einzelpreis"),    QStringLiteral("Gesamtpreis")};
    return s;
}

geld::Cent AdressKonto::summe(const QList<KontoZeile>& zeilen) {
    geld::Cent s = 0;
    for (const KontoZeile& z : zeilen) s += z.betrag;
    return s;
}

QString AdressKonto::anschrift() const {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT FirstName, LastName, City FROM Address WHERE ID = ?"), {adresse_});
    if (rs.eof()) return {};
    return rs.text(QStringLiteral("FirstName")).trimmed() + QLatin1Char(' ') + rs.text(QStringLiteral("LastName")).trimmed() +
           QStringLiteral(", ") + rs.text(QStringLiteral("City")).trimmed();
}

QString AdressKonto::dokumentListe() const {
    QList<int> ids;
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT tbRechnungen.ReNummer FROM tbRechnungen INNER JOIN Address ON "
                                                    "tbRechnungen.IDAdresseRe = Address.ID WHERE tbRechnungen.IDAdresseRe = ? ORDER BY "
                                                    "tbRechnungen.ReNummer"),
                                     {adresse_});
    for (; !rs.eof(); rs.moveNext()) ids << rs.integer(QStringLiteral("ReNummer"));
    return liste(ids);
}

QString AdressKonto::buchungsListe() const {
    QList<int> ids;
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT DISTINCT tblBelegung.ID FROM tblBelegung WHERE ") + kNichtGeteilt +
                                         QStringLiteral(" AND tblBelegung.Gelöscht = False AND (tblBelegung.GastID = ? OR "
                                                        "tblBelegung.IDAdressRechnung = ?) ORDER BY tblBelegung.ID"),
                                     {adresse_, adresse_});
    for (; !rs.eof(); rs.moveNext()) ids << rs.integer(QStringLiteral("ID"));
    return liste(ids);
}

QList<KontoZeile> AdressKonto::reservierungen(bool weitere) const {
    QList<KontoZeile> zeilen;
    QString wer = QStringLiteral("tblBelegung.GastID = ? OR tblBelegung.IDAdressRechnung = ?");
    QVariantList p{adresse_, adresse_};
    if (weitere) {
        wer += QStringLiteral(
            " OR tblBelegung.ID IN (SELECT [WeitereGäste].ID_Belegung FROM [WeitereGäste] WHERE [WeitereGäste].ID_Adresse = ?)");
        p << adresse_;
    }
    // Bookings with an extra item for the address belong here too.
    wer += QStringLiteral(" OR tblBelegung.ID IN (SELECT tbRePosten.IDBelegung FROM tbRePosten WHERE tbRePosten.IDAdressePo = ?)");
    p << adresse_;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tblBelegung.ID, tblBelegung.Gelöscht, tblBelegung.Abgerechnet, tblBelegung.Von, tblBelegung.Bis, "
                       "tblBelegung.AnzahlGäste, tblBelegung.AnzahlÜbernachtungen, tblBelegung.PreisProNacht, tblBelegung.Preis, "
                       "tblBelegung.BelegNummer_eigen, tbZimmernummern.NeueNummer, tbBelegArten.BelegungsArt, G.FirstName AS GV, "
                       "G.LastName AS GN, R.FirstName AS RV, R.LastName AS RN "
                       "FROM (((tblBelegung LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) "
                       "LEFT JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID) "
                       "LEFT JOIN Address AS G ON tblBelegung.GastID = G.ID) LEFT JOIN Address AS R ON tblBelegung.IDAdressRechnung = R.ID "
                       "WHERE ") +
            kNichtGeteilt + QStringLiteral(" AND (") + wer + QStringLiteral(") ORDER BY tblBelegung.Von DESC, tblBelegung.ID DESC"),
        p);
    for (; !rs.eof(); rs.moveNext()) {
        KontoZeile z;
        z.buchung = rs.integer(QStringLiteral("ID"));
        const bool angebot =
            rs.text(QStringLiteral("BelegungsArt")).trimmed().compare(QLatin1String("Angebot"), Qt::CaseInsensitive) == 0 ||
            rs.yes(QStringLiteral("Gelöscht"));
        const double preis = rs.number(QStringLiteral("Preis"));
        const double proNacht = rs.number(QStringLiteral("PreisProNacht"));
        z.texte = {angebot ? QStringLiteral("Ja") : QStringLiteral("Nein"),
                   rs.text(QStringLiteral("NeueNummer")),
                   rs.text(QStringLiteral("BelegNummer_eigen")),
                   rs.integer(QStringLiteral("Abgerechnet")) == 1 ? QStringLiteral("Ja") : QStringLiteral("Nein"),
                   kurz(rs.value(QStringLiteral("Von"))),
                   kurz(rs.value(QStringLiteral("Bis"))),
                   name(rs, "GV", "GN"),
                   name(rs, "RV", "RN"),
                   rs.text(QStringLiteral("AnzahlGäste")),
                   rs.text(QStringLiteral("AnzahlÜbernachtungen")),
                   zweiStellen(proNacht),
                   zweiStellen(preis)};
        z.sortierung = {z.texte[0],
                        z.texte[1],
                        z.texte[2],
                        z.texte[3],
                        datum(rs, "Von"),
                        datum(rs, "Bis"),
                        z.texte[6],
                        z.texte[7],
                        rs.integer(QStringLiteral("AnzahlGäste")),
                        rs.integer(QStringLiteral("AnzahlÜbernachtungen")),
                        proNacht,
                        preis};
        z.betrag = angebot ? 0 : geld::cent(preis);
        zeilen << z;
    }
    return zeilen;
}

AdressKonto::Rechnungen AdressKonto::rechnungen() const {
    Rechnungen r;
    QList<RechnungsBlock> bloecke = Zahlungen(db_).rechnungenDerAdresse(adresse_);
    // Newest first.
    std::stable_sort(bloecke.begin(), bloecke.end(), [](const RechnungsBlock& a, const RechnungsBlock& b) { return a.datum > b.datum; });
    int gruppe = 0;
    for (const RechnungsBlock& b : bloecke) {
        KontoZeile kopf;
        kopf.rechnung = b.reNummer;
        kopf.gruppe = gruppe;
        kopf.texte = {QString::number(b.reNummer), b.eigeneNummer, b.datum.toString(QStringLiteral("dd.MM.yy")), geld::text(b.brutto),
                      b.adresse};
        kopf.sortierung = {b.reNummer, b.eigeneNummer, b.datum, geld::ausCent(b.brutto), b.adresse};
        kopf.betrag = b.brutto;
        KontoZeile bezahlt;
        bezahlt.rechnung = b.reNummer;
        bezahlt.gruppe = gruppe;
        bezahlt.texte = {QString(), QStringLiteral("Summe Zahlungen:"), QString(), geld::text(b.gezahlt), QString()};
        KontoZeile offen;
        offen.rechnung = b.reNummer;
        offen.gruppe = gruppe;
        offen.texte = {QString(), QStringLiteral("noch zu zahlen:"), QString(), geld::text(b.offen()), QString()};
        bezahlt.sortierung = offen.sortierung = kopf.sortierung;
        r.zeilen << kopf << bezahlt << offen;
        r.summe += b.brutto;
        r.gezahlt += b.gezahlt;
        ++gruppe;
    }
    return r;
}

QList<KontoZeile> AdressKonto::zahlungenMitRechnung() const {
    QList<KontoZeile> zeilen;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbZahlung.IDZahlung, tbZahlung.IdRechnung, tbZahlung.IDBelegung, tbZahlung.ZahlDatum, tbZahlung.Betrag, "
                       "tbZahlung.Zahlart, tbZahlung.WasBezahlt, tbZahlung.Zahlung_Bem, tbRechnungen.Renummer_eigen, "
                       "tbZimmernummern.NeueNummer, tblBelegung.BelegNummer_eigen "
                       "FROM ((tbZahlung INNER JOIN tblBelegung ON tbZahlung.IDBelegung = tblBelegung.ID) INNER JOIN tbZimmernummern ON "
                       "tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) LEFT JOIN tbRechnungen ON tbZahlung.IdRechnung = "
                       "tbRechnungen.ReNummer WHERE tbZahlung.IdRechnung IN (SELECT tbRechnungen.ReNummer FROM tbRechnungen WHERE "
                       "tbRechnungen.IDAdresseRe = ?) ORDER BY tbZahlung.ZahlDatum DESC, tbZahlung.IDZahlung DESC"),
        {adresse_});
    for (; !rs.eof(); rs.moveNext()) {
        KontoZeile z;
        z.zahlung = rs.integer(QStringLiteral("IDZahlung"));
        z.rechnung = rs.integer(QStringLiteral("IdRechnung"));
        z.buchung = rs.integer(QStringLiteral("IDBelegung"));
        QString nummer = rs.text(QStringLiteral("Renummer_eigen")).trimmed();
        if (nummer.isEmpty() &&
            db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRechnungen_zu_Posten WHERE IDBelegung = ?"), {z.buchung}).toInt() > 0)
            nummer = QStringLiteral("Nicht zugeordnet");
        const double betrag = rs.number(QStringLiteral("Betrag"));
        z.texte = {nummer,
                   rs.text(QStringLiteral("NeueNummer")),
                   rs.text(QStringLiteral("BelegNummer_eigen")),
                   kurz(rs.value(QStringLiteral("ZahlDatum"))),
                   geld::text(geld::cent(betrag)),
                   rs.text(QStringLiteral("Zahlart")),
                   rs.text(QStringLiteral("WasBezahlt")),
                   rs.text(QStringLiteral("Zahlung_Bem"))};
        z.sortierung = {nummer, z.texte[1], z.texte[2], datum(rs, "ZahlDatum"), betrag, z.texte[5], z.texte[6], z.texte[7]};
        z.betrag = geld::cent(betrag);
        zeilen << z;
    }
    return zeilen;
}

QList<KontoZeile> AdressKonto::zahlungenOhneRechnung() const {
    QList<KontoZeile> zeilen;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbZahlung.IDZahlung, tbZahlung.IDBelegung, tbZahlung.ZahlDatum, tbZahlung.Betrag, tbZahlung.Zahlart, "
                       "tbZahlung.WasBezahlt, tbZahlung.Zahlung_Bem, tbZimmernummern.NeueNummer, tblBelegung.BelegNummer_eigen "
                       "FROM (tbZahlung LEFT JOIN tblBelegung ON tbZahlung.IDBelegung = tblBelegung.ID) LEFT JOIN tbZimmernummern ON "
                       "tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer WHERE tbZahlung.IdRechnung Is Null AND "
                       "(tblBelegung.IDAdressRechnung = ? OR (tblBelegung.GastID = ? AND (tblBelegung.IDAdressRechnung Is Null OR "
                       "tblBelegung.IDAdressRechnung = 0))) ORDER BY tbZahlung.ZahlDatum DESC, tbZahlung.IDZahlung DESC"),
        {adresse_, adresse_});
    for (; !rs.eof(); rs.moveNext()) {
        KontoZeile z;
        z.zahlung = rs.integer(QStringLiteral("IDZahlung"));
        z.buchung = rs.integer(QStringLiteral("IDBelegung"));
        const double betrag = rs.number(QStringLiteral("Betrag"));
        z.texte = {rs.text(QStringLiteral("NeueNummer")),       rs.text(QStringLiteral("BelegNummer_eigen")),
                   kurz(rs.value(QStringLiteral("ZahlDatum"))), geld::text(geld::cent(betrag)),
                   rs.text(QStringLiteral("Zahlart")),          rs.text(QStringLiteral("WasBezahlt")),
                   rs.text(QStringLiteral("Zahlung_Bem"))};
        z.sortierung = {z.texte[0], z.texte[1], datum(rs, "ZahlDatum"), betrag, z.texte[4], z.texte[5], z.texte[6]};
        z.betrag = geld::cent(betrag);
        zeilen << z;
    }
    return zeilen;
}

QList<KontoZeile> AdressKonto::offenePosten() const {
    QList<KontoZeile> zeilen;
    const QString kein = QStringLiteral("(tbBelegArten.BelegungsArt Is Null OR tbBelegArten.BelegungsArt <> 'Angebot')");
    {
        Recordset rs = db_.openRecordset(
            QStringLiteral("SELECT tblBelegung.ID, tblBelegung.Von, tblBelegung.Bis, tblBelegung.AnzahlGäste, "
                           "tblBelegung.AnzahlÜbernachtungen, tblBelegung.PreisProNacht, tblBelegung.Preis, tblBelegung.BelegNummer_eigen, "
                           "tbZimmernummern.NeueNummer, G.FirstName AS GV, G.LastName AS GN, R.FirstName AS RV, R.LastName AS RN "
                           "FROM (((tblBelegung LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) "
                           "LEFT JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID) "
                           "LEFT JOIN Address AS G ON tblBelegung.GastID = G.ID) LEFT JOIN Address AS R ON tblBelegung.IDAdressRechnung = "
                           "R.ID WHERE ") +
                kNichtGeteilt + QStringLiteral(" AND ") + kein +
                QStringLiteral(" AND tblBelegung.Gelöscht = False AND (tblBelegung.Abgerechnet <> 1 OR tblBelegung.Abgerechnet Is Null) "
                               "AND (tblBelegung.GastID = ? OR tblBelegung.IDAdressRechnung = ?)"),
            {adresse_, adresse_});
        for (; !rs.eof(); rs.moveNext()) {
            KontoZeile z;
            z.buchung = rs.integer(QStringLiteral("ID"));
            const double preis = rs.number(QStringLiteral("Preis"));
            const double proNacht = rs.number(QStringLiteral("PreisProNacht"));
            z.texte = {QStringLiteral("Reservierung"),
                       rs.text(QStringLiteral("NeueNummer")),
                       rs.text(QStringLiteral("BelegNummer_eigen")),
                       QStringLiteral("Übernachtung"),
                       name(rs, "GV", "GN"),
                       name(rs, "RV", "RN"),
                       kurz(rs.value(QStringLiteral("Von"))),
                       kurz(rs.value(QStringLiteral("Bis"))),
                       rs.text(QStringLiteral("AnzahlGäste")),
                       rs.text(QStringLiteral("AnzahlÜbernachtungen")),
                       zweiStellen(proNacht),
                       zweiStellen(preis)};
            z.sortierung = {z.texte[0],
                            z.texte[1],
                            z.texte[2],
                            z.texte[3],
                            z.texte[4],
                            z.texte[5],
                            datum(rs, "Von"),
                            datum(rs, "Bis"),
                            rs.integer(QStringLiteral("AnzahlGäste")),
                            rs.integer(QStringLiteral("AnzahlÜbernachtungen")),
                            proNacht,
                            preis};
            z.betrag = geld::cent(preis);
            zeilen << z;
        }
    }
    {
        Recordset rs = db_.openRecordset(
            QStringLiteral(
                "SELECT tbRePosten.IDRePosten, tbRePosten.IDBelegung, tbRePosten.ArtikelPo, tbRePosten.DatumPo, "
                "tbRePosten.DatumPoBis, tbRePosten.AnzGästePo, tbRePosten.MengePo, tbRePosten.PreisPo, "
                "tblBelegung.BelegNummer_eigen, tbZimmernummern.NeueNummer, G.FirstName AS GV, G.LastName AS GN, "
                "P.FirstName AS PV, P.LastName AS PN "
                "FROM ((((tbRePosten INNER JOIN tblBelegung ON tbRePosten.IDBelegung = tblBelegung.ID) LEFT JOIN tbZimmernummern "
                "ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) LEFT JOIN tbBelegArten ON tblBelegung.Belegungsart = "
                "tbBelegArten.BelegungsID) LEFT JOIN Address AS G ON tblBelegung.GastID = G.ID) LEFT JOIN Address AS P ON "
                "tbRePosten.IDAdressePo = P.ID WHERE ") +
                kein +
                QStringLiteral(
                    " AND tblBelegung.Gelöscht = False AND tbRePosten.IDRePosten NOT IN (SELECT "
                    "tbRechnungen_zu_Posten.IDPostenRe FROM tbRechnungen_zu_Posten WHERE tbRechnungen_zu_Posten.IDRechnung Is Not "
                    "Null AND tbRechnungen_zu_Posten.IDPostenRe Is Not Null) AND (tblBelegung.GastID = ? OR tbRePosten.IDAdressePo = "
                    "?)"),
            {adresse_, adresse_});
        for (; !rs.eof(); rs.moveNext()) {
            KontoZeile z;
            z.posten = rs.integer(QStringLiteral("IDRePosten"));
            z.buchung = rs.integer(QStringLiteral("IDBelegung"));
            const double menge = rs.number(QStringLiteral("MengePo"));
            const double preis = rs.number(QStringLiteral("PreisPo"));
            const double gesamt = menge * preis;
            z.texte = {QStringLiteral("Zusatzposten"),
                       rs.text(QStringLiteral("NeueNummer")),
                       rs.text(QStringLiteral("BelegNummer_eigen")),
                       rs.text(QStringLiteral("ArtikelPo")),
                       name(rs, "GV", "GN"),
                       name(rs, "PV", "PN"),
                       kurz(rs.value(QStringLiteral("DatumPo"))),
                       kurz(rs.value(QStringLiteral("DatumPoBis"))),
                       rs.text(QStringLiteral("AnzGästePo")),
                       rs.text(QStringLiteral("MengePo")),
                       zweiStellen(preis),
                       zweiStellen(gesamt)};
            z.sortierung = {z.texte[0],
                            z.texte[1],
                            z.texte[2],
                            z.texte[3],
                            z.texte[4],
                            z.texte[5],
                            datum(rs, "DatumPo"),
                            datum(rs, "DatumPoBis"),
                            rs.integer(QStringLiteral("AnzGästePo")),
                            menge,
                            preis,
                            gesamt};
            z.betrag = geld::cent(gesamt);
            zeilen << z;
        }
    }
    // Newest start first.
    std::stable_sort(zeilen.begin(), zeilen.end(),
                     [](const KontoZeile& a, const KontoZeile& b) { return a.sortierung[6].toDate() > b.sortierung[6].toDate(); });
    return zeilen;
}

}  // namespace tav
