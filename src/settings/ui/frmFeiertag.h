#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include "settings/FeiertagLogik.h"

class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QTableView;

namespace tav {

// The rows of ctrflexzustand: the hidden key, "Feiertag", "Datum".
class FeiertagModell : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void setFeiertage(QList<Feiertag> liste);
    const QList<Feiertag>& feiertage() const { return liste_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    QList<Feiertag> liste_;
};

// The holidays form ("Feiertage"): the list, the fields of one holiday, and the import of
// the holiday database of the program folder. A statement that fails shows a German message
// naming the file; the form stays open with what was typed.
class frmFeiertag : public QDialog {
    Q_OBJECT
public:
    // quelle: the holiday database "Feiertag.mdb" of the program folder.
    frmFeiertag(Database& db, Dialogs& dialogs, const QString& quelle, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, const QString& quelle, QWidget* parent);

    FeiertagLogik& logik() { return logik_; }
    FeiertagModell& modell() { return modell_; }

    QMenuBar* menue;
    QTableView* ctrflexzustand;
    QLineEdit* txtName;
    QLineEdit* txtKurzbezeichnung;
    QPushButton* CmdNeueDaten;
    QPushButton* cmdSpeichern;
    QPushButton* cmdLöschen;
    QPushButton* cmdImport;
    QPushButton* cmdSchliessen;

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fuellen();
    void anzeigen();
    void neu();
    void speichern();
    void loeschen();
    void importieren();
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Dialogs& dialogs_;
    FeiertagLogik logik_;
    FeiertagModell modell_;
    QString quelle_;
    QLabel* lblHilfe_ = nullptr;
    FeiertagLogik::Sortierung sortierung_ = FeiertagLogik::Sortierung::Datum;
    bool absteigend_ = false;
};

}  // namespace tav
