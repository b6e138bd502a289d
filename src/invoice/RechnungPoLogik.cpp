#include "invoice/RechnungPoLogik.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "invoice/clsMWST.h"
#include "invoice/clsRechnung.h"
#include "platform/Amounts.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "store/Geld.h"
#include "store/Parameter.h"

namespace tav {

namespace {

const QString kJa = QStringLiteral("Ja");
const QString kNein = QStringLiteral("Nein");
const QString kWarten = QStringLiteral("Warten");

QString shortDate(const QDate& d) { return d.isValid() ? dates::shortDate(d) : QString(); }

QString mengeText(double m) { return QString::number(m, 'g', 10).replace(QLatin1Char('.'), QLatin1Char(',')); }

// Quantity: digits and one comma; price: the same with a leading minus and at most two decimals.
bool nurZiffern(const QString& t, bool minus) {
    static const QRegularExpression menge(QStringLiteral("^\\d+(,\\d+)?$"));
    static const QRegularExpression preis(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})*(,\\d{1,2})?$|^-?\\d+(,\\d{1,2})?$"));
    return (minus ? preis : menge).match(t.trimmed()).hasMatch();
}

QString satzText(double s) { return mengeText(s) + QLatin1Char('%'); }

double zahl(const QString& t) { return amounts::parse(t.trimmed()).value_or(0); }

}  // namespace

QStringList PoZeile::zellen() const {
    const bool mitMwst = !buchung && mwst.has_value();
    return {nummer,
            artikel,
            mengeText(menge),
            geld::text(einzelpreis),
            geld::text(gesamt),
            mitMwst ? satzText(*mwst) : QString(),
            bemerkung,
            QString::number(id),
            buchung ? QStringLiteral("B") : QStringLiteral("P"),
            gast,
            adresse,
            zustand,
            keinDatum ? QString() : shortDate(datum),
            keinDatum ? QString() : shortDate(bis),
            gaeste ? QString::number(gaeste) : QString(),
            QString::number(adressId)};
}

const QStringList& RechnungPoLogik::spaltenTitel() {
    static const QStringList t = {QStringLiteral("Reservierungsnummer"),
                                  QStringLiteral("Artikel"),
                                  QStringLiteral("Menge"),
                                  QStringLiteral("Einzelpreis"),
                                  QStringLiteral("Gesamtpreis"),
                                  QStringLiteral("MwSt"),
                                  QStringLiteral("Bemerkungen"),
                                  QString(),
                                  QString(),
                                  QStringLiteral("Gast"),
                                  QStringLiteral("Rechnung an:"),
                                  QStringLiteral("Abger."),
                                  QStringLiteral("Datum"),
                                  QStringLiteral("Bis"),
                                  QStringLiteral("Gäste"),
                                  QString()};
    return t;
}

QString RechnungPoLogik::adressTitel() const {
    return modus_ == Modus::Angebot ? QStringLiteral("Adresse für das Angebot")
                                    : QStringLiteral("Adresse für die Bestätigung oder Rechnung");
}
QString RechnungPoLogik::belegTitel() const {
    return modus_ == Modus::Angebot ? QStringLiteral("Angebot") : QStringLiteral("Bestätigung/Rechnung");
}

QString RechnungPoLogik::zustandText(int abgerechnet) {
    switch (abgerechnet) {
        case 1: return kJa;
        case 2: return kWarten;
        default: return kNein;
    }
}

RechnungPoLogik::Modus RechnungPoLogik::modusDerBuchung(Database& db, int buchungId) {
    Recordset rs = db.openRecordset(QStringLiteral("SELECT tblBelegung.ID FROM tblBelegung INNER JOIN tbBelegArten ON "
                                                   "tblBelegung.Belegungsart = tbBelegArten.BelegungsID WHERE tblBelegung.ID = ? "
                                                   "AND Format([tbBelegArten].[BelegungsArt],'<') Like 'angebot'"),
                                    {buchungId});
    return rs.eof() ? Modus::Rechnung : Modus::Angebot;
}

void RechnungPoLogik::laden(int buchungId, Modus modus, const QDate& heute) {
    buchungId_ = buchungId;
    modus_ = modus;
    heute_ = heute;
    zahlarten_.clear();
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Zahlarten FROM tbZahlart ORDER BY Zahlarten")); !rs.eof(); rs.moveNext())
        zahlarten_ << rs.text(QStringLiteral("Zahlarten"));
    rabattTexte_.clear();
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Rabatt_Text FROM tbRabatt_text ORDER BY Rabatt_Text")); !rs.eof();
         rs.moveNext())
        rabattTexte_ << rs.text(QStringLiteral("Rabatt_Text"));
    rabattBetraege_.clear();
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Rabatt_betrag FROM tbRabatt_Betrag ORDER BY Rabatt_betrag")); !rs.eof();
         rs.moveNext())
        rabattBetraege_ << geld::text(rs.number(QStringLiteral("Rabatt_betrag")));
    mwstListe_.clear();
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT IDSteuerschluessel, Steuersatz FROM tbSteuerschluessel WHERE (GUeltigBis "
                                                         "Is Null Or GUeltigBis >= ?) AND (GUeltigseit Is Null Or GUeltigseit <= ?) "
                                                         "ORDER BY Steuersatz DESC"),
                                          {heute, heute});
         !rs.eof(); rs.moveNext())
        mwstListe_ << Wahl{rs.integer(QStringLiteral("IDSteuerschluessel")), satzText(rs.number(QStringLiteral("Steuersatz")))};
    artikel_.clear();
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT ArtKategorie FROM tbArtKategorie ORDER BY ArtKategorie")); !rs.eof();
         rs.moveNext())
        artikel_ << rs.text(QStringLiteral("ArtKategorie"));
    nurBuchung = vorgabe().nurBuchung;
    eintraegeLaden();
    // The box starts with the addresses of the entries; the whole address book (thousands of
    // rows after years) is read when the user opens it.
    adressen_.clear();
    alleAdressen_ = false;
    for (const PoZeile& z : zeilen_) {
        bool da = false;
        for (const Wahl& w : adressen_) da = da || w.id == z.adressId;
        if (!da && z.adressId != 0) adressen_ << Wahl{z.adressId, z.adresse};
    }
    std::sort(adressen_.begin(), adressen_.end(), [](const Wahl& a, const Wahl& b) { return a.text.localeAwareCompare(b.text) < 0; });
}

void RechnungPoLogik::alleAdressenLaden() {
    QList<Wahl> alle;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT Address.ID,  Address.LastName FROM Address ORDER BY Address.LastName"));
         !rs.eof(); rs.moveNext())
        alle << Wahl{rs.integer(QStringLiteral("ID")), rs.text(QStringLiteral("LastName"))};
    adressen_ = alle;
    alleAdressen_ = true;
}

// ---- entries ----

QList<int> RechnungPoLogik::blockBuchungen() const {
    QList<int> ids;
    const QVariant block = db_.scalar(
        QStringLiteral("SELECT IDBlockbuchung FROM tbBlockbuchung WHERE IDBelegung = ? AND IDBlockbuchung Is Not Null"), {buchungId_});
    if (block.isNull() || !block.isValid()) return {buchungId_};
    for (Recordset rs =
             db_.openRecordset(QStringLiteral("SELECT tblBelegung.ID FROM tbBlockbuchung INNER JOIN tblBelegung ON "
                                              "tbBlockbuchung.IDBelegung = tblBelegung.ID WHERE tbBlockbuchung.IDBlockbuchung = ? "
                                              "AND tblBelegung.Gelöscht = False ORDER BY tbBlockbuchung.Master, "
                                              "tblBelegung.Zimmernummer, tblBelegung.Von"),
                               {block});
         !rs.eof(); rs.moveNext())
        ids << rs.integer(QStringLiteral("ID"));
    // Master is True (-1) for the master: ascending order puts it first.
    if (!ids.contains(buchungId_)) ids.prepend(buchungId_);
    return ids;
}

QString RechnungPoLogik::nachttext(int naechte) const {
    Parameter p(db_);
    const auto row = p.read(naechte == 1 ? QStringLiteral("TextÜbernachtung") : QStringLiteral("TextÜbernachtungMZ"));
    QString t = row ? row->text(1).trimmed() : QString();
    if (t.isEmpty()) t = naechte == 1 ? QStringLiteral("Übernachtung") : QStringLiteral("Übernachtungen");
    return t;
}

void RechnungPoLogik::eintraegeLaden() {
    zeilen_.clear();
    const QList<int> buchungen = nurBuchung ? QList<int>{buchungId_} : blockBuchungen();
    for (int id : buchungen) {
        Recordset rs = db_.openRecordset(
            QStringLiteral("SELECT tblBelegung.*, tbZimmernummern.NeueNummer, G.LastName AS GastName, R.LastName AS ReName "
                           "FROM ((tblBelegung LEFT JOIN tbZimmernummern ON tblBelegung.Zimmernummer = tbZimmernummern.Zimmernummer) "
                           "LEFT JOIN Address AS G ON tblBelegung.GastID = G.ID) LEFT JOIN Address AS R ON "
                           "Nz(tblBelegung.IDAdressRechnung, tblBelegung.GastID) = R.ID WHERE tblBelegung.ID = ?"),
            {id});
        if (rs.eof()) continue;
        const bool zimmerImBlock = nurZusatzposten && id == buchungId_;
        PoZeile z;
        z.buchung = true;
        z.id = z.buchungId = id;
        const QString raum = rs.text(QStringLiteral("NeueNummer")).isEmpty() ? rs.text(QStringLiteral("Zimmernummer"))
                                                                             : rs.text(QStringLiteral("NeueNummer"));
        const QString eigen = rs.text(QStringLiteral("BelegNummer_eigen")).trimmed();
        z.nummer = eigen.isEmpty() ? raum : eigen + QStringLiteral(" / ") + raum;
        z.datum = rs.value(QStringLiteral("Von")).toDate();
        z.bis = rs.value(QStringLiteral("Bis")).toDate();
        const int naechte =
            z.datum.isValid() && z.bis.isValid() ? int(z.datum.daysTo(z.bis)) : rs.integer(QStringLiteral("AnzahlÜbernachtungen"));
        const QString reText = rs.text(QStringLiteral("Re_text")).trimmed();
        z.artikel = reText.isEmpty() ? nachttext(naechte) : reText;
        z.menge = naechte;
        z.einzelpreis = rs.number(QStringLiteral("PreisProNacht"));
        z.gesamt = rs.number(QStringLiteral("Preis"));
        if (z.gesamt == 0 && z.einzelpreis != 0) z.gesamt = z.einzelpreis * naechte;
        z.gast = rs.text(QStringLiteral("GastName"));
        z.adressId = rs.value(QStringLiteral("IDAdressRechnung")).isNull() ? rs.integer(QStringLiteral("GastID"))
                                                                           : rs.integer(QStringLiteral("IDAdressRechnung"));
        z.adresse = rs.text(QStringLiteral("ReName"));
        z.zustand = zustandText(rs.integer(QStringLiteral("Abgerechnet")));
        z.gaeste = rs.integer(QStringLiteral("AnzahlGäste"));
        z.geteilt = rs.text(QStringLiteral("IST_Geteilt")) == QStringLiteral("Y");
        z.bemerkung = z.geteilt ? QStringLiteral("aufgeteilt") : QString();
        if (!zimmerImBlock) zeilen_ << z;

        for (Recordset p = db_.openRecordset(
                 QStringLiteral("SELECT tbRePosten.*, tbSteuerschluessel.Steuersatz, Address.LastName FROM (tbRePosten LEFT JOIN "
                                "tbSteuerschluessel ON tbRePosten.IDSteuerschlüssel = tbSteuerschluessel.IDSteuerschluessel) LEFT JOIN "
                                "Address ON tbRePosten.IDAdressePo = Address.ID WHERE tbRePosten.IDBelegung = ? "
                                "ORDER BY tbRePosten.IST_Belegung DESC, tbRePosten.DatumPo, tbRePosten.IDRePosten"),
                 {id});
             !p.eof(); p.moveNext()) {
            PoZeile q;
            q.buchung = false;
            q.id = p.integer(QStringLiteral("IDRePosten"));
            q.buchungId = id;
            q.nummer = z.nummer;
            q.artikel = p.text(QStringLiteral("ArtikelPo"));
            q.menge = p.number(QStringLiteral("MengePo"));
            q.einzelpreis = p.number(QStringLiteral("PreisPo"));
            q.gesamt = q.menge * q.einzelpreis;
            if (!p.value(QStringLiteral("Steuersatz")).isNull()) q.mwst = p.number(QStringLiteral("Steuersatz"));
            q.mwstSchluessel = p.integer(QStringLiteral("IDSteuerschlüssel"));
            q.bemerkung = p.text(QStringLiteral("BemerkungPo"));
            q.gast = z.gast;
            q.adressId = p.integer(QStringLiteral("IDAdressePo"));
            q.adresse = p.text(QStringLiteral("LastName"));
            const QString st = p.text(QStringLiteral("AbgerechnetPo"));
            q.zustand = st.isEmpty() ? kNein : st;
            q.datum = p.value(QStringLiteral("DatumPo")).toDate();
            q.bis = p.value(QStringLiteral("DatumPoBis")).toDate();
            q.keinDatum = p.yes(QStringLiteral("KeinDatum"));
            q.gaeste = p.integer(QStringLiteral("AnzGästePo"));
            q.nachtPosten = p.text(QStringLiteral("IST_Belegung")) == QStringLiteral("Y");
            zeilen_ << q;
        }
    }
}

QList<bool> RechnungPoLogik::spaltenSichtbar() const {
    const auto row = Parameter(db_).read(QStringLiteral("Rechnungsspalten"));
    QList<bool> s;
    for (int i = 0; i < 16; ++i) {
        const QString v = row ? row->text(i + 1) : QString();
        // A missing value shows the captioned columns and hides the keys.
        s << (v.isEmpty() ? !spaltenTitel().at(i).isEmpty() : v == kJa);
    }
    return s;
}

void RechnungPoLogik::spaltenSpeichern(const QList<bool>& sichtbar) {
    QList<QPair<int, QVariant>> f;
    for (int i = 0; i < 16 && i < sichtbar.size(); ++i) f << qMakePair(i + 1, QVariant(sichtbar[i] ? kJa : kNein));
    Parameter(db_).write(QStringLiteral("Rechnungsspalten"), f);
}

RechnungPoLogik::Vorgabe RechnungPoLogik::vorgabe() const {
    Parameter p(db_);
    Vorgabe v;
    v.anzahlung = p.readYesNo(QStringLiteral("RechnungAnzahlung"));
    const auto b = p.read(QStringLiteral("RechnungAnzBerechnung"));
    v.berechnung = b ? std::clamp(b->integer(1), 0, 2) : 0;
    const auto a = p.read(QStringLiteral("AuchBlock"));
    v.nurBuchung = !a || a->text(1) != kNein;
    return v;
}
void RechnungPoLogik::vorgabeAnzahlung(bool ja) { Parameter(db_).write(QStringLiteral("RechnungAnzahlung"), {{1, ja ? kJa : kNein}}); }
void RechnungPoLogik::vorgabeBerechnung(int modus) {
    Parameter(db_).write(QStringLiteral("RechnungAnzBerechnung"), {{1, QString::number(std::clamp(modus, 0, 2))}});
}
void RechnungPoLogik::vorgabeNurBuchung(bool ja) { Parameter(db_).write(QStringLiteral("AuchBlock"), {{1, ja ? kJa : kNein}}); }

// ---- items ----

RechnungPoLogik::Artikelvorgabe RechnungPoLogik::artikel(const QString& text) const {
    Artikelvorgabe a;
    Recordset rs = db_.openRecordset(
        QStringLiteral("SELECT Preis, MWST_SL, Bem_ArtKategorie, KeinDatum FROM tbArtKategorie WHERE ArtKategorie = ?"), {text});
    if (rs.eof()) return a;
    a.preis = rs.number(QStringLiteral("Preis"));
    a.mwstSchluessel = rs.integer(QStringLiteral("MWST_SL"));
    a.bemerkung = rs.text(QStringLiteral("Bem_ArtKategorie"));
    a.keinDatum = rs.yes(QStringLiteral("KeinDatum"));
    return a;
}

bool RechnungPoLogik::artikelEntfernen(const QString& text) {
    if (text.trimmed().isEmpty()) return false;
    if (dialogs_.message(QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?"), QStringLiteral("Listeneinträge löschen"),
                         Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    db_.execute(QStringLiteral("DELETE FROM tbArtKategorie WHERE ArtKategorie = ?"), {text});
    artikel_.removeAll(text);
    return true;
}

bool RechnungPoLogik::artikelSpeichern(const PostenEingabe& e) {
    const QString name = e.artikel.trimmed();
    if (name.isEmpty()) {
        dialogs_.message(QStringLiteral("Bitte geben Sei eine Bezeichnung für den Artikel ein."));
        return false;
    }
    if (!e.preis.trimmed().isEmpty() && !nurZiffern(e.preis, true)) {
        dialogs_.message(QStringLiteral("Bitte geben Sie den Preis als Betrag mit höchstens zwei Nachkommastellen ein."));
        return false;
    }
    const double preis = zahl(e.preis);
    const QVariant mwst = e.mwstSchluessel ? QVariant(e.mwstSchluessel) : QVariant();
    const QVariant bem = e.bemerkung.isEmpty() ? QVariant() : QVariant(e.bemerkung);
    if (db_.scalar(QStringLiteral("SELECT Count(*) FROM tbArtKategorie WHERE ArtKategorie = ?"), {name}).toInt() > 0) {
        db_.execute(QStringLiteral("UPDATE tbArtKategorie SET Preis = ?, MWST_SL = ?, Bem_ArtKategorie = ? WHERE ArtKategorie = ?"),
                    {preis, mwst, bem, name});
    } else {
        const int id = db_.scalar(QStringLiteral("SELECT Nz(Max(IDArtKategorie), 0) + 1 FROM tbArtKategorie")).toInt();
        db_.execute(QStringLiteral("INSERT INTO tbArtKategorie (IDArtKategorie, ArtKategorie, Preis, MWST_SL, Bem_ArtKategorie, KeinDatum) "
                                   "VALUES (?, ?, ?, ?, ?, ?)"),
                    {id, name, preis, mwst, bem, e.keinDatum});
        artikel_ << name;
        artikel_.sort(Qt::CaseInsensitive);
    }
    return true;
}

QString RechnungPoLogik::gesamtText(const QString& menge, const QString& preis) {
    if (!nurZiffern(menge, false) || !nurZiffern(preis, true)) return {};
    return geld::text(zahl(menge) * zahl(preis));
}

QString RechnungPoLogik::datumTaste(const QString& datum, QChar taste) {
    const auto d = dates::parse(datum.trimmed());
    if (!d) return datum;
    if (taste == QLatin1Char('+')) return dates::shortDate(d->addDays(1));
    if (taste == QLatin1Char('-')) return dates::shortDate(d->addDays(-1));
    return datum;
}

std::optional<int> RechnungPoLogik::postenSpeichern(int idPosten, const PostenEingabe& e, int adressId) {
    auto nein = [&](const QString& text) -> std::optional<int> {
        dialogs_.message(text);
        return std::nullopt;
    };
    if (idPosten != 0) {
        const QString st = db_.scalar(QStringLiteral("SELECT AbgerechnetPo FROM tbRePosten WHERE IDRePosten = ?"), {idPosten}).toString();
        if (st == kJa) return nein(kAbgerechnetAendern);
    }
    std::optional<QDate> von, bis;
    if (!e.keinDatum) {
        if (e.datum.trimmed().isEmpty()) return nein(QStringLiteral("Das Feld 'Datum' darf zum Speichern nicht leer sein"));
        von = dates::parse(e.datum.trimmed());
        if (!von) return nein(kDatumPruefen);
        if (e.bisInGebrauch) {
            if (e.datumBis.trimmed().isEmpty()) return nein(QStringLiteral("Das Feld 'Datum (Bis)' darf zum Speichern nicht leer sein."));
            bis = dates::parse(e.datumBis.trimmed());
            if (!bis) return nein(kDatumPruefen);
            if (*bis < *von) return nein(QStringLiteral("Das Enddatum liegt vor dem Anfangsdatum. Bitte korrigieren Sie die Einträge."));
            if (e.zeitraumNoetig && *bis == *von)
                return nein(QStringLiteral("Das Anfangs- und das Enddatum sind gleich. Bitte korrigieren Sie die Einträge."));
        }
    }
    if (e.artikel.trimmed().isEmpty()) return nein(QStringLiteral("Das Feld 'Artikel' darf zum Speichern nicht leer sein"));
    QString menge = e.menge.trimmed();
    if (menge.isEmpty()) menge = QStringLiteral("1");
    if (!nurZiffern(menge, false) || zahl(menge) <= 0)
        return nein(QStringLiteral("Bitte geben Sie als Menge eine Zahl größer als 0 ein, zum Beispiel 2 oder 1,5."));
    if (e.preis.trimmed().isEmpty()) return nein(QStringLiteral("Das Feld 'Preis' darf zum Speichern nicht leer sein"));
    if (!nurZiffern(e.preis, true))
        return nein(QStringLiteral("Bitte geben Sie den Preis als Betrag mit höchstens zwei Nachkommastellen ein, zum Beispiel 1.234,50."));
    bool inListe = false;
    for (const Wahl& w : mwstListe_) inListe = inListe || w.id == e.mwstSchluessel;
    if (!inListe) return nein(kAuswahl);
    int gaeste = 0;
    if (!e.gaeste.trimmed().isEmpty()) {
        bool ok = false;
        gaeste = e.gaeste.trimmed().toInt(&ok);
        if (!ok || gaeste < 0) return nein(QStringLiteral("Bitte geben Sie die Zahl der Gäste als ganze Zahl ein."));
    }

    // The invoice address of a new item follows its booking unless the user keeps another one.
    int adresse = adressId;
    if (idPosten == 0) {
        const QVariant re = db_.scalar(QStringLiteral("SELECT Nz(IDAdressRechnung, GastID) FROM tblBelegung WHERE ID = ?"), {buchungId_});
        if (re.isValid() && !re.isNull() && re.toInt() != adressId) {
            const Answer a = dialogs_.message(
                QStringLiteral("Die Rechnungsadresse dieses Zusatzpostens entspricht nicht der Rechnungsadresse der dazugehörenden "
                               "Reservierung.") +
                    QStringLiteral(" Wählen Sie 'Ja', wenn die Daten so gespeichert werden sollen. Wählen Sie 'Nein', wenn die "
                                   "Rechnungsadresse der Grundbuchung ") +
                    QStringLiteral("gespeichert werden soll."),
                {}, Buttons::YesNo, Icon::Question);
            if (a != Answer::Yes) adresse = re.toInt();
        }
    }
    const QVariantList werte = {e.artikel.trimmed(),
                                zahl(menge),
                                zahl(e.preis),
                                e.mwstSchluessel,
                                e.bemerkung.isEmpty() ? QVariant() : QVariant(e.bemerkung),
                                von ? QVariant(*von) : QVariant(),
                                bis ? QVariant(*bis) : QVariant(),
                                e.keinDatum,
                                gaeste ? QVariant(gaeste) : QVariant(),
                                adresse};
    if (idPosten == 0) {
        QVariantList w = werte;
        w << buchungId_;
        db_.execute(
            QStringLiteral("INSERT INTO tbRePosten (ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, BemerkungPo, DatumPo, DatumPoBis, "
                           "KeinDatum, AnzGästePo, IDAdressePo, IDBelegung, AbgerechnetPo, IST_Belegung) VALUES "
                           "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'Nein', 'N')"),
            w);
        return db_.scalar(QStringLiteral("SELECT Max(IDRePosten) FROM tbRePosten")).toInt();
    }
    QVariantList w = werte;
    w << idPosten;
    db_.execute(QStringLiteral("UPDATE tbRePosten SET ArtikelPo = ?, MengePo = ?, PreisPo = ?, IDSteuerschlüssel = ?, BemerkungPo = ?, "
                               "DatumPo = ?, DatumPoBis = ?, KeinDatum = ?, AnzGästePo = ?, IDAdressePo = ? WHERE IDRePosten = ?"),
                w);
    return idPosten;
}

bool RechnungPoLogik::loeschen(const PoZeile& z) {
    if (z.buchung) {
        dialogs_.message(kNichtLoeschbar);
        return false;
    }
    if (z.zustand == kJa) {
        dialogs_.message(kAbgerechnetLoeschen);
        return false;
    }
    if (dialogs_.message(kLoeschenFrage, {}, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    Transaction t(db_);
    db_.execute(QStringLiteral("DELETE FROM tbRechnungen_zu_Posten WHERE IDPostenRe = ?"), {z.id});
    db_.execute(QStringLiteral("DELETE FROM tbRePosten WHERE IDRePosten = ?"), {z.id});
    t.commit();
    return true;
}

bool RechnungPoLogik::zustandSetzen(const PoZeile& z, const QString& zustand) {
    if (zustand != kJa && zustand != kNein && zustand != kWarten) {
        dialogs_.message(kAuswahl);
        return false;
    }
    if (zustand == z.zustand) return true;
    clsRechnung re(db_, dialogs_);
    const bool mitRechnung = dokumentDerZeile(z).has_value();
    if (mitRechnung) {
        if (dialogs_.message(QStringLiteral("Für diesen Artikel wurde bereits eine Rechnung erstellt.") +
                                 QStringLiteral(" Möchten Sie den Status trotzdem ändern?"),
                             kTitelVerwalten, Buttons::YesNo, Icon::Question) != Answer::Yes)
            return false;
    } else if (zustand == kJa) {
        if (dialogs_.message(QStringLiteral("Für diesen Artikel wurde noch keine Rechnung erstellt.") +
                                 QStringLiteral(" Wenn Sie den Status auf 'Abgerechnet' ändern, erhält der Kunde unter Umständen keine ") +
                                 QStringLiteral("vollständige Rechnung.") + QStringLiteral(" Möchten Sie den Status trotzdem ändern?"),
                             kTitelVerwalten, Buttons::YesNo, Icon::Question) != Answer::Yes)
            return false;
    }
    const int wert = zustand == kJa ? 1 : zustand == kWarten ? 2 : 0;
    re.WartenNeinSetzen(z.buchung ? DokumentEintrag::buchung(z.id) : DokumentEintrag::posten(z.id), wert);
    return true;
}

bool RechnungPoLogik::adresseZuordnen(const QList<PoZeile>& auswahl, int adressId) {
    if (auswahl.isEmpty()) {
        dialogs_.message(kKeineAuswahl);
        return false;
    }
    try {
        Transaction t(db_);
        for (const PoZeile& z : auswahl) {
            if (z.zustand == kJa) continue;
            if (z.buchung)
                db_.execute(QStringLiteral("UPDATE tblBelegung SET tblBelegung.IDAdressRechnung = ? WHERE tblBelegung.ID = ?"),
                            {adressId, z.id});
            else
                db_.execute(QStringLiteral("UPDATE tbRePosten SET IDAdressePo = ? WHERE IDRePosten = ?"), {adressId, z.id});
        }
        t.commit();
    } catch (const DatabaseError&) {
        dialogs_.message(QStringLiteral("Die Zuordnung konnte nicht gespeichert werden."));
        return false;
    }
    return true;
}

bool RechnungPoLogik::nachttextAendern(int buchungId, const QString& text) {
    db_.execute(QStringLiteral("UPDATE tblBelegung SET Re_text = ? WHERE ID = ?"),
                {text.trimmed().isEmpty() ? QVariant() : QVariant(text.trimmed()), buchungId});
    return true;
}

// ---- split ----

bool RechnungPoLogik::teilen(int buchungId) {
    Recordset rs =
        db_.openRecordset(QStringLiteral("SELECT Abgerechnet, IST_Geteilt, Von, Bis, PreisProNacht, Preis, GastID, IDAdressRechnung "
                                         "FROM tblBelegung WHERE ID = ?"),
                          {buchungId});
    if (rs.eof()) return false;
    if (rs.integer(QStringLiteral("Abgerechnet")) == 1) {
        dialogs_.message(
            QStringLiteral("Diese Reservierung wurde bereits abgerechnet. Stornieren Sie zunächst die Rechnung um fortzufahren."));
        return false;
    }
    const QString antwort =
        dialogs_.input(QStringLiteral("Wieviele Einzelreservierungen sollen erstellt werden?") + QStringLiteral("\n\n") +
                           QStringLiteral("Hinweis: Ändern Sie nach der Aufteilung die Rechnungsadressen der aufgeteilten "
                                          "Reservierungen."),
                       kTeilenTitel, QStringLiteral("2"));
    bool ok = false;
    const int n = antwort.trimmed().toInt(&ok);
    if (!ok || n <= 0) {
        dialogs_.message(kKeineTeilung);
        return false;
    }
    const QDate von = rs.value(QStringLiteral("Von")).toDate();
    const QDate bis = rs.value(QStringLiteral("Bis")).toDate();
    const double proNacht = rs.number(QStringLiteral("PreisProNacht"));
    const double gesamt = rs.number(QStringLiteral("Preis"));
    const int adresse = rs.value(QStringLiteral("IDAdressRechnung")).isNull() ? rs.integer(QStringLiteral("GastID"))
                                                                              : rs.integer(QStringLiteral("IDAdressRechnung"));
    const int naechte = int(von.daysTo(bis));
    const double menge = proNacht != 0 ? naechte : 1;
    const double preis = proNacht != 0 ? proNacht / n : gesamt / n;
    const auto standard = clsMWST(db_, dialogs_).IDMwSTStandardVonDatum(heute_.isValid() ? heute_ : QDate::currentDate());
    const QVariant mwst = standard ? QVariant(*standard) : QVariant();
    Transaction t(db_);
    db_.execute(QStringLiteral("UPDATE tblBelegung SET IST_Geteilt = 'Y' WHERE ID = ?"), {buchungId});
    for (int i = 0; i < n; ++i)
        db_.execute(
            QStringLiteral("INSERT INTO tbRePosten (IDBelegung, ArtikelPo, MengePo, PreisPo, IDSteuerschlüssel, DatumPo, DatumPoBis, "
                           "AnzGästePo, IDAdressePo, AbgerechnetPo, IST_Belegung) VALUES (?, 'Übernachtungen', ?, ?, ?, ?, ?, 1, ?, "
                           "'Nein', 'Y')"),
            {buchungId, menge, preis, mwst, von, bis, adresse});
    t.commit();
    return true;
}

bool RechnungPoLogik::teilungAufheben(int buchungId) {
    if (db_.scalar(QStringLiteral("SELECT IST_Geteilt FROM tblBelegung WHERE ID = ?"), {buchungId}).toString() != QStringLiteral("Y")) {
        dialogs_.message(kNichtGeteilt);
        return false;
    }
    if (db_.scalar(QStringLiteral("SELECT Count(*) FROM tbRePosten WHERE IDBelegung = ? AND IST_Belegung = 'Y' AND AbgerechnetPo = 'Ja'"),
                   {buchungId})
            .toInt() > 0) {
        dialogs_.message(
            QStringLiteral("Eine oder mehrere der aufgeteilten Reservierungen wurden bereits abgerechnet. Stornieren Sie zum "
                           "Ändern zunächst die Rechnung."));
        return false;
    }
    Transaction t(db_);
    db_.execute(QStringLiteral("DELETE FROM tbRechnungen_zu_Posten WHERE IDPostenRe IN (SELECT IDRePosten FROM tbRePosten WHERE "
                               "IDBelegung = ? AND IST_Belegung = 'Y')"),
                {buchungId});
    db_.execute(QStringLiteral("DELETE FROM tbRePosten WHERE IDBelegung = ? AND IST_Belegung = 'Y'"), {buchungId});
    db_.execute(QStringLiteral("UPDATE tblBelegung SET IST_Geteilt = 'N' WHERE ID = ?"), {buchungId});
    t.commit();
    return true;
}

// ---- documents ----

std::optional<double> RechnungPoLogik::rabattLesen(const QString& text, bool* prozent) const {
    QString t = text.trimmed();
    *prozent = t.endsWith(QLatin1Char('%'));
    if (*prozent) t.chop(1);
    if (t.trimmed().isEmpty()) return 0.0;
    if (!nurZiffern(t.trimmed(), false)) return std::nullopt;
    return zahl(t);
}

std::optional<int> RechnungPoLogik::dokumentDerZeile(const PoZeile& z) {
    clsRechnung re(db_, dialogs_);
    return z.buchung ? re.RechnungFindenBelegung(z.id) : re.RechnungFinden(0, z.id);
}

bool RechnungPoLogik::bezahlt(const PoZeile& z) {
    const auto nr = dokumentDerZeile(z);
    return nr && clsRechnung(db_, dialogs_).RechnungIstVollstBezahlt(*nr);
}

bool RechnungPoLogik::nummerFrei(const QString& text, int reNummer) {
    return !text.trimmed().isEmpty() && !clsRechnung(db_, dialogs_).nummerEigenVergeben(text.trimmed(), reNummer);
}

QString RechnungPoLogik::naechsteNummer(Dokumentart art, const QString& datum) {
    const QString k = art == Dokumentart::AngebotEditor        ? QStringLiteral("A")
                      : art == Dokumentart::BestaetigungEditor ? QStringLiteral("B")
                                                               : QStringLiteral("R");
    return clsRechnung(db_, dialogs_).naechsteNummerEigen(k, dates::parse(datum.trimmed()).value_or(heute_));
}

std::optional<int> RechnungPoLogik::drucken(Dokumentart art, const Belegdaten& d, const Ausgabe& ausgabe) {
    const auto datum = dates::parse(d.datum.trimmed());
    if (!datum) {
        dialogs_.message(kDatumPruefen);
        return std::nullopt;
    }
    bool prozent = false;
    const auto rabatt = rabattLesen(d.rabattBetrag, &prozent);
    if (!rabatt) {
        dialogs_.message(QStringLiteral("Bitte geben Sie den Rabatt als Betrag oder mit '%' als Prozentsatz ein."));
        return std::nullopt;
    }
    if (prozent && *rabatt > 100) {
        dialogs_.message(QStringLiteral("Ein Rabatt von mehr als 100 % ist nicht möglich."));
        return std::nullopt;
    }
    // The rows of the invoice address that are neither settled nor held back.
    NeuesDokument n;
    n.rechnung = art == Dokumentart::RechnungEditor;
    n.angebot = art == Dokumentart::AngebotEditor;
    n.abrechnen = n.rechnung;
    n.adressId = d.adressId;
    QList<int> buchungen;
    for (const PoZeile& z : zeilen_) {
        if (z.zustand != kNein || z.adressId != d.adressId) continue;
        if (z.buchung && z.geteilt) continue;  // its night items stand for it
        n.eintraege << (z.buchung ? DokumentEintrag::buchung(z.id) : DokumentEintrag::posten(z.id));
        if (!buchungen.contains(z.buchungId)) buchungen << z.buchungId;
    }
    if (n.eintraege.isEmpty()) {
        dialogs_.message(clsRechnung::kKeineEintraege);
        return std::nullopt;
    }
    clsRechnung re(db_, dialogs_);
    bool ohneDruck = false;
    if (n.rechnung && !re.druckPruefen(buchungen, true, &ohneDruck)) return std::nullopt;
    n.datum = *datum;
    n.nummerEigen = d.nummerEigen.trimmed();
    n.zahlart = d.zahlart;
    n.anzahlung = d.anzahlung;
    n.anzVorReise = d.berechnung == 1 ? QStringLiteral("N") : d.berechnung == 2 ? QStringLiteral("G") : QStringLiteral("Y");
    n.reText1 = d.reText;
    n.summen.rabattBezeichnung = d.rabattText;
    if (*rabatt != 0) (prozent ? n.summen.rabattProz : n.summen.rabattBetrag) = *rabatt;
    const auto nr = re.ReZuordnungen(n);
    if (!nr) return std::nullopt;
    if (!ohneDruck && ausgabe) ausgabe(*nr, art);
    return nr;
}

std::optional<int> RechnungPoLogik::nochmalDrucken(const PoZeile& z, const Belegdaten& d, const Ausgabe& ausgabe) {
    const auto nr = dokumentDerZeile(z);
    if (!nr) {
        dialogs_.message(QStringLiteral("Für diesen Eintrag existiert keine Rechnung."));
        return std::nullopt;
    }
    clsRechnung re(db_, dialogs_);
    if (!re.anzeigbar(*nr)) return std::nullopt;
    bool prozent = false;
    const auto rabatt = rabattLesen(d.rabattBetrag, &prozent);
    if (!rabatt || (prozent && *rabatt > 100)) {
        dialogs_.message(QStringLiteral("Ein Rabatt von mehr als 100 % ist nicht möglich."));
        return std::nullopt;
    }
    DokumentSummen s;
    s.rabattBezeichnung = d.rabattText;
    if (*rabatt != 0) (prozent ? s.rabattProz : s.rabattBetrag) = *rabatt;
    re.ReDatenSpeichern(*nr, s);
    const QString k = re.IST_RechnungDB(*nr);
    const Dokumentart art = k == QStringLiteral("A")   ? Dokumentart::AngebotEditor
                            : k == QStringLiteral("B") ? Dokumentart::BestaetigungEditor
                                                       : Dokumentart::RechnungEditor;
    if (ausgabe) ausgabe(*nr, art);
    return nr;
}

bool RechnungPoLogik::stornieren(const PoZeile& z) {
    const auto nr = dokumentDerZeile(z);
    if (!nr) {
        if (z.buchung && z.geteilt)
            dialogs_.message(QStringLiteral("Für diesen Eintrag existiert keine Rechnung. Die Reservierung wurde aufgeteilt."));
        else if (modus_ == Modus::Rechnung && z.zustand == kNein)
            dialogs_.message(QStringLiteral("Dieser Posten wurde noch nicht abgerechnet."));
        else
            dialogs_.message(QStringLiteral("Für diesen Eintrag existiert keine Rechnung."));
        return false;
    }
    return clsRechnung(db_, dialogs_).stornieren(*nr);
}

bool RechnungPoLogik::zahlungenStornieren(const PoZeile& z) {
    const auto nr = dokumentDerZeile(z);
    const QString frage = nr ? QStringLiteral("Möchten Sie alle Zahlungen dieser Rechnung stornieren?")
                             : QStringLiteral("Möchten Sie alle Zahlungen dieser Reservierung stornieren?");
    if (dialogs_.message(frage, {}, Buttons::YesNo, Icon::Question) != Answer::Yes) return false;
    if (nr)
        db_.execute(QStringLiteral("DELETE FROM tbZahlung WHERE IdRechnung = ?"), {*nr});
    else
        db_.execute(QStringLiteral("DELETE FROM tbZahlung WHERE IDBelegung = ? AND IdRechnung Is Null"), {z.buchungId});
    return true;
}

int RechnungPoLogik::statusPruefen() {
    const QString buchungen = QStringLiteral(
        "FROM tblBelegung WHERE Abgerechnet = 1 AND (IST_Geteilt Is Null OR IST_Geteilt <> 'Y') AND ID NOT IN "
        "(SELECT IDBelegung FROM tbRechnungen_zu_Posten WHERE IDBelegung Is Not Null)");
    const QString posten = QStringLiteral(
        "FROM tbRePosten WHERE AbgerechnetPo = 'Ja' AND IDRePosten NOT IN (SELECT IDPostenRe FROM tbRechnungen_zu_Posten WHERE IDPostenRe Is "
        "Not Null)");
    const int n = db_.scalar(QStringLiteral("SELECT Count(*) ") + buchungen).toInt() +
                  db_.scalar(QStringLiteral("SELECT Count(*) ") + posten).toInt();
    if (n == 0) {
        dialogs_.message(QStringLiteral("Alle Status sind korrekt"), kStatusTitel);
        return 0;
    }
    const QString text = QStringLiteral("Es ") + (n == 1 ? QStringLiteral("ist ") : QStringLiteral("sind ")) + QString::number(n) +
                         (n == 1 ? QStringLiteral(" Eintrag") : QStringLiteral(" Einträge")) +
                         QStringLiteral(" betroffen. Möchten Sie den Status jetzt ändern?");
    if (dialogs_.message(text, kStatusTitel, Buttons::YesNo, Icon::Question) != Answer::Yes) return n;
    Transaction t(db_);
    db_.execute(QStringLiteral("UPDATE tblBelegung SET Abgerechnet = 0 WHERE ID IN (SELECT ID ") + buchungen + QStringLiteral(")"));
    db_.execute(QStringLiteral("UPDATE tbRePosten SET AbgerechnetPo = 'Nein' WHERE IDRePosten IN (SELECT IDRePosten ") + posten +
                QStringLiteral(")"));
    t.commit();
    return n;
}

}  // namespace tav
