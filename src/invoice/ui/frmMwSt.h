#pragma once

#include <QDialog>

#include "invoice/MwStLogik.h"
#include "invoice/ui/Stammfenster.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tav {

class Database;
class Dialogs;

// The VAT window ("Mehrwertsteuer"): the grid of all VAT keys, the fields of one (rate, last
// valid day, successor, standard), and the buttons new, save, delete, close. A statement that fails shows a German message naming the file;
// the grid stays as it was and the fields keep what was typed.
class frmMwSt : public QDialog {
    Q_OBJECT
public:
    frmMwSt(Database& db, Dialogs& dialogs, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, QWidget* parent);

    MwStLogik& logik() { return logik_; }
    StammModell& modell() { return modell_; }

    QTableView* ctrflexMwSt;
    QLineEdit* txtName;
    QLineEdit* txtGueltigBis;
    MwStListeFeld* cboMwStNachfolger;
    QCheckBox* chStandard;
    QPushButton* CmdNeueDaten;
    QPushButton* cmdSpeichern;
    QPushButton* cmdLöschen;
    QPushButton* cmdSchliessen;

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fuellen();
    void anzeigen();

    Dialogs& dialogs_;
    MwStLogik logik_;
    StammModell modell_;
    bool anzeigen_ = false;
    std::function<void()> fuellen_;
};

}  // namespace tav
