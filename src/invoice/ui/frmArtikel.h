#pragma once

#include <QDialog>

#include "invoice/ArtikelLogik.h"
#include "invoice/ui/Stammfenster.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace tav {

class Database;
class Dialogs;

// The article window ("Artikel"): the grid of all articles, the fields of one, and the buttons
// new, save, delete, close. A statement that fails shows a German message naming the file; the
// grid stays as it was and the fields keep what was typed.
class frmArtikel : public QDialog {
    Q_OBJECT
public:
    frmArtikel(Database& db, Dialogs& dialogs, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, QWidget* parent);

    ArtikelLogik& logik() { return logik_; }
    StammModell& modell() { return modell_; }

    QTableView* ctrflexArtikel;
    QLineEdit* txtName;
    QLineEdit* txtPreis;
    MwStListeFeld* cboMwSt;
    QLineEdit* txtBemerkung;
    QCheckBox* chKeinDatum;
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
    ArtikelLogik logik_;
    StammModell modell_;
    bool anzeigen_ = false;
    std::function<void()> fuellen_;
};

}  // namespace tav
