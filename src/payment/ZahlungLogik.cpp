#include "payment/ZahlungLogik.h"

#include <algorithm>

#include "engine/Database.h"
#include "payment/ZahlartListe.h"
#include "platform/Clock.h"
#include "platform/Dates.h"

namespace tav {

namespace {

const QString kNeu = QStringLiteral("Eingabe einer neuen Zahlung");
const QString kAendern = QStringLiteral("Achtung: Sie ändern die Daten der gewählten Zahlung.");

bool enthaelt(const QList<Eintrag>& liste, int id) {
    return std::any_of(liste.begin(), liste.end(), [id](const Eintrag& e) { return e.id == id; });
}

}  // namespace

ZahlungLogik::ZahlungLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs), zahlungen_(db) {}

// ---- opening -------------------------------------------------------------------------------

void ZahlungLogik::oeffnen(const ZahlungKontext& kontext) {
    kontext_ = kontext;
    if (kontext_.rechnungsKontext() && kontext_.buchungen.isEmpty())
        kontext_.buchungen = zahlungen_.belegungenDerRechnung(kontext_.reNummer);

    // The header: the rooms, and for one booking its stay and guest; for an invoice its number,
    // date and address.
    if (kontext_.rechnungsKontext()) {
        Recordset rs = db_.openRecordset(
            QStringLiteral("SELECT tbRechnungen.ReNummer, tbRechnungen.Renummer_eigen, tbRechnungen.DatumRe, Address.Firstname, "
                           "Address.Lastname FROM tbRechnungen LEFT JOIN Address ON tbRechnungen.IDAdresseRe = Address.ID WHERE "
                           "tbRechnungen.ReNummer = ?"),
            {kontext_.reNummer});
        if (!rs.eof()) {
            const QString eigene = rs.text(QStringLiteral("Renummer_eigen"));
            QString name = rs.text(QStringLiteral("Lastname"));
            if (!rs.text(QStringLiteral("Firstname")).isEmpty()) name += QLatin1Char(' ') + rs.text(QStringLiteral("Firstname"));
            kopf_ = (eigene.isEmpty() ? QString::number(kontext_.reNummer) : eigene) + QStringLiteral(" vom ") +
                    dates::shortDate(rs.value(QStringLiteral("DatumRe")).toDate()) + QStringLiteral(", ") + name;
        }
    } else {
        zimmerListeFuellen();
        QStringList zimmer;
        for (const Eintrag& e : zimmer_) zimmer << e.text;
        kopf_ = zimmer.join(QStringLiteral(", "));
        if (kontext_.buchungen.size() == 1) {
            Recordset rs =
                db_.openRecordset(QStringLiteral("SELECT tblBelegung.Von, tblBelegung.Bis, Address.Lastname, Address.Firstname FROM "
                                                 "tblBelegung LEFT JOIN Address ON tblBelegung.GastID = Address.ID WHERE "
                                                 "tblBelegung.ID = ?"),
                                  {kontext_.buchungen.first()});
            if (!rs.eof()) {
                QString name = rs.text(QStringLiteral("Lastname"));
                if (!rs.text(QStringLiteral("Firstname")).isEmpty()) name += QLatin1Char(' ') + rs.text(QStringLiteral("Firstname"));
                kopf_ += QStringLiteral(" vom ") + dates::shortDate(rs.value(QStringLiteral("Von")).toDate()) + QStringLiteral(" bis ") +
                         dates::shortDate(rs.value(QStringLiteral("Bis")).toDate()) + QStringLiteral(", ") + name;
            }
        }
    }

    leeren();
    f_.wasBezahlt = QStringLiteral("Teilzahlung");
    zimmerListeFuellen();
    if (zimmer_.size() == 1) setZimmer(zimmer_.first().id);

    zustand_ = kontext_.rechnungsKontext() ? QString() : zustand(kontext_.buchungen);
    aktualisieren();
    if (kontext_.zahlungId != 0) {
        if (kontext_.neueZahlung) {
            kontext_.reNummer = 0;
            neu(false);
        } else if (const auto z = zahlungen_.zahlung(kontext_.zahlungId)) {
            anzeigenAus(*z);
        }
    } else if (!zahlungZeilen_.isEmpty()) {
        anzeigenAus(zahlungZeilen_.first());
    } else if (zahlungen_.ergaenzen() > 0) {
        aktualisieren();
    }
    f_.geaendert = false;
}

QString ZahlungLogik::zustand(const QList<int>& buchungen) const {
    const bool posten = zahlungen_.zusatzpostenOffen(buchungen);
    if (zahlungen_.belegungenAbgerechnet(buchungen)) return posten ? QStringLiteral("Zusatzposten") : QString();
    return posten ? QStringLiteral("ReservierungZusatzposten") : QStringLiteral("Reservierung");
}

QString ZahlungLogik::status() const { return aendern() ? kAendern : kNeu; }

QString ZahlungLogik::warnung() const {
    const bool block = kontext_.buchungen.size() > 1;
    if (zustand_ == QLatin1String("Zusatzposten"))
        return block ? QStringLiteral("Für mindestens eines der Mitglieder der Blockbuchung existieren noch offene Zusatzposten")
                     : QStringLiteral("Für diese Reservierung existieren noch offene Zusatzposten");
    if (zustand_ == QLatin1String("ReservierungZusatzposten"))
        return block ? QStringLiteral("Für die Blockbuchung existieren noch nicht abgerechnete Reservierungen und Zusatzposten.")
                     : QStringLiteral("Die Reservierung und Zusatzposten wurden noch nicht abgerechnet.");
    if (zustand_ == QLatin1String("Reservierung"))
        return block ? QStringLiteral("Mindestens eines der Mitglieder der Blockbuchung ist noch nicht vollständig abgerechnet")
                     : QStringLiteral("Die Reservierung wurde noch nicht abgerechnet.");
    return {};
}

void ZahlungLogik::aktualisieren() {
    zahlungZeilen_ = zahlungen_.zahlungenDerBelegungen(kontext_.buchungen);
    bloecke_ = zahlungen_.alleRechnungen(kontext_.buchungen);
}

void ZahlungLogik::zimmerListeFuellen() {
    zimmer_.clear();
    const QList<int> ids = kontext_.rechnungsKontext() ? zahlungen_.belegungenDerRechnung(kontext_.reNummer) : kontext_.buchungen;
    for (int id : ids)
        if (!enthaelt(zimmer_, id)) zimmer_ << Eintrag{id, zahlungen_.zimmerText(id)};
    // in booking context ordered by room label (an invoice's bookings come so from the query)
    if (!kontext_.rechnungsKontext())
        std::stable_sort(zimmer_.begin(), zimmer_.end(),
                         [](const Eintrag& a, const Eintrag& b) { return a.text.localeAwareCompare(b.text) < 0; });
}

void ZahlungLogik::rechnungsListeFuellen() {
    rechnungen_ = f_.zimmer ? zahlungen_.rechnungenDerBelegung(f_.zimmer) : QList<Eintrag>();
    f_.rechnungAktiv = !rechnungen_.isEmpty();
    if (!enthaelt(rechnungen_, f_.rechnung)) f_.rechnung = 0;
}

void ZahlungLogik::leeren() {
    const int zimmer = f_.zimmer;
    f_ = ZahlungFelder();
    f_.zimmer = zimmer;
    f_.datum = dates::shortDate(Clock::current().today());
    f_.zahlart = QStringLiteral("Bar");
    f_.wasBezahlt = QStringLiteral("Gesamtzahlung");
    rechnungsListeFuellen();
}

// ---- fields --------------------------------------------------------------------------------

void ZahlungLogik::setZimmer(int belegung) {
    if (f_.zimmer != belegung) f_.geaendert = true;
    f_.zimmer = enthaelt(zimmer_, belegung) ? belegung : 0;
    rechnungsListeFuellen();
}

void ZahlungLogik::setRechnung(int reNummer) {
    if (f_.rechnung != reNummer) f_.geaendert = true;
    f_.rechnung = enthaelt(rechnungen_, reNummer) ? reNummer : 0;
    if (kontext_.rechnungsKontext() && f_.rechnung) kontext_.reNummer = f_.rechnung;
}

#define TAV_FELD(setter, feld)                    \
    void ZahlungLogik::setter(const QString& t) { \
        if (f_.feld != t) f_.geaendert = true;    \
        f_.feld = t;                              \
    }
TAV_FELD(setDatum, datum)
TAV_FELD(setBetrag, betrag)
TAV_FELD(setZahlart, zahlart)
TAV_FELD(setWasBezahlt, wasBezahlt)
TAV_FELD(setBemerkung, bemerkung)
#undef TAV_FELD

bool ZahlungLogik::listenTextPruefen(const QList<Eintrag>& liste, const QString& text) {
    if (text.trimmed().isEmpty()) return true;
    if (std::any_of(liste.begin(), liste.end(), [&](const Eintrag& e) { return e.text == text; })) return true;
    dialogs_.message(QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste."), {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool ZahlungLogik::datumPruefen(const QString& text) {
    if (text.trimmed().isEmpty() || dates::isDate(text.trimmed())) return true;
    dialogs_.message(QStringLiteral("Bitte überprüfen Sie das Datum"), {}, Buttons::Ok, Icon::Exclamation);
    return false;
}

QString ZahlungLogik::betragFormatieren(const QString& text) {
    const auto cent = geld::lesen(text);
    return cent ? geld::text(*cent) : text;
}

bool ZahlungLogik::preisTasteErlaubt(QChar c) { return QStringLiteral("1234567890,.-").contains(c); }

// ---- saving --------------------------------------------------------------------------------

bool ZahlungLogik::meldung(const QString& text, ZahlungFokus fokus) {
    dialogs_.message(text, {}, Buttons::Ok, Icon::Exclamation);
    fokus_ = fokus;
    return false;
}

bool ZahlungLogik::speichern() {
    fokus_ = ZahlungFokus::Keiner;
    if (f_.datum.trimmed().isEmpty())
        return meldung(QStringLiteral("Das Feld 'Zahldatum' darf zum Speichern nicht leer sein"), ZahlungFokus::Datum);
    const auto datum = dates::parse(f_.datum.trimmed());
    if (!datum) return meldung(QStringLiteral("Bitte überprüfen Sie das Datum"), ZahlungFokus::Datum);
    if (f_.zimmer == 0) return meldung(QStringLiteral("Das Feld 'Zimmer' darf zum Speichern nicht leer sein"), ZahlungFokus::Zimmer);
    if (f_.zahlart.trimmed().isEmpty())
        return meldung(QStringLiteral("Das Feld 'Zahlart' darf zum Speichern nicht leer sein"), ZahlungFokus::Zahlart);

    bool ohneRechnung = false;
    if (f_.rechnungAktiv && f_.rechnung == 0) {
        if (kontext_.rechnungsKontext()) return false;
        const QString z = zustand({f_.zimmer});
        if (z.isEmpty()) {
            if (dialogs_.message(QStringLiteral("Möchten Sie diese Zahlung ohne Zuordnung zur Rechnung speichern?"),
                                 QStringLiteral("Zahlungen speichern"), Buttons::YesNo, Icon::Question) != Answer::Yes) {
                if (rechnungen_.size() == 1) {
                    f_.rechnung = rechnungen_.first().id;
                    fokus_ = ZahlungFokus::Rechnung;
                } else {
                    fokus_ = ZahlungFokus::RechnungAufklappen;
                }
                return false;
            }
            ohneRechnung = true;
        } else if (!zahlungen_.alleRechnungen({f_.zimmer}).isEmpty() || z == QLatin1String("Zusatzposten")) {
            ohneRechnung = true;
        } else if (!rechnungen_.isEmpty()) {
            f_.rechnung = rechnungen_.first().id;
        }
    }

    const QString betragText = f_.betrag.trimmed();
    if (betragText.isEmpty() || betragText == QLatin1String("0") || betragText == QLatin1String("0,00"))
        return meldung(QStringLiteral("Das Feld 'Betrag' darf zum Speichern nicht leer sein"), ZahlungFokus::Preis);
    const auto betrag = geld::lesen(betragText);
    if (!betrag) return meldung(QStringLiteral("Bitte geben Sie im Feld 'Betrag' einen Betrag wie 150,00 ein."), ZahlungFokus::Preis);
    if (*betrag == 0) return meldung(QStringLiteral("Das Feld 'Betrag' darf zum Speichern nicht leer sein"), ZahlungFokus::Preis);

    Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZahlung WHERE IDZahlung = ?"), {f_.id});
    if (rs.eof()) {
        rs.addNew();
    } else {
        if (geld::cent(rs.number(QStringLiteral("Betrag"))) != *betrag &&
            dialogs_.message(QStringLiteral("Möchten Sie den Betrag einer vorhandenen Zahlung wirklich ändern?"), {}, Buttons::YesNo,
                             Icon::Critical) != Answer::Yes)
            return false;
        rs.edit();
    }
    rs.setValue(QStringLiteral("IDBelegung"), f_.zimmer);
    if (ohneRechnung) {
        rs.setValue(QStringLiteral("IdRechnung"), QVariant());
    } else if (kontext_.rechnungsKontext()) {
        rs.setValue(QStringLiteral("IdRechnung"), f_.rechnung ? f_.rechnung : kontext_.reNummer);
    } else if (f_.rechnung) {
        rs.setValue(QStringLiteral("IdRechnung"), f_.rechnung);
    } else if (const int deckt = zahlungen_.rechnungFindenBelegung(f_.zimmer)) {
        rs.setValue(QStringLiteral("IdRechnung"), deckt);
    }
    rs.setValue(QStringLiteral("Betrag"), geld::ausCent(*betrag));
    rs.setValue(QStringLiteral("ZahlDatum"), *datum);
    rs.setValue(QStringLiteral("Zahlung_Bem"), f_.bemerkung.isEmpty() ? QVariant() : QVariant(f_.bemerkung));
    rs.setValue(QStringLiteral("Zahlart"), f_.zahlart.trimmed());
    rs.setValue(QStringLiteral("WasBezahlt"), f_.wasBezahlt.trimmed().isEmpty() ? QVariant() : QVariant(f_.wasBezahlt.trimmed()));
    rs.update();
    f_.id = rs.lastModified(QStringLiteral("IDZahlung")).toInt();
    f_.betrag = geld::text(*betrag);
    f_.geaendert = false;
    aktualisieren();
    return true;
}

bool ZahlungLogik::fragenUndSichern(const QString& text, const QString& titel, Buttons knoepfe) {
    if (!f_.geaendert) return true;
    const Answer a = dialogs_.message(text, titel, knoepfe, Icon::Question);
    if (a == Answer::Yes) return speichern();
    return a == Answer::No;
}

bool ZahlungLogik::neu(bool fragen) {
    if (fragen &&
        !fragenUndSichern(QStringLiteral("Änderungen oder neue Daten speichern?"), QStringLiteral("Änderungen speichern"), Buttons::YesNo))
        return false;
    f_.zimmer = 0;
    leeren();
    zimmerListeFuellen();
    if (!zimmer_.isEmpty()) setZimmer(zimmer_.first().id);
    if (!rechnungen_.isEmpty() && !kontext_.rechnungsKontext()) f_.rechnung = rechnungen_.first().id;
    f_.zahlart = QStringLiteral("Bar");
    f_.geaendert = false;
    fokus_ = ZahlungFokus::Zimmer;
    return true;
}

void ZahlungLogik::anzeigenAus(const Zahlung& z) {
    kontext_.reNummer = z.rechnung;
    zimmerListeFuellen();
    f_ = ZahlungFelder();
    f_.zimmer = enthaelt(zimmer_, z.belegung) ? z.belegung : 0;
    rechnungsListeFuellen();
    f_.rechnung = enthaelt(rechnungen_, z.rechnung) ? z.rechnung : 0;
    f_.id = z.id;
    f_.datum = dates::shortDate(z.datum);
    f_.betrag = geld::text(z.betrag);
    f_.bemerkung = z.bemerkung;
    f_.zahlart = z.zahlart;
    f_.wasBezahlt = z.wasBezahlt;
    f_.geaendert = false;
}

bool ZahlungLogik::laden(int zahlungId) {
    if (!fragenUndSichern(QStringLiteral("Änderung bzw. neue Daten speichern?"), {}, Buttons::YesNoCancel)) return false;
    const auto z = zahlungen_.zahlung(zahlungId);
    if (!z) return false;
    anzeigenAus(*z);
    return true;
}

bool ZahlungLogik::rechnungUebernehmen(int reNummer) {
    const QList<RechnungsBlock> block = zahlungen_.rechnungsBlock(reNummer);
    if (block.isEmpty() || block.first().bezahlt()) return false;
    if (!neu()) return false;
    kontext_.reNummer = reNummer;
    zimmerListeFuellen();
    f_.zimmer = 0;
    if (!zimmer_.isEmpty()) setZimmer(zimmer_.first().id);
    if (!enthaelt(rechnungen_, reNummer))
        rechnungen_.prepend(
            Eintrag{reNummer, block.first().eigeneNummer.isEmpty() ? QString::number(reNummer) : block.first().eigeneNummer});
    f_.rechnung = reNummer;
    f_.rechnungAktiv = false;
    f_.betrag = geld::text(block.first().offen());
    f_.geaendert = true;
    return true;
}

bool ZahlungLogik::loeschen(int zahlungId) {
    if (zahlungId == 0) return false;
    if (dialogs_.message(QStringLiteral("Soll dieser Datensatz endgültig gelöscht werden??"), {}, Buttons::YesNo, Icon::Question) !=
        Answer::Yes)
        return false;
    db_.execute(QStringLiteral("DELETE IDZahlung FROM tbZahlung WHERE IDZahlung = ?"), {zahlungId});
    aktualisieren();
    kontext_.reNummer = 0;
    neu(false);
    return true;
}

bool ZahlungLogik::schliessen() {
    if (!f_.geaendert || (f_.datum.trimmed().isEmpty() && f_.betrag.trimmed().isEmpty())) return true;
    const Answer a = dialogs_.message(QStringLiteral("Änderungen oder neue Daten speichern?"), {}, Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Yes) return speichern();
    return a == Answer::No;
}

bool ZahlungLogik::zahlartEingabe(const QString& text) { return zahlartListe::eingabe(db_, text); }

bool ZahlungLogik::zahlartEntfernen(const QString& text) {
    if (!zahlartListe::entfernen(db_, dialogs_, text)) return false;
    if (f_.zahlart == text) setZahlart(QString());
    return true;
}

}  // namespace tav
