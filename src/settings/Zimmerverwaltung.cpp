#include "settings/Zimmerverwaltung.h"

#include "engine/Database.h"
#include "engine/DatabaseError.h"
#include "engine/Recordset.h"
#include "platform/Amounts.h"
#include "platform/Dialogs.h"
#include "store/Fenster.h"
#include "store/Parameter.h"

namespace tav {

namespace {

const QString kRaeume = QStringLiteral("Räumlichkeiten");
const QString kWarteLabel = QStringLiteral("Vorläufig");
const QString kWarteBemerkung = QStringLiteral("nimmt alle Reservierungen auf, die noch nicht sicher sind.");

}  // namespace

int Zimmerverwaltung::anzahl() const {
    const auto row = Parameter(db_).read(kRaeume);
    return row ? row->integer(1) : 0;
}

int Zimmerverwaltung::letzteNummer() const { return db_.scalar(QStringLiteral("SELECT Max(Zimmernummer) FROM tbZimmernummern")).toInt(); }

QList<ZimmerZeile> Zimmerverwaltung::zimmer() const {
    QList<ZimmerZeile> liste;
    for (Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZimmernummern ORDER BY Zimmernummer")); !rs.eof();
         rs.moveNext()) {
        ZimmerZeile z;
        z.nummer = rs.integer(QStringLiteral("Zimmernummer"));
        z.label = rs.text(QStringLiteral("NeueNummer"));
        z.bemerkungen = rs.text(QStringLiteral("Bemerkungen"));
        z.zusatz1 = rs.value(QStringLiteral("Zusatz1"));
        z.zusatz2 = rs.value(QStringLiteral("Zusatz2"));
        z.gaeste = rs.integer(QStringLiteral("AnzahlGästeDefault"));
        z.preis = rs.number(QStringLiteral("PreisDefault"));
        z.raucher = rs.yes(QStringLiteral("Raucher"));
        z.blockKat = rs.text(QStringLiteral("KatBlockbuchung"));
        liste << z;
    }
    return liste;
}

bool Zimmerverwaltung::anzahlPruefen(const QString& text) {
    const QString t = text.trimmed();
    if (!amounts::isCount(t) || t.toInt() < 1) {
        dialogs_.message(QStringLiteral("Bitte geben Sie die Anzahl der Zimmer als Zahl zwischen 1 und 70 an."), kTitel, Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    if (t.toInt() > kMaxZimmer) {
        dialogs_.message(QStringLiteral("Die maximale Einstellung an dieser Stelle beträgt 70."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    return true;
}

std::optional<double> Zimmerverwaltung::preisPruefen(const QString& text) {
    const std::optional<double> preis = text.trimmed().isEmpty() ? std::optional<double>(0) : amounts::parse(text);
    if (preis && *preis >= 0) return preis;
    dialogs_.message(QStringLiteral("Bitte geben Sie den Preis als Betrag an, zum Beispiel 65,00."), kTitel, Buttons::Ok,
                     Icon::Exclamation);
    return std::nullopt;
}

bool Zimmerverwaltung::sicherungAnbieten(const QString& frage, const QString& trotzdem) {
    if (!fenster_.vorhanden(Ziel::Datensicherung)) {
        dialogs_.message(QStringLiteral("Dieser Vorgang ändert Reservierungsdaten und ist nur nach einer Datensicherung möglich. ") +
                             QStringLiteral("Die Datensicherung ist in diesem Programm nicht eingerichtet; es wurde nichts geändert."),
                         kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const Answer a = dialogs_.message(frage + QStringLiteral("\nSoll eine Datensicherung durchgeführt werden?"), kTitel,
                                      Buttons::YesNoCancel, Icon::Question);
    if (a == Answer::Cancel) {
        dialogs_.message(QStringLiteral("Die Änderungen wurden nicht gespeichert."), kTitel, Buttons::Ok, Icon::Information);
        return false;
    }
    if (a == Answer::Yes && fenster_.datenSichern().isEmpty()) {
        if (dialogs_.message(QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden. ") + trotzdem, kTitel, Buttons::YesNo,
                             Icon::Exclamation, 2) != Answer::Yes) {
            dialogs_.message(QStringLiteral("Die Änderungen wurden nicht gespeichert."), kTitel, Buttons::Ok, Icon::Information);
            return false;
        }
    }
    return true;
}

void Zimmerverwaltung::umnummern(int alt, int neu) {
    db_.execute(QStringLiteral("UPDATE tbZimmernummern SET Zimmernummer = ? WHERE Zimmernummer = ?"), {neu, alt});
    db_.execute(QStringLiteral("UPDATE tblBelegung SET Zimmernummer = ? WHERE Zimmernummer = ?"), {neu, alt});
}

bool Zimmerverwaltung::anzahlSetzen(int neu) {
    if (neu < 1 || neu > kMaxZimmer) {
        dialogs_.message(QStringLiteral("Die maximale Einstellung an dieser Stelle beträgt 70."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const int alt = anzahl();
    if (neu == alt) return true;
    if (neu < alt && !sicherungAnbieten(QStringLiteral("Wenn die Anzahl der Zimmer verkleinert wird,") + QChar('\n') +
                                            QStringLiteral("werden die entsprechenden Reservierungen gelöscht. "),
                                        QStringLiteral("Soll die Zimmerzahl trotzdem verkleinert werden?")))
        return false;

    // Rooms and bookings live in different files: the transaction locks them all at once.
    Transaction t(db_, true);
    // The waiting room is the last row behind the rooms; a database without one gets it.
    const int letzte = letzteNummer();
    const int warte = letzte > alt ? letzte : 0;
    if (neu < alt) {
        db_.execute(QStringLiteral("DELETE FROM tblBelegung WHERE Zimmernummer > ? AND Zimmernummer <= ? AND Gelöscht = False"),
                    {neu, alt});
        db_.execute(QStringLiteral("DELETE FROM tbZimmernummern WHERE Zimmernummer > ? AND Zimmernummer <= ?"), {neu, alt});
        if (warte) umnummern(warte, neu + 1);
    } else {
        if (warte) umnummern(warte, kParkNummer);
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZimmernummern WHERE Zimmernummer = 0"));
        for (int n = alt + 1; n <= neu; ++n) {
            if (!db_.scalar(QStringLiteral("SELECT Zimmernummer FROM tbZimmernummern WHERE Zimmernummer = ?"), {n}).isNull()) continue;
            rs.addNew();
            rs.setValue(QStringLiteral("Zimmernummer"), n);
            rs.setValue(QStringLiteral("NeueNummer"), QString::number(n));
            rs.setValue(QStringLiteral("AnzahlGästeDefault"), 1);
            rs.update();
        }
        if (warte) umnummern(kParkNummer, neu + 1);
    }
    if (!warte) {
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZimmernummern WHERE Zimmernummer = 0"));
        rs.addNew();
        rs.setValue(QStringLiteral("Zimmernummer"), neu + 1);
        rs.setValue(QStringLiteral("NeueNummer"), kWarteLabel);
        rs.setValue(QStringLiteral("Bemerkungen"), kWarteBemerkung);
        rs.setValue(QStringLiteral("AnzahlGästeDefault"), 1);
        rs.update();
    }
    Parameter(db_).write(kRaeume, {{1, QString::number(neu)}});
    t.commit();
    return true;
}

bool Zimmerverwaltung::speichern(const ZimmerZeile& z, Speicherart art, int position) {
    const QString label = z.label.trimmed();
    if (label.isEmpty()) {
        dialogs_.message(QStringLiteral("Das Feld 'Neue Bezeichnung' darf zum speichern nicht leer sein"), kTitel, Buttons::Ok,
                         Icon::Exclamation);
        return false;
    }
    if (!db_.scalar(QStringLiteral("SELECT Zimmernummer FROM tbZimmernummern WHERE NeueNummer = ? AND Zimmernummer <> ?"),
                    {label, z.nummer})
             .isNull()) {
        dialogs_.message(QStringLiteral("Die Bezeichnung '") + label +
                             QStringLiteral("' hat schon ein anderes Zimmer. Bitte wählen Sie eine andere Bezeichnung."),
                         kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    {
        Transaction t(db_, QStringLiteral("tbZimmernummern"));
        Recordset rs = db_.openRecordset(QStringLiteral("SELECT * FROM tbZimmernummern WHERE Zimmernummer = ?"), {z.nummer});
        if (rs.eof()) throw DatabaseError(QStringLiteral("Das Zimmer ") + QString::number(z.nummer) + QStringLiteral(" fehlt."));
        rs.edit();
        rs.setValue(QStringLiteral("NeueNummer"), label);
        rs.setValue(QStringLiteral("Bemerkungen"), z.bemerkungen.isEmpty() ? QVariant() : QVariant(z.bemerkungen));
        rs.setValue(QStringLiteral("Zusatz1"), z.zusatz1);
        rs.setValue(QStringLiteral("Zusatz2"), z.zusatz2);
        rs.setValue(QStringLiteral("AnzahlGästeDefault"), z.gaeste);
        rs.setValue(QStringLiteral("PreisDefault"), z.preis);
        rs.setValue(QStringLiteral("Raucher"), z.raucher);
        rs.setValue(QStringLiteral("KatBlockbuchung"), z.blockKat.isEmpty() ? QVariant() : QVariant(z.blockKat));
        rs.update();
        t.commit();
    }
    if (art == Speicherart::Unveraendert) return true;
    const int ziel = art == Speicherart::AnsEnde ? anzahl() : position;
    if (ziel == z.nummer || ziel < 1 || ziel > anzahl()) return true;
    if (!sicherungAnbieten(QStringLiteral("Dieser Vorgang ändert Reservierungsdaten."),
                           QStringLiteral("Soll der Vorgang trotzdem durchgeführt werden?")))
        return false;
    verschieben(z.nummer, ziel);
    return true;
}

bool Zimmerverwaltung::verschiebenFragen(int nummer) {
    if (nummer <= 0) {
        dialogs_.message(QStringLiteral("Bitte wählen Sie ein Zimmer aus."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    const int n = anzahl();
    if (nummer > n) {
        dialogs_.message(QStringLiteral("Die letzte Position kann nicht verschoben werden."), kTitel, Buttons::Ok, Icon::Exclamation);
        return false;
    }
    int ziel = 0;
    for (;;) {
        const QString text =
            dialogs_
                .input(QStringLiteral("Bitte geben Sie die neue Position des gewählten Zimmers an."), QStringLiteral("Zimmer verschieben"))
                .trimmed();
        if (text.isEmpty()) return false;
        if (amounts::isCount(text) && text.toInt() >= 1 && text.toInt() <= n) {
            ziel = text.toInt();
            break;
        }
        if (dialogs_.message(QStringLiteral("Geben Sie eine Zahl zwischen 1 und ") + QString::number(n) +
                                 QStringLiteral(" an. Möchten Sie die Eingabe wiederholen?"),
                             QStringLiteral("Zimmer verschieben"), Buttons::YesNo, Icon::Question) != Answer::Yes)
            return false;
    }
    if (ziel == nummer) return false;
    if (!sicherungAnbieten(QStringLiteral("Dieser Vorgang ändert Reservierungsdaten."),
                           QStringLiteral("Soll der Vorgang trotzdem durchgeführt werden?")))
        return false;
    verschieben(nummer, ziel);
    dialogs_.message(QStringLiteral("Vorgang beendet"), QStringLiteral("Zimmer verschieben"), Buttons::Ok, Icon::Information);
    return true;
}

void Zimmerverwaltung::verschieben(int von, int nach) {
    const int n = anzahl();
    if (von < 1 || von > n || nach < 1 || nach > n || von == nach) return;
    Transaction t(db_, true);
    db_.execute(QStringLiteral("UPDATE tbZimmernummern SET Reihenfolge_Hilf = Zimmernummer"));
    umnummern(von, kParkNummer);
    // Each step fills the gap the previous one left, so no number is ever taken twice.
    if (nach < von) {
        for (int r = von - 1; r >= nach; --r) umnummern(r, r + 1);
    } else {
        for (int r = von + 1; r <= nach; ++r) umnummern(r, r - 1);
    }
    umnummern(kParkNummer, nach);
    t.commit();
}

}  // namespace tav
