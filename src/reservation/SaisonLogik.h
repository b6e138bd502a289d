#pragma once

#include <QChar>
#include <QDate>
#include <QList>
#include <QString>

namespace tav {

class Database;
class Dialogs;

// One row of tbSaisonzeiten.
struct Saison {
    int id = 0;
    QString name;
    QDate start, ende;
};

// The fields of the season editor.
struct SaisonFelder {
    QString name;  // txtName
    QString von;   // txtVon
    QString bis;   // txtBis
    int id = 0;    // the hidden txtID; 0 = a new season
    bool geaendert = false;
};

// The season editor frmSaison as logic: the season list, loading a season into the fields,
// a new season, saving with its checks and the overlap test, deleting, and the question before
// unsaved changes are left.
class SaisonLogik {
public:
    static inline const QString kTitel = QStringLiteral("Saisonzeiten");

    SaisonLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    QList<Saison> alle() const;
    const SaisonFelder& felder() const { return felder_; }
    void setName(const QString& name);
    void setVon(const QString& text);
    void setBis(const QString& text);

    // A click on a row of the grid: asks about unsaved changes first (false when the user
    // stays), then shows the season.
    bool laden(const Saison& saison);
    // CmdNeueDaten: asks about unsaved changes first (false when the user stays), then empties
    // the fields and proposes the latest season end as the start.
    bool neu();
    // txtVon/txtBis take digits and "."; txtName offers the four names.
    static bool datumTasteErlaubt(QChar c);
    // Leaving txtName with a text that is not one of the four names: false with its message.
    bool namePruefen();
    // Leaving a date box with an invalid date: false with its message.
    bool datumPruefen(const QString& text);
    // cmdSpeichern: checks in their order, the overlap test, then the row; false with the
    // message of the first check that fails.
    bool speichern();
    // cmdLöschen: deletes the loaded season after asking.
    bool loeschen();
    // Closing: with unsaved changes asks whether to save. False when the window stays open.
    bool schliessen();

    // The IDs of the seasons that overlap the period from start to ende (the end's night not
    // included), apart from the season with the given ID.
    QList<int> ueberschneidungen(const QDate& start, const QDate& ende, int ausser) const;

private:
    bool aenderungenSichern();
    void meldung(const QString& text);

    Database& db_;
    Dialogs& dialogs_;
    SaisonFelder felder_;
};

}  // namespace tav
