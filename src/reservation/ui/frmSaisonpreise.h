#pragma once

#include <QDialog>
#include <array>

#include "reservation/SaisonpreiseLogik.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tav {

// The room price editor ("Saisonpreise"): one room's prices per night for the four seasons.
// The room is chosen in cboZimmer, so that the settings dialog can open it for any room. A
// statement that fails shows a German message naming the file; the window keeps what was typed.
class frmSaisonpreise : public QDialog {
    Q_OBJECT
public:
    // zimmer: the room shown first (0: the first room).
    frmSaisonpreise(Database& db, Dialogs& dialogs, int zimmer = 0, QWidget* parent = nullptr);
    static void oeffnen(Database& db, Dialogs& dialogs, int zimmer, QWidget* parent);

    SaisonpreiseLogik& logik() { return logik_; }

    QComboBox* cboZimmer;
    QLineEdit* txtHaupt;
    QLineEdit* txtZwischen;
    QLineEdit* txtNeben;
    QLineEdit* txtSonder;
    QLabel* lblStandard;
    QPushButton* cmdSpeichern;
    QPushButton* cmdSchliessen;

protected:
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void anzeigen();
    QLineEdit* box(SaisonpreiseLogik::Feld f) const;
    template <typename F>
    bool geschuetzt(const QString& was, F&& tun);

    Dialogs& dialogs_;
    SaisonpreiseLogik logik_;
    QLabel* lblHilfe_ = nullptr;
    bool anzeigen_ = false;
};

}  // namespace tav
