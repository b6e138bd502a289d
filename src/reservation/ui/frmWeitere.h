#pragma once

#include <QDialog>
#include <QList>

#include "reservation/WeitereLogik.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace tav {

// The further guests of one saved booking: nine person lines at a time, a scroll bar for more,
// saving, deleting, and turning chosen persons into addresses.
class frmWeitere : public QDialog {
    Q_OBJECT
public:
    frmWeitere(Database& db, Dialogs& dialogs, int buchungId, QWidget* parent = nullptr);

    WeitereLogik& logik() { return logik_; }
    // The widgets of a visible line (0 … 8), for tests.
    struct Zeile {
        QLineEdit* txtAuswahl;
        QComboBox* cboAnrede;
        QLineEdit* txtName;
        QLineEdit* txtVorname;
        QLineEdit* txtStrasse;
        QLineEdit* txtPLZ;
        QLineEdit* txtOrt;
        QComboBox* cboLand;
    };
    const QList<Zeile>& zeilen() const { return zeilen_; }
    QScrollBar* scrColli() const { return scrColli_; }

    QPushButton* cmdReservieren;
    QPushButton* cmdAdressSpeichern;
    QPushButton* cmdAlleSpeichern;
    QPushButton* cmdLöschen;
    QPushButton* cmdAbbrechen;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void anzeigen();     // logic lines -> visible widgets, from the scroll position
    void uebernehmen();  // visible widgets -> logic lines
    void feldVerlassen(QObject* feld);

    WeitereLogik logik_;
    QList<Zeile> zeilen_;
    QScrollBar* scrColli_ = nullptr;
    QLabel* lblHilfe_ = nullptr;
    int ersteAngezeigte_ = 0;  // the logic line shown in the top widget line
    bool fuellen_ = false;
    bool geschlossen_ = false;
};

}  // namespace tav
