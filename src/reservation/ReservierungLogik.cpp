#include "reservation/ReservierungLogik.h"
#include "store/mdBlockbuchung.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "platform/Amounts.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "reservation/LikeMuster.h"
#include "reservation/Preisgrenzen.h"
#include "store/Parameter.h"
#include "store/Zahlstatus.h"
#include "store/Zimmerliste.h"

namespace tav {

namespace {

const QString kTitel = QStringLiteral("Reservierung");
const QString kDatumPruefen = QStringLiteral("Bitte überprüfen Sie das Datum");
const QString kNichtLeer = QStringLiteral("Dieses Feld darf nicht leer bzw. '0' sein.");
const QString kJa = QStringLiteral("Ja");

// The plan hands 01.01.1900 (or nothing) for a date it has not got.
bool echtesDatum(const QDate& d) { return d.isValid() && d != QDate(1900, 1, 1); }

QString feldText(const ParameterRow& row, int n, const QString& vorgabe) {
    const QString t = row.text(n).trimmed();
    return t.isEmpty() ? vorgabe : t;
}

QList<ZimmerEintrag> alleZimmer(Database& db) {
    QList<ZimmerEintrag> out;
    for (Recordset rs = db.openRecordset(QStringLiteral("SELECT Zimmernummer, NeueNummer, AnzahlGästeDefault, PreisDefault "
                                                        "FROM tbZimmernummern ORDER BY Zimmernummer"));
         !rs.eof(); rs.moveNext())
        out.push_back({rs.integer(QStringLiteral("Zimmernummer")), rs.text(QStringLiteral("NeueNummer")),
                       rs.integer(QStringLiteral("AnzahlGästeDefault")), rs.number(QStringLiteral("PreisDefault"))});
    return out;
}

}  // namespace

// ---- settings -------------------------------------------------------------------------------

FormularEinstellungen FormularEinstellungen::lesen(Database& db, Database* beispielDb) {
    FormularEinstellungen e;
    try {
        const Parameter p(db);
        if (const auto w = p.read(QStringLiteral("Wäsche"))) {
            e.waesche1Name = feldText(*w, 1, e.waesche1Name);
            e.waesche1Tage = feldText(*w, 2, e.waesche1Tage);
            e.waesche2Name = feldText(*w, 3, e.waesche2Name);
            e.waesche2Tage = feldText(*w, 4, e.waesche2Tage);
            e.fruehstueck = w->integer(5, e.fruehstueck ? 1 : 0) == 1;
            e.mittag = w->integer(6, e.mittag ? 1 : 0) == 1;
            e.abendessen = w->integer(7, e.abendessen ? 1 : 0) == 1;
        }
        e.alleFreien = p.readYesNo(QStringLiteral("AlleFreien"));
        e.stammkunden = p.readYesNo(QStringLiteral("Stammkunden"));
        if (const auto g = Parameter(beispielDb ? *beispielDb : db).read(QStringLiteral("Res_Groesse")))
            e.groesse = g->text(1).trimmed().compare(QLatin1String("klein"), Qt::CaseInsensitive) == 0 ? Groesse::Klein : Groesse::Gross;
    } catch (const DatabaseError&) {
        // A database without these rows opens the form with the defaults.
    }
    return e;
}

// ---- construction and start ------------------------------------------------------------------

ReservierungLogik::ReservierungLogik(Database& db, Database* beispielDb, Dialogs& dialogs, KollisionsDialog& kollisionsDialog,
                                     KollisionsErgebnis& kollision, const FormularEinstellungen& einstellungen, AdressUmgebung umgebung)
    : db_(db),
      beispielDb_(beispielDb),
      dialogs_(dialogs),
      einstellungen_(einstellungen),
      adresse_(db, dialogs,
               [&] {
                   umgebung.stammkundenVorgabe = einstellungen.stammkunden;
                   return umgebung;
               }()),
      record_(db, dialogs, adresse_, kollisionsDialog, kollision),
      saison_(db, dialogs),
      tarife_(db, dialogs),
      freieZimmer_(einstellungen.alleFreien),
      groesse_(einstellungen.groesse) {
    artenLesen();
}

void ReservierungLogik::artenLesen() {
    arten_.clear();
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT tbBelegArten.BelegungsID, tbBelegArten.BelegungsArt ") +
                                          QStringLiteral(" From tbBelegArten where BelegungsID <> 0 Order by BelegungsID"));
         !rs.eof(); rs.moveNext()) {
        // A kind without a name has no entry in the plan's legend: it is not offered.
        const QString name = rs.text(QStringLiteral("BelegungsArt"));
        if (!name.trimmed().isEmpty()) arten_.push_back({rs.integer(QStringLiteral("BelegungsID")), name});
    }
}

int ReservierungLogik::artPosition() const {
    for (int i = 0; i < arten_.size(); ++i)
        if (arten_[i].id == f_.artIndex + 1) return i;
    return -1;
}

QStringList ReservierungLogik::artNamen() const {
    QStringList out;
    for (const BelegArt& a : arten_) out << a.name;
    return out;
}

bool ReservierungLogik::starten(Uebergabe& u) {
    warteBuchungen_.clear();
    warteIndex_ = 0;
    if (!u.warteBuchungen.isEmpty()) {
        warteTag_ = u.warteTag;
        warteBuchungen_ = u.warteBuchungen;
        warteIndex_ = int(qMax<qsizetype>(0, warteBuchungen_.indexOf(u.buchungId)));
        // A waiting booking removed on another workstation meanwhile is left out.
        while (!warteBuchungen_.isEmpty()) {
            if (laden(warteBuchungen_[warteIndex_])) return true;
            warteBuchungen_.removeAt(warteIndex_);
            warteIndex_ = int(qMin<qsizetype>(warteIndex_, warteBuchungen_.size() - 1));
            warteIndex_ = qMax(0, warteIndex_);
        }
        return false;
    }
    if (!u.neueBuchung && u.buchungId != 0) return laden(u.buchungId);
    if (echtesDatum(u.anreise) && echtesDatum(u.abreise) && u.anreise == u.abreise) u.abreise = u.anreise.addDays(1);
    neueBuchung(u.anreise, u.abreise, u.zimmerNummer, u.belegungsart);
    return true;
}

void ReservierungLogik::neueBuchung(const QDate& anreise, const QDate& abreise, int zimmerNummer, int belegungsart, int adressId) {
    f_ = ReservierungsFelder{};
    saisonpreis_ = false;
    kuerzelGeprueft_ = false;
    f_.von = echtesDatum(anreise) ? dates::longDate(anreise) : QString();
    f_.bis = echtesDatum(abreise) ? dates::longDate(abreise) : QString();
    f_.checkDatum = f_.von;
    f_.erstelltAm = dates::longDate(Clock::current().today());
    f_.waesche1 = einstellungen_.waesche1Tage;
    f_.waesche2 = einstellungen_.waesche2Tage;
    f_.fruehstueck = einstellungen_.fruehstueck;
    f_.mittag = einstellungen_.mittag;
    f_.abendessen = einstellungen_.abendessen;
    f_.gaeste = QStringLiteral("1");
    f_.preis = amounts::format(0);

    if (!arten_.isEmpty()) {
        int index = 0;
        for (int i = 0; i < arten_.size(); ++i)
            if (arten_[i].id == belegungsart) index = i;
        f_.artIndex = arten_[index].id - 1;
        f_.artName = arten_[index].name;
    }

    if (zimmerNummer > 0 && zimmerNummer != waitingRoom()) {
        for (const ZimmerEintrag& z : alleZimmer(db_)) {
            if (z.nummer != zimmerNummer) continue;
            f_.zimmer = z.label;
            if (z.gaeste > 0) f_.gaeste = QString::number(z.gaeste);
            f_.tarif = amounts::format(z.preis);
        }
    }
    if (const int n = zahlwort(f_.artName)) f_.gaeste = QString::number(n);

    adresse_.setRechnungsadresse(0);
    if (adressId != 0 && adresse_.laden(adressId)) f_.gastName = adresse_.felder().nachname;
    neuBerechnen();
    liveTest();
    f_.geaendert = QStringLiteral("Nein");
}

bool ReservierungLogik::laden(int id) {
    ReservierungsFelder f;
    if (!record_.laden(id, f)) return false;
    f_ = f;
    kuerzelGeprueft_ = false;
    int gast = 0, rechnung = 0;
    {
        Recordset rs =
            db_.openRecordset(QStringLiteral("SELECT GastID, IDAdressRechnung FROM tblBelegung WHERE ID = ") + QString::number(id));
        if (!rs.eof()) {
            gast = rs.integer(QStringLiteral("GastID"));
            rechnung = rs.integer(QStringLiteral("IDAdressRechnung"));
        }
    }
    if (gast == 0 || !adresse_.laden(gast)) adresse_.leeren();
    f_.gastName = adresse_.felder().nachname;
    adresse_.setRechnungsadresse(rechnung);
    saisonpreisPruefen();
    liveTest();
    f_.geaendert = QStringLiteral("Nein");
    return true;
}

// ---- the unsaved-changes questions -----------------------------------------------------------

bool ReservierungLogik::hatAenderungen() const { return f_.geaendert == kJa || adresse_.felder().geaendert; }

bool ReservierungLogik::aenderungenKlaeren() {
    if (f_.geaendert == kJa) {
        const Answer a =
            dialogs_.message(QStringLiteral("Änderungen der Reservierung speichern?"), {}, Buttons::YesNoCancel, Icon::Question);
        if (a == Answer::Cancel) return false;
        // The save takes the address along; a collision dialog that discarded the booking closes too.
        if (a == Answer::Yes) return speichern() || f_.schliessen;
    }
    if (adresse_.felder().geaendert) {
        const Answer a = dialogs_.message(QStringLiteral("Änderungen der Adresse speichern?"), {}, Buttons::YesNoCancel, Icon::Question);
        if (a == Answer::Cancel) return false;
        if (a == Answer::Yes) return adresse_.AdressSpeichern();
    }
    return true;
}

// ---- lists -----------------------------------------------------------------------------------

// No booking is placed in the waiting row's room directly: the plan draws only waiting bookings
// in that row, so a live booking there would vanish from the plan. The room box leaves it out;
// the waiting position ("Warteposition") is the way into that row.
int ReservierungLogik::waitingRoom() { return record_.pruefung().warteZimmer(); }

QList<ZimmerEintrag> ReservierungLogik::zimmerListe() {
    QList<ZimmerEintrag> alle = alleZimmer(db_);
    if (alle.size() > 1) alle.removeLast();  // the waiting row's room (see waitingRoom)
    if (!freieZimmer_) return alle;
    const auto von = dates::parse(f_.von);
    const auto bis = dates::parse(f_.bis);
    if (!von || !bis || *von >= *bis) return alle;
    // The booking's own room is listed only while it is free for the range (the booking
    // itself does not occupy it).
    QSet<int> frei;
    for (const FreiesZimmer& z : record_.pruefung().freieZimmer(*von, *bis, f_.id)) frei.insert(z.nummer);
    QList<ZimmerEintrag> out;
    for (const ZimmerEintrag& z : alle)
        if (frei.contains(z.nummer)) out << z;
    return out;
}

void ReservierungLogik::belegtesZimmerAbwaehlen() {
    if (!freieZimmer_ || f_.zimmer.trimmed().isEmpty()) return;
    const auto von = dates::parse(f_.von);
    const auto bis = dates::parse(f_.bis);
    if (!von || !bis || *von >= *bis) return;
    const int nummer = zimmerNummer();
    if (nummer == 0 || nummer == waitingRoom()) return;
    for (const ZimmerEintrag& z : zimmerListe())
        if (z.nummer == nummer) return;
    f_.zimmer.clear();
    f_.warnung = false;
}

QStringList ReservierungLogik::zimmerLabels() {
    QStringList out;
    for (const ZimmerEintrag& z : zimmerListe()) out << z.label;
    return out;
}

int ReservierungLogik::zimmerNummer() const {
    return f_.zimmer.trimmed().isEmpty() ? 0 : Zimmerliste::nummerVonLabel(db_, f_.zimmer.trimmed());
}

QStringList ReservierungLogik::zahlarten() const {
    QStringList out;
    for (Recordset rs = db_.openRecordset(QStringLiteral(" SELECT tbZahlart.Zahlarten  From tbZahlart ORDER BY tbZahlart.Zahlarten; "));
         !rs.eof(); rs.moveNext())
        if (!rs.text(QStringLiteral("Zahlarten")).trimmed().isEmpty()) out << rs.text(QStringLiteral("Zahlarten"));
    return out;
}

bool ReservierungLogik::zahlartEnter(const QString& text) {
    const QString zahlart = text.trimmed();
    if (zahlart.isEmpty()) return false;
    // Tested and added under the write lock: the list holds each method once.
    Transaction t(db_, QStringLiteral("tbZahlart"));
    if (!db_.openRecordset(
                QStringLiteral("SELECT tbZahlart.Zahlarten From tbZahlart ") + QStringLiteral(" WHERE (((tbZahlart.Zahlarten) Like ?));  "),
                {like::woertlich(zahlart)})
             .eof())
        return false;
    db_.execute(QStringLiteral("INSERT INTO tbZahlart (Zahlarten) VALUES (?)"), {zahlart});
    t.commit();
    return true;
}

bool ReservierungLogik::zahlartEntfernen(const QString& text) {
    const QString zahlart = text.trimmed();
    if (zahlart.isEmpty() || !zahlarten().contains(zahlart)) return false;
    if (dialogs_.message(QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?"), QStringLiteral("Listeneinträge löschen"),
                         Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    return db_.execute(QStringLiteral("DELETE * FROM tbZahlart WHERE Zahlarten = ?"), {zahlart}) > 0;
}

// ---- dates -----------------------------------------------------------------------------------

bool ReservierungLogik::datumZeichenErlaubt(QChar c) { return c.isDigit() || c == QLatin1Char('.') || c == QChar(0x08); }

QString ReservierungLogik::naechte(const QString& von, const QString& bis) {
    const auto v = dates::parse(von);
    const auto b = dates::parse(bis);
    if (!v || !b || *v >= *b) return {};
    return QString::number(v->daysTo(*b));
}

void ReservierungLogik::neuBerechnen() {
    f_.naechte = naechte(f_.von, f_.bis);
    // Without a tariff the total stays: it is a flat or seasonal price.
    if (!f_.naechte.isEmpty() && !f_.tarif.trimmed().isEmpty()) Belegung::preisBerechnen(f_);
}

bool ReservierungLogik::datumTaste(bool von, QChar taste) {
    if (taste != QLatin1Char('+') && taste != QLatin1Char('-')) return false;
    QString& text = von ? f_.von : f_.bis;
    const auto d = dates::parse(text);
    if (!d) return true;
    text = dates::longDate(d->addDays(taste == QLatin1Char('+') ? 1 : -1));
    datumGeaendert();
    belegtesZimmerAbwaehlen();
    return true;
}

void ReservierungLogik::datumGeaendert() {
    geaendert();
    Belegung::checkDatumNachfuehren(f_);
    neuBerechnen();
    saisonpreisNachfuehren();
    liveTest();
}

void ReservierungLogik::liveTest() {
    f_.warnung = false;
    record_.liveTest(f_);
}

bool ReservierungLogik::datumPruefen(const QString& text) {
    if (text.trimmed().isEmpty() || dates::isDate(text)) return true;
    dialogs_.message(kDatumPruefen, {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool ReservierungLogik::datumVerlassen(bool von) {
    QString& text = von ? f_.von : f_.bis;
    if (!datumPruefen(text)) {
        f_.fokus = von ? Fokus::Von : Fokus::Bis;
        return false;
    }
    // "13.1.24" is shown as 13.01.2024, as every date of the form.
    if (const auto d = dates::parse(text)) text = dates::longDate(*d);
    belegtesZimmerAbwaehlen();
    saisonpreisNachfuehren();
    return true;
}

bool ReservierungLogik::checkDatumVerlassen() {
    if (!datumPruefen(f_.checkDatum)) {
        f_.fokus = Fokus::CheckDatum;
        return false;
    }
    if (const auto d = dates::parse(f_.checkDatum)) f_.checkDatum = dates::longDate(*d);
    return true;
}

bool ReservierungLogik::resDatumVerlassen() {
    if (!datumPruefen(f_.erstelltAm)) return false;
    if (const auto d = dates::parse(f_.erstelltAm)) f_.erstelltAm = dates::longDate(*d);
    return true;
}

// ---- the booking part ------------------------------------------------------------------------

bool ReservierungLogik::nurZiffern(QChar c) { return c.isDigit() || c == QChar(0x08); }

bool ReservierungLogik::zahlVerlassen(ZahlFeld feld) {
    const QString& text = feld == ZahlFeld::Gaeste ? f_.gaeste : feld == ZahlFeld::Waesche1 ? f_.waesche1 : f_.waesche2;
    if (!text.trimmed().isEmpty() && text.trimmed().toInt() != 0) return true;
    dialogs_.message(kNichtLeer, feld == ZahlFeld::Gaeste ? kTitelGaeste : kTitelWaesche, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool ReservierungLogik::kuerzelZeichenErlaubt(QChar c, const QString& text) {
    static const QString verboten = QStringLiteral("':$;)@><(]}{[*^=~/!\\%.?,\"");
    if (c == QChar(0x08)) return true;
    if (verboten.contains(c)) return false;
    return !(c == QLatin1Char(' ') && text.isEmpty());
}

void ReservierungLogik::kuerzelGeaendert() {
    geaendert();
    kuerzelGeprueft_ = true;
    if (f_.kuerzel.trimmed().isEmpty())
        f_.kuerzelDoppelt = false;
    else
        record_.kuerzelPruefen(f_);
}

KuerzelFarbe ReservierungLogik::kuerzelFarbe() const {
    if (!kuerzelGeprueft_ || f_.kuerzel.trimmed().isEmpty()) return KuerzelFarbe::Normal;
    return f_.kuerzelDoppelt ? KuerzelFarbe::Warnung : KuerzelFarbe::Gruen;
}

bool ReservierungLogik::infoVerlassen() {
    if (f_.info.size() <= kInfoLaenge) return true;
    if (dialogs_.message(
            QStringLiteral("Die Datenmenge dieses Feldes ist zu groß. Soll die Information ") + QStringLiteral("abgeschnitten werden?"), {},
            Buttons::YesNo, Icon::Question) != Answer::Yes)
        return false;
    f_.info.truncate(kInfoLaenge);
    geaendert();
    return true;
}

void ReservierungLogik::artGewaehlt(int index) {
    if (index >= 0 && index < arten_.size()) {
        f_.artIndex = arten_[index].id - 1;
        f_.artName = arten_[index].name;
    } else {
        f_.artIndex = -1;
        f_.artName.clear();
    }
    geaendert();
    if (const int n = zahlwort(f_.artName)) f_.gaeste = QString::number(n);
}

bool ReservierungLogik::istAngebot() const { return f_.artName.trimmed().compare(QLatin1String("Angebot"), Qt::CaseInsensitive) == 0; }

QString ReservierungLogik::bestVorschauBeschriftung() const {
    return istAngebot() ? QStringLiteral("Angebot (ein&f.)") : QStringLiteral("Bestätigung (ein&f.)");
}

QString ReservierungLogik::rechnungBeschriftung() const {
    return istAngebot() ? QStringLiteral("&Angebot") : QStringLiteral("Bestätigung/ &Rechnung");
}

void ReservierungLogik::zimmerGewaehlt(const QString& label) {
    if (label.trimmed() == f_.zimmer.trimmed()) return;
    f_.zimmer = label.trimmed();
    geaendert();
    for (const ZimmerEintrag& z : alleZimmer(db_)) {
        if (z.label != f_.zimmer) continue;
        if (f_.istNeu() && z.gaeste > 0) f_.gaeste = QString::number(z.gaeste);
        if (!f_.fix && saisonpreis_) {
            // A seasonal price is computed again for the new room.
            saisonpreisNachfuehren();
            liveTest();
            return;
        }
        if (!f_.fix) {
            f_.tarif = amounts::format(z.preis);
            neuBerechnen();
        }
        break;
    }
    liveTest();
    saisonpreisPruefen();
}

void ReservierungLogik::belegNummerVerlassen() {
    const QString vorher = f_.belegNummerEigen;
    record_.belegNummerEigenVerlassen(f_);
    if (f_.belegNummerEigen != vorher) geaendert();
}

void ReservierungLogik::belegNummerVergeben() { record_.belegNummerVergeben(f_); }

// ---- prices ----------------------------------------------------------------------------------

void ReservierungLogik::saisonpreisPruefen() { saisonpreis_ = saison_.istSaisonpreis(zimmerNummer(), f_.von, f_.bis, f_.preis); }

void ReservierungLogik::saisonpreisNachfuehren() {
    if (!saisonpreis_) return;
    // Only a finished range counts: while a date is typed ("15.03.20") nothing is computed.
    const auto vollstaendig = [](const QString& text) {
        const auto d = dates::parse(text);
        return d && dates::longDate(*d) == text.trimmed() ? d : std::nullopt;
    };
    const auto von = vollstaendig(f_.von);
    const auto bis = vollstaendig(f_.bis);
    if (!von || !bis || *von >= *bis || zimmerNummer() == 0) return;
    const double preis = saison_.Saisonpreis_Ausrechnen(zimmerNummer(), *von, *bis, false);
    if (preis != 0) {
        f_.preis = amounts::format(preis);
        return;
    }
    saisonpreis_ = false;
    dialogs_.message(QStringLiteral("Für den geänderten Zeitraum oder das geänderte Zimmer lässt sich kein Saisonpreis berechnen. "
                                    "Der Gesamtpreis muss neu berechnet werden."),
                     QStringLiteral("Saisonpreis"), Buttons::Ok, Icon::Exclamation);
}

bool ReservierungLogik::tarifVerlassen() {
    if (const auto tarif = amounts::parse(f_.tarif); tarif && !preisgrenzen::nachtpreisGueltig(*tarif)) {
        dialogs_.message(preisgrenzen::kNachtpreisMeldung, {}, Buttons::Ok, Icon::Exclamation);
        f_.fokus = Fokus::Tarif;
        return false;
    }
    if (f_.tarif.trimmed().isEmpty()) {
        f_.naechte = naechte(f_.von, f_.bis);
        f_.preis = amounts::format(0);
        f_.tarif = Tarifliste::verlassen(f_.tarif);
    } else {
        neuBerechnen();
    }
    saisonpreisPruefen();
    return true;
}

bool ReservierungLogik::tarifEnter() {
    const bool neu = tarife_.enter(f_.tarif);
    tarifVerlassen();
    return neu;
}

bool ReservierungLogik::tarifEntfernen() { return tarife_.entfernen(f_.tarif); }

bool ReservierungLogik::preisVerlassen() {
    const auto p = amounts::parse(f_.preis);
    if (p && !preisgrenzen::gesamtpreisGueltig(*p)) {
        dialogs_.message(preisgrenzen::kGesamtpreisMeldung, {}, Buttons::Ok, Icon::Exclamation);
        f_.fokus = Fokus::Preis;
        return false;
    }
    if (p) f_.preis = amounts::format(*p);
    saisonpreisPruefen();
    return true;
}

void ReservierungLogik::fixGeaendert(bool fix) {
    f_.fix = fix;
    geaendert();
}

void ReservierungLogik::saisonpreisKlick() {
    PreisBoxen boxen{f_.tarif, f_.preis, saisonpreis_};
    if (!saison_.cmdSaisonpreis(boxen, zimmerNummer(), f_.von, f_.bis)) return;
    f_.tarif = boxen.tarif;
    f_.preis = boxen.gesamt;
    saisonpreis_ = boxen.saisonpreis;
    f_.naechte = naechte(f_.von, f_.bis);
    geaendert();
}

// ---- status ----------------------------------------------------------------------------------

void ReservierungLogik::checkedKlick() {
    if (!record_.einAuschecken(f_)) return;
    saisonpreisNachfuehren();
    liveTest();
}

void ReservierungLogik::heuteKlick() {
    if (!record_.heute(f_)) return;
    saisonpreisNachfuehren();
    liveTest();
}

bool ReservierungLogik::bezahlt() const { return !f_.istNeu() && belegungBezahlt(db_, f_.id); }

QString ReservierungLogik::bezahltText() const { return bezahlt() ? QStringLiteral("Bezahlt") : QStringLiteral("Nicht Bezahlt"); }

void ReservierungLogik::bezahltKlick() { record_.bezahltKlick(f_); }

void ReservierungLogik::statusKorrektur() {
    adresse_.AlteReservierungenAendern(adresse_.gastId());
    // The correction may have settled this booking too.
    if (!f_.istNeu())
        f_.abgerechnet = db_.scalar(QStringLiteral("SELECT Abgerechnet FROM tblBelegung WHERE ID = ") + QString::number(f_.id)).toInt();
}

int ReservierungLogik::kontoAdresse(bool rechnungsadresse) {
    const int id = rechnungsadresse ? adresse_.rechnungsadresseId() : adresse_.gastId();
    if (id == 0)
        dialogs_.message(rechnungsadresse ? QStringLiteral("Wählen Sie einen Eintrag im Feld 'Rechnungsadresse'.")
                                          : QStringLiteral("Wählen Sie einen Eintrag im Feld 'Nachname'."),
                         {}, Buttons::Ok, Icon::Information);
    return id;
}

bool ReservierungLogik::zahlDetailsMoeglich() {
    if (!f_.istNeu()) return true;
    dialogs_.message(QStringLiteral("Bitte speichern Sie zunächst die Daten."), kTitel, Buttons::Ok, Icon::Information);
    return false;
}

// ---- saving ----------------------------------------------------------------------------------

bool ReservierungLogik::speichernMit(bool schliessen) {
    // A remark longer than the field holds is never written cut without asking.
    if (!infoVerlassen()) return false;
    const bool ok = schliessen ? record_.zu(f_) : record_.Reserv(f_);
    if (ok) nachSpeichern();
    return ok;
}

bool ReservierungLogik::speichern() { return speichernMit(false); }

bool ReservierungLogik::zu() { return speichernMit(true); }

bool ReservierungLogik::warten() {
    if (!infoVerlassen()) return false;
    const bool ok = record_.warten(f_);
    if (ok) nachSpeichern();
    return ok;
}

void ReservierungLogik::nachSpeichern() {
    liveTest();
    saisonpreisPruefen();
}

bool ReservierungLogik::loeschen() { return record_.loeschen(f_); }

ReservierungLogik::RechnungUmfang ReservierungLogik::rechnungVorbereiten() {
    if (f_.istNeu() || !Belegung::istBlockmitglied(db_, f_.id)) return RechnungUmfang::Allein;
    const Answer a = dialogs_.message(
        QStringLiteral("Diese Reservierung gehört zu einer Blockbuchung. Wählen Sie 'Ja' ") +
            QStringLiteral(", wenn die Reservierung aus der Blockbuchung herausgenommen werden soll. Wählen Sie 'Nein', wenn ") +
            QStringLiteral(" Sie nur die Zusatzposten in der Rechnung aufführen möchten."),
        QStringLiteral("Blockbuchungen verwalten"), Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return RechnungUmfang::Abbruch;
    if (a == Answer::No) return RechnungUmfang::NurZusatzposten;
    db_.execute(QStringLiteral(" DELETE tbBlockbuchung.IDBelegung From tbBlockbuchung ") +
                QStringLiteral(" WHERE (((tbBlockbuchung.IDBelegung)=") + QString::number(f_.id) + QStringLiteral(")); "));
    f_.blockbuchung = false;
    if (f_.abgerechnet != 1) {
        f_.cmdWartenEnabled = Belegung::wartenAngeboten(f_);
        f_.cmdLoeschenEnabled = true;
    }
    return RechnungUmfang::Allein;
}

int ReservierungLogik::blockbuchungVorbereiten() {
    if (f_.abgerechnet != 1 && !speichern()) {
        dialogs_.message(QStringLiteral("Die Reservierung konnte nicht gespeichert werden"), QStringLiteral("Speicherkontrolle"),
                         Buttons::Ok, Icon::Exclamation);
        return 0;
    }
    if (f_.istNeu()) return 0;
    mdBlockbuchung::uebergabeSchreiben(db_, f_.id);
    return f_.id;
}

bool ReservierungLogik::blockNachladen() {
    if (f_.istNeu() || hatAenderungen()) return false;
    ReservierungsFelder jetzt;
    if (!record_.laden(f_.id, jetzt)) return false;
    // Only what the block program changes: the membership and the booking's own fields.
    if (jetzt.blockbuchung == f_.blockbuchung && jetzt.fix == f_.fix && jetzt.zimmer == f_.zimmer && jetzt.von == f_.von &&
        jetzt.bis == f_.bis && jetzt.kuerzel == f_.kuerzel && jetzt.preis == f_.preis)
        return false;
    return laden(f_.id);
}

bool ReservierungLogik::dokumentVorbereiten() {
    if (f_.abgerechnet == 1) {
        dialogs_.message(QStringLiteral("Diese Reservierung wurde bereits abgerechnet."));
        return false;
    }
    if (!speichern() || f_.istNeu()) {
        dialogs_.message(QStringLiteral("Die Reservierung konnte nicht gespeichert werden."), QStringLiteral("Speicherkontrolle"));
        return false;
    }
    return true;
}

bool ReservierungLogik::anmeldung(const std::function<bool()>& drucken) { return record_.anmeldung(f_, drucken); }

QString ReservierungLogik::dokumentName() const {
    const QString kuerzel = f_.kuerzel.trimmed();
    return (kuerzel.isEmpty() ? QStringLiteral("Reservierung ") + QString::number(f_.id) : kuerzel) + QStringLiteral(".doc");
}

QString ReservierungLogik::ablageOrdner(Ablage ablage) {
    switch (ablage) {
        case Ablage::Angebot: return QStringLiteral("Angebote");
        case Ablage::Bestaetigung: return QStringLiteral("Bestätigungen");
        case Ablage::Rechnung: break;
    }
    return QStringLiteral("Rechnungen");
}

QString ReservierungLogik::gespeichertesDokument(Ablage ablage, const QString& programmordner) {
    const QString pfad = QDir(programmordner).filePath(ablageOrdner(ablage) + QLatin1Char('/') + dokumentName());
    if (QFileInfo(pfad).isFile()) return pfad;
    switch (ablage) {
        case Ablage::Angebot:
            dialogs_.message(QStringLiteral("Auf diesem Computer ist kein Angebot mit dieser Kurzinfo gespeichert."));
            break;
        case Ablage::Bestaetigung:
            dialogs_.message(QStringLiteral("Auf diesem Computer ist keine Reservierung mit dieser Kurzinfo gspeichert."));
            break;
        case Ablage::Rechnung:
            dialogs_.message(QStringLiteral("Auf diesem Computer ist keine Rechnung mit dieser Kurzinfo gespeichert."));
            break;
    }
    return {};
}

bool ReservierungLogik::weiterePersonenVorbereiten() {
    if (f_.istNeu() || hatAenderungen()) {
        if (dialogs_.message(QStringLiteral("Die Änderungen müssen zunächst gespeichert werden. Jetzt speichern?"), {}, Buttons::YesNo,
                             Icon::Question) != Answer::Yes)
            return false;
        if (!speichern()) return false;
    }
    return !f_.istNeu();
}

// ---- the waiting bookings of a day -------------------------------------------------------------

QString ReservierungLogik::warteTitel() const {
    return QStringLiteral("Warteposition für den ") + dates::longDate(warteTag_) + QStringLiteral(" (") + QString::number(warteAnzahl()) +
           QStringLiteral(" vorläufige Reservierungen)");
}

bool ReservierungLogik::kannBlaettern(Blaettern richtung) const {
    if (!imBlaettern()) return false;
    if (richtung == Blaettern::Erster || richtung == Blaettern::Voriger) return warteIndex_ > 0;
    return warteIndex_ < warteAnzahl() - 1;
}

bool ReservierungLogik::blaettern(Blaettern richtung) {
    if (!kannBlaettern(richtung)) return false;
    const int letzter = warteAnzahl() - 1;
    int ziel = 0;
    switch (richtung) {
        case Blaettern::Erster: ziel = 0; break;
        case Blaettern::Voriger: ziel = warteIndex_ - 1; break;
        case Blaettern::Naechster: ziel = warteIndex_ + 1; break;
        case Blaettern::Letzter: ziel = letzter; break;
    }
    if (!aenderungenKlaeren()) return false;
    const bool vorwaerts = ziel > warteIndex_;
    while (ziel >= 0 && ziel < warteAnzahl()) {
        if (laden(warteBuchungen_[ziel])) {
            warteIndex_ = ziel;
            return true;
        }
        // Removed on another workstation: it leaves the list and the next one in the same direction is shown.
        warteBuchungen_.removeAt(ziel);
        if (ziel < warteIndex_) --warteIndex_;
        if (!vorwaerts) --ziel;
    }
    return false;
}

// ---- settings of the form -------------------------------------------------------------------

bool ReservierungLogik::zimmerauswahlVorgabe() {
    const Answer a = dialogs_.message(
        QStringLiteral("Mit diesem Dialog können Sie einstellen, ob das Reservierungsformular beim Öffnen alle Zimmer anzeigt oder ") +
            QStringLiteral(" ob alle freien Zimmer angezeigt werden sollen. Wählen Sie 'Nein' für alle Zimmer oder 'Ja' für alle freien "
                           "Zimmer."),
        kTitelVorgabe, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    Parameter(db_).saveYesNo(QStringLiteral("AlleFreien"), a == Answer::Yes ? 1 : 0);
    einstellungen_.alleFreien = a == Answer::Yes;
    return true;
}

bool ReservierungLogik::stammkundenVorgabe() {
    const Answer a = dialogs_.message(
        QStringLiteral("Mit diesem Dialog können Sie einstellen, ob neue Adressen im Reservierungsformular als Stammkunden angelegt "
                       "werden. Wählen Sie 'Ja' für Stammkunden oder 'Nein' für alle anderen Gäste."),
        kTitelVorgabe, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) return false;
    Parameter(db_).saveYesNo(QStringLiteral("Stammkunden"), a == Answer::Yes ? 1 : 0);
    einstellungen_.stammkunden = a == Answer::Yes;
    adresse_.setStammkundenVorgabe(einstellungen_.stammkunden);
    return true;
}

void ReservierungLogik::setGroesse(Groesse g) {
    groesse_ = g;
    einstellungen_.groesse = g;
    try {
        Parameter(beispielDb_ ? *beispielDb_ : db_)
            .write(QStringLiteral("Res_Groesse"), {{1, g == Groesse::Klein ? QStringLiteral("klein") : QStringLiteral("gross")}});
    } catch (const DatabaseError&) {
        // The size still changes for this opening; only the default for the next one is lost.
    }
}

// ---- helpers ---------------------------------------------------------------------------------

int ReservierungLogik::zahlwort(const QString& text) {
    static const QStringList woerter = {QStringLiteral("eins"), QStringLiteral("zwei"),  QStringLiteral("drei"),   QStringLiteral("vier"),
                                        QStringLiteral("fünf"), QStringLiteral("sechs"), QStringLiteral("sieben"), QStringLiteral("acht"),
                                        QStringLiteral("neun"), QStringLiteral("zehn"),  QStringLiteral("elf"),    QStringLiteral("zwölf")};
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("ein")) return 1;
    return int(woerter.indexOf(t) + 1);
}

}  // namespace tav
