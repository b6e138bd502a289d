#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace tav {

class Database;
class Dialogs;

// One row of tbFeiertage.
struct Feiertag {
    int id = 0;
    QString name;
    QDate datum;
};

// The fields of the holidays form.
struct FeiertagFelder {
    QString name;   // txtName
    QString datum;  // txtKurzbezeichnung
    int id = 0;     // 0 = a new holiday
    bool geaendert = false;
};

// The holidays form frmFeiertag as logic: the list, loading a holiday into the fields, a new
// holiday, saving with its checks, deleting, and the import from the holiday database.
class FeiertagLogik {
public:
    static inline const QString kTitel = QStringLiteral("Feiertage");
    enum class Sortierung { Datum, Bezeichnung };

    FeiertagLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    QList<Feiertag> alle(Sortierung nach = Sortierung::Datum, bool absteigend = false) const;
    const FeiertagFelder& felder() const { return felder_; }
    void setName(const QString& name);
    void setDatum(const QString& datum);

    // A click on a row: with unsaved changes asks first (Yes saves, No discards, Cancel stays:
    // false). Then the holiday is shown.
    bool laden(const Feiertag& feiertag);
    // "&Neuer Feiertag": with unsaved changes asks whether to save; then empties the fields.
    void neu();
    // Leaving the date field with a text that is not a date: false with its message.
    bool datumPruefen(const QString& text);
    // "&Speichern": the checks in their order, then the row; false with the first message.
    bool speichern();
    // "&Löschen": deletes the loaded holiday after asking; false when nothing was deleted.
    bool loeschen();
    // Closing with unsaved changes asks whether to save; false when the form stays open.
    bool schliessen();

    // "&Feiertage importieren" from the holiday database at quelle: every holiday whose date
    // the working database has not yet. The number added, or -1 when the source or the table
    // could not be opened (the message has been shown).
    int importieren(const QString& quelle);

private:
    bool sichern();
    int naechsteId() const;

    Database& db_;
    Dialogs& dialogs_;
    FeiertagFelder felder_;
};

}  // namespace tav
