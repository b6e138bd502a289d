#include "lists/Tageslisten.h"

#include <QDir>
#include <QLocale>
#include <map>

#include "engine/Database.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"

namespace tav {

namespace {

const QString kFelder = QStringLiteral(
    "SELECT tblBelegung.ID, H1.Beschreibung, tblBelegung.Abg_Temp, tblBelegung.AnzahlGäste, tblBelegung.Frühstück,"
    " tbZimmernummern.NeueNummer, Address.Firstname, Address.Lastname, Address.CompanyName, Address.Address, Address.postalcode,"
    " Address.city, Address.Country, Address.EMAIL, Address.phone, Address.[Tele-Fax], tbBelegArten.BelegungsArt, tblBelegung.Von,"
    " tblBelegung.Bis, Z1.Beschriftung, Z2.Beschriftung, Address.BemerkAdr, tblBelegung.Info, tblBelegung.Kürzel,"
    " tblBelegung.PreisProNacht, tblBelegung.Preis, tblBelegung.AnzahlÜbernachtungen, H2.Beschreibung, tblBelegung.Zahlart,"
    " tblBelegung.Anz_Kinder, tblBelegung.Mittag, tblBelegung.Abendessen, tblBelegung.Wäsche1, tblBelegung.Wäsche2,"
    " tbZimmernummern.Bemerkungen, RA.Lastname");

// "Bis = d Or (Von < d And Bis > d)" keeps only bookings leaving on d or later: said once more
// as a range of its own (the same rows), the index on room and departure reads only those,
// not every booking of the history.
const QString kAbBis = QStringLiteral(" AND tblBelegung.Bis >= ?");

const QString kKeinAngebot = QStringLiteral("(tbBelegArten.BelegungsArt Is Null OR tbBelegArten.BelegungsArt <> 'Angebot')");

QDate datum(const QVariant& v) {
    if (v.typeId() == QMetaType::QDate) return v.toDate();
    if (v.typeId() == QMetaType::QDateTime) return v.toDateTime().date();
    return QDate::fromString(v.toString().left(10), Qt::ISODate);
}

QString betrag(const QVariant& v) {
    static const QLocale de(QLocale::German, QLocale::Germany);
    if (v.isNull()) return {};
    QLocale l = de;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(v.toDouble(), 'f', 2);
}

QString janein(const QVariant& v) { return v.toInt() != 0 ? QStringLiteral("Ja") : QStringLiteral("Nein"); }

bool mahlzeit(Tagesliste l) { return l == Tagesliste::Fruehstueck || l == Tagesliste::Mittag || l == Tagesliste::Abendessen; }

}  // namespace

Tageslisten::Tageslisten(Database& db, Dialogs& dialogs, Listeneinstellungen einstellungen)
    : db_(db), dialogs_(dialogs), e_(std::move(einstellungen)) {}

QString Tageslisten::name(Tagesliste l) {
    switch (l) {
        case Tagesliste::Tagesliste: return QStringLiteral("Tagesliste");
        case Tagesliste::Fruehstueck: return QStringLiteral("Frühstücksliste");
        case Tagesliste::Mittag: return QStringLiteral("Mittagessen");
        case Tagesliste::Abendessen: return QStringLiteral("Abendessen");
        case Tagesliste::Waesche: return QStringLiteral("Wäscheliste");
        case Tagesliste::GaesteImHaus: return QStringLiteral("Alle Gäste im Haus");
        case Tagesliste::Anreise: return QStringLiteral("Anreise");
        case Tagesliste::Abreise: return QStringLiteral("Abreise");
        case Tagesliste::Belegungsdaten: return QStringLiteral("Belegungsdaten");
    }
    return {};
}

QString Tageslisten::titel(Tagesliste l) {
    // The lunch list is written under the title "Mittag", which selects the general captions.
    return l == Tagesliste::Mittag ? QStringLiteral("Mittag") : name(l);
}

QString Tageslisten::vorlage(Tagesliste l) {
    switch (l) {
        case Tagesliste::Tagesliste: return QStringLiteral("tages.doc");
        case Tagesliste::Fruehstueck:
        case Tagesliste::Mittag:
        case Tagesliste::Abendessen: return QStringLiteral("frühdru.doc");
        case Tagesliste::Waesche: return QStringLiteral("waschdru.doc");
        default: return QStringLiteral("allgdru.doc");
    }
}

bool Tageslisten::brauchtTag(Tagesliste l) { return l != Tagesliste::GaesteImHaus && l != Tagesliste::Belegungsdaten; }

QString Tageslisten::nichts(Tagesliste l) {
    switch (l) {
        case Tagesliste::Fruehstueck: return QStringLiteral("Keine Gäste zum Frühstück.");
        case Tagesliste::Mittag: return QStringLiteral("Keine Gäste zum ") + QStringLiteral("Mittagessen") + QLatin1Char('.');
        case Tagesliste::Abendessen: return QStringLiteral("Keine Gäste zum ") + QStringLiteral("Abendessen") + QLatin1Char('.');
        case Tagesliste::Waesche: return QStringLiteral("Kein Wäschewechsel.");
        case Tagesliste::Belegungsdaten: return QStringLiteral("Keine Daten");
        default: return QStringLiteral("Keine Daten gefunden");
    }
}

QDate Tageslisten::vorgabeTag(Tagesliste l, const QDate& heute) const { return mahlzeit(l) && e_.vorgabeMorgen ? heute.addDays(1) : heute; }

std::optional<QDate> Tageslisten::tagAbfragen(Tagesliste l, const QDate& heute) {
    for (;;) {
        const QString t = dialogs_.input(QStringLiteral("Datum:"), name(l), dates::longDate(vorgabeTag(l, heute))).trimmed();
        if (t.isEmpty()) return std::nullopt;
        if (auto d = dates::parse(t)) return d;
    }
}

QString Tageslisten::waeschewechsel(const QDate& von, const QDate& bis, const QDate& d, int intervall) {
    if (d == bis) return QStringLiteral("XX");
    const qint64 n = von.daysTo(d);
    if (intervall <= 0 || n < intervall) return {};
    return n % intervall == 0 ? QStringLiteral("X") : QString();
}

QString Tageslisten::mahlzeitenUebersicht(const QList<QPair<int, int>>& gaesteUndKinder) {
    int gaeste = 0, kinder = 0;
    std::map<int, std::pair<int, int>> gruppen;  // 1 … 10, 11 = more than 10 -> (bookings, children)
    for (const auto& [g, k] : gaesteUndKinder) {
        gaeste += g;
        kinder += k;
        auto& gruppe = gruppen[qBound(1, g, 11)];
        ++gruppe.first;
        gruppe.second += k;
    }
    QString s = QStringLiteral("Gäste insgesamt: ") + QString::number(gaeste) + QStringLiteral(" (davon ") + QString::number(kinder) +
                QStringLiteral(" Kind(er))");
    for (const auto& [groesse, gruppe] : gruppen) {
        s += QStringLiteral(", ");
        if (groesse == 1)
            s += QString::number(gruppe.first) + QStringLiteral(" x ") + QStringLiteral("1") + QStringLiteral(" Person");
        else if (groesse <= 10)
            s += QString::number(gruppe.first) + QStringLiteral(" x ") + QString::number(groesse) + QStringLiteral(" Personen");
        else
            s += QString::number(gruppe.first) + QStringLiteral(" x mehr als 10 Personen");
        if (gruppe.second > 0) s += QStringLiteral(" (davon ") + QString::number(gruppe.second) + QStringLiteral(" Kind(er))");
    }
    return s;
}

QList<QHash<QString, QString>> Tageslisten::lesen(const QString& bedingung, const QVariantList& werte, const QString& sortierung,
                                                  Tagesliste l) {
    QList<QHash<QString, QString>> saetze;
    Recordset rs = db_.openRecordset(kFelder + listen::vonKlausel(true) + QStringLiteral(" WHERE ") + bedingung + sortierung, werte);
    const bool nameZwei = l == Tagesliste::Tagesliste || l == Tagesliste::Fruehstueck || l == Tagesliste::Waesche;
    for (; !rs.eof(); rs.moveNext()) {
        QHash<QString, QString> s;
        const auto v = [&](int i) { return rs.value(i); };
        s[QStringLiteral("ID")] = v(0).toString();
        s[QStringLiteral("Check")] = v(1).toString();
        s[QStringLiteral("Abgerechnet")] = v(2).toString();
        s[QStringLiteral("Gästezahl")] = v(3).toString();
        s[QStringLiteral("Frühstück")] = janein(v(4));
        s[QStringLiteral("Zimmer")] = v(5).toString();
        s[QStringLiteral("Vorname")] = v(6).toString();
        s[QStringLiteral("Nachname")] = v(7).toString();
        s[QStringLiteral("Firma")] = nameZwei ? v(8).toString() : v(35).toString();
        s[QStringLiteral("Strasse")] = v(9).toString();
        s[QStringLiteral("PLZ")] = v(10).toString();
        s[QStringLiteral("Ort")] = v(11).toString();
        s[QStringLiteral("Land")] = v(12).toString();
        s[QStringLiteral("EMail")] = v(13).toString();
        s[QStringLiteral("Telefon")] = v(14).toString();
        s[QStringLiteral("Fax")] = v(15).toString();
        s[QStringLiteral("BelegArt")] = v(16).toString();
        const QDate von = datum(v(17)), bis = datum(v(18));
        s[QStringLiteral("Von")] = dates::longDate(von);
        s[QStringLiteral("Bis")] = dates::longDate(bis);
        s[QStringLiteral("Z1")] = v(19).toString();
        s[QStringLiteral("Z2")] = v(20).toString();
        s[QStringLiteral("AdressBemerkung")] = v(21).toString();
        s[QStringLiteral("Adressbemerkung")] = v(21).toString();
        s[QStringLiteral("ResBemerkung")] = v(22).toString();
        s[QStringLiteral("Kürzel")] = v(23).toString();
        s[QStringLiteral("Einzelpreis")] = betrag(v(24));
        s[QStringLiteral("Gesamtpreis")] = betrag(v(25));
        s[QStringLiteral("TageAnzahl")] = v(26).toString();
        s[QStringLiteral("Vorläufig")] = v(27).toString();
        s[QStringLiteral("Zahlart")] = v(28).toString();
        s[QStringLiteral("Anz_Kinder")] = v(29).isNull() ? QStringLiteral("0") : v(29).toString();
        s[QStringLiteral("Mittag")] = janein(v(30));
        s[QStringLiteral("Abendessen")] = janein(v(31));
        s[QStringLiteral("Wäsche1")] = v(32).toString();  // the interval until the rule replaces it
        s[QStringLiteral("Wäsche2")] = v(33).toString();
        s[QStringLiteral("ZimBemerkung")] = l == Tagesliste::Mittag || l == Tagesliste::Abendessen ? v(22).toString() : v(34).toString();
        s[QStringLiteral("_von")] = von.toString(Qt::ISODate);
        s[QStringLiteral("_bis")] = bis.toString(Qt::ISODate);
        saetze << s;
    }
    return saetze;
}

Listenergebnis Tageslisten::fertig(Tagesliste l, QList<QHash<QString, QString>> saetze, const QString& titel, const QString& vonWann,
                                   const QString& bisWann) {
    Listenergebnis e;
    e.liste = l;
    e.titel = titel;
    e.vonWann = vonWann;
    e.bisWann = bisWann;
    e.kopf = l == Tagesliste::Waesche ? allgdat::Kopf::Waesche : allgdat::kopfFuerTitel(titel);
    for (auto& s : saetze) {
        s[QStringLiteral("WasDrucken")] = titel;
        s[QStringLiteral("VonWann")] = vonWann;
        s[QStringLiteral("BisWann")] = bisWann;
    }
    e.saetze = std::move(saetze);
    e.aufgebaut = allgdat::zeile1(e.kopf) + allgdat::zeile2(e.kopf, e_.zimmer, e_.art, titel, vonWann, bisWann);
    const allgdat::Layout layout = allgdat::layoutVon(e.kopf);
    for (const auto& s : e.saetze) e.aufgebaut += allgdat::datensatz(layout, s);
    return e;
}

Listenergebnis Tageslisten::erstellen(Tagesliste l, const QDate& d, const QDate& heute) {
    const QString am = QStringLiteral("für den ") + dates::longDate(d);
    switch (l) {
        case Tagesliste::Tagesliste:
            return fertig(l,
                          lesen(QStringLiteral("tblBelegung.Gelöscht = False AND ((tblBelegung.Von < ? AND tblBelegung.Bis > ?) OR "
                                               "tblBelegung.Von = ? OR tblBelegung.Bis = ?)"),
                                {d, d, d, d}, QStringLiteral(" ORDER BY tbZimmernummern.Zimmernummer, tblBelegung.ID"), l),
                          titel(l), am, {});
        case Tagesliste::Fruehstueck:
        case Tagesliste::Mittag:
        case Tagesliste::Abendessen: {
            QString b;
            if (l == Tagesliste::Fruehstueck)
                // Breakfast is served on the departure morning and every morning in between.
                b = QStringLiteral("tblBelegung.Frühstück = True AND tblBelegung.Gelöscht = False AND ") + kKeinAngebot + kAbBis +
                    QStringLiteral(" AND (tblBelegung.Bis = ? OR (tblBelegung.Von < ? AND tblBelegung.Bis > ?))");
            else
                // Lunch and dinner: on the arrival day and every day in between.
                b = (l == Tagesliste::Mittag ? QStringLiteral("tblBelegung.Mittag") : QStringLiteral("tblBelegung.Abendessen")) +
                    QStringLiteral(
                        " = True AND tblBelegung.Gelöscht = False AND (tblBelegung.Von = ? OR (tblBelegung.Von < ? AND "
                        "tblBelegung.Bis > ?))");
            const QVariantList werte = l == Tagesliste::Fruehstueck ? QVariantList{d, d, d, d} : QVariantList{d, d, d};
            auto saetze = lesen(b, werte, QStringLiteral(" ORDER BY tbZimmernummern.NeueNummer, tblBelegung.ID"), l);
            QList<QPair<int, int>> gaeste;
            for (const auto& s : saetze)
                gaeste << qMakePair(s.value(QStringLiteral("Gästezahl")).toInt(), s.value(QStringLiteral("Anz_Kinder")).toInt());
            // The summary goes into every record's BisWann, so that the list can print it.
            const QString summe = saetze.isEmpty() ? QString() : mahlzeitenUebersicht(gaeste);
            auto e = fertig(l, std::move(saetze), titel(l), am, summe);
            e.zusammenfassung = summe;
            return e;
        }
        case Tagesliste::Waesche: {
            auto alle = lesen(QStringLiteral("tblBelegung.Gelöscht = False AND ") + kKeinAngebot + kAbBis +
                                  QStringLiteral(" AND (tblBelegung.Bis = ? OR (tblBelegung.Von < ? AND tblBelegung.Bis > ?))"),
                              {d, d, d, d}, QStringLiteral(" ORDER BY tbZimmernummern.NeueNummer, tblBelegung.ID"), l);
            QList<QHash<QString, QString>> faellig;
            for (auto& s : alle) {
                const QDate von = QDate::fromString(s.value(QStringLiteral("_von")), Qt::ISODate);
                const QDate bis = QDate::fromString(s.value(QStringLiteral("_bis")), Qt::ISODate);
                const QString w1 = waeschewechsel(von, bis, d, s.value(QStringLiteral("Wäsche1")).toInt());
                const QString w2 = waeschewechsel(von, bis, d, s.value(QStringLiteral("Wäsche2")).toInt());
                if (w1.isEmpty() && w2.isEmpty()) continue;
                s[QStringLiteral("Wäsche1")] = w1;
                s[QStringLiteral("Wäsche2")] = w2;
                faellig << s;
            }
            return fertig(l, std::move(faellig), QStringLiteral("Wäschewechsel: am ") + dates::longDate(d),
                          QStringLiteral("W1 = ") + e_.waesche1, QStringLiteral("W2 = ") + e_.waesche2);
        }
        case Tagesliste::GaesteImHaus:
        case Tagesliste::Anreise:
        case Tagesliste::Abreise:
        case Tagesliste::Belegungsdaten: {
            Listenabfrage a;
            a.auswahl = l == Tagesliste::GaesteImHaus ? Auswahl::AlleMitChecked
                        : l == Tagesliste::Anreise    ? Auswahl::Anreise
                        : l == Tagesliste::Abreise    ? Auswahl::Abreise
                                                      : Auswahl::Alle;
            a.tag = d;
            SuchenLogik s(db_, dialogs_);
            return ausBuchungsliste(l, s.ids(a, {}, heute), d, heute);
        }
    }
    return {};
}

Listenergebnis Tageslisten::ausBuchungsliste(Tagesliste l, const QList<int>& ids, const QDate& d, const QDate& heute,
                                             const QString& filterUeberschrift) {
    QHash<int, QHash<QString, QString>> gelesen;
    constexpr int kStueck = 500;
    for (int i = 0; i < ids.size(); i += kStueck) {
        QStringList fragen;
        QVariantList werte;
        for (int j = i; j < std::min<int>(i + kStueck, ids.size()); ++j) {
            fragen << QStringLiteral("?");
            werte << ids[j];
        }
        for (auto& s : lesen(QStringLiteral("tblBelegung.ID IN (") + fragen.join(QLatin1Char(',')) + QLatin1Char(')'), werte, {}, l))
            gelesen.insert(s.value(QStringLiteral("ID")).toInt(), s);
    }
    QList<QHash<QString, QString>> saetze;
    for (int id : ids)
        if (gelesen.contains(id)) saetze << gelesen.value(id);
    QString vonWann;
    switch (l) {
        case Tagesliste::GaesteImHaus: vonWann = QStringLiteral("Datum: ") + dates::longDate(heute); break;
        case Tagesliste::Anreise:
        case Tagesliste::Abreise: vonWann = QStringLiteral("am ") + dates::longDate(d); break;
        default:
            if (!filterUeberschrift.isEmpty()) vonWann = QStringLiteral("Gesetzte Filter: ") + filterUeberschrift;
            break;
    }
    return fertig(l, std::move(saetze), titel(l), vonWann, {});
}

std::optional<Listenergebnis> Tageslisten::abfragenUndErstellen(Tagesliste l, const QDate& heute) {
    QDate d = heute;
    if (l == Tagesliste::Anreise || l == Tagesliste::Abreise) {
        SuchenLogik s(db_, dialogs_);
        const auto tag = s.tagAbfragen(l == Tagesliste::Abreise, dates::longDate(heute));
        if (!tag) return std::nullopt;
        d = *tag;
    } else if (brauchtTag(l)) {
        const auto tag = tagAbfragen(l, heute);
        if (!tag) return std::nullopt;
        d = *tag;
    }
    return erstellen(l, d, heute);
}

bool Tageslisten::ausgeben(const Listenergebnis& e, bool drucken, const QString& ordner, const Drucker& drucker) {
    if (e.saetze.isEmpty()) {
        dialogs_.message(nichts(e.liste), {}, Buttons::Ok, Icon::Information);
        return false;
    }
    if (drucken && e.liste == Tagesliste::Belegungsdaten &&
        dialogs_.message(QStringLiteral("Dieser Vorgang druckt ") + QString::number(e.saetze.size()) +
                             QStringLiteral(" Datensätze. Vorgang fortsetzen?"),
                         QStringLiteral("Daten drucken"), Buttons::OkCancel, Icon::Question) != Answer::Ok)
        return false;
    const QString pfad = QDir::toNativeSeparators(files::join(ordner, allgdat::kDateiname));
    if (!allgdat::schreiben(pfad, e.datei())) {
        dialogs_.message(QStringLiteral("Die Datei ") + pfad + QStringLiteral(" konnte nicht geschrieben werden."), {}, Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    if (drucken) return drucker && drucker(files::join(ordner, vorlage(e.liste)), pfad);
    if (e.liste == Tagesliste::Mittag || e.liste == Tagesliste::Abendessen)
        dialogs_.message(QStringLiteral("Die Daten wurden exportiert."));
    else
        dialogs_.message(QStringLiteral("Die Daten wurden exportiert nach ") + pfad + QLatin1Char('.'));
    return true;
}

}  // namespace tav
