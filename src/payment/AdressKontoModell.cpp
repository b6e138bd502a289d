#include "payment/AdressKontoModell.h"

#include <QDate>
#include <algorithm>

namespace tav {

namespace {

// A value that sorts: dates and numbers by their value, text without regard to case.
bool kleiner(const QVariant& a, const QVariant& b) {
    if (a.isNull() || b.isNull()) return a.isNull() && !b.isNull();
    if (a.typeId() == QMetaType::QDate && b.typeId() == QMetaType::QDate) return a.toDate() < b.toDate();
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString().compare(b.toString(), Qt::CaseInsensitive) < 0;
    return a.toDouble() < b.toDouble();
}

}  // namespace

AdressKontoModell::AdressKontoModell(QStringList spalten, QSet<int> rechts, QObject* parent)
    : QAbstractTableModel(parent), spalten_(std::move(spalten)), rechts_(std::move(rechts)) {}

void AdressKontoModell::setZeilen(QList<KontoZeile> zeilen) {
    beginResetModel();
    zeilen_ = std::move(zeilen);
    endResetModel();
}

const KontoZeile* AdressKontoModell::zeile(int row) const { return row >= 0 && row < zeilen_.size() ? &zeilen_[row] : nullptr; }

int AdressKontoModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(zeilen_.size()); }

int AdressKontoModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(spalten_.size()); }

QVariant AdressKontoModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= zeilen_.size() || index.column() >= spalten_.size()) return {};
    const KontoZeile& z = zeilen_[index.row()];
    if (role == Qt::DisplayRole) return index.column() < z.texte.size() ? z.texte[index.column()] : QString();
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(
            Qt::Alignment(rechts_.contains(index.column()) ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

QVariant AdressKontoModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= spalten_.size()) return {};
    return spalten_[section];
}

void AdressKontoModell::kopfGeklickt(int column) {
    const bool auf = !aufsteigend_.value(column, false);
    aufsteigend_[column] = auf;
    sort(column, auf ? Qt::AscendingOrder : Qt::DescendingOrder);
}

void AdressKontoModell::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= spalten_.size()) return;
    emit layoutAboutToBeChanged();
    // Groups move as a whole; a row outside a group is a group of its own.
    QList<QList<KontoZeile>> gruppen;
    for (const KontoZeile& z : zeilen_) {
        if (z.gruppe >= 0 && !gruppen.isEmpty() && gruppen.last().first().gruppe == z.gruppe)
            gruppen.last() << z;
        else
            gruppen << QList<KontoZeile>{z};
    }
    const auto wert = [column](const QList<KontoZeile>& g) {
        return column < g.first().sortierung.size() ? g.first().sortierung[column] : QVariant();
    };
    std::stable_sort(gruppen.begin(), gruppen.end(), [&](const QList<KontoZeile>& a, const QList<KontoZeile>& b) {
        return order == Qt::AscendingOrder ? kleiner(wert(a), wert(b)) : kleiner(wert(b), wert(a));
    });
    zeilen_.clear();
    for (const QList<KontoZeile>& g : gruppen) zeilen_ << g;
    changePersistentIndexList(persistentIndexList(), QModelIndexList(persistentIndexList().size()));
    emit layoutChanged();
}

}  // namespace tav
