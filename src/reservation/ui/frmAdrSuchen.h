#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QDialog>

#include "reservation/AdrSuchenLogik.h"
#include "store/Fenster.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tav {

// The rows of ctrFlexAdresse: an empty first column, then last name, first name, street and
// place, all left-aligned. The address ID of a row is its Qt::UserRole.
class AdrTrefferModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setTreffer(QList<AdrTreffer> treffer);
    const QList<AdrTreffer>& treffer() const { return treffer_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<AdrTreffer> treffer_;
};

// The quick address search ("Schnellsuche Adressen"): opened from the main window's menu or by
// typing a character on the plan. The reservation form and the account overview of an address
// are opened through the window service; a button whose window is not there is disabled. A
// failed statement shows a German message naming the file, and the search stays usable.
class frmAdrSuchen : public QDialog {
    Q_OBJECT
public:
    // suchwort: the character typed on the plan, taken as the start of the search word.
    frmAdrSuchen(Database& db, Dialogs& dialogs, Fenster& fenster, const QString& suchwort = {}, QWidget* parent = nullptr);

    // Opens the search modally and returns when it closed.
    static void oeffnen(Database& db, Dialogs& dialogs, Fenster& fenster, const QString& suchwort, QWidget* parent);

    // The address ID of the chosen row; 0 when none.
    int gewaehlteAdresse() const;
    AdrTrefferModell& modell() { return modell_; }

    QLineEdit* txtSuchwort;
    QCheckBox* chNachname;
    QCheckBox* chVorname;
    QCheckBox* chStrasse;
    QCheckBox* chOrt;
    QPushButton* cmdVorgabe;
    QTableView* ctrFlexAdresse;
    QPushButton* cmdResOeffnen;
    QPushButton* cmdNeueRes;
    QPushButton* cmdUebersicht;
    QPushButton* cmdSchliessen;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void suchen();
    void resOeffnen();
    void neueRes();
    void uebersicht(int adressId);
    SuchFelder felder() const;
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Dialogs& dialogs_;
    Fenster& fenster_;
    AdrSuchenLogik logik_;
    AdrTrefferModell modell_;
    QLabel* lblHilfe_ = nullptr;
};

}  // namespace tav
