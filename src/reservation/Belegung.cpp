#include "reservation/Belegung.h"

#include <cmath>

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/SqlText.h"
#include "platform/Amounts.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Dialogs.h"
#include "platform/UserName.h"
#include "reservation/AdressTeil.h"
#include "store/Fenster.h"
#include "store/Zahlstatus.h"
#include "store/Zimmerliste.h"

namespace tav {

namespace {

const QString kTitel = QStringLiteral("Reservierung");
const QString kBereitsAbgerechnet = QStringLiteral("Diese Reservierung wurde bereits abgerechnet.");
const QString kUeberschneidung =
    QStringLiteral("Es liegt eine Überschneidung mit anderer Reservierung vor. Bitte korrigieren Sie Zimmernummer oder Zeiten.");
const QString kGleicheDaten =
    QStringLiteral("Das Anfangs- und Enddatum würde durch diesen Vorgang gleichgesetzt. Bitte korrigieren Sie den Eintrag.");

// Amounts are kept as "###,##0.00" shows them: two decimals.
double aufCent(double v) { return std::round(v * 100.0) / 100.0; }

// A digits-only box: its number, or Null when it is empty.
QVariant zahlOderNull(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? QVariant(n) : QVariant();
}

// Clears the collision dialog's wish for the waiting position when a save ends.
struct WartewunschLoeschen {
    KollisionsErgebnis& e;
    ~WartewunschLoeschen() { e.inWarteposition = false; }
};

}  // namespace

Belegung::Belegung(Database& db, Dialogs& dialogs, AdressTeil& adresse, KollisionsDialog& kollisionsDialog, KollisionsErgebnis& kollision)
    : db_(db), dialogs_(dialogs), adresse_(adresse), kollisionsDialog_(kollisionsDialog), pruefung_(db, dialogs, kollision) {}

void Belegung::meldung(const QString& text) { dialogs_.message(text, kTitel, Buttons::Ok, Icon::Exclamation); }

bool Belegung::istAngebot(const ReservierungsFelder& f) const {
    return f.artName.trimmed().compare(QLatin1String("Angebot"), Qt::CaseInsensitive) == 0;
}

// ---- loading ---------------------------------------------------------------------------------

bool Belegung::laden(int id, ReservierungsFelder& f) {
    Recordset rs =
        db_.openRecordset(QStringLiteral("SELECT tblBelegung.*") + QStringLiteral(" From tblBelegung WHERE (((tblBelegung.ID)=") +
                          QString::number(id) + QStringLiteral("))"));
    if (rs.eof()) return false;
    f.id = id;
    f.kuerzel = rs.text(QStringLiteral("Kürzel"));
    f.kuerzelDoppelt = false;
    const int zimmer = rs.integer(QStringLiteral("Zimmernummer"));
    f.zimmer =
        db_.scalar(QStringLiteral("SELECT NeueNummer FROM tbZimmernummern WHERE Zimmernummer = ") + QString::number(zimmer)).toString();
    f.von = dates::longDate(rs.value(QStringLiteral("Von")).toDate());
    f.bis = dates::longDate(rs.value(QStringLiteral("Bis")).toDate());
    const int art = rs.integer(QStringLiteral("Belegungsart"));
    // Kinds are numbered 1, 2, 3 … without gaps: the list position is the number less one.
    f.artIndex = art > 0 ? art - 1 : -1;
    f.artName = db_.scalar(QStringLiteral("SELECT BelegungsArt FROM tbBelegArten WHERE BelegungsID = ") + QString::number(art)).toString();
    const auto zahl = [&rs](const QString& feld) {
        const QVariant v = rs.value(feld);
        return v.isNull() ? QString() : QString::number(v.toLongLong());
    };
    f.gaeste = zahl(QStringLiteral("AnzahlGäste"));
    f.kinder = zahl(QStringLiteral("Anz_Kinder"));
    f.alterKinder = rs.text(QStringLiteral("Alter_Kinder"));
    f.fruehstueck = rs.yes(QStringLiteral("Frühstück"));
    f.mittag = rs.yes(QStringLiteral("Mittag"));
    f.abendessen = rs.yes(QStringLiteral("Abendessen"));
    f.waesche1 = zahl(QStringLiteral("Wäsche1"));
    f.waesche2 = zahl(QStringLiteral("Wäsche2"));
    f.tarif = amounts::format(rs.number(QStringLiteral("PreisProNacht")));
    f.preis = amounts::format(rs.number(QStringLiteral("Preis")));
    f.naechte = zahl(QStringLiteral("AnzahlÜbernachtungen"));
    f.fix = rs.yes(QStringLiteral("Fix"));
    f.info = rs.text(QStringLiteral("Info"));
    f.belegNummer = zahl(QStringLiteral("BelegNummer"));
    f.belegNummerEigen = rs.text(QStringLiteral("BelegNummer_eigen"));
    f.erstelltAm = dates::longDate(rs.value(QStringLiteral("WannErstellt")).toDate());
    f.zahlart = rs.text(QStringLiteral("Zahlart"));
    f.eingecheckt = rs.yes(QStringLiteral("Checked"));
    f.checkDatum = f.eingecheckt ? f.bis : f.von;
    f.abgerechnet = rs.integer(QStringLiteral("Abgerechnet"));
    f.blockbuchung = istBlockmitglied(db_, id);
    f.geaendert = QStringLiteral("Nein");
    f.cmdLoeschenEnabled = f.abgerechnet != 1;
    f.cmdWartenEnabled = wartenAngeboten(f);
    f.warnung = false;
    return true;
}

// ---- saving ----------------------------------------------------------------------------------

bool Belegung::Reserv(ReservierungsFelder& f, bool inWarteposition) {
    WartewunschLoeschen aufraeumen{pruefung_.ergebnis()};
    f.fokus = Fokus::Keiner;
    try {
        if (f.gastName.trimmed().isEmpty()) {
            meldung(
                QStringLiteral("Bitte den Namen des Gastes eingeben oder aus der Liste auswählen. Der Name muss mindestens drei "
                               "Zeichen lang sein."));
            f.fokus = Fokus::GastName;
            return false;
        }
        if (f.kuerzelDoppelt) {
            meldung(QStringLiteral("Bitte geben Sie eine eindeutige Kurzinfo ein."));
            f.fokus = Fokus::Kuerzel;
            return false;
        }
        const int zimmer = f.zimmer.trimmed().isEmpty() ? 0 : Zimmerliste::nummerVonLabel(db_, f.zimmer.trimmed());
        if (!inWarteposition && zimmer == 0) {
            meldung(QStringLiteral("Bitte Zimmernummer eingeben."));
            f.fokus = Fokus::Zimmer;
            return false;
        }
        auto von = dates::parse(f.von);
        auto bis = dates::parse(f.bis);
        // A stay needs at least one night: the arrival lies before the departure.
        if (!von || !bis || *von >= *bis) {
            meldung(QStringLiteral("Bitte Anfang und Ende der Zimmerbelegung angeben."));
            f.fokus = Fokus::Von;
            return false;
        }
        if (adresse_.land().trimmed().isEmpty()) {
            meldung(QStringLiteral("Bitte wählen Sie ein Land aus."));
            f.fokus = Fokus::Land;
            return false;
        }
        if (f.kuerzel.trimmed().isEmpty()) {
            meldung(QStringLiteral("Bitte eindeutige Kunrzinfo eingeben."));
            f.fokus = Fokus::Kuerzel;
            return false;
        }
        if (istAngebot(f) && *von < Clock::current().today()) {
            dialogs_.message(QStringLiteral("Ein Angebot kann nicht mit einem Anfangsdatum gespeichert werden, das in der Vergangenheit "
                                            "liegt."),
                             QStringLiteral("Angebote speichern"), Buttons::Ok, Icon::None);
            f.fokus = Fokus::Von;
            return false;
        }
        // Amounts are read before anything is written, so that a typing error changes nothing.
        const std::optional<double> tarif = f.tarif.trimmed().isEmpty() ? std::optional<double>(0.0) : amounts::parse(f.tarif);
        const std::optional<double> gesamt = f.preis.trimmed().isEmpty() ? std::optional<double>(0.0) : amounts::parse(f.preis);
        if (!tarif || !gesamt) {
            meldung(QStringLiteral("Bitte überprüfen Sie den Preis."));
            return false;
        }

        if (!adresse_.adressSpeichern()) return false;

        bool warteposition = inWarteposition;
        if (!inWarteposition) {
            const NeueBuchung neu{f.kuerzel.trimmed(), f.von, f.bis, f.zimmer, !f.istNeu() && istBlockmitglied(db_, f.id)};
            pruefung_.datumZurueck = [&f](bool istVon, const QString& text) {
                (istVon ? f.von : f.bis) = text;
                f.geaendert = QStringLiteral("Ja");
            };
            const bool frei = pruefung_.fktTesteÜberschneidungen(zimmer, *von, *bis, f.id, neu, kollisionsDialog_);
            pruefung_.datumZurueck = nullptr;
            if (!pruefung_.liste().isEmpty()) liveTest(f);  // the dialog may have changed the dates
            const KollisionsErgebnis& e = pruefung_.ergebnis();
            if (e.verwerfen) {
                f.geaendert = QStringLiteral("Nein");
                f.schliessen = true;
                return false;
            }
            if (!frei) {
                meldung(kUeberschneidung);
                f.fokus = Fokus::Zimmer;
                f.cmdLoeschenEnabled = false;
                if (wartenAngeboten(f)) f.cmdWartenEnabled = true;
                return false;
            }
            warteposition = e.inWarteposition;
            // The dialog may have changed the dates.
            von = dates::parse(f.von);
            bis = dates::parse(f.bis);
            if (!von || !bis || *von >= *bis) {
                meldung(QStringLiteral("Bitte Anfang und Ende der Zimmerbelegung angeben."));
                f.fokus = Fokus::Von;
                return false;
            }
        }
        const int naechte = int(von->daysTo(*bis));
        f.naechte = QString::number(naechte);

        if (f.istNeu()) {
            Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tblBelegung WHERE Kürzel = ?"), {f.kuerzel.trimmed()});
            if (!rs.eof()) {
                dialogs_.message(QStringLiteral("Die Kurzinfo existiert bereits! Bitte ändern Sie sie."),
                                 QStringLiteral("Neue Reservierung"), Buttons::Ok, Icon::Exclamation);
                f.fokus = Fokus::Kuerzel;
                return false;
            }
        }

        // The invoice address: a new booking may take the one of the guest's last stay.
        const int gastId = adresse_.gastId();
        QVariant rechnungsadresse;
        if (adresse_.rechnungsadresseId() != 0) {
            rechnungsadresse = adresse_.rechnungsadresseId();
        } else if (f.istNeu() && gastId != 0) {
            if (const auto letzte = LetzteRechnungsadresse(db_, gastId)) {
                if (dialogs_.message(QStringLiteral("Möchten Sie die Rechnungsadresse der letzten Reservierung benutzen?"), kTitel,
                                     Buttons::YesNo, Icon::Exclamation) == Answer::Yes) {
                    adresse_.setRechnungsadresse(*letzte);
                    rechnungsadresse = *letzte;
                }
            }
        }

        if (f.tarif.trimmed().isEmpty()) f.tarif = QStringLiteral("0,00");
        const NummernMuster& muster = this->muster();
        const QDate heute = Clock::current().today();
        const bool neu = f.istNeu();
        const int gespeichertesZimmer = zimmer == 0 ? 1 : zimmer;
        int id = f.id;
        bool konflikt = false;
        QString belegNummer = f.belegNummer;
        QString belegNummerEigen = f.belegNummerEigen;
        {
            // The write, the number and the re-check run under the write lock of every file,
            // so that a second workstation saving the same room at the same moment either
            // sees this row or is seen by it.
            Transaction t(db_, QStringLiteral("tblBelegung"));

            bool ok = false;
            qint64 nummer = belegNummer.trimmed().toLongLong(&ok);
            if (!ok || nummer <= 0 || BelegNummern::BelegNummerVergeben(db_, nummer, id)) {
                const QString alteEigene = ok && nummer > 0 ? BelegNummern::eigene(muster, nummer, *von) : QString();
                nummer = BelegNummern::naechste(db_, muster.alle);
                belegNummer = QString::number(nummer);
                if (belegNummerEigen.trimmed().isEmpty() || belegNummerEigen == alteEigene)
                    belegNummerEigen = BelegNummern::eigene(muster, nummer, *von);
            } else if (belegNummerEigen.trimmed().isEmpty()) {
                belegNummerEigen = BelegNummern::eigene(muster, nummer, *von);
            }

            {
                Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tblBelegung WHERE ID = ") + QString::number(id));
                if (neu)
                    rs.addNew();
                else
                    rs.edit();
                rs.setValue(QStringLiteral("Zimmernummer"), gespeichertesZimmer);
                rs.setValue(QStringLiteral("Von"), *von);
                rs.setValue(QStringLiteral("Bis"), *bis);
                rs.setValue(QStringLiteral("GastID"), gastId != 0 ? QVariant(gastId) : QVariant());
                rs.setValue(QStringLiteral("IDAdressRechnung"), rechnungsadresse);
                if (neu || f.artIndex >= 0) rs.setValue(QStringLiteral("Belegungsart"), f.artIndex + 1);
                rs.setValue(QStringLiteral("Wäsche1"), zahlOderNull(f.waesche1));
                rs.setValue(QStringLiteral("Wäsche2"), zahlOderNull(f.waesche2));
                rs.setValue(QStringLiteral("Frühstück"), f.fruehstueck);
                rs.setValue(QStringLiteral("Mittag"), f.mittag);
                rs.setValue(QStringLiteral("Abendessen"), f.abendessen);
                rs.setValue(QStringLiteral("Alter_Kinder"), f.alterKinder);
                rs.setValue(QStringLiteral("BelegNummer"), nummer);
                rs.setValue(QStringLiteral("BelegNummer_eigen"), belegNummerEigen.trimmed());
                const int gaeste = f.gaeste.trimmed().toInt();
                rs.setValue(QStringLiteral("AnzahlGäste"), gaeste == 0 ? 1 : gaeste);
                const auto erstellt = dates::parse(f.erstelltAm);
                rs.setValue(QStringLiteral("WannErstellt"), erstellt ? *erstellt : heute);
                rs.setValue(QStringLiteral("Anz_Kinder"), zahlOderNull(f.kinder));
                rs.setValue(QStringLiteral("Fix"), f.fix);
                rs.setValue(QStringLiteral("Zahlart"), f.zahlart.trimmed().isEmpty() ? QVariant() : QVariant(f.zahlart.trimmed()));
                // The creator stays who made the booking; every save records who changed it.
                if (neu || rs.value(QStringLiteral("WerErstellt")).isNull()) rs.setValue(QStringLiteral("WerErstellt"), userName());
                rs.setValue(QStringLiteral("WerGeändert"), userName());
                rs.setValue(QStringLiteral("WannGeändert"), heute);
                rs.setValue(QStringLiteral("Info"), f.info.trimmed());
                rs.setValue(QStringLiteral("Kürzel"), f.kuerzel.trimmed());
                rs.setValue(QStringLiteral("PreisProNacht"), aufCent(*tarif));
                rs.setValue(QStringLiteral("Preis"), aufCent(*gesamt));
                rs.setValue(QStringLiteral("AnzahlÜbernachtungen"), naechte);
                rs.setValue(QStringLiteral("Checked"), !warteposition && f.eingecheckt);
                rs.setValue(QStringLiteral("Gelöscht"), warteposition);
                if (neu) rs.setValue(QStringLiteral("Abgerechnet"), 0);
                rs.update();
                id = rs.lastModified(QStringLiteral("ID")).toInt();
            }

            if (!warteposition)
                konflikt = !pruefung_.ueberschneidungen(CollisionLogik::Kopf::NachEinfuegen, gespeichertesZimmer, *von, *bis, id).isEmpty();
            if (konflikt && neu) {
                db_.execute(QStringLiteral("DELETE tblBelegung.ID From tblBelegung ") + QStringLiteral(" WHERE (((tblBelegung.ID)=") +
                            QString::number(id) + QStringLiteral("));"));
                t.commit();
            } else if (konflikt) {
                t.rollback();  // the stored booking keeps what it had
            } else {
                if (!neu) fixAufBlockUebertragen(db_, id, f.fix);
                t.commit();
            }
        }
        if (konflikt) {
            dialogs_.message(QStringLiteral("Es sind Konflikte im Netzwerkbetrieb aufgetreten: Folgende Reservierung konnte nicht angelegt "
                                            "werden.") +
                                 QStringLiteral("\r\n") + QStringLiteral("Reservierung vom ") + dates::longDate(*von) +
                                 QStringLiteral(" ") + QStringLiteral("bis ") + dates::longDate(*bis) + QStringLiteral(",Zimmer Nr.:") +
                                 f.zimmer.trimmed(),
                             kTitel, Buttons::Ok, Icon::Critical);
            return false;
        }

        f.id = id;
        f.belegNummer = belegNummer;
        f.belegNummerEigen = belegNummerEigen.trimmed();
        f.geaendert = QStringLiteral("Nein");
        if (gastId != 0) adresse_.adresseBenutzt(gastId, true);
        if (warteposition) {
            f.zimmer.clear();
            f.eingecheckt = false;
        }
        f.cmdLoeschenEnabled = f.abgerechnet != 1;
        f.cmdWartenEnabled = wartenAngeboten(f);
        return true;
    } catch (const DatabaseError& e) {
        dialogs_.message(e.message(), kTitel, Buttons::Ok, Icon::Critical);
        return false;
    }
}

bool Belegung::warten(ReservierungsFelder& f) {
    if (f.abgerechnet == 1) {
        meldung(kBereitsAbgerechnet);
        return false;
    }
    if (f.eingecheckt) {
        meldung(
            QStringLiteral("Der Gast ist bereits eingecheckt. Die Reservierung kann dewegen nicht in die Warteposition verschoben "
                           "werden."));
        return false;
    }
    // Block members are not offered the waiting position (the button is disabled for them).
    if (!f.istNeu() && istBlockmitglied(db_, f.id)) return false;
    return Reserv(f, true);
}

bool Belegung::zu(ReservierungsFelder& f) {
    if (f.abgerechnet == 1) {
        meldung(QStringLiteral("Diese Reservierung wurde bereits abgerechnet. ") +
                QStringLiteral("Wenn Sie trotzdem noch etwas ändern möchten, stornieren Sie zunächst die Rechnung."));
        f.schliessen = true;
        return false;
    }
    if (Reserv(f)) {
        f.schliessen = true;
        return true;
    }
    if (f.schliessen) return false;  // discarded in the collision dialog
    dialogs_.message(QStringLiteral("Die Reservierung konnte nicht gespeichert werden."), QStringLiteral("Speicherkontrolle"), Buttons::Ok,
                     Icon::Exclamation);
    return false;
}

bool Belegung::wartenAngeboten(const ReservierungsFelder& f) { return f.abgerechnet != 1 && !f.blockbuchung; }

// ---- status ----------------------------------------------------------------------------------

QString Belegung::checkedBeschriftung(bool eingecheckt) {
    return eingecheckt ? QStringLiteral("&Checked in") : QStringLiteral("&Checked out");
}

quint32 Belegung::checkedFarbe(bool eingecheckt) { return eingecheckt ? kFarbeGruen : kFarbeWarnung; }

QString Belegung::abgerechnetBeschriftung(int abgerechnet) {
    return abgerechnet == 1 ? QStringLiteral("Abgerechnet") : QStringLiteral("&Offen");
}

bool Belegung::einAuschecken(ReservierungsFelder& f) {
    if (istAngebot(f)) {
        dialogs_.message(QStringLiteral("Bitte ändern Sie zunächst das Feld ") + f.artBeschriftung + QStringLiteral("."),
                         QStringLiteral("Angebot/Status"), Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const auto datum = dates::parse(f.checkDatum);
    if (!datum) {
        meldung(QStringLiteral("Bitte überprüfen Sie das Datum"));
        f.fokus = Fokus::CheckDatum;
        return false;
    }
    // The other end of the stay: the departure when checking in, the arrival when checking out.
    const auto gegenueber = dates::parse(f.eingecheckt ? f.von : f.bis);
    if (gegenueber && *gegenueber == *datum) {
        meldung(kGleicheDaten);
        return false;
    }
    if (gegenueber && (f.eingecheckt ? *datum < *gegenueber : *datum > *gegenueber)) {
        meldung(QStringLiteral("Bitte überprüfen Sie das Datum"));
        f.fokus = Fokus::CheckDatum;
        return false;
    }
    const QString id = QString::number(f.id);
    try {
        if (!f.eingecheckt) {
            f.von = dates::longDate(*datum);
            db_.execute(QStringLiteral("UPDATE tblBelegung SET tblBelegung.Checked = ") + QStringLiteral("true") +
                        QStringLiteral(" WHERE (((tblBelegung.ID)= ") + id + QStringLiteral("));"));
            f.eingecheckt = true;
        } else {
            f.bis = dates::longDate(*datum);
            db_.execute(QStringLiteral("UPDATE tblBelegung SET tblBelegung.Checked = ") + QStringLiteral("false") +
                        QStringLiteral(" WHERE (((tblBelegung.ID)= ") + id + QStringLiteral("));"));
            f.eingecheckt = false;
            if (fenster_ && fenster_->vorhanden(Ziel::Rechnungen) && (f.istNeu() || !belegungBezahlt(db_, f.id)) &&
                dialogs_.message(QStringLiteral("Rechnung jetzt drucken?"), QStringLiteral("check out"), Buttons::YesNo,
                                 Icon::Exclamation) == Answer::Yes)
                f.folgefenster = Folgefenster::Rechnungsuebersicht;
        }
    } catch (const DatabaseError& e) {
        dialogs_.message(e.message(), kTitel, Buttons::Ok, Icon::Critical);
        return false;
    }
    f.geaendert = QStringLiteral("Ja");  // the date box changed and is saved with the booking
    if (!f.tarif.trimmed().isEmpty()) preisBerechnen(f);
    return true;
}

bool Belegung::heute(ReservierungsFelder& f) {
    if (f.abgerechnet == 1) {
        meldung(
            QStringLiteral("Diese Reservierung wurde bereits abgerechnet. Sie können das Datum nicht mehr ändern, ohne die Rechnung "
                           "zu stornieren."));
        return false;
    }
    f.checkDatum = dates::longDate(Clock::current().today());
    return einAuschecken(f);
}

bool Belegung::anmeldung(ReservierungsFelder& f, const std::function<bool()>& drucken) {
    if (istAngebot(f)) {
        meldung(QStringLiteral("Für ein Angebot kann keine Anmeldung gedruckt werden."));
        return false;
    }
    if (drucken && !drucken()) return false;
    if (!f.eingecheckt && dialogs_.message(QStringLiteral("Gast einchecken?"), kTitel, Buttons::YesNo, Icon::Exclamation) == Answer::Yes)
        return einAuschecken(f);
    return true;
}

bool Belegung::loeschen(ReservierungsFelder& f) {
    if (f.abgerechnet == 1) {
        meldung(kBereitsAbgerechnet);
        return false;
    }
    if (f.istNeu()) return false;
    try {
        const bool mitglied = istBlockmitglied(db_, f.id);
        if (mitglied && dialogs_.message(QStringLiteral("Diese Reservierung gehört zu einer Blockbuchung. Soll sie aus der Blockbuchung "
                                                        "herausgenommen werden?"),
                                         kTitel, Buttons::OkCancel, Icon::Exclamation) != Answer::Ok)
            return false;
        if (dialogs_.message(QStringLiteral("Soll die aktuelle Reservierung gelöscht werden?"), kTitel, Buttons::YesNo, Icon::Question) !=
            Answer::Yes)
            return false;
        const QString id = QString::number(f.id);
        const int gast = GastDerBelegung(db_, f.id);
        {
            // The block link goes first, then the booking, then its items and their links.
            Transaction t(db_, QStringLiteral("tblBelegung"));
            if (mitglied)
                db_.execute(QStringLiteral(" DELETE tbBlockbuchung.IDBelegung From tbBlockbuchung ") +
                            QStringLiteral(" WHERE (((tbBlockbuchung.IDBelegung)=") + id + QStringLiteral(")); "));
            db_.execute(QStringLiteral("DELETE * FROM tblBelegung WHERE ID = ") + id);
            db_.execute(QStringLiteral(" DELETE tbRePosten.*, tbRePosten.IDBelegung ") + QStringLiteral(" From tbRePosten ") +
                        QStringLiteral(" WHERE (((tbRePosten.IDBelegung)=") + id + QStringLiteral("));"));
            db_.execute(QStringLiteral(" DELETE tbRechnungen_zu_Posten.IDBelegung, tbRechnungen_zu_Posten.* ") +
                        QStringLiteral(" From tbRechnungen_zu_Posten") + QStringLiteral(" WHERE (((tbRechnungen_zu_Posten.IDBelegung)=") +
                        id + QStringLiteral("));"));
            t.commit();
        }
        if (gast != 0) adresse_.adresseBenutzt(gast, false);
        f.blockbuchung = false;
        f.geaendert = QStringLiteral("Nein");
        f.schliessen = true;
        return true;
    } catch (const DatabaseError& e) {
        dialogs_.message(e.message(), kTitel, Buttons::Ok, Icon::Critical);
        return false;
    }
}

void Belegung::bezahltKlick(ReservierungsFelder& f) {
    if (f.istNeu()) {
        dialogs_.message(QStringLiteral("Bitte speichern Sie zunächst die Daten."), kTitel, Buttons::Ok, Icon::Information);
        return;
    }
    if (f.abgerechnet != 1) {
        dialogs_.message(QStringLiteral("Es wurden noch nicht alle Posten dieser Reservierung abgerechnet."), QStringLiteral("Hinweis"),
                         Buttons::Ok, Icon::Critical);
        f.folgefenster = Folgefenster::Rechnungsuebersicht;
        return;
    }
    Recordset rs = db_.openRecordset(QStringLiteral(" SELECT tbRechnungen_zu_Posten.IDRechnung, tbRechnungen_zu_Posten.IDBelegung") +
                                     QStringLiteral(" From tbRechnungen_zu_Posten WHERE (((tbRechnungen_zu_Posten.IDBelegung)= ") +
                                     QString::number(f.id) + QStringLiteral("));"));
    f.folgefenster = rs.eof() ? Folgefenster::Rechnungsuebersicht : Folgefenster::Zahlungen;
}

// ---- fields ----------------------------------------------------------------------------------

bool Belegung::preisBerechnen(ReservierungsFelder& f) {
    const auto von = dates::parse(f.von);
    const auto bis = dates::parse(f.bis);
    if (!von || !bis) return false;
    const qint64 naechte = von->daysTo(*bis);
    f.naechte = QString::number(naechte);
    if (f.tarif.trimmed().isEmpty()) {
        f.preis = QStringLiteral("0,00");
        return true;
    }
    const auto tarif = amounts::parse(f.tarif);
    if (!tarif) return false;
    f.tarif = amounts::format(*tarif);
    if (*tarif != 0) f.preis = amounts::format(*tarif * double(naechte));
    return true;
}

bool Belegung::kuerzelPruefen(ReservierungsFelder& f) {
    Recordset rs =
        db_.openRecordset(QStringLiteral("SELECT tblBelegung.*, tblBelegung.Kürzel From tblBelegung WHERE (((tblBelegung.Kürzel)= ?))"),
                          {f.kuerzel.trimmed()});
    f.kuerzelDoppelt = false;
    for (; !rs.eof(); rs.moveNext())
        if (rs.integer(QStringLiteral("ID")) != f.id) f.kuerzelDoppelt = true;
    return f.kuerzelDoppelt;
}

void Belegung::belegNummerEigenVerlassen(ReservierungsFelder& f) {
    const QString text = f.belegNummerEigen.trimmed();
    if (!text.isEmpty()) {
        if (!BelegNummern::BelegNummerEigenVergeben(db_, text, f.id)) return;
        dialogs_.message(QStringLiteral("Diese Belegnummer ist bereits vorhanden. Geben Sie eine andere Nummer ein oder leeren Sie das "
                                        "Feld, damit eine neue Nummer vergeben werden kann."),
                         kTitel, Buttons::Ok, Icon::Information);
        f.belegNummerEigen.clear();
        return;
    }
    belegNummerVergeben(f);
}

void Belegung::belegNummerVergeben(ReservierungsFelder& f) {
    bool ok = false;
    qint64 nummer = f.belegNummer.trimmed().toLongLong(&ok);
    if (!ok || nummer <= 0 || BelegNummern::BelegNummerVergeben(db_, nummer, f.id)) nummer = BelegNummern::naechste(db_, muster().alle);
    f.belegNummer = QString::number(nummer);
    const auto von = dates::parse(f.von);
    f.belegNummerEigen = BelegNummern::eigene(muster(), nummer, von ? *von : Clock::current().today());
    f.geaendert = QStringLiteral("Ja");
}

void Belegung::liveTest(ReservierungsFelder& f) {
    switch (pruefung_.liveTest(f.zimmer, f.von, f.bis, f.id)) {
        case CollisionLogik::LiveErgebnis::Belegt: f.warnung = true; break;
        case CollisionLogik::LiveErgebnis::Frei: f.warnung = false; break;
        case CollisionLogik::LiveErgebnis::KeinTest:
        case CollisionLogik::LiveErgebnis::GleicheDaten: break;
    }
}

const NummernMuster& Belegung::muster() {
    if (!muster_) muster_ = NummernMuster::lesen(db_);
    return *muster_;
}

// ---- module operations -----------------------------------------------------------------------

std::optional<int> Belegung::LetzteRechnungsadresse(Database& db, int gastId) {
    Recordset rs = db.openRecordset(
        QStringLiteral("SELECT IDAdressRechnung, GastID, Bis FROM tblBelegung WHERE GastID = ") + QString::number(gastId) +
        QStringLiteral(" AND Bis < ") + sqltext::date(Clock::current().today()) +
        QStringLiteral(" AND IDAdressRechnung Is Not Null AND IDAdressRechnung <> 0 AND IDAdressRechnung <> GastID ORDER BY Bis DESC"));
    if (rs.eof()) return std::nullopt;
    return rs.integer(QStringLiteral("IDAdressRechnung"));
}

int Belegung::GastDerBelegung(Database& db, int id) {
    return db.scalar(QStringLiteral("SELECT GastID FROM tblBelegung WHERE ID = ") + QString::number(id)).toInt();
}

bool Belegung::istBlockmitglied(Database& db, int id) {
    Recordset rs = db.openRecordset(QStringLiteral("SELECT tbBlockbuchung.IDBelegung ") +
                                    QStringLiteral(" From tbBlockbuchung WHERE (((tbBlockbuchung.IDBelegung)= ") + QString::number(id) +
                                    QStringLiteral(" ));"));
    return !rs.eof();
}

void Belegung::fixAufBlockUebertragen(Database& db, int id, bool fix) {
    const QVariant block = db.scalar(QStringLiteral("SELECT tbBlockbuchung.IDBlockbuchung FROM tbBlockbuchung ") +
                                     QStringLiteral(" INNER JOIN tblBelegung ON tbBlockbuchung.IDBelegung = tblBelegung.ID ") +
                                     QStringLiteral(" WHERE (((tblBelegung.ID)=") + QString::number(id) + QStringLiteral("));"));
    if (block.isNull()) return;
    db.execute(QStringLiteral("UPDATE tbBlockbuchung INNER JOIN tblBelegung ON tbBlockbuchung.IDBelegung = tblBelegung.id ") +
               QStringLiteral(" SET tblBelegung.FIX = ") + (fix ? QStringLiteral("True") : QStringLiteral("False")) +
               QStringLiteral(" WHERE (((tbBlockbuchung.IDBlockbuchung)=") + QString::number(block.toLongLong()) + QStringLiteral("));"));
}

}  // namespace tav
