#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

#include <QStringList>
#include "platform/DataFile.h"

namespace tav::allgdat {

// The data file of every daily list, "allgdat.doc" in the program folder: the field names of
// the list's layout, the captions, then one line per booking; fields separated by ";", every
// line ended by CR LF, UTF-8 with a byte order mark (as the address data file).
inline const QString kDateiname = QStringLiteral("allgdat.doc");

enum class Layout { A, B, C, W };

// Which captions line 2 carries.
enum class Kopf {
    Mahlzeit,    // "Frühstücksliste", "Halbpension", "Vollpension": layout A
    Tagesliste,  // layout B
    Abendessen,  // layout C
    Sonstige,    // lunch and the prints of the booking list: layout A
    Waesche,     // the laundry list: layout W
};

// The layout and caption set a list title selects (the laundry list has its own builder).
Kopf kopfFuerTitel(const QString& titel);
Layout layoutVon(Kopf kopf);

// The field names of a layout, in order.
QStringList feldnamen(Layout layout);

// Line 1 and line 2 as they are built, each ended by "~".
QString zeile1(Kopf kopf);
QString zeile2(Kopf kopf, const QString& zimmer, const QString& art, const QString& titel, const QString& vonWann, const QString& bisWann);

// Fields written in double quotes (remarks and information).
bool freitext(const QString& feld);

// One record: field name -> value. A record line in the layout's order, ended by "~".
QString datensatz(Layout layout, const QHash<QString, QString>& werte);

// The file contents: the built string split at "~", empty pieces left out, each line ended by
// CR LF.
DataFile datei(const QString& aufgebaut);
QByteArray inhalt(const QString& aufgebaut);

// Writes the file atomically; false when it could not be written.
bool schreiben(const QString& pfad, const DataFile& datei);

}  // namespace tav::allgdat
