#pragma once

#include <QAbstractTableModel>
#include <QSet>

#include "payment/AdressKonto.h"

namespace tav {

// One grid of the account over its rows, without a widget per row. A click on a column head
// sorts by that column's value (a date as a date, an amount as a number), ascending first and
// descending at the next click; rows of one group (a document with its sum rows) move together.
class AdressKontoModell : public QAbstractTableModel {
    Q_OBJECT
public:
    // rechts: the columns shown right-aligned.
    AdressKontoModell(QStringList spalten, QSet<int> rechts, QObject* parent = nullptr);

    void setZeilen(QList<KontoZeile> zeilen);
    const KontoZeile* zeile(int row) const;
    const QList<KontoZeile>& zeilen() const { return zeilen_; }
    // The sort state of the column heads: "Ja" when the last click sorted ascending.
    QString aufsteigend(int column) const { return aufsteigend_.value(column, false) ? QStringLiteral("Ja") : QStringLiteral("Nein"); }
    // A click on the head of `column`.
    void kopfGeklickt(int column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QStringList spalten_;
    QSet<int> rechts_;
    QList<KontoZeile> zeilen_;
    QHash<int, bool> aufsteigend_;
};

}  // namespace tav
