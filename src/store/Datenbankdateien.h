#pragma once

#include <QString>
#include <QStringList>

namespace tav::dbfiles {

// The database files of one installation, named per instance number: instance 0 uses
// Tavomera.mdb, Zentral.mdb, Beispiel.mdb and Lokal.mdb; instances 1 and 2 put their digit in
// place of the last letter (Tavomer1.mdb, Zentra1.mdb, Beispie1.mdb, Loka1.mdb).
struct FileNames {
    QString working;
    QString central;
    QString sample;
    QString link;
    static FileNames forInstance(int instance);
};

inline const QString kHolidayFile = QStringLiteral("Feiertag.mdb");

// Creates a file with the empty tables of the central database.
void createCentral(const QString& path);
// Creates a working database; it links the central tables that the booking list reads.
void createWorking(const QString& path, const QString& centralPath);
// Creates a link database whose links reach every table of both files.
void createLinkDatabase(const QString& path, const QString& workingPath, const QString& centralPath);
// Creates the reference database with the holiday and postcode tables.
void createHoliday(const QString& path);
// Creates a file that holds every table itself (the sample database).
void createComplete(const QString& path);

// Lays out the database files of an instance in folder: working, central, link and holiday
// database, and an empty-schema sample database. Existing files are kept when keepExisting is
// set, else refused. Returns the paths of the files it made.
QStringList createInstallation(const QString& folder, int instance = 0, bool keepExisting = false);

}  // namespace tav::dbfiles
