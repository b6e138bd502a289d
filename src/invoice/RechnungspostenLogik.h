#pragma once

#include <QString>
#include <array>

namespace tav {

class Database;

// The five check-out extras (telephone, mini bar, drinks, restaurant, other) with their texts,
// and the number of printouts. Amounts are held as the boxes show them ("12,50").
struct Zusatzposten {
    static constexpr int kAnzahl = 5;
    std::array<QString, kAnzahl> texte;
    std::array<QString, kAnzahl> betraege;
    int ausdrucke = 1;
    // The sum of the five amounts; a text that is no amount counts 0.
    double summe() const;
};

// The extras dialog Rechnungsposten without its window. The values live as long as the program:
// opened again for the same booking, the dialog shows what was typed last time; opened for
// another booking (or after leeren()), it starts from the defaults row "Rechnungsposten".
class RechnungspostenLogik {
public:
    enum class Ergebnis { Offen, Ok, Abgebrochen };

    // The defaults of a new row "Rechnungsposten", F1 … F10.
    static const std::array<QString, 10>& vorgaben();

    // Forgets the booking of the last opening: the next opening loads the defaults again.
    void leeren();
    // Opening for a booking: for another booking than last time the defaults are loaded (the
    // row is created when missing) and the printouts reset to druckAnzahl. Database errors
    // propagate as DatabaseError.
    void oeffnen(Database& db, int buchungId, const QString& titel, int druckAnzahl);

    const QString& titel() const { return titel_; }
    Zusatzposten& werte() { return werte_; }
    const Zusatzposten& werte() const { return werte_; }
    Ergebnis ergebnis() const { return ergebnis_; }

    // The amount boxes take digits besides the editing keys.
    static bool zeichenErlaubt(QChar c) { return c.isDigit(); }
    // Leaving an amount box: the value with two decimals ("12" → "12,00"); empty stays empty,
    // text that is no amount reads "0,00".
    static QString betragFormatieren(const QString& text);

    // cmdOK: empty amounts become "0,00"; the dialog closes with the values.
    void ok();
    // cmdWeiter: every amount "0,00", then as OK.
    void weiter();
    // cmdAbbrechen: no document.
    void abbrechen() { ergebnis_ = Ergebnis::Abgebrochen; }
    // cmdVorgabeSpeichern: the five texts and amounts into F1 … F10 of "Rechnungsposten".
    void vorgabeSpeichern(Database& db) const;

private:
    int buchung_ = -1;
    QString titel_;
    Zusatzposten werte_;
    Ergebnis ergebnis_ = Ergebnis::Offen;
};

// The program's one extras dialog state, shared by the reservation form and the dialog it
// opens through the window service.
RechnungspostenLogik& rechnungsposten();

}  // namespace tav
