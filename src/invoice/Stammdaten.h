#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace tav {

class Database;
class Dialogs;

// A grid of master data as its query returns it: the key of each row and its shown texts.
struct StammZeile {
    int id = 0;
    QStringList werte;
};

// The order of a master-data grid: the clicked column, ascending; the same column clicked
// again reverses the order (" desc").
class Sortierung {
public:
    explicit Sortierung(int spalte) : spalte_(spalte) {}
    void klicken(int spalte) {
        absteigend_ = spalte == spalte_ ? !absteigend_ : false;
        spalte_ = spalte;
    }
    int spalte() const { return spalte_; }
    bool absteigend() const { return absteigend_; }

private:
    int spalte_;
    bool absteigend_ = false;
};

// One entry of a VAT choice list.
struct MwStEintrag {
    int id = 0;
    double satz = 0;
    QString text() const;  // the rate as the list shows it ("19", "7", "5,5")
};

// The VAT choice lists of both master-data windows (the article's key, a key's successor) and
// their keys: F3 changes the selected key's rate, F2 removes the key; a typed value that is not
// in the list is refused.
class MwStAuswahl {
public:
    static inline const QString kNichtInListe = QStringLiteral("Bitte wählen Sie einen Eintrag aus der Liste.");
    static inline const QString kAendernWarnung = QStringLiteral(
        "Dieser Vorgang hat auch Einfluß auf alle bisherigen Rechnungen. Bei der Änderung des gesetzlichen Steuersatzes bitte neue "
        "Einträge vornehmen.");
    static inline const QString kAendernFrage = QStringLiteral("Soll dieser Eintrag geändert werden? ");
    static inline const QString kAendernTitel = QStringLiteral("Steuersatz ändern");
    static inline const QString kEntfernenFrage = QStringLiteral("Soll dieser Eintrag aus der Liste entfernt werden?");
    static inline const QString kEntfernenTitel = QStringLiteral("Listeneinträge löschen");
    static inline const QString kInGebrauch = QStringLiteral("Der Eintrag kann nicht entfernt werden. Er ist noch in Gebrauch.");
    static inline const QString kSatzUngueltig = QStringLiteral("Bitte geben Sie einen Steuersatz zwischen 0 und 100 ein.");

    MwStAuswahl(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // "SELECT IDSteuerschluessel, Steuersatz From tbSteuerschluessel ORDER BY Steuersatz DESC".
    QList<MwStEintrag> liste();
    // The key whose rate reads as text; nullopt with kNichtInListe for any other text.
    // Empty text is no choice (nullopt without a message).
    std::optional<int> pruefen(const QString& text, bool* gewaehlt = nullptr);
    // F3: changes the rate of key id to the typed text after the warning. True when changed.
    bool aendern(int id, const QString& neuerSatz);
    // F2: removes key id after the question, unless it is in use. True when removed.
    bool entfernen(int id);

    // A rate as typed ("19", "5,5", "7.0"): 0 to 100; nullopt otherwise.
    static std::optional<double> satzLesen(const QString& text);

private:
    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
