#pragma once

#include <QAbstractTableModel>
#include <QComboBox>
#include <functional>

#include "invoice/Stammdaten.h"

class QTableView;

namespace tav {

class Dialogs;

// The rows of a master-data grid as the logic returns them, in the logic's order. A click on a
// column header asks the logic for the other order (sortieren) and shows the rows anew.
class StammModell : public QAbstractTableModel {
    Q_OBJECT
public:
    StammModell(QStringList spalten, QObject* parent) : QAbstractTableModel(parent), spalten_(std::move(spalten)) {}
    void setZeilen(QList<StammZeile> zeilen);
    const QList<StammZeile>& zeilen() const { return zeilen_; }
    int zeileVon(int id) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QStringList spalten_;
    QList<StammZeile> zeilen_;
};

// A VAT choice list (cboMwSt, cboMwStNachfolger): the rates of all keys, highest first; F3
// changes the selected key's rate to the typed one, F2 removes the selected key; leaving it
// with a rate that is not in the list is refused. geaendert runs after F2/F3 changed a key.
class MwStListeFeld : public QComboBox {
    Q_OBJECT
public:
    MwStListeFeld(const QString& name, MwStAuswahl& auswahl, Dialogs& dialogs, std::function<void()> geaendert);
    // Fills the list anew and shows text.
    void fuellen(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int gewaehlteId() const;

    MwStAuswahl& auswahl_;
    Dialogs& dialogs_;
    std::function<void()> geaendert_;
};

// The grid of a master-data window: one row at a time, header clicks sort through the logic.
QTableView* stammGrid(const QString& name, StammModell* modell);

}  // namespace tav
