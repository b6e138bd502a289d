#pragma once

#include <QString>
#include <QStringList>

namespace tav {

class Database;

// The working set of rows a new database gets when the user declines the sample data: ten
// rooms (nine and the waiting row "Vorläufig"), the sender and letter text blocks, nine booking
// kinds and the settings rows the plan needs. Afterwards the plan can be shown at once.
namespace erstausstattung {

// Empties tbZusätze, tbZimmernummern, tblTexte and tbBelegArten and writes every row, through
// the main database (that is, into the files behind its links). Throws DatabaseError.
void neueDatenbankFuellen(Database& db);

// Documents are written with Word when the text block "WordProgramm" is "Ja".
bool wordInGebrauch(Database& db);

// Captions and widths (twips) of the booking list's 23 columns, rows "SpaltenBeschriftung" and
// "Spaltenbreiten" of a new database.
QStringList spaltenBeschriftungen();
QStringList spaltenBreiten();

// The names of the two sample booking kinds (kinds 1 and 2).
QString beispielArt1();
QString beispielArt2();

}  // namespace erstausstattung
}  // namespace tav
