#pragma once

#include <QChar>
#include <QList>
#include <QString>
#include <array>

namespace tav {

class Database;
class Dialogs;

struct ZimmerWahl {
    int nummer = 0;
    QString label;  // NeueNummer
};

// The room price editor frmSaisonpreise as logic: the four season prices of one room
// (txtHaupt, txtZwischen, txtNeben, txtSonder), shown "#,##0.00", an empty box for no price.
class SaisonpreiseLogik {
public:
    enum Feld { Haupt, Zwischen, Neben, Sonder };

    SaisonpreiseLogik(Database& db, Dialogs& dialogs) : db_(db), dialogs_(dialogs) {}

    // The rooms to choose from, in room order.
    QList<ZimmerWahl> zimmer() const;
    // Shows the prices of a room; asks about unsaved changes of the room shown before (false
    // when the user stays with it).
    bool laden(int zimmer);
    int geladen() const { return zimmer_; }
    double standardpreis() const { return standard_; }  // PreisDefault, shown for information

    const QString& text(Feld f) const { return texte_[size_t(f)]; }
    void setText(Feld f, const QString& text);
    bool geaendert() const { return geaendert_; }

    // The boxes take digits and ",".
    static bool tasteErlaubt(QChar c);
    // Leaving a box: a text that is no amount is refused with its message.
    bool pruefen(Feld f);
    // Stores the four prices; an empty box stores no price (the season then uses PreisDefault).
    bool speichern();
    // Closing: with unsaved changes asks whether to save. False when the window stays open.
    bool schliessen();

private:
    bool aenderungenSichern();

    Database& db_;
    Dialogs& dialogs_;
    int zimmer_ = 0;
    double standard_ = 0;
    std::array<QString, 4> texte_;
    bool geaendert_ = false;
};

}  // namespace tav
