#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include "reservation/SaisonLogik.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tav {

// The rows of ctrflexzustand: season, start, end. A click on a column header sorts by it,
// alternately ascending and descending; dates sort as dates.
class SaisonModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setSaisons(QList<Saison> saisons);
    const QList<Saison>& saisons() const { return saisons_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

private:
    QList<Saison> saisons_;
    int spalte_ = 1;
    Qt::SortOrder ordnung_ = Qt::AscendingOrder;
};

// The season editor ("Saisonzeiten"): the list of seasons and the fields of one season.
// Opened from the main window's "Saison&zeiten festlegen". A statement that fails (a lock held
// elsewhere, a read-only file) shows a German message naming the file; the window stays open
// with what was typed.
class frmSaison : public QDialog {
    Q_OBJECT
public:
    frmSaison(Database& db, Dialogs& dialogs, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, QWidget* parent);

    SaisonLogik& logik() { return logik_; }
    SaisonModell& modell() { return modell_; }

    QTableView* ctrflexzustand;
    QComboBox* txtName;
    QLineEdit* txtVon;
    QLineEdit* txtBis;
    QLineEdit* txtID;
    QPushButton* CmdNeueDaten;
    QPushButton* cmdSpeichern;
    QPushButton* cmdLöschen;
    QPushButton* cmdSchliessen;

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fuellen();   // the grid from the database, keeping the sort order
    void anzeigen();  // the fields from the logic
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Dialogs& dialogs_;
    SaisonLogik logik_;
    SaisonModell modell_;
    QLabel* lblHilfe_ = nullptr;
    bool anzeigen_ = false;
};

}  // namespace tav
