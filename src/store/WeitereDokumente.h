#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "store/clsPfade.h"

namespace tav {

class Database;
class Dialogs;
class SettingsStore;
class Shell;

// The menu "Weitere Dokumente" of the reservation form and of the booking list: five entries
// that open files the user chose, each optionally after writing the current address into the
// file's folder as the mail-merge data file adresse.doc, and the command that sets one entry up.
class WeitereDokumente {
public:
    // Which five entries of clsPfade the menu shows.
    enum class Menue { Reservierung, Buchungsliste };
    static constexpr int kAnzahl = 5;

    // Writes the data file of the current address into a folder; returns the file's path, or
    // an empty text when there is no address or the file could not be written.
    using Adressexport = std::function<QString(const QString& ordner)>;

    // Every file can be chosen; the filter shows as "Alle Dateien (*.*)".
    static inline const QString kDateifilter = QStringLiteral("Alle Dateien|*.*|");

    WeitereDokumente(Database& db, SettingsStore& settings, Dialogs& dialogs, Shell& shell, Menue menue = Menue::Reservierung);

    struct Eintrag {
        QString name;
        QString pfad;
        bool exportieren = false;
        // An entry without a file cannot open anything: its menu entry is disabled.
        bool moeglich() const { return !pfad.isEmpty(); }
    };
    // The five entries for the menu. When the settings rows cannot be read, a message names
    // the file once and the entries keep their default names and their paths.
    QList<Eintrag> eintraege();

    // "Pfade festlegen": number, name, file and export choice, asked in this order; stored
    // together at the end. An empty answer (or Cancel) to any question ends without storing
    // anything; a number outside 1 … 5 is refused with a message and asked again.
    // True when an entry was stored (the menu shows the new name then).
    bool pfadeFestlegen();

    // Choosing entry nummer (1 … 5): with the export choice "Ja" the address data file is
    // written into the document's folder first (and the outcome reported), then the document
    // opens with the program the system associates with it. False when it could not be opened.
    bool oeffnen(int nummer, const Adressexport& adressexport);

    // The clsPfade entry behind menu entry nummer (1 … 5).
    int eintragsnummer(int nummer) const { return menue_ == Menue::Reservierung ? nummer : nummer + kAnzahl; }

private:
    Database& db_;
    SettingsStore& settings_;
    Dialogs& dialogs_;
    Shell& shell_;
    clsPfade pfade_;
    Menue menue_;
};

}  // namespace tav
