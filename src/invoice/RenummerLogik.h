#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

namespace tav {

class Database;
class Dialogs;
struct Variablen;

// A number pattern as the dialogs edit it: prefix, date part (one of the nine of
// datumsteile(), empty for none) and whether freed numbers are given out again.
struct Nummernformat {
    QString praefix;
    QString datumsformat;
    bool zaehlerAlle = false;    // "Alle" or "Freilassen"
    bool schluesselAlle = true;  // documents only: freed internal keys
};

// One check box of the display tab: its name, the settings row it writes.
struct Anzeigeoption {
    QString kasten;  // "chGastnameR"
    QString satz;    // "GastnameR"
};

// The document settings dialog frmRenummer as logic: number format, display options of the
// three document kinds, payment targets and the words for nights.
class RenummerLogik {
public:
    static inline const QString kSpeichernFrage = QStringLiteral("Änderungen speichern?");
    static inline const QString kNurZiffern = QStringLiteral("Bitte geben Sie nur Ziffern ein.");

    // variablen: the program's copy of the display options, updated with every click (may be null).
    RenummerLogik(Database& db, Dialogs& dialogs, Variablen* variablen = nullptr) : db_(db), dialogs_(dialogs), variablen_(variablen) {}

    // The nine date parts in their list order.
    static const QStringList& datumsteile();
    // "R " + prefix + " " + counter as "0000", and " " + today's date in the format when one is
    // chosen. A counter that is not a number counts as 0.
    static QString beispiel(const QString& praefix, const QString& datumsformat, const QString& zaehler, const QDate& heute);

    Nummernformat nummer() const;
    void nummerSpeichern(const Nummernformat& f);

    static const QList<Anzeigeoption>& optionen();
    bool option(const QString& satz) const;
    // A click on a display box: the row is written at once.
    void optionSetzen(const QString& satz, bool ja);

    // Zahlungsziele F2 … F8 by field number; the down-payment default.
    QString zahlungsziel(int feld) const;
    // False with kNurZiffern when a field holds anything but digits (nothing written).
    bool zahlungszieleSpeichern(const QList<QPair<int, QString>>& felder, bool anzahlung);
    bool anzahlung() const;

    QString nachttext(bool mehrere) const;
    // Empty text restores the default word.
    void nachttexteSpeichern(const QString& eine, const QString& mehrere);

private:
    Database& db_;
    Dialogs& dialogs_;
    Variablen* variablen_;
};

// The booking number dialog frmBeNummer: settings row "BeNummer".
class BeNummerLogik {
public:
    explicit BeNummerLogik(Database& db, Variablen* variablen = nullptr) : db_(db), variablen_(variablen) {}
    Nummernformat lesen() const;
    void speichern(const Nummernformat& f);
    // The printed booking number of the counter on this day.
    static QString beispiel(const QString& praefix, const QString& datumsformat, const QString& zaehler, const QDate& heute);

private:
    Database& db_;
    Variablen* variablen_;
};

}  // namespace tav
