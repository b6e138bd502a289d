#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "lists/Allgdat.h"
#include "lists/SuchenLogik.h"

namespace tav {

class Database;
class Dialogs;

// The lists of a working day and the prints of the booking list.
enum class Tagesliste {
    Tagesliste,
    Fruehstueck,
    Mittag,
    Abendessen,
    Waesche,
    GaesteImHaus,
    Anreise,
    Abreise,
    Belegungsdaten,
};

// A finished list: the data file lines and what the window shows or the command line prints.
struct Listenergebnis {
    Tagesliste liste = Tagesliste::Tagesliste;
    QString titel;
    QString vonWann;
    QString bisWann;
    allgdat::Kopf kopf = allgdat::Kopf::Sonstige;
    QList<QHash<QString, QString>> saetze;  // the records, field name -> value
    QString zusammenfassung;                // the meal summary ("Gäste insgesamt: …")
    QString aufgebaut;                      // line 1, line 2 and the records, each ended by "~"

    QStringList feldnamen() const { return allgdat::feldnamen(allgdat::layoutVon(kopf)); }
    DataFile datei() const { return allgdat::datei(aufgebaut); }
};

// What a list needs from the settings.
struct Listeneinstellungen {
    QString zimmer = QStringLiteral("Zimmer");      // the list's room caption
    QString art = QStringLiteral("Belegungsart");   // the list's kind caption
    QString waesche1 = QStringLiteral("Wäsche 1");  // captions of the two laundry intervals
    QString waesche2 = QStringLiteral("Wäsche 2");
    bool vorgabeMorgen = false;  // the meal lists default to tomorrow
};

// Selection, record building and data file of every daily list. Rows are selected by the
// rules of each list; the window and the command line share them.
class Tageslisten {
public:
    Tageslisten(Database& db, Dialogs& dialogs, Listeneinstellungen einstellungen);

    // The list's name as the title of its day question, the data file and its merge document.
    static QString name(Tagesliste l);
    static QString titel(Tagesliste l);
    static QString vorlage(Tagesliste l);
    static bool brauchtTag(Tagesliste l);
    // The "nothing" message.
    static QString nichts(Tagesliste l);

    // The default day of the day question: today, tomorrow for the meal lists while the
    // default is switched on.
    QDate vorgabeTag(Tagesliste l, const QDate& heute) const;
    // Asks "Datum:" until a date (nullopt on an empty answer).
    std::optional<QDate> tagAbfragen(Tagesliste l, const QDate& heute);

    // The list for day d. For the lists of the booking list, the bookings are given (in list
    // order) with the filter heading; for the others they are selected here.
    Listenergebnis erstellen(Tagesliste l, const QDate& d, const QDate& heute);
    Listenergebnis ausBuchungsliste(Tagesliste l, const QList<int>& ids, const QDate& d, const QDate& heute,
                                    const QString& filterUeberschrift = {});

    // Asks for the day where the list needs one (the arrival and departure lists with the
    // booking list's questions) and builds the list; nullopt when the question was cancelled.
    std::optional<Listenergebnis> abfragenUndErstellen(Tagesliste l, const QDate& heute);

    // Prints a merged list: the merge document's path and the data file's path; false when it failed.
    using Drucker = std::function<bool(const QString& vorlage, const QString& datendatei)>;

    // Writes the list's allgdat.doc into the folder and prints it through drucker, or reports
    // where the data file was written. An empty list shows its "nothing" message and writes
    // nothing. True when the file was written (and printed).
    bool ausgeben(const Listenergebnis& e, bool drucken, const QString& ordner, const Drucker& drucker);

    // The laundry rule: "XX" on the departure day, "X" when n (days since arrival) is a
    // positive whole multiple of the interval, else empty. An interval of 0 or less never
    // comes due before the departure day.
    static QString waeschewechsel(const QDate& von, const QDate& bis, const QDate& d, int intervall);

    // The meal summary of a list's records (Gästezahl and Anz_Kinder of each).
    static QString mahlzeitenUebersicht(const QList<QPair<int, int>>& gaesteUndKinder);

private:
    QList<QHash<QString, QString>> lesen(const QString& bedingung, const QVariantList& werte, const QString& sortierung, Tagesliste l);
    Listenergebnis fertig(Tagesliste l, QList<QHash<QString, QString>> saetze, const QString& titel, const QString& vonWann,
                          const QString& bisWann);

    Database& db_;
    Dialogs& dialogs_;
    Listeneinstellungen e_;
};

}  // namespace tav
