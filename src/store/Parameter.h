#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace tav {

class Database;

// One row of tblParameter: the key Satz and the text fields F1 … F28 (Null kept as Null).
struct ParameterRow {
    QString satz;
    QList<QVariant> fields;  // fields[0] is F1

    // Field n (1-based) as text; the default when the field is Null or missing.
    QString text(int n, const QString& fallback = {}) const;
    // Field n read as a number the way the program reads numbers: the leading digits (with
    // sign and decimal comma or point); text that does not start with a number reads as 0.
    double number(int n, double fallback = 0) const;
    int integer(int n, int fallback = 0) const;
    bool isNull(int n) const;
};

// The settings table tblParameter and the text blocks of tblTexte: rows by key, yes/no
// values ("Ja" is the only yes), the plan column labels and the general one-value lookup.
class Parameter {
public:
    explicit Parameter(Database& db) : db_(db) {}

    std::optional<ParameterRow> read(const QString& satz) const;
    // Writes the given fields (1-based numbers) of a row, creating the row when it is missing.
    void write(const QString& satz, const QList<QPair<int, QVariant>>& fields);

    // Only the value 1 (a ticked check box) writes "Ja"; everything else writes "Nein".
    void saveYesNo(const QString& satz, int value);
    // True only when the row exists and F1 is exactly "Ja".
    bool readYesNo(const QString& satz) const;

    // F1 … F5 of "Beschriftungen"; "Bezeichnung" when the row or the field is missing.
    QString columnLabel(const QString& field) const;

    // "Select <fields> FROM <table> Where <keyField> = <value>;" — the first row's first value.
    // The key value is bound, never spliced; table and field names are the program's own.
    QVariant lookup(const QString& fields, const QString& table, const QString& keyField, const QVariant& keyValue) const;

    // tblTexte by Textbaustein; empty text when missing.
    QString text(const QString& baustein) const;
    bool hasText(const QString& baustein) const;
    void writeText(const QString& baustein, const QString& inhalt);

private:
    Database& db_;
};

namespace farbe {
// Colours are 0x00BBGGRR. Brightening adds the amount to each channel, each limited to 255.
quint32 brighten(quint32 colour, int amount);
quint32 rgb(int red, int green, int blue);
int red(quint32 colour);
int green(quint32 colour);
int blue(quint32 colour);
// The nights Friday to Saturday and Saturday to Sunday ("Farben" F10, F11) without a colour of
// their own: the free colour brightened by this one amount, for both nights.
inline constexpr int kWochenendeHeller = 40;
// The system colour of the menu bar, used for empty attribute cells.
inline constexpr quint32 kMenuBar = 0x80000004u;
}  // namespace farbe

}  // namespace tav
