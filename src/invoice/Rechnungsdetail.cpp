#include "invoice/Rechnungsdetail.h"

#include <QLocale>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <cmath>

#include "engine/Database.h"
#include "engine/Recordset.h"
#include "platform/Amounts.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "reservation/clsSaisonpreis.h"
#include "store/Geld.h"
#include "store/Parameter.h"

namespace tav {

QChar belegBuchstabe(const QString& istRechnung) {
    const QString b = istRechnung.trimmed().toUpper();
    if (b == QLatin1String("A") || b == QLatin1String("B")) return b.at(0);
    return QLatin1Char('R');
}

namespace {

const QLocale& deutsch() {
    static const QLocale l(QLocale::German, QLocale::Germany);
    return l;
}

double runden(double betrag) { return std::round(betrag * 100.0) / 100.0; }

// The display options of one document kind.
struct Anzeige {
    bool artikelBemerkung = false, zimmerbemerkung = false, blockbez = false, datumZusatzposten = false, verpflegung = false,
         gastname = false, gaestezahl = false, keineMwst = false, saisonaufteilung = false, zahlung = false, zimmerText = false,
         zwischen = false;

    static Anzeige lesen(Database& db, QChar art) {
        const Parameter p(db);
        const QString k = art;
        const bool rechnung = art == QLatin1Char('R'), angebot = art == QLatin1Char('A');
        const auto ja = [&](const char* name) { return p.readYesNo(QString::fromUtf8(name) + k); };
        Anzeige a;
        a.artikelBemerkung = ja("Artikel_Bemerkung");
        a.zimmerbemerkung = ja("Zimmerbemerkung");
        a.blockbez = !angebot && ja("Blockbez");
        a.datumZusatzposten = ja("DatumZusatzposten");
        a.verpflegung = ja("TextMitFrühstück");
        a.gastname = ja("Gastname");
        a.gaestezahl = ja("MitGästezahl");
        a.keineMwst = !rechnung && ja("Keine_MWST");
        a.saisonaufteilung = ja("Saisonaufteilung");
        a.zahlung = !angebot && ja("Zahlung");
        a.zimmerText = ja("TextZimmerNummer");
        a.zwischen = ja("Zwischen");
        return a;
    }
};

// What a line's booking contributes to every line that belongs to it.
struct Buchung {
    int id = 0;
    int zimmer = 0;
    QDate von, bis;
    int naechte = 0;
    double preisProNacht = 0, preis = 0;
    int gaeste = 0, kinder = 0;
    bool fruehstueck = false, mittag = false, abendessen = false;
    QString reText, kuerzel, belegNummer, zahlart, art;
    QString nummer, zimmerBemerkung, block;
    QString gastNr, anrede, nachname, vorname, ort;
};

const QString kBuchungSql = QStringLiteral(
    "SELECT tblBelegung.ID, tblBelegung.Zimmernummer, tblBelegung.Von, tblBelegung.Bis, tblBelegung.AnzahlÜbernachtungen, "
    "tblBelegung.PreisProNacht, tblBelegung.Preis, tblBelegung.AnzahlGäste, tblBelegung.Anz_Kinder, tblBelegung.Frühstück, "
    "tblBelegung.Mittag, tblBelegung.Abendessen, tblBelegung.Re_text, tblBelegung.Kürzel, tblBelegung.BelegNummer_eigen, "
    "tblBelegung.Zahlart, tbZimmernummern.NeueNummer, tbZimmernummern.Bemerkungen, tbZimmernummern.KatBlockbuchung, "
    "tbBelegArten.BelegungsArt, Address.Adressnummer, Address.Anrede, Address.Lastname, Address.Firstname, Address.city "
    "FROM ((tblBelegung LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) "
    "LEFT JOIN Address ON tblBelegung.GastID = Address.ID) "
    "LEFT JOIN tbBelegArten ON tblBelegung.Belegungsart = tbBelegArten.BelegungsID WHERE tblBelegung.ID = ?");

std::optional<Buchung> buchungLesen(Database& db, int id) {
    Recordset rs = db.openRecordset(kBuchungSql, {id});
    if (rs.eof()) return std::nullopt;
    Buchung b;
    b.id = id;
    b.zimmer = rs.integer(QStringLiteral("Zimmernummer"));
    b.von = rs.value(QStringLiteral("Von")).toDate();
    b.bis = rs.value(QStringLiteral("Bis")).toDate();
    b.naechte = rs.integer(QStringLiteral("AnzahlÜbernachtungen"));
    b.preisProNacht = rs.number(QStringLiteral("PreisProNacht"));
    b.preis = rs.number(QStringLiteral("Preis"));
    b.gaeste = rs.integer(QStringLiteral("AnzahlGäste"));
    b.kinder = rs.integer(QStringLiteral("Anz_Kinder"));
    b.fruehstueck = rs.yes(QStringLiteral("Frühstück"));
    b.mittag = rs.yes(QStringLiteral("Mittag"));
    b.abendessen = rs.yes(QStringLiteral("Abendessen"));
    b.reText = rs.text(QStringLiteral("Re_text"));
    b.kuerzel = rs.text(QStringLiteral("Kürzel"));
    b.belegNummer = rs.text(QStringLiteral("BelegNummer_eigen"));
    b.zahlart = rs.text(QStringLiteral("Zahlart"));
    b.art = rs.text(QStringLiteral("BelegungsArt"));
    b.nummer = rs.text(QStringLiteral("NeueNummer"));
    b.zimmerBemerkung = rs.text(QStringLiteral("Bemerkungen"));
    b.block = rs.text(QStringLiteral("KatBlockbuchung"));
    b.gastNr = rs.text(QStringLiteral("Adressnummer"));
    b.anrede = rs.text(QStringLiteral("Anrede"));
    b.nachname = rs.text(QStringLiteral("Lastname"));
    b.vorname = rs.text(QStringLiteral("Firstname"));
    b.ort = rs.text(QStringLiteral("city"));
    return b;
}

// The fields every line of a booking carries: guest, room, booking kind, short code.
// With the room-number option the room reads with the user's caption for rooms ("Zimmer 101").
void buchungsfelder(Detailzeile& z, const Buchung& b, const Anzeige& a, const QString& zimmerWort) {
    z.belegungsart = b.art;
    z.gastAdressNr = b.gastNr;
    z.gastAnrede = b.anrede;
    z.gastNachname = b.nachname;
    z.gastVorname = b.vorname;
    z.gastOrt = b.ort;
    z.kuerzel = b.kuerzel;
    z.istReservierung = b.belegNummer;
    z.zahlart = b.zahlart;
    z.zimmernummer = a.zimmerText && !b.nummer.isEmpty() ? zimmerWort + QLatin1Char(' ') + b.nummer : b.nummer;
    if (a.zimmerbemerkung && !b.zimmerBemerkung.isEmpty()) z.zimmernummer += QStringLiteral(" (") + b.zimmerBemerkung + QLatin1Char(')');
    if (a.blockbez) z.zimBemerkung = b.block;
}

struct Satzsumme {
    double netto = 0, mwst = 0;
};

}  // namespace

QString Rechnungsdetail::verpflegungText(bool f, bool m, bool a) {
    if (f && !m && !a) return QStringLiteral("mit Frühstück");
    if (f && m && !a) return QStringLiteral("mit Frühstück und Mittagessen");
    if (f && !m && a) return QStringLiteral("mit Halbpension");
    if (f && m && a) return QStringLiteral("mit Vollpension");
    if (!f && m && a) return QStringLiteral("mit Mittag- und Abendessen");
    if (!f && m && !a) return QStringLiteral("mit Mittagessen");
    if (!f && !m && a) return QStringLiteral("mit Abendessen");
    return {};
}

QString Rechnungsdetail::gaestezahlText(int gaeste, int kinder) {
    if (kinder > 0)
        return QStringLiteral("\nGästezahl: ") + QString::number(gaeste - kinder) + QStringLiteral(" Erw./ ") + QString::number(kinder) +
               QLatin1Char(' ') + (kinder == 1 ? QStringLiteral("Kind") : QStringLiteral("Kinder"));
    return QStringLiteral("\nGästezahl: ") + QString::number(gaeste);
}

QString Rechnungsdetail::satzText(double satz) {
    return deutsch().toString(satz, 'f', QLocale::FloatingPointShortest) + QStringLiteral("% MwSt");
}

Rechnungsdetail::Rechnungsdetail(Database& db, Dialogs& dialogs, Steuerauskunft& steuer, Saisonaufteilung saisons)
    : db_(db), dialogs_(dialogs), steuer_(steuer), saisons_(std::move(saisons)) {}

struct Rechnungsdetail::Kopf {
    QChar art = QLatin1Char('R');
    QDate datum;
    double rabattProz = 0, rabattBetrag = 0;
    QString rabattText;
    double skonto = 0;
    bool anzahlung = false;
    QString modus = QStringLiteral("Y");
};

Detailergebnis Rechnungsdetail::Reservierungsdetail(int reNummer, const Optionen& optionen) {
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbRechnungen WHERE ReNummer = ?"), {reNummer});
    if (rs.eof()) return {};
    Kopf k;
    k.art = belegBuchstabe(rs.text(QStringLiteral("IST_Rechnung")));
    k.datum = rs.value(QStringLiteral("DatumRe")).toDate();
    k.rabattProz = rs.number(QStringLiteral("Rabatt_Proz"));
    k.rabattBetrag = rs.number(QStringLiteral("Rabatt_Betrag"));
    k.rabattText = rs.text(QStringLiteral("Rabatt_Bezeichnung"));
    k.skonto = rs.number(QStringLiteral("Skonto_Proz"));
    k.anzahlung = rs.text(QStringLiteral("Anzahlung")).trimmed().toUpper() == QLatin1String("Y");
    const QString modus = rs.text(QStringLiteral("Anz_Vor_Reise")).trimmed().toUpper();
    if (!modus.isEmpty()) k.modus = modus;
    const QVariant bisher = rs.value(QStringLiteral("BetragBrutto"));

    QList<Verweis> verweise;
    for (Recordset l = db_.openRecordset(QStringLiteral("SELECT IDBelegung, IDPostenRe FROM tbRechnungen_zu_Posten WHERE IDRechnung = ? "
                                                        "ORDER BY Reihenfolge"),
                                         {reNummer});
         !l.eof(); l.moveNext())
        verweise << Verweis{l.integer(QStringLiteral("IDBelegung")), l.integer(QStringLiteral("IDPostenRe"))};

    const Detailergebnis e = bauen(k, verweise, {}, optionen);
    // A document printed again with the same total is left untouched: no write, no wait for the disk.
    if (optionen.zurueckschreiben && (bisher.isNull() || bisher.toDouble() != e.bruttoNachRabatt))
        db_.execute(QStringLiteral("UPDATE tbRechnungen SET BetragBrutto = ? WHERE (((ReNummer)=?))"), {e.bruttoNachRabatt, reNummer});
    return e;
}

Detailergebnis Rechnungsdetail::Buchungsdetail(int buchungId, const QDate& datum, const QList<Zusatz>& zusaetze) {
    Kopf k;
    k.datum = datum;
    QList<Verweis> verweise{Verweis{buchungId, 0}};
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT IDRePosten FROM tbRePosten WHERE IDBelegung = ? AND "
                                                         "(AbgerechnetPo Is Null OR AbgerechnetPo = 'Nein' OR AbgerechnetPo = '') "
                                                         "ORDER BY IDRePosten"),
                                          {buchungId});
         !rs.eof(); rs.moveNext())
        verweise << Verweis{0, rs.integer(QStringLiteral("IDRePosten"))};
    return bauen(k, verweise, zusaetze, Optionen{});
}

Detailergebnis Rechnungsdetail::bauen(const Kopf& kopf, const QList<Verweis>& verweise, const QList<Zusatz>& zusaetze,
                                      const Optionen& optionen) {
    Detailergebnis e;
    const QChar art = kopf.art;
    const QDate datum = kopf.datum;
    const double rabattProz = kopf.rabattProz;
    const double rabattBetrag = kopf.rabattBetrag;
    const QString& rabattText = kopf.rabattText;
    const double skonto = kopf.skonto;
    const bool anzahlung = kopf.anzahlung;
    const QString& modus = kopf.modus;

    const Anzeige a = Anzeige::lesen(db_, art);
    const Parameter par(db_);
    const auto einstellung = [&](const QString& satz, const QString& vorgabe) {
        const auto row = par.read(satz);
        const QString t = row ? row->text(1) : QString();
        return t.isEmpty() ? vorgabe : t;
    };
    const QString textEine = einstellung(QStringLiteral("TextÜbernachtung"), QStringLiteral("Übernachtung"));
    const QString textMehrere = einstellung(QStringLiteral("TextÜbernachtungMZ"), QStringLiteral("Übernachtungen"));
    const QString waehrung = einstellung(QStringLiteral("Währung"), QStringLiteral("€"));
    const QString zimmerWort = par.columnLabel(QStringLiteral("F2"));
    const auto ziele = par.read(QStringLiteral("Zahlungsziele"));
    const auto ziel = [&](int feld) { return ziele ? ziele->integer(feld) : 0; };

    const double standard = steuer_.standardSatz(datum);
    bool ohneSatzGemeldet = false;

    QMap<double, Satzsumme> saetze;  // ascending; printed descending
    QList<int> buchungen;            // the bookings whose payments count
    QString raum;                    // room of the lines since the last room subtotal
    double raumSumme = 0, zwischensumme = 0;
    bool raumOffen = false;

    const auto zeile = [&](const QString& code) {
        Detailzeile z;
        z.code = code;
        z.waehrung = waehrung;
        return z;
    };
    const auto raumAbschluss = [&]() {
        if (a.zwischen && raumOffen && !raum.isEmpty()) {
            Detailzeile w = zeile(QStringLiteral("W"));
            w.artikel = QStringLiteral("Summe für ") + raum;
            w.zimmernummer = raum;
            w.gesamtpreis = raumSumme;
            e.zeilen << w;
        }
        raumSumme = 0;
        raumOffen = false;
    };
    const auto betragBuchen = [&](Detailzeile& z, double satz) {
        z.mwst = satz;
        const double netto = z.gesamtpreis * 100.0 / (100.0 + satz);
        saetze[satz].netto += netto;
        saetze[satz].mwst += z.gesamtpreis - netto;
        e.netto += netto;
        e.brutto += z.gesamtpreis;
        zwischensumme += z.gesamtpreis;
        raumSumme += z.gesamtpreis;
    };
    const auto raumWechsel = [&](const QString& nummer) {
        if (raumOffen && nummer != raum) raumAbschluss();
        raum = nummer;
        raumOffen = true;
    };

    // ---- the lines of the link rows ----
    for (const Verweis& v : verweise) {
        if (v.buchung > 0) {
            const std::optional<Buchung> gelesen = buchungLesen(db_, v.buchung);
            if (!gelesen) continue;
            const Buchung& b = *gelesen;
            if (!buchungen.contains(b.id)) buchungen << b.id;
            if (b.von.isValid() && (!e.anreise.isValid() || b.von < e.anreise)) e.anreise = b.von;
            raumWechsel(b.nummer);

            QList<Saisonteil> teile;
            if (a.saisonaufteilung && saisons_) teile = saisons_(b.zimmer, b.von, b.bis);
            if (teile.isEmpty()) teile << Saisonteil{b.naechte, b.preisProNacht, b.preis};
            for (const Saisonteil& t : teile) {
                if (t.naechte < 1 && teile.size() > 1) continue;
                Detailzeile z = zeile(optionen.nachtzeilenK ? QStringLiteral("K") : QStringLiteral("B"));
                buchungsfelder(z, b, a, zimmerWort);
                z.von = b.von;
                z.bis = b.bis;
                z.menge = t.naechte;
                z.einzelpreis = t.preis;
                z.gesamtpreis = t.betrag;
                z.artikel = !b.reText.trimmed().isEmpty() ? b.reText : (t.naechte == 1 ? textEine : textMehrere);
                betragBuchen(z, standard);
                e.zeilen << z;
            }
            // The information line: board, guest name (its name fields stay empty unless the kind
            // prints the name) and guest count; its text joins board and name.
            Detailzeile u = zeile(QStringLiteral("U"));
            buchungsfelder(u, b, a, zimmerWort);
            QStringList teileText;
            if (a.verpflegung && !optionen.ohneVerpflegung) {
                u.fruehstueck = verpflegungText(b.fruehstueck, b.mittag, b.abendessen);
                if (!u.fruehstueck.isEmpty()) teileText << u.fruehstueck;
            }
            if (a.gastname) {
                teileText << QStringLiteral("Gast: ") + b.vorname + QLatin1Char(' ') + b.nachname;
            } else {
                u.gastVorname.clear();
                u.gastNachname.clear();
            }
            if (a.gaestezahl) u.anzahlGaeste = gaestezahlText(b.gaeste, b.kinder);
            u.artikel = teileText.join(QStringLiteral(", "));
            if (!u.artikel.isEmpty() || !u.anzahlGaeste.isEmpty()) e.zeilen << u;
        } else if (v.posten > 0) {
            Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbRePosten WHERE IDRePosten = ?"), {v.posten});
            if (rs.eof()) continue;
            Detailzeile z = zeile(QStringLiteral("Z"));
            const int buchungId = rs.integer(QStringLiteral("IDBelegung"));
            const std::optional<Buchung> b = buchungId > 0 ? buchungLesen(db_, buchungId) : std::nullopt;
            if (b) {
                buchungsfelder(z, *b, a, zimmerWort);
                if (!buchungen.contains(b->id)) buchungen << b->id;
                if (b->von.isValid() && (!e.anreise.isValid() || b->von < e.anreise)) e.anreise = b->von;
            }
            raumWechsel(b ? b->nummer : QString());
            z.menge = rs.number(QStringLiteral("MengePo"));
            z.einzelpreis = rs.number(QStringLiteral("PreisPo"));
            z.gesamtpreis = z.menge * z.einzelpreis;
            const QDate von = rs.value(QStringLiteral("DatumPo")).toDate();
            const QDate bis = rs.value(QStringLiteral("DatumPoBis")).toDate();
            if (rs.text(QStringLiteral("IST_Belegung")).trimmed().toUpper() == QLatin1String("Y")) {
                z.artikel = von.isValid() && bis.isValid() && von.daysTo(bis) == 1 ? QStringLiteral("Übernachtung ")
                                                                                   : QStringLiteral("Übernachtungen ");
                z.von = von;
                z.bis = bis;
            } else {
                z.artikel = rs.text(QStringLiteral("ArtikelPo"));
                if (!rs.yes(QStringLiteral("KeinDatum")) && a.datumZusatzposten) {
                    z.von = von;
                    z.bis = bis;
                }
            }
            if (a.artikelBemerkung) z.bemerkung = rs.text(QStringLiteral("BemerkungPo"));
            const std::optional<double> satz = steuer_.satzVonSchluessel(rs.integer(QStringLiteral("IDSteuerschlüssel")), datum);
            if (!satz && !ohneSatzGemeldet) {
                dialogs_.message(kKeinSteuersatz);
                ohneSatzGemeldet = true;
            }
            betragBuchen(z, satz.value_or(0.0));
            e.zeilen << z;
        }
    }
    for (const Zusatz& z : zusaetze) {
        if (z.betrag == 0) continue;
        Detailzeile l = zeile(QStringLiteral("Z"));
        l.artikel = z.text;
        l.menge = 1;
        l.einzelpreis = z.betrag;
        l.gesamtpreis = z.betrag;
        betragBuchen(l, standard);
        e.zeilen << l;
    }
    raumAbschluss();
    if (a.zwischen) {
        Detailzeile c = zeile(QStringLiteral("C"));
        c.artikel = QStringLiteral("Zwischensumme:");
        c.gesamtpreis = zwischensumme;
        e.zeilen << c;
    }

    // ---- totals ----
    double p = rabattProz;
    if (p == 0 && rabattBetrag != 0) p = e.netto == 0 ? 0 : rabattBetrag * 100.0 / e.netto;
    e.rabattProzent = p;
    const double faktor = (100.0 - p) / 100.0;
    for (auto it = saetze.end(); it != saetze.begin();) {
        --it;
        const Steuersumme s{it.key(), it->netto * faktor, it->mwst * faktor};
        e.saetze << s;
        e.mwst += s.mwst;
        e.bruttoNachRabatt += s.netto + s.mwst;
    }

    const auto summenzeile = [&](const QString& code, const QString& text, double betrag) {
        Detailzeile z = zeile(code);
        z.artikel = text;
        z.gesamtpreis = betrag;
        e.zeilen << z;
    };
    if (a.keineMwst) {
        summenzeile(QStringLiteral("O"), QStringLiteral("Gesamtbetrag:"), e.bruttoNachRabatt);
    } else {
        // The printed totals add up to the cent: each rate's VAT is rounded, the VAT total is
        // their sum, the net after the discount is the rounded gross total less that sum, and
        // the discount is what lies between the two nets.
        double mwstGedruckt = 0;
        for (const Steuersumme& s : e.saetze) mwstGedruckt += geld::runden(s.mwst);
        const double bruttoGedruckt = geld::runden(e.bruttoNachRabatt);
        const double nettoGedruckt = bruttoGedruckt - mwstGedruckt;
        if (p != 0) {
            summenzeile(QStringLiteral("N"), QStringLiteral("Nettobetrag:"), geld::runden(e.netto));
            const QString text = rabattProz != 0 ? rabattText + QLatin1Char(' ') +
                                                       deutsch().toString(p, 'f', QLocale::FloatingPointShortest) + QStringLiteral(" % ")
                                                 : rabattText;
            summenzeile(QStringLiteral("R"), text, nettoGedruckt - geld::runden(e.netto));
            summenzeile(QStringLiteral("R"), QStringLiteral("Nettobetrag:"), nettoGedruckt);
        } else {
            summenzeile(QStringLiteral("I"), QStringLiteral("Nettobetrag:"), nettoGedruckt);
        }
        for (const Steuersumme& s : e.saetze) {
            Detailzeile m = zeile(QStringLiteral("M"));
            m.artikel = satzText(s.satz);
            m.mwst = s.satz;
            m.einzelpreis = s.netto;
            m.gesamtpreis = geld::runden(s.mwst);
            e.zeilen << m;
        }
        summenzeile(QStringLiteral("G"), QStringLiteral("MwSt Gesamt:"), mwstGedruckt);
        summenzeile(p != 0 ? QStringLiteral("E") : QStringLiteral("G"), QStringLiteral("Gesamtbetrag:"), bruttoGedruckt);
    }

    // The cash discount is offered on the amount the guest is asked to pay.
    if (skonto != 0) {
        const double abzug = e.bruttoNachRabatt * skonto / 100.0;
        summenzeile(QStringLiteral("S"),
                    QStringLiteral("Bei Zahlung bis zum ") + dates::longDate(datum.addDays(ziel(3))) + QLatin1Char(' ') +
                        deutsch().toString(skonto, 'f', 1) + QStringLiteral("% "),
                    -abzug);
        summenzeile(QStringLiteral("X"), QStringLiteral("Gesamtbetrag incl. Skonto:"), e.bruttoNachRabatt - abzug);
    }

    // ---- payments and the down-payment schedule ----
    QList<Detailzeile> zahlzeilen;
    if (!buchungen.isEmpty()) {
        QString liste;
        QVariantList ids;
        for (int id : buchungen) {
            liste += liste.isEmpty() ? QStringLiteral("?") : QStringLiteral(", ?");
            ids << id;
        }
        for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZahlung WHERE IDBelegung IN (") + liste +
                                                  QStringLiteral(") ORDER BY ZahlDatum, IDZahlung"),
                                              ids);
             !rs.eof(); rs.moveNext()) {
            Detailzeile z = zeile(QStringLiteral("A"));
            // The payment's text, then " am " + date and the method in the remark column.
            z.artikel = rs.text(QStringLiteral("WasBezahlt"));
            if (z.artikel.isEmpty()) z.artikel = QStringLiteral("Zahlung");
            z.bemerkung = QStringLiteral(" am ") + dates::longDate(rs.value(QStringLiteral("ZahlDatum")).toDate());
            const QString zahlart = rs.text(QStringLiteral("Zahlart"));
            if (!zahlart.isEmpty()) z.bemerkung += QStringLiteral(" (") + zahlart + QLatin1Char(')');
            z.zahlart = zahlart;
            z.von = rs.value(QStringLiteral("ZahlDatum")).toDate();
            z.gesamtpreis = rs.number(QStringLiteral("Betrag"));
            e.zahlungen += z.gesamtpreis;
            zahlzeilen << z;
        }
    }
    if (a.zahlung) {
        if (!zahlzeilen.isEmpty()) {
            summenzeile(QStringLiteral("A"), QStringLiteral("Zahlungen:"), 0);
            e.zeilen << zahlzeilen;
            summenzeile(QStringLiteral("A"), QStringLiteral("Summe Zahlungen:"), e.zahlungen);
            summenzeile(QStringLiteral("A"), QStringLiteral("noch zu zahlen:"), e.bruttoNachRabatt - e.zahlungen);
        }
        if (anzahlung) {
            // Arrival mode counts back from the arrival, document-date mode forward from the
            // document date; the split mode takes the down payment from the document date and
            // the remainder from the arrival. A due date already reached reads " sofort".
            const QDate anreise = e.anreise.isValid() ? e.anreise : datum;
            const bool vonAnreise = modus == QLatin1String("Y");
            const double prozent = vonAnreise ? (ziele ? ziele->number(5) : 0) : (ziele ? ziele->number(8) : 0);
            const QDate anzDatum = vonAnreise ? anreise.addDays(-ziel(4)) : datum.addDays(ziel(7));
            const QDate restDatum = modus == QLatin1String("N") ? datum.addDays(ziel(6)) : anreise.addDays(-ziel(2));
            const double offen = e.bruttoNachRabatt - e.zahlungen;
            const double anz = runden(offen * prozent / 100.0);
            const auto faellig = [&](const QDate& d) {
                return !d.isValid() || d <= datum ? QStringLiteral(" sofort") : QStringLiteral(" bis zum ") + dates::longDate(d);
            };
            summenzeile(QStringLiteral("A"), QStringLiteral("Bitte zahlen Sie die Rechnungssumme wie folgt:"), 0);
            if (anz <= 0 || anz >= runden(offen)) {
                summenzeile(QStringLiteral("A"), QStringLiteral("Gesamtzahlung: ") + amounts::format(offen) + faellig(restDatum), 0);
            } else {
                summenzeile(QStringLiteral("A"), QStringLiteral("Anzahlung:   ") + amounts::format(anz) + faellig(anzDatum), 0);
                // After payments already made the remainder is what is left of the total.
                summenzeile(QStringLiteral("A"),
                            (e.zahlungen != 0 ? QStringLiteral("Restsumme: ") : QStringLiteral("Restzahlung: ")) +
                                amounts::format(offen - anz) + faellig(restDatum),
                            0);
            }
        }
    }
    return e;
}

Saisonaufteilung saisonaufteilung(Database& db, Dialogs& dialogs) {
    return [&db, &dialogs](int zimmer, const QDate& von, const QDate& bis) {
        QList<Saisonteil> teile;
        clsSaisonpreis saison(db, dialogs);
        if (saison.Saisonpreis_Ausrechnen(zimmer, von, bis, false) == 0) return teile;
        for (const SaisonAnteil& a : saison.aufteilung())
            if (a.naechte > 0) teile << Saisonteil{a.naechte, a.preis, a.betrag};
        return teile;
    };
}

// ---- VAT keys ----------------------------------------------------------------------------

double Steuerschluessel::standardSatz(const QDate& datum) {
    mwst_.AktuelleMwStErmitteln(false, datum);
    return mwst_.MwSTSSatztandardVonDatum(datum).value_or(0.0);
}

std::optional<double> Steuerschluessel::satzVonSchluessel(int schluessel, const QDate& datum) {
    if (!mwst_.GueltigerMwstSatzFinden(schluessel, datum)) return std::nullopt;
    return mwst_.gefundenerSatz();
}

}  // namespace tav
