#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QList>

#include "plan/RoomList.h"

namespace tav {

class Database;
struct Variablen;

// The rooms and their nights around a start day, for the main window until the plan is drawn
// there: one row per room (1 … room count) and the waiting row, one column per night; a cell
// holds the short name of the booking that occupies that night, in the colour of its kind, the
// arrival night brightened.
class Zimmeruebersicht : public QAbstractTableModel {
    Q_OBJECT
public:
    Zimmeruebersicht(Database& db, const Variablen& v, QObject* parent = nullptr);

    void laden(const QDate& start, int tage);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The booking ID shown in a cell; 0 when the night is free.
    int buchung(int zeile, int spalte) const;
    const QDate& start() const { return start_; }

private:
    struct Zelle {
        int id = 0;
        QString kuerzel;
        int art = 0;
        bool anreise = false;
        QString zeitraum;
    };

    Database& db_;
    const Variablen& v_;
    QDate start_;
    int tage_ = 0;
    QList<Zimmer> zeilen_;
    QList<QList<Zelle>> zellen_;
};

}  // namespace tav
