#include "lists/SuchenLogik.h"

#include <QRegularExpression>

#include "engine/Database.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "reservation/LikeMuster.h"
#include "store/Abrechnungsbericht.h"
#include "store/Parameter.h"

namespace tav {

namespace {

const QString kBeschriftung = QStringLiteral("SpaltenBeschriftung");
const QString kBreiten = QStringLiteral("Spaltenbreiten");
const QString kAnzeige = QStringLiteral("AnzeigeSuchen");

// A filter text as a Like pattern: "*" and "%" stand for any characters; every other pattern
// character matches only itself.
QString muster(const QString& text) {
    QString m;
    for (const QChar c : text) {
        if (c == QLatin1Char('*') || c == QLatin1Char('%'))
            m += QLatin1Char('*');
        else if (c == QLatin1Char('?') || c == QLatin1Char('#') || c == QLatin1Char('['))
            m += QLatin1Char('[') + c + QLatin1Char(']');
        else
            m += c;
    }
    return m;
}

// "feld starts with the filter text": the Like of the pattern, held first against the range of
// texts that can start with the text's part before its first wildcard (a plain comparison,
// which the field's index answers), so that only those rows meet the Like.
QString anfangBedingung(const QString& feld, const QString& text, QVariantList& werte) {
    qsizetype ende = 0;
    while (ende < text.size() && text.at(ende) != QLatin1Char('*') && text.at(ende) != QLatin1Char('%')) ++ende;
    const QString vorn = text.left(ende);
    if (vorn.isEmpty()) {
        werte << muster(text) + QLatin1Char('*');
        return feld + QStringLiteral(" Like ?");
    }
    werte << vorn << like::obergrenze(vorn) << muster(text) + QLatin1Char('*');
    return QStringLiteral("(%1 >= ? AND %1 < ? AND %1 Like ?)").arg(feld);
}

// The start of a shown date "dd.mm.yy": digits, points and wildcards, with a day no greater
// than 31 and a month no greater than 12 where they are written out.
bool datumsAnfang(const QString& text) {
    static const QRegularExpression erlaubt(QStringLiteral("^[0-9.*%_?]*$"));
    if (!erlaubt.match(text).hasMatch()) return false;
    const QStringList teile = text.split(QLatin1Char('.'));
    if (teile.size() > 3) return false;
    const auto pruefen = [](const QString& teil, int hoechstens) {
        bool zahl = false;
        const int n = teil.toInt(&zahl);
        if (!zahl) return true;  // a wildcard or nothing yet
        if (teil.size() > 2) return false;
        return teil.size() == 1 ? n <= hoechstens / 10 || n <= 9 : n >= 1 && n <= hoechstens;
    };
    if (!pruefen(teile[0], 31)) return false;
    if (teile.size() > 1 && !pruefen(teile[1], 12)) return false;
    return true;
}

}  // namespace

SuchenLogik::SuchenLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

// ---- the period box --------------------------------------------------------------------------

QStringList SuchenLogik::zeitraeume() {
    QStringList l{QStringLiteral("Alle"), QStringLiteral("1 Woche")};
    for (int n = 2; n <= 4; ++n) l << QStringLiteral("%1 Wochen").arg(n);
    l << QStringLiteral("1 Monat");
    for (int n = 2; n <= 12; ++n) l << QStringLiteral("%1 Monate").arg(n);
    l << QStringLiteral("1 Jahr");
    for (int n = 2; n <= 10; ++n) l << QStringLiteral("%1 Jahre").arg(n);
    return l;
}

int SuchenLogik::zeitraumWert(int index) {
    if (index <= 0) return 0;
    if (index <= 4) return index;       // weeks
    if (index <= 16) return index - 4;  // 1 … 12 months
    return 12 * (index - 16);           // 1 … 10 years in months
}

std::optional<QDate> SuchenLogik::zeitraumGrenze(int index, const QDate& heute) {
    if (index <= 0 || index >= zeitraeume().size()) return std::nullopt;
    const int wert = zeitraumWert(index);
    return index <= 4 ? heute.addDays(-7 * wert) : heute.addMonths(-wert);
}

int SuchenLogik::gespeicherterZeitraum() const {
    const auto row = Parameter(db_).read(kAnzeige);
    if (!row) return 0;
    const int i = row->integer(1, 0);
    return i >= 0 && i < zeitraeume().size() ? i : 0;
}

void SuchenLogik::zeitraumSpeichern(int index) { Parameter(db_).write(kAnzeige, {qMakePair(1, QVariant(QString::number(index)))}); }

// ---- Abg_Temp --------------------------------------------------------------------------------

void SuchenLogik::abgTempNeuBerechnen() {
    // "Nein": not settled, not deleted and no offer, or an item not yet settled.
    const QString offen = QStringLiteral(
        "((tblBelegung.Abgerechnet = 0 AND tblBelegung.Gelöscht = False AND tblBelegung.Belegungsart NOT IN "
        "(SELECT BelegungsID FROM tbBelegArten WHERE BelegungsArt Like 'Angebot' AND BelegungsID Is Not Null))"
        " OR tblBelegung.ID IN (SELECT IDBelegung FROM tbRePosten WHERE (AbgerechnetPo < 'Ja' OR AbgerechnetPo > 'Ja')"
        " AND IDBelegung Is Not Null))");
    // A value other than v, written as two ranges (the same rows as "<> v", Null excluded), so
    // that the index on the field finds them.
    const auto nicht = [](const QString& feld, const QString& v) {
        return QStringLiteral("(%1 Is Null OR %1 < '%2' OR %1 > '%2')").arg(feld, v);
    };
    // Only two kinds of rows can change: the open ones (found through the indexes on
    // Abgerechnet and on the items' AbgerechnetPo) and the ones not yet "Ja" (through the
    // index on Abg_Temp); the settled history is never read.
    Transaction t(db_, QStringLiteral("tblBelegung"));
    db_.execute(QStringLiteral("UPDATE tblBelegung SET Abg_Temp = 'Nein' WHERE ") + offen + QStringLiteral(" AND ") +
                nicht(QStringLiteral("Abg_Temp"), QStringLiteral("Nein")));
    db_.execute(QStringLiteral("UPDATE tblBelegung SET Abg_Temp = 'Ja' WHERE ") + nicht(QStringLiteral("Abg_Temp"), QStringLiteral("Ja")) +
                QStringLiteral(" AND NOT ") + offen);
    t.commit();
}

// ---- the query -------------------------------------------------------------------------------

Bedingung SuchenLogik::bedingung(const Listenabfrage& a, const QStringList& beschriftungen, const QDate& heute) {
    Bedingung b;
    QStringList teile;
    const auto& s = listen::spalten();
    const auto hinweis = [&](int n, const QString& text, const QString& warum) {
        b.hinweise << QStringLiteral("%1: „%2“ %3 – diese Spalte filtert nichts.")
                          .arg(beschriftungen.value(n, QString::number(n + 1)), text, warum);
    };
    for (int n = 0; n < listen::kSpalten; ++n) {
        const QString text = a.filter.value(n).trimmed();
        if (text.isEmpty()) continue;
        const QString feld = QString::fromUtf8(s[n].filter);
        switch (s[n].art) {
            case listen::FilterArt::Text: teile << anfangBedingung(feld, text, b.werte); break;
            case listen::FilterArt::TextOderLeer:
                teile << QStringLiteral("(%1 OR %2 Is Null)").arg(anfangBedingung(feld, text, b.werte), feld);
                break;
            case listen::FilterArt::Enthaelt:
                teile << feld + QStringLiteral(" Like ?");
                b.werte << QLatin1Char('*') + muster(text) + QLatin1Char('*');
                break;
            case listen::FilterArt::JaNein: {
                const QString klein = text.toLower();
                const bool abg = n == 2;
                if (klein.contains(QLatin1Char('n'))) {
                    teile << feld + (abg ? QStringLiteral(" = 'Nein'") : QStringLiteral(" = False"));
                } else if (klein.contains(QLatin1Char('j'))) {
                    teile << feld + (abg ? QStringLiteral(" = 'Ja'") : QStringLiteral(" = True"));
                } else {
                    hinweis(n, text, QStringLiteral("ist weder „Ja“ noch „Nein“"));
                }
                break;
            }
            case listen::FilterArt::Zahl:
            case listen::FilterArt::ZahlOderLeer: {
                static const QRegularExpression zahl(QStringLiteral("^[0-9.,*%_?-]+$"));
                if (!zahl.match(text).hasMatch()) {
                    hinweis(n, text, QStringLiteral("ist keine Zahl"));
                    break;
                }
                if (s[n].art == listen::FilterArt::ZahlOderLeer)
                    teile << QStringLiteral("(%1 Like ? OR %1 Is Null)").arg(feld);
                else
                    teile << feld + QStringLiteral(" Like ?");
                b.werte << muster(text) + QLatin1Char('*');
                break;
            }
            case listen::FilterArt::Datum: {
                const QChar erstes = text.at(0);
                if (erstes == QLatin1Char('<') || erstes == QLatin1Char('>')) {
                    const auto d = dates::parse(text.mid(1).trimmed());
                    if (!d) {
                        hinweis(n, text, QStringLiteral("braucht nach „%1“ ein gültiges Datum").arg(erstes));
                        break;
                    }
                    teile << feld + QLatin1Char(' ') + erstes + QStringLiteral(" ?");
                    b.werte << QVariant(*d);
                } else if (const auto d = dates::parse(text)) {
                    teile << feld + QStringLiteral(" = ?");
                    b.werte << QVariant(*d);
                } else if (datumsAnfang(text)) {
                    teile << QStringLiteral("Format(%1,'dd.mm.yy') Like ?").arg(feld);
                    b.werte << muster(text) + QLatin1Char('*');
                } else {
                    hinweis(n, text, QStringLiteral("ist kein gültiges Datum"));
                }
                break;
            }
        }
    }
    switch (a.auswahl) {
        case Auswahl::Alle:
            if (const auto grenze = zeitraumGrenze(a.zeitraum, heute)) {
                teile << QStringLiteral("tblBelegung.Bis >= ?");
                b.werte << QVariant(*grenze);
            }
            break;
        case Auswahl::AlleMitChecked: teile << QStringLiteral("tblBelegung.Checked = True AND tblBelegung.Gelöscht = False"); break;
        case Auswahl::Anreise:
            teile << QStringLiteral("tblBelegung.Von = ?");
            b.werte << QVariant(a.tag);
            break;
        case Auswahl::Abreise:
            teile << QStringLiteral("tblBelegung.Bis = ?");
            b.werte << QVariant(a.tag);
            break;
        case Auswahl::Kundennummer:
            teile << QStringLiteral("Address.Adressnummer Like ?");
            b.werte << muster(a.kundennummer);
            break;
        case Auswahl::Offene:
            teile << QStringLiteral(
                "tblBelegung.Abg_Temp = 'Nein' AND tblBelegung.Von <= ? AND tblBelegung.Gelöscht = False AND "
                "(tbBelegArten.BelegungsArt Is Null OR tbBelegArten.BelegungsArt <> 'Angebot')");
            b.werte << QVariant(heute);
            break;
    }
    b.wo = teile.join(QStringLiteral(" AND "));
    if (!teile.isEmpty()) b.sql = QStringLiteral(" WHERE ") + b.wo;
    const QString richtung = a.absteigend ? QStringLiteral(" DESC") : QString();
    const QString sortierung = a.sortSpalte >= 1 && a.sortSpalte <= listen::kSpalten ? QString::fromUtf8(s[a.sortSpalte - 1].sortierung)
                                                                                     : QStringLiteral("tblBelegung.Von");
    b.ordnung = QStringLiteral(" ORder by ") + sortierung + richtung + QStringLiteral(", tblBelegung.ID") + richtung;
    b.sql += b.ordnung;
    return b;
}

QList<int> SuchenLogik::ids(const Listenabfrage& a, const QStringList& beschriftungen, const QDate& heute, QStringList* hinweise) {
    const Bedingung b = bedingung(a, beschriftungen, heute);
    if (hinweise) *hinweise = b.hinweise;
    // Only the keys, read straight from the statement: the list may hold the whole history.
    const QList<qint64> gelesen = db_.integerColumn(listen::idAbfrage(b.wo, b.ordnung), b.werte);
    QList<int> ergebnis;
    ergebnis.reserve(gelesen.size());
    for (const qint64 id : gelesen) ergebnis << int(id);
    return ergebnis;
}

QList<Listenzeile> SuchenLogik::zeilen(const QList<int>& ids) {
    if (ids.isEmpty()) return {};
    QString sql = QStringLiteral("SELECT tblBelegung.ID, tblBelegung.GastID, tblBelegung.IDAdressRechnung");
    for (const auto& sp : listen::spalten()) sql += QStringLiteral(", ") + QString::fromUtf8(sp.feld);
    QStringList fragen;
    QVariantList werte;
    for (int id : ids) {
        fragen << QStringLiteral("?");
        werte << id;
    }
    sql += listen::vonKlausel() + QStringLiteral(" WHERE tblBelegung.ID IN (") + fragen.join(QLatin1Char(',')) + QLatin1Char(')');
    QHash<int, Listenzeile> gelesen;
    Recordset rs = db_.openRecordset(sql, werte);
    for (; !rs.eof(); rs.moveNext()) {
        Listenzeile z;
        z.id = rs.value(0).toInt();
        z.gastId = rs.value(1).toInt();
        z.rechnungsadresseId = rs.value(2).toInt();
        for (int i = 0; i < listen::kSpalten; ++i) z.werte << rs.value(3 + i).toString();
        gelesen.insert(z.id, z);
    }
    QList<Listenzeile> ergebnis;
    ergebnis.reserve(ids.size());
    for (int id : ids)
        if (gelesen.contains(id)) ergebnis << gelesen.value(id);
    return ergebnis;
}

// ---- captions and widths ---------------------------------------------------------------------

QStringList SuchenLogik::beschriftungen(const QString& zimmer, const QString& art) {
    Parameter p(db_);
    const QStringList vorgabe = listen::vorgabeBeschriftungen(zimmer, art);
    const auto row = p.read(kBeschriftung);
    // The initial contents of a new house hold the captions of an older, 23-column list (no
    // fields from F24 on): they would stand over the wrong columns, so the row is made anew.
    const auto kurzeZeile = [&] {
        for (int i = 24; i <= listen::kSpalten; ++i)
            if (!row->isNull(i) && !row->text(i).trimmed().isEmpty()) return false;
        return true;
    };
    if (!row || kurzeZeile()) {
        QList<QPair<int, QVariant>> felder;
        for (int i = 0; i < vorgabe.size(); ++i) felder << qMakePair(i + 1, QVariant(vorgabe[i]));
        p.write(kBeschriftung, felder);
        return vorgabe;
    }
    QStringList l;
    for (int i = 1; i <= listen::kSpalten; ++i) l << (row->isNull(i) ? vorgabe[i - 1] : row->text(i));
    return l;
}

bool SuchenLogik::beschriftungAendern(int n, const QString& aktuell) {
    if (n < 1 || n > listen::kSpalten) return false;
    const QString neu = dialogs_.input(QStringLiteral("Geben Sie die neue Bezeichnung für die ") + QString::number(n) +
                                       QStringLiteral(". Spalte (") + aktuell + QStringLiteral(") ein"));
    if (neu.isEmpty()) return false;
    Parameter(db_).write(kBeschriftung, {qMakePair(n, QVariant(neu))});
    return true;
}

QList<int> SuchenLogik::breiten() {
    const auto row = Parameter(db_).read(kBreiten);
    QList<int> l;
    for (int i = 1; i <= listen::kSpalten; ++i) {
        bool ok = false;
        const int b = row && !row->isNull(i) ? row->text(i).trimmed().toInt(&ok) : 0;
        l << (ok && b >= 0 ? b : listen::kVorgabeBreite);
    }
    return l;
}

void SuchenLogik::breitenSpeichern(const QList<int>& breiten) {
    QList<QPair<int, QVariant>> felder;
    for (int i = 0; i < listen::kSpalten && i < breiten.size(); ++i) felder << qMakePair(i + 1, QVariant(QString::number(breiten[i])));
    Parameter(db_).write(kBreiten, felder);
}

// ---- selection modes -------------------------------------------------------------------------

std::optional<QDate> SuchenLogik::tagAbfragen(bool abreise, const QString& vorgabe) {
    const QString frage = abreise ? QStringLiteral("Für welchen Tag sollen die Abreisedaten angezeigt bzw. gedruckt werden?")
                                  : QStringLiteral("Für welchen Tag sollen die Anreisedaten angezeigt bzw. gedruckt werden?");
    const QString titel = abreise ? QStringLiteral("Alle Reservierungen, die an einem bestimmten Tag enden.")
                                  : QStringLiteral("Alle Reservierungen, die an einem bestimmten Tag beginnen.");
    for (;;) {
        const QString t = dialogs_.input(frage, titel, vorgabe).trimmed();
        if (t.isEmpty()) return std::nullopt;
        if (auto d = dates::parse(t)) return d;
        dialogs_.message(kWiederholen);
    }
}

std::optional<QString> SuchenLogik::kundennummerAbfragen() {
    const QString t = dialogs_
                          .input(QStringLiteral("Geben Sie bitte die Kundennummer an (benutzen Sie * für fehlnde Nummernteile)."),
                                 QStringLiteral("Kundennummer suchen"))
                          .trimmed();
    if (t.isEmpty()) return std::nullopt;
    return t;
}

bool SuchenLogik::offeneBestaetigen() {
    return dialogs_.message(QStringLiteral("Dieser Vorgang filtert alle Reservierungen, die noch nicht abgerechnet sind, oder die noch "
                                           "nicht abgerechnete Posten enthalten.") +
                                QStringLiteral(" Es werden nur Reservierungen berücksichtigt, deren Anreisedatum nicht in der Zukunft "
                                               "liegt. Möchten Sie den Vorgang fortsetzen?"),
                            {}, Buttons::YesNo, Icon::Question) == Answer::Yes;
}

// ---- maintenance -----------------------------------------------------------------------------

std::optional<int> SuchenLogik::tageAbfragen(const QString& frage, const QString& vorgabe) {
    for (;;) {
        const QString t = dialogs_.input(frage, kTitelPflege, vorgabe).trimmed();
        if (t.isEmpty()) return std::nullopt;
        bool zahl = false;
        const int n = t.toInt(&zahl);
        if (zahl && n >= 0) return n;
        dialogs_.message(kWiederholen, kTitelPflege);
    }
}

bool SuchenLogik::gaesteAuschecken() {
    const auto n = tageAbfragen(QStringLiteral("Geben Sie Mindestanzahl von Tagen seit der Abreise an. Für alle entsprechenden "
                                               "Reservierungen wird der Status auf 'Checked out' gesetzt."),
                                QStringLiteral("10"));
    if (!n) return false;
    const QDate grenze = Clock::current().today().addDays(-*n);
    const int anzahl =
        db_.execute(QStringLiteral("UPDATE tblBelegung SET Checked = False WHERE Checked = True AND Bis < ?"), {QVariant(grenze)});
    dialogs_.message(QStringLiteral("Es wurden ") + QString::number(anzahl) + QStringLiteral(" Reservierungen geändert."), kTitelPflege);
    return true;
}

bool SuchenLogik::alteAbrechnen() {
    if (dialogs_.message(QStringLiteral("Das Update 2.0 des Tavomeras arbeitet mit einer neu gestalteten Rechnungsverwaltung. An dieser "
                                        "Stelle ist es ") +
                             QStringLiteral("sinnvoll, den Status alter Reservierungen auf 'abgerechnet' zu setzen, damit die "
                                            "Kontrollanzeigen einwandfrei funktionieren. ") +
                             QStringLiteral("Möchten Sie die alten Reservierungen jetzt auf 'abgerechnet' setzen?"),
                         kTitelPflege, Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    const auto n =
        tageAbfragen(QStringLiteral("Vorgang fortsetzen für Reservierungen, die älter sind als (Angabe in Tagen):"), QStringLiteral("30"));
    if (!n) return false;
    const QDate grenze = Clock::current().today().addDays(-*n);
    Transaction t(db_);
    const int buchungen =
        db_.execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 1 WHERE Bis < ? AND Abgerechnet = 0"), {QVariant(grenze)});
    const int posten =
        db_.execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Ja' WHERE AbgerechnetPo = 'Nein' AND IDBelegung IN "
                                   "(SELECT ID FROM tblBelegung WHERE Von < ?)"),
                    {QVariant(grenze)});
    t.commit();
    const QString bericht = abrechnungsbericht(buchungen, posten);
    dialogs_.message(bericht, kTitelPflege);
    return true;
}

bool SuchenLogik::statusZuruecksetzen() {
    if (dialogs_.message(QStringLiteral("Dieser Vorgang vergibt allen Reservierungen den derzeit gültigen Status 'Abgerechnet' bzw. "
                                        "'offen'. Möchten Sie den Vorgang fortsetzen?"),
                         kTitelPflege, Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    Transaction t(db_);
    const int buchungen = db_.execute(QStringLiteral(
        "UPDATE tblBelegung SET Abgerechnet = 0 WHERE Abgerechnet = 1 AND (IST_Geteilt Is Null OR IST_Geteilt <> 'Y') AND ID NOT IN "
        "(SELECT IDBelegung FROM tbRechnungen_zu_Posten WHERE IDBelegung Is Not Null)"));
    const int posten =
        db_.execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Nein' WHERE AbgerechnetPo = 'Ja' AND IDRePosten NOT IN "
                                   "(SELECT IDPostenRe FROM tbRechnungen_zu_Posten WHERE IDPostenRe Is Not Null)"));
    t.commit();
    dialogs_.message(buchungen > 0 || posten > 0
                         ? QStringLiteral(" Es wurden ") + QString::number(buchungen) + QStringLiteral(" Reservierungen geändert.")
                         : QStringLiteral("Alle Daten haben den richtigen Status."),
                     kTitelPflege);
    return true;
}

bool SuchenLogik::leerAlleFilterEntfernen() {
    return dialogs_.message(QStringLiteral("Die Aktualisierung der Übersicht ergibt keine Daten. Möchten Sie stattdessen alle Filter "
                                           "entfernen?"),
                            QStringLiteral("Datenanzeige aktualisieren"), Buttons::YesNo, Icon::Question) == Answer::Yes;
}

}  // namespace tav
