#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

namespace tav {

class Database;
class Dialogs;
class Fenster;

// One row of tbZimmernummern as the settings dialog edits it.
struct ZimmerZeile {
    int nummer = 0;        // Zimmernummer: the position in the plan
    QString label;         // NeueNummer
    QString bemerkungen;   // Bemerkungen
    QVariant zusatz1;      // ZusatzFeld of the left extra column, or Null
    QVariant zusatz2;      // ZusatzFeld of the right extra column, or Null
    int gaeste = 0;        // AnzahlGästeDefault
    double preis = 0;      // PreisDefault
    bool raucher = false;  // Raucher
    QString blockKat;      // KatBlockbuchung
};

// Where a saved room label puts its room.
enum class Speicherart {
    Unveraendert,  // "Ändert die Daten und lässt die Position unverändert."
    AnPosition,    // "Ändert die Daten und fügt die Änderungen an die angezeigte Position ein."
    AnsEnde,       // "Ändert die Daten und schiebt das Zimmer ans Ende der Übersicht."
};

// The rooms of the plan: their number, their rows, and moving a room to another position. The
// rooms are numbered 1 … count without gaps; one room more, the last one, takes the bookings
// that are not yet fixed ("Vorläufig"). Operations that change bookings offer a backup first.
class Zimmerverwaltung {
public:
    static constexpr int kMaxZimmer = 70;
    static constexpr int kParkNummer = 99;  // a room's number while it is moved
    static inline const QString kTitel = QStringLiteral("Einstellungen");

    Zimmerverwaltung(Database& db, Dialogs& dialogs, Fenster& fenster) : db_(db), dialogs_(dialogs), fenster_(fenster) {}

    // "Räumlichkeiten" F1: the rooms shown, without the waiting room.
    int anzahl() const;
    // Every row, in Zimmernummer order (the waiting room last).
    QList<ZimmerZeile> zimmer() const;

    // A typed room count: digits only, 1 … 70. False with its message otherwise.
    bool anzahlPruefen(const QString& text);
    // A room's typed default price: an amount of 0 or more, empty meaning 0. nullopt with its
    // message otherwise.
    std::optional<double> preisPruefen(const QString& text);
    // Sets the room count. Adding rooms appends rows behind the last room and moves the waiting
    // room behind them; fewer rooms delete the bookings of the removed rooms, after the question
    // and the backup. False when nothing was changed (the message has been shown).
    bool anzahlSetzen(int neu);

    // Saves the fields of one room; the label must be filled and must not belong to another
    // room. With AnPosition/AnsEnde the room moves afterwards like "&Zimmer verschieben".
    bool speichern(const ZimmerZeile& z, Speicherart art = Speicherart::Unveraendert, int position = 0);

    // "&Zimmer verschieben" with its questions: the target position is asked for.
    bool verschiebenFragen(int nummer);
    // Moves room `von` to position `nach` with its bookings, in one transaction; the rooms in
    // between shift by one towards the gap. The waiting room never moves.
    void verschieben(int von, int nach);

    // Asks whether to back up before booking data change; false when the user stopped (the
    // message has been shown). frage is the first line of the question.
    bool sicherungAnbieten(const QString& frage, const QString& trotzdem);

private:
    void umnummern(int alt, int neu);
    int letzteNummer() const;

    Database& db_;
    Dialogs& dialogs_;
    Fenster& fenster_;
};

}  // namespace tav
