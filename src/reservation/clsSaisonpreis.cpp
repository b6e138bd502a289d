#include "reservation/clsSaisonpreis.h"

#include <QList>
#include <cmath>

#include "engine/Database.h"
#include "engine/SqlText.h"
#include "platform/Amounts.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"

namespace tav {

namespace {

// A room's price for one of the five rows: the season price, else PreisDefault, else 0.
struct ZimmerPreise {
    std::optional<double> standard;
    std::array<std::optional<double>, 4> saison;  // in the order of clsSaisonpreis::kSaisons

    double fuer(int zeile) const {
        if (zeile < 4 && saison[size_t(zeile)]) return *saison[size_t(zeile)];
        return standard.value_or(0.0);
    }
};

std::optional<double> zahl(const QVariant& v) {
    if (v.isNull()) return std::nullopt;
    return v.toDouble();
}

}  // namespace

void clsSaisonpreis::leeren() {
    for (int i = 0; i < 4; ++i) aufteilung_[size_t(i)] = {kSaisons[i], 0, 0, 0};
    aufteilung_[4] = {kOhneSaison, 0, 0, 0};
}

QString clsSaisonpreis::SaisonVonTag(const QDate& d) const {
    const QString tag = dates::longDate(d);
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT tbSaisonzeiten.Saisonbezeichnung From tbSaisonzeiten ") + QStringLiteral(" WHERE (((CVDate('") + tag +
        QStringLiteral("'))>=[tbSaisonzeiten].[Start] And (CVDate('") + tag + QStringLiteral("'))<[tbSaisonzeiten].[Ende]))"));
    return rs.eof() ? QString() : rs.text(QStringLiteral("Saisonbezeichnung"));
}

double clsSaisonpreis::ZimmerpreisFürSaison(int zimmer, const QString& saison) const {
    // Only the four season names make a field name; anything else asks for the default price.
    const bool mitSaison = kSaisons.contains(saison);
    Recordset rs = db_.openRecordset(QStringLiteral("SELECT Zimmernummer, PreisDefault ") +
                                         (mitSaison ? QStringLiteral(" ,Preis") + saison : QString()) +
                                         QStringLiteral(" From tbZimmernummern ") + QStringLiteral(" WHERE Zimmernummer = ?"),
                                     {zimmer});
    if (rs.eof()) return 0;
    if (mitSaison) {
        const QVariant preis = rs.value(QStringLiteral("Preis") + saison);
        if (!preis.isNull()) return preis.toDouble();
    }
    return rs.number(QStringLiteral("PreisDefault"));
}

bool clsSaisonpreis::OhneSaisonpreise(int zimmer) const {
    return !db_.openRecordset(QStringLiteral("SELECT Zimmernummer, PreisNebensaison, PreisZwischensaison, PreisHauptsaison, "
                                             "PreisSondersaison") +
                                  QStringLiteral(" From tbZimmernummern ") + QStringLiteral(" Where (((Zimmernummer) = ?) ") +
                                  QStringLiteral(" And ((PreisNebensaison) Is Null) And ((PreisZwischensaison) Is Null) ") +
                                  QStringLiteral(" And ((PreisHauptsaison) Is Null) And ((PreisSondersaison) Is Null))"),
                              {zimmer})
                .eof();
}

double clsSaisonpreis::Saisonpreis_Ausrechnen(int zimmer, const QDate& anreise, const QDate& abreise, bool meldungen) {
    leeren();
    zeilen_.clear();
    bool ungenuegend = !anreise.isValid() || !abreise.isValid() || OhneSaisonpreise(zimmer);
    double summe = 0;
    if (!ungenuegend) {
        // The seasons touching the stay are read once; each night then takes the first of them
        // that covers it, as SaisonVonTag does for a single day.
        struct Periode {
            int zeile;
            QDate start, ende;
        };
        QList<Periode> perioden;
        for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Saisonbezeichnung, Start, Ende FROM tbSaisonzeiten WHERE Start < ") +
                                              sqltext::date(abreise) + QStringLiteral(" AND Ende > ") + sqltext::date(anreise) +
                                              QStringLiteral(" ORDER BY idSaisonzeiten"));
             !rs.eof(); rs.moveNext()) {
            const qsizetype zeile = kSaisons.indexOf(rs.text(QStringLiteral("Saisonbezeichnung")));
            perioden.push_back(
                {zeile < 0 ? 4 : int(zeile), rs.value(QStringLiteral("Start")).toDate(), rs.value(QStringLiteral("Ende")).toDate()});
        }
        for (QDate d = anreise; d < abreise; d = d.addDays(1)) {
            int zeile = 4;
            for (const Periode& p : perioden)
                if (d >= p.start && d < p.ende) {
                    zeile = p.zeile;
                    break;
                }
            ++aufteilung_[size_t(zeile)].naechte;
        }

        ZimmerPreise preise;
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT Zimmernummer, PreisDefault, PreisHauptsaison, PreisZwischensaison, "
                                                        "PreisNebensaison, PreisSondersaison From tbZimmernummern WHERE Zimmernummer = ?"),
                                         {zimmer});
        if (!rs.eof()) {
            preise.standard = zahl(rs.value(QStringLiteral("PreisDefault")));
            for (int i = 0; i < 4; ++i) preise.saison[size_t(i)] = zahl(rs.value(QStringLiteral("Preis") + kSaisons[i]));
        }
        static const QStringList texte = {QStringLiteral(" Hauptsaison, Preis: "), QStringLiteral(" Zwischensaison, Preis: "),
                                          QStringLiteral(" Nebensaison, Preis: "), QStringLiteral(" Sondersaison, Preis: "),
                                          QStringLiteral(" ohne Saison, Standardpreis: ")};
        for (int i = 0; i < 5; ++i) {
            SaisonAnteil& a = aufteilung_[size_t(i)];
            if (a.naechte == 0) continue;
            const double preis = preise.fuer(i);
            if (preis == 0) {
                ungenuegend = true;
                continue;
            }
            a.preis = preis;
            a.betrag = a.naechte * preis;
            summe += a.betrag;
            zeilen_ << QString::number(a.naechte) + (a.naechte == 1 ? QStringLiteral(" Nacht") : QStringLiteral(" Nächte")) + texte[i] +
                           amounts::format(preis) + QStringLiteral(" pro Nacht");
        }
        int inSaison = 0;
        for (int i = 0; i < 4; ++i) inSaison += aufteilung_[size_t(i)].naechte;
        if (inSaison == 0) ungenuegend = true;
    }
    if (meldungen) {
        if (ungenuegend)
            dialogs_.message(QStringLiteral("Für die Berechnung der Saisonpreise liegen nicht genug Stammdaten vor. ") +
                                 QStringLiteral(" Kontrollieren Sie in den Einstellungen die Preise für die Zimmer und legen Sie "
                                                "Saisonzeiten fest."),
                             {}, Buttons::Ok, Icon::Exclamation);
        else
            dialogs_.message(QStringLiteral("Folgende Saisonzeiten und Preise wurden gefunden:\n") + zeilen_.join(QLatin1Char('\n')), {},
                             Buttons::Ok, Icon::Information);
    }
    return ungenuegend ? 0.0 : summe;
}

bool clsSaisonpreis::cmdSaisonpreis(PreisBoxen& boxen, int zimmer, const QString& von, const QString& bis) {
    const std::optional<QDate> anreise = dates::parse(von);
    const std::optional<QDate> abreise = dates::parse(bis);
    if (!boxen.saisonpreis) {
        if (!anreise || !abreise || zimmer == 0) return false;
        const double preis = Saisonpreis_Ausrechnen(zimmer, *anreise, *abreise, true);
        if (preis == 0) return false;
        boxen.gesamt = amounts::format(preis);
        boxen.tarif.clear();
        boxen.saisonpreis = true;
        return true;
    }
    if (zimmer == 0) {
        boxen.tarif = boxen.gesamt = amounts::format(0);
    } else {
        const double tarif = ZimmerpreisFürSaison(zimmer, {});
        boxen.tarif = amounts::format(tarif);
        const int naechte = anreise && abreise ? int(anreise->daysTo(*abreise)) : 0;
        boxen.gesamt = amounts::format(naechte > 0 ? tarif * naechte : 0.0);
    }
    boxen.saisonpreis = false;
    return true;
}

bool clsSaisonpreis::istSaisonpreis(int zimmer, const QString& von, const QString& bis, const QString& gesamt) {
    const std::optional<QDate> anreise = dates::parse(von);
    const std::optional<QDate> abreise = dates::parse(bis);
    const std::optional<double> summe = amounts::parse(gesamt);
    if (!anreise || !abreise || zimmer == 0 || !summe) return false;
    const double preis = Saisonpreis_Ausrechnen(zimmer, *anreise, *abreise, false);
    return preis != 0 && std::abs(preis - *summe) < 0.005;
}

}  // namespace tav
