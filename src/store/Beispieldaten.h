#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

namespace tav {

class Database;

// The contents of the shipped databases: the sample database (a small guest house with its
// guests and bookings around the day it is made) and the reference database with the public
// holidays and a sample of postcodes.
namespace beispieldaten {

// Easter Sunday of a year (Gregorian calendar).
QDate ostersonntag(int jahr);
// The public holidays kept throughout Germany, in date order.
QList<QPair<QDate, QString>> feiertage(int jahr);

// Adds the holidays of the years to tbFeiertage (keys continue after the largest); a date that
// is there already is left alone.
void feiertageAnlegen(Database& db, int vonJahr, int bisJahr);
// Fills tbPLZ with a sample of German postcodes and their places.
void postleitzahlenAnlegen(Database& db);

// Fills a database that holds every table itself: the rooms, kinds, texts and settings of a new
// database, tariffs, seasons and room prices, VAT keys, articles, payment kinds, countries,
// salutations, holidays, about 60 guest addresses and about 150 bookings around stichtag. The
// first booking (in table order) arrives on stichtag, so that the sample-data shift moves the
// bookings around the day it is run.
void anlegen(Database& db, const QDate& stichtag);

}  // namespace beispieldaten
}  // namespace tav
