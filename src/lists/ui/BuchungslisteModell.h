#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QStringList>
#include <functional>

#include "lists/SuchenLogik.h"

namespace tav {

// The rows of the booking list, read lazily: the model holds only the IDs of the query's
// result in list order and reads the shown rows in pages, keeping a few pages in a cache. Row 0
// is the filter row ("Filter"), in which the user types one filter text per column; the
// bookings follow from row 1.
class BuchungslisteModell : public QAbstractTableModel {
    Q_OBJECT
public:
    static constexpr int kSeite = 64;             // rows read at once
    static constexpr int kSeitenImSpeicher = 12;  // pages kept

    // Reads the rows of the given bookings in that order; may throw DatabaseError.
    using Leser = std::function<QList<Listenzeile>(const QList<int>&)>;

    explicit BuchungslisteModell(Leser leser, QObject* parent = nullptr);

    void setzen(QList<int> ids);
    void setBeschriftungen(const QStringList& beschriftungen);
    void setFilter(const QStringList& filter);
    const QStringList& filter() const { return filter_; }
    const QStringList& beschriftungen() const { return beschriftungen_; }

    int anzahl() const { return int(ids_.size()); }
    const QList<int>& ids() const { return ids_; }
    // The booking behind a row of the view (0 for the filter row); nullptr when it cannot be read.
    const Listenzeile* zeile(int row) const;

    // How many rows were read from the database since the last setzen() (for the benchmark and
    // the test that scrolling reads no more than the visible rows and the cache).
    qint64 gelesen() const { return gelesen_; }
    // Rows held in the cache now.
    int imSpeicher() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

signals:
    // A page could not be read; the rows stay empty and the message names the file.
    void lesefehler(const QString& meldung) const;

private:
    const QList<Listenzeile>* seite(int nummer) const;

    Leser leser_;
    QList<int> ids_;
    QStringList beschriftungen_;
    QStringList filter_;
    mutable QHash<int, QList<Listenzeile>> seiten_;
    mutable QList<int> reihenfolge_;  // pages by last use, oldest first
    mutable qint64 gelesen_ = 0;
};

}  // namespace tav
