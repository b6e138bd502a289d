#pragma once

#include <QString>

namespace tav {

class Database;

// The checks and link operations on the database files of an installation: does a file open
// with the password and hold the table expected in it, does the link database reach its
// tables, and pointing the links of the link database at the working and central database.
// The checks never throw and never show anything; they answer true or false.
namespace verknuepfung {

// The outcome of a check: a file held by another workstation's lock is not a wrong path.
enum class Pruefung { Gut, Fehlerhaft, Gesperrt };

// The file opens with the password and the table opens as a recordset.
Pruefung pruefeDatei(const QString& path, const QString& tabelle);
bool pruefeDatenbank(const QString& path, const QString& tabelle);
// Central database: tblBelegung. Working database: tblTarife.
bool pruefeZentrale(const QString& path);
bool pruefeArbeitsdatenbank(const QString& path);

// The link database opens and the join of bookings and rooms through its links opens.
Pruefung pruefeVerknuepfungsdatei(const QString& linkPath);
bool pruefeVerknuepfung(const QString& linkPath);

// Every link of the link database points at the working or the central database (the same
// files, whatever the spelling of the paths). A link database that cannot be read answers false.
bool zeigtAuf(const QString& linkPath, const QString& arbeitsPfad, const QString& zentralPfad);

// The file a link is to point at: the central database when the connect string contains
// "Zentra", else the working database. A link that points at a sample database (a file that
// holds every table itself, named sampleFileName) goes by the table's home instead, so that the
// links find their way back after the sample data were shown.
QString zielFuer(const QString& tabelle, const QString& connect, const QString& arbeitsPfad, const QString& zentralPfad,
                 const QString& sampleFileName = {});

// Whether the file holds the table itself (not through a link of its own).
bool haeltTabelle(const Database& datei, const QString& tabelle);

// Points every link of the link database (Connect not empty) at the working or the central
// database; local tables are left as they are. Links already pointing at their file are not
// touched. A table that its file does not hold yet (a file of an older version: the schema
// upgrade at start makes the table and links it) loses its link. Throws DatabaseError when a
// file cannot be opened.
void alleNeuVerknuepfen(Database& link, const QString& arbeitsPfad, const QString& zentralPfad, const QString& sampleFileName = {});

// Link table: with neu false the existing link gets the connect string of source and is
// refreshed; with neu true a new link of that name to the table of the same name in source is
// made. Does nothing when source is empty. Throws DatabaseError.
void tabelleVerknuepfen(Database& link, const QString& tabelle, bool neu, const QString& source);

// The link database has a table definition of that name.
bool tabelleVorhanden(const Database& link, const QString& tabelle);

// Same file? Compares absolute paths; case matters as it does for the file system.
bool gleicheDatei(const QString& a, const QString& b);

}  // namespace verknuepfung
}  // namespace tav
