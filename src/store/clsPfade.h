#pragma once

#include <QString>

namespace tav {

class Database;
class SettingsStore;

// The paths the program keeps: the database paths of the settings store and the user-defined
// documents of the "Weitere Dokumente" menus. A document entry k (1 … 10) has its menu name in
// field Fk of the settings row "Menünamen", its yes/no export choice ("Ja"/"Nein") in field Fk
// of "Menü_Export" and its file path in the settings value "strpfad<k>". Entries 1 … 5 belong
// to the reservation form, entries 6 … 10 to the booking list.
class clsPfade {
public:
    static inline const QString kMenuenamen = QStringLiteral("Menünamen");
    static inline const QString kMenueExport = QStringLiteral("Menü_Export");
    static constexpr int kEintraege = 10;

    struct Dokument {
        QString name;              // the menu entry's text
        QString pfad;              // the file; empty while none is chosen
        bool exportieren = false;  // write the current address into the file's folder first
    };

    clsPfade(Database& db, SettingsStore& settings) : db_(db), settings_(settings) {}

    // The key property: the name of the settings value DBPfad reads ("Pfad", "BeispielPfad").
    QString schluessel;
    // The settings value named by schluessel; empty text when it is not set.
    QString DBPfad() const;

    // The entry k (1 … kEintraege). A missing or empty name reads as "Dokument n", n counted
    // within the entry's menu (1 … 5); a missing export choice reads as "Nein".
    // Throws DatabaseError when the settings rows cannot be read.
    Dokument Pfadfinden(int eintrag) const;
    // Stores the entry: both settings rows in one transaction, then the path. Nothing is
    // stored when the rows cannot be written (DatabaseError).
    void Pfadsetzen(int eintrag, const Dokument& dokument);

    static QString standardName(int eintrag);
    static QString pfadName(int eintrag) { return QStringLiteral("strpfad%1").arg(eintrag); }

private:
    Database& db_;
    SettingsStore& settings_;
};

}  // namespace tav
