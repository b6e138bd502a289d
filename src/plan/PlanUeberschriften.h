#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tav {

class Database;
class Dialogs;

// The two headings of the plan: the legend heading ("Beschriftungen" F1) and the heading of
// the room column (F2). Each is chosen from a short list or typed after a right click.
class PlanUeberschriften {
public:
    PlanUeberschriften(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // feld 1: the legend heading, feld 2: the room column.
    static QStringList auswahl(int feld);
    QString lesen(int feld) const;
    void setzen(int feld, const QString& text);
    // Asks for a new heading; a text with ";" or "~" is refused with its message. Returns the
    // heading written, or nullopt when nothing changed.
    std::optional<QString> neueBezeichnung(int feld);

    // The help line over the legend.
    static QString legendenHilfe(const QString& legendeUeberschrift);

private:
    Database& db_;
    Dialogs& dialogs_;
};

}  // namespace tav
