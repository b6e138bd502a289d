#pragma once

#include <QDate>
#include <QString>

namespace tav::generator {

// A realistic hotel history for tests, benchmarks and demonstrations: rooms, booking kinds,
// guests with German names and towns, about 70 % occupancy without overlaps, waiting-position
// bookings, seasons, VAT keys, articles, invoices with their links and items, payments, and the
// settings rows a new database gets. The same seed, end and reference day give the same data.
struct Options {
    int rooms = 70;
    int years = 10;
    quint64 seed = 1;
    QDate until;  // last day of the history; invalid = 31 December of the year after the reference day's
    QDate today;  // reference day for checked-in, settled and offer states; invalid = the clock's
};

struct Summary {
    int rooms = 0;
    int addresses = 0;
    int bookings = 0;
    int waiting = 0;
    int invoices = 0;
    int confirmations = 0;
    int items = 0;
    int payments = 0;
    QDate from;
    QDate until;
};

// Fills the database set in folder (creating the files that are missing). Refuses a set that
// already holds bookings or settings, so that no data is ever overwritten. Throws DatabaseError.
Summary generate(const QString& folder, const Options& options);

}  // namespace tav::generator
