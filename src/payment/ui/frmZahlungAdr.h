#pragma once

#include <QDialog>

#include "payment/AdressKontoModell.h"
#include "payment/ZahlungAdrLogik.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTableView;

namespace tav {

class Fenster;

// The account of one address "Reservierungen, Rechnungen, Zahlungen, nicht abgerechnete
// Posten": four tabs over virtual grids with their sums, the option for further persons, the
// menus and the double-click actions into the reservation form, the invoice overview and the
// payments window (through the window service; an entry whose window is not there is
// disabled). Every rule is in ZahlungAdrLogik; a failed statement is named with its file and
// the window stays open.
class frmZahlungAdr : public QDialog {
    Q_OBJECT
public:
    frmZahlungAdr(Database& db, Dialogs& dialogs, Fenster& fenster, int adresse, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, Fenster& fenster, int adresse, QWidget* parent);

    ZahlungAdrLogik& logik() { return logik_; }

    QLabel* lblUeberschrift = nullptr;
    QTabWidget* tabKonto = nullptr;
    QTableView* ctrFlexBelegung = nullptr;
    QTableView* ctrFlexRechnungen = nullptr;
    QTableView* ctrflexZahlung = nullptr;
    QTableView* ctrFlexZahlungOhne = nullptr;
    QTableView* flexOffene = nullptr;
    QLineEdit* txtSumBelegungen = nullptr;
    QLineEdit* txtSumRechnung = nullptr;
    QLineEdit* txtSumZahlRechnung = nullptr;
    QLineEdit* txtDiffRechZahl = nullptr;
    QLineEdit* txtSumZahlungRechnung = nullptr;
    QLineEdit* txtSumZahlungOhne = nullptr;
    QLineEdit* txtSumOffenPosten = nullptr;
    QCheckBox* chWeitere = nullptr;
    QPushButton* cmdVorgabe = nullptr;
    QPushButton* cmdSchliessen = nullptr;
    QAction* mnuSchliessen = nullptr;
    QAction* mnuReservierung = nullptr;
    QAction* mnuRechnung = nullptr;
    QAction* mnuZahlung = nullptr;
    QAction* mnuStatus = nullptr;

protected:
    void done(int r) override;

private:
    void anzeigen();
    void menueAktualisieren();
    QTableView* aktivesGrid() const;
    const KontoZeile* gewaehlt() const;
    void ausfuehren(ZahlungAdrLogik::Eintrag e);
    void doppelklick(QTableView* grid);
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Database& db_;
    Dialogs& dialogs_;
    Fenster& fenster_;
    ZahlungAdrLogik logik_;
    AdressKontoModell belegungen_;
    AdressKontoModell rechnungen_;
    AdressKontoModell zahlungenMit_;
    AdressKontoModell zahlungenOhne_;
    AdressKontoModell offene_;
    QMenu* kontext_ = nullptr;
    QLabel* lblHilfe_ = nullptr;
    bool tabWechsel_ = false;
};

}  // namespace tav
