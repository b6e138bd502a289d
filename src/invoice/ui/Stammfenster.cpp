#include "invoice/ui/Stammfenster.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

void StammModell::setZeilen(QList<StammZeile> zeilen) {
    beginResetModel();
    zeilen_ = std::move(zeilen);
    endResetModel();
}

int StammModell::zeileVon(int id) const {
    for (int r = 0; r < zeilen_.size(); ++r)
        if (zeilen_[r].id == id) return r;
    return -1;
}

int StammModell::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(zeilen_.size()); }

int StammModell::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(spalten_.size()); }

QVariant StammModell::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= zeilen_.size() || index.column() >= spalten_.size()) return {};
    const StammZeile& z = zeilen_[index.row()];
    if (role == Qt::DisplayRole) return z.werte.value(index.column());
    if (role == Qt::UserRole) return z.id;
    return {};
}

QVariant StammModell::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= spalten_.size()) return {};
    return spalten_[section];
}

MwStListeFeld::MwStListeFeld(const QString& name, MwStAuswahl& auswahl, Dialogs& dialogs, std::function<void()> geaendert)
    : auswahl_(auswahl), dialogs_(dialogs), geaendert_(std::move(geaendert)) {
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setToolTip(QStringLiteral("Wählen Sie einen Steuersatz aus der Liste. F3 ändert den gewählten Steuersatz, F2 entfernt ihn."));
}

void MwStListeFeld::fuellen(const QString& text) {
    const QSignalBlocker still(this);
    clear();
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Steuersätze konnten nicht gelesen werden."), [&] {
        for (const MwStEintrag& e : auswahl_.liste()) addItem(e.text(), e.id);
    });
    setCurrentIndex(findText(text));
    setEditText(text);
}

int MwStListeFeld::gewaehlteId() const { return currentIndex() >= 0 ? itemData(currentIndex()).toInt() : 0; }

void MwStListeFeld::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F2 || event->key() == Qt::Key_F3) {
        const int id = gewaehlteId();
        if (id == 0) {
            dialogs_.message(MwStAuswahl::kNichtInListe);
            return;
        }
        const QString text = currentText();
        bool geaendert = false;
        datenbankGeschuetzt(dialogs_, QStringLiteral("Der Steuersatz konnte nicht geändert werden."),
                            [&] { geaendert = event->key() == Qt::Key_F3 ? auswahl_.aendern(id, text) : auswahl_.entfernen(id); });
        if (geaendert) {
            fuellen(event->key() == Qt::Key_F3 ? text : QString());
            if (geaendert_) geaendert_();
        }
        return;
    }
    QComboBox::keyPressEvent(event);
}

void MwStListeFeld::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    const QString text = currentText();
    if (text.trimmed().isEmpty() || findText(text) >= 0) return;
    dialogs_.message(MwStAuswahl::kNichtInListe);
    setEditText(QString());
}

QTableView* stammGrid(const QString& name, StammModell* modell) {
    QTableView* v = parts::resultGrid(name, modell);
    v->horizontalHeader()->setSectionsClickable(true);
    v->horizontalHeader()->setSortIndicatorShown(true);
    v->setToolTip(
        QStringLiteral("Klicken Sie auf eine Zeile, um sie zu bearbeiten. Ein Klick auf eine Spaltenüberschrift sortiert nach "
                       "dieser Spalte, ein zweiter Klick kehrt die Reihenfolge um."));
    return v;
}

}  // namespace tav
