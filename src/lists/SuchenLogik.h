#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

#include "lists/Listenspalten.h"

namespace tav {

class Database;
class Dialogs;

// The selection modes of the booking list; Alle is the plain list.
enum class Auswahl { Alle, AlleMitChecked, Anreise, Abreise, Kundennummer, Offene };

// What the list shows: period, filter texts, selection mode and sort order.
struct Listenabfrage {
    int zeitraum = 0;    // index in the period box
    QStringList filter;  // the 28 filter texts ("" = no filter)
    Auswahl auswahl = Auswahl::Alle;
    QDate tag;             // the day of an arrival or departure selection
    QString kundennummer;  // the customer number pattern ("*" for missing parts)
    int sortSpalte = 0;    // 1 … 28; 0 = by arrival
    bool absteigend = false;
};

// The WHERE clause built from an Listenabfrage, with its bound values; hinweise names the
// filter texts that could not be used (those columns filter nothing).
struct Bedingung {
    QString sql;      // " WHERE … ORder by …"
    QString wo;       // the conditions alone, joined by AND ("" = every booking)
    QString ordnung;  // " ORder by …
    QVariantList werte;
    QStringList hinweise;
};

// One shown row of the booking list: the 28 texts and the keys behind them.
struct Listenzeile {
    int id = 0;
    int gastId = 0;
    int rechnungsadresseId = 0;
    QStringList werte;  // 28 texts
};

// The logic of the booking list frmSuchen: the period box, the recompute of Abg_Temp, the
// filter rules of every column, the selection modes, sorting, captions and widths of the
// columns, and the three maintenance commands.
class SuchenLogik {
public:
    SuchenLogik(Database& db, Dialogs& dialogs);

    static inline const QString kTitelPflege = QStringLiteral("Datenpflege");
    static inline const QString kKeineDaten = QStringLiteral("Keine Daten gefunden");
    static inline const QString kWiederholen = QStringLiteral("Bitte wiederholen Sie die Eingabe.");

    // ---- the period box ----
    // "Alle", "1 Woche" … "4 Wochen", "1 Monat", "2 Monate" … "12 Monate", "1 Jahr", "2 Jahre" …
    static QStringList zeitraeume();
    // Its item data: 0, weeks 1 … 4, then months.
    static int zeitraumWert(int index);
    // The earliest departure the period keeps; none for "Alle".
    static std::optional<QDate> zeitraumGrenze(int index, const QDate& heute);
    // The stored period ("AnzeigeSuchen" F1), and "als Vorgabe speichern".
    int gespeicherterZeitraum() const;
    void zeitraumSpeichern(int index);

    // Sets Abg_Temp of every booking: "Nein" when it still has something to settle, else "Ja".
    // Only rows whose value changes are written.
    void abgTempNeuBerechnen();

    // ---- the query ----
    static Bedingung bedingung(const Listenabfrage& a, const QStringList& beschriftungen, const QDate& heute);
    // The IDs of the shown bookings in list order.
    QList<int> ids(const Listenabfrage& a, const QStringList& beschriftungen, const QDate& heute, QStringList* hinweise = nullptr);
    // The rows of the given bookings, in the order given.
    QList<Listenzeile> zeilen(const QList<int>& ids);

    // ---- captions and widths ----
    // The 28 captions; a missing "SpaltenBeschriftung" row is created with the defaults.
    QStringList beschriftungen(const QString& zimmer, const QString& art);
    // "Überschriften ändern" for column n (1 … 28): asks for the new caption; true when stored.
    bool beschriftungAendern(int n, const QString& aktuell);
    // The 28 stored widths (twips, 0 = hidden) from "Spaltenbreiten"; missing ones get the default.
    QList<int> breiten();
    void breitenSpeichern(const QList<int>& breiten);

    // ---- selection modes that ask ----
    // Asks for the day of an arrival (or departure) selection until a date or an empty answer.
    std::optional<QDate> tagAbfragen(bool abreise, const QString& vorgabe = {});
    std::optional<QString> kundennummerAbfragen();
    bool offeneBestaetigen();

    // ---- maintenance ----
    bool gaesteAuschecken();
    bool alteAbrechnen();
    bool statusZuruecksetzen();
    // After a refresh found nothing: true when the user wants all filters removed.
    bool leerAlleFilterEntfernen();

private:
    std::optional<int> tageAbfragen(const QString& frage, const QString& vorgabe);

    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
