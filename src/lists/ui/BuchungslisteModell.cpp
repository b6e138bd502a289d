#include "lists/ui/BuchungslisteModell.h"

#include <QColor>

#include "engine/DatabaseError.h"
#include "store/Datenbankfehler.h"

namespace tav {

BuchungslisteModell::BuchungslisteModell(Leser leser, QObject* parent)
    : QAbstractTableModel(parent), leser_(std::move(leser)), filter_(listen::kSpalten, QString()) {}

void BuchungslisteModell::setzen(QList<int> ids) {
    beginResetModel();
    ids_ = std::move(ids);
    seiten_.clear();
    reihenfolge_.clear();
    gelesen_ = 0;
    endResetModel();
}

void BuchungslisteModell::setBeschriftungen(const QStringList& beschriftungen) {
    beschriftungen_ = beschriftungen;
    emit headerDataChanged(Qt::Horizontal, 0, listen::kSpalten - 1);
}

void BuchungslisteModell::setFilter(const QStringList& filter) {
    filter_ = filter;
    while (filter_.size() < listen::kSpalten) filter_ << QString();
    emit dataChanged(index(0, 0), index(0, listen::kSpalten - 1));
}

const QList<Listenzeile>* BuchungslisteModell::seite(int nummer) const {
    if (auto it = seiten_.constFind(nummer); it != seiten_.constEnd()) {
        reihenfolge_.removeOne(nummer);
        reihenfolge_ << nummer;
        return &it.value();
    }
    const int von = nummer * kSeite;
    const QList<int> teil = ids_.mid(von, kSeite);
    QList<Listenzeile> zeilen;
    try {
        zeilen = leser_(teil);
        gelesen_ += teil.size();
    } catch (const DatabaseError& fehler) {
        // An empty page is kept, so that painting does not ask the locked file again and again.
        emit lesefehler(datenbankFehlertext(QStringLiteral("Die Buchungsliste konnte nicht gelesen werden."), fehler));
    }
    if (reihenfolge_.size() >= kSeitenImSpeicher) seiten_.remove(reihenfolge_.takeFirst());
    reihenfolge_ << nummer;
    return &seiten_.insert(nummer, zeilen).value();
}

const Listenzeile* BuchungslisteModell::zeile(int row) const {
    if (row < 1 || row > ids_.size()) return nullptr;
    const int i = row - 1;
    const QList<Listenzeile>* s = seite(i / kSeite);
    const int j = i % kSeite;
    if (j >= s->size() || s->at(j).id != ids_[i]) return nullptr;  // a booking deleted meanwhile
    return &s->at(j);
}

int BuchungslisteModell::imSpeicher() const {
    int n = 0;
    for (const auto& s : seiten_) n += int(s.size());
    return n;
}

int BuchungslisteModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(ids_.size()) + 1; }

int BuchungslisteModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : listen::kSpalten; }

QVariant BuchungslisteModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= listen::kSpalten) return {};
    if (index.row() == 0) {
        if (role == Qt::DisplayRole || role == Qt::EditRole) return filter_.value(index.column());
        if (role == Qt::BackgroundRole) return QColor(255, 255, 225);
        return {};
    }
    if (role != Qt::DisplayRole && role != Qt::UserRole) return {};
    const Listenzeile* z = zeile(index.row());
    if (!z) return {};
    return role == Qt::UserRole ? QVariant(z->id) : QVariant(z->werte.value(index.column()));
}

bool BuchungslisteModell::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() != 0 || role != Qt::EditRole || index.column() >= listen::kSpalten) return false;
    filter_[index.column()] = value.toString();
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags BuchungslisteModell::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.row() == 0) f |= Qt::ItemIsEditable;
    return f;
}

QVariant BuchungslisteModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return section >= 0 && section < listen::kSpalten ? beschriftungen_.value(section) : QVariant();
    if (section == 0) return QStringLiteral("Filter");
    return section >= 0 && section <= ids_.size() ? QVariant(section) : QVariant();
}

}  // namespace tav
