#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace tav {

class Database;
class Dialogs;

// The tariff box cboTarif of the reservation form and its list of offered prices per night
// (tblTarife, amounts stored as text "###,##0.00", sorted by value).
class Tarifliste {
public:
    Tarifliste(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // The listed prices, smallest first, formatted "###,##0.00".
    QStringList fuellen() const;
    // Digits, backspace and a single ",".
    static bool tasteErlaubt(QChar taste, const QString& text);
    // Enter: a value that is not listed yet is added (formatted "###,##0.00"). Returns true when
    // the list changed.
    bool enter(const QString& wert);
    // F2: removes a listed value after asking. Returns true when the list changed.
    bool entfernen(const QString& wert);
    // Leaving the box: an empty box reads "0,00".
    static QString verlassen(const QString& wert);
    // The value formatted "###,##0.00"; empty text when it is no amount.
    static QString formatiert(const QString& wert);

private:
    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
