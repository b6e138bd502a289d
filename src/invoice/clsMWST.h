#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

namespace tav {

class Database;
class Dialogs;

// One entry of a document's rate table: a rate valid on the document date with the VAT and
// the net of the lines booked at that rate, unrounded (geld:: rounds them when printed).
struct MwStZeile {
    int id = 0;  // the key that brought the rate
    double satz = 0;
    double mwst = 0;
    double netto = 0;
};

// Net and VAT of one gross amount.
struct MwStAnteil {
    double netto = 0;
    double mwst = 0;
};

// The VAT keys of tbSteuerschluessel: which keys are valid on a date, the standard rate, the
// rate a key stands for on a date along its successors and predecessors, and the split of gross
// amounts into net and VAT per rate. All prices are gross.
//
// A key is valid on D when (GUeltigBis is Null or ≥ D) and (GUeltigseit is Null or ≤ D).
// Amounts are doubles and are never rounded per line: the rate table keeps the exact sums, and
// geld::text() / geld::runden() turn them into cents when printed or stored.
class clsMWST {
public:
    static inline const QString kSeparator = QString(QChar(186));
    static inline const QString kKeinStandard = QStringLiteral("Der Standardmehrwertsteuersatz konnte nicht angelegt werden.");
    static inline const QString kKeinGueltiger =
        QStringLiteral("Achtung!! Es wurde kein gültiger Steuersatz gefunden. Bitte überprüfen Sie die Einstellungen der Mehrwertsteuer.");
    static inline const QString kKreis = QStringLiteral(
        "Die Nachfolger der Mehrwertsteuersätze führen im Kreis. Bitte überprüfen Sie die Einstellungen der Mehrwertsteuer.");

    clsMWST(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // The keys valid on datum, ordered by rate descending, joined by the character 186. When no
    // key is valid the default key (16 %, standard, open-ended) is inserted first. With
    // heutigesDatum the rate table is filled anew (every valid rate, sums 0) and the standard
    // rate remembered. Empty text with kKeinStandard when even the default cannot be found.
    QString AktuelleMwStErmitteln(bool heutigesDatum, const QDate& datum);
    // Inserts the default key: 16 %, standard, no validity dates, key LetzteNummer() + 1.
    void MwStAnlegen();
    // An item uses the key, an article uses it, or another key names it as successor.
    bool MWSTInGebrauch(int idSteuer);
    // Max(IDSteuerschluessel); 0 for an empty table.
    int LetzteNummer();
    // The standard key valid on datum (highest rate first if several); nullopt when none.
    std::optional<int> IDMwSTStandardVonDatum(const QDate& datum);
    // The standard rate valid on datum in percent; nullopt when no standard key is valid.
    std::optional<double> MwSTSSatztandardVonDatum(const QDate& datum);
    // Walks from the key to its predecessor (key not yet valid) or successor (key expired)
    // until a key is valid on datum: true and gefundenerSatz() holds its rate. A missing key or
    // a chain that ends gives false; a chain that comes back to a key it passed gives false
    // with kKreis, so that a loop never hangs.
    bool GueltigerMwstSatzFinden(int idSteuerschluessel, const QDate& datum);
    std::optional<double> gefundenerSatz() const { return gefunden_; }
    // The key whose IDNachfolger is id.
    std::optional<int> vorgaenger(int id);

    // The rate table of the last AktuelleMwStErmitteln(true, …), ordered by rate descending.
    const QList<MwStZeile>& satzTabelle() const { return tabelle_; }
    std::optional<double> standardSatz() const { return standard_; }
    // Books one line: splits brutto at satz and adds net and VAT to that rate's entry (a rate
    // missing from the table is added in its place by rate descending).
    void zeileBuchen(double brutto, double satz);
    // A discount of p percent of the net total scales every entry's net and VAT.
    void rabattAnwenden(double prozent);
    double mwstSumme() const;
    double nettoSumme() const;

    // net = g / (100 + r) × 100; VAT = g − net.
    static MwStAnteil aufteilen(double brutto, double satz);
    // A gross discount amount turned into a net amount at rate r: amount / (100 + r) × 100.
    static double bruttoRabattZuNetto(double betrag, double satz);

private:
    struct Schluessel {
        int id = 0;
        double satz = 0;
        QDate seit, bis;
        std::optional<int> nachfolger;
    };
    std::optional<Schluessel> lesen(int id);
    QString gueltigeAbfrage(const QString& felder) const;

    Database& db_;
    Dialogs& dialogs_;
    QList<MwStZeile> tabelle_;
    std::optional<double> standard_;
    std::optional<double> gefunden_;
};

}  // namespace tav
