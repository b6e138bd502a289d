#include "reservation/ui/frmWeitere.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <initializer_list>

namespace tav {

frmWeitere::frmWeitere(Database& db, Dialogs& dialogs, int buchungId, QWidget* parent) : QDialog(parent), logik_(db, dialogs) {
    setObjectName(QStringLiteral("frmWeitere"));
    setWindowTitle(QStringLiteral("Weitere Personen der Reservierung"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(3);
    const QStringList kopf = {QStringLiteral("Auswahl"), QStringLiteral("Anrede"), QStringLiteral("Name"), QStringLiteral("Vorname"),
                              QStringLiteral("Straße"),  QStringLiteral("PLZ"),    QStringLiteral("Ort"),  QStringLiteral("Land")};
    for (int c = 0; c < kopf.size(); ++c) grid->addWidget(new QLabel(kopf[c]), 0, c);

    const QStringList anreden = logik_.anreden();
    const QStringList laender = logik_.laender();
    for (int r = 0; r < WeitereLogik::kSichtbareZeilen; ++r) {
        Zeile z;
        z.txtAuswahl = new QLineEdit;
        z.txtAuswahl->setReadOnly(true);
        z.txtAuswahl->setFixedWidth(48);
        z.txtAuswahl->setToolTip(QStringLiteral("Klicken Sie hier, um die Person auszuwählen."));
        z.txtAuswahl->installEventFilter(this);
        z.cboAnrede = new QComboBox;
        z.cboAnrede->setEditable(true);
        z.cboAnrede->addItems(anreden);
        z.cboAnrede->setMinimumWidth(90);
        z.txtName = new QLineEdit;
        z.txtVorname = new QLineEdit;
        z.txtStrasse = new QLineEdit;
        z.txtPLZ = new QLineEdit;
        z.txtPLZ->setFixedWidth(60);
        z.txtOrt = new QLineEdit;
        z.cboLand = new QComboBox;
        z.cboLand->setEditable(true);
        z.cboLand->addItems(laender);
        z.cboLand->setMinimumWidth(110);
        z.txtName->setMinimumWidth(120);
        z.txtStrasse->setMinimumWidth(140);
        const QList<QWidget*> felder = {z.txtAuswahl, z.cboAnrede, z.txtName, z.txtVorname, z.txtStrasse, z.txtPLZ, z.txtOrt, z.cboLand};
        for (int c = 0; c < felder.size(); ++c) grid->addWidget(felder[c], r + 1, c);
        for (QLineEdit* e : {z.txtName, z.txtVorname, z.txtStrasse, z.txtPLZ, z.txtOrt}) {
            e->installEventFilter(this);
            connect(e, &QLineEdit::textEdited, this, [this] {
                if (!fuellen_) logik_.geaendert();
            });
        }
        for (QComboBox* c : {z.cboAnrede, z.cboLand}) {
            c->lineEdit()->installEventFilter(this);
            connect(c, &QComboBox::currentTextChanged, this, [this] {
                if (!fuellen_) logik_.geaendert();
            });
        }
        zeilen_ << z;
    }
    scrColli_ = new QScrollBar(Qt::Vertical);
    scrColli_->setObjectName(QStringLiteral("scrColli"));
    grid->addWidget(scrColli_, 1, kopf.size(), WeitereLogik::kSichtbareZeilen, 1);
    connect(scrColli_, &QScrollBar::valueChanged, this, [this] {
        uebernehmen();
        anzeigen();
    });

    cmdReservieren = new QPushButton(QStringLiteral("&Speichern"));
    cmdReservieren->setObjectName(QStringLiteral("cmdReservieren"));
    cmdReservieren->setToolTip(
        QStringLiteral("Speichert alle Einträge, die im Feld Namen einen Eintrag haben und löscht vorhandene "
                       "Einträge, wenn das Feld 'Name' leer ist."));
    cmdAdressSpeichern = new QPushButton(QStringLiteral("Auswahl als &Adresse speichern"));
    cmdAdressSpeichern->setObjectName(QStringLiteral("cmdAdressSpeichern"));
    cmdAdressSpeichern->setToolTip(QStringLiteral("Speichert die ausgewählten Personen als Adressen."));
    cmdAlleSpeichern = new QPushButton(QStringLiteral("Alle als Adressen spei&chern"));
    cmdAlleSpeichern->setObjectName(QStringLiteral("cmdAlleSpeichern"));
    cmdAlleSpeichern->setToolTip(QStringLiteral("Speichert alle Personen mit Namen als Adressen."));
    cmdLöschen = new QPushButton(QStringLiteral("Auswahl &löschen"));
    cmdLöschen->setObjectName(QStringLiteral("cmdLöschen"));
    cmdLöschen->setToolTip(QStringLiteral("Löscht die ausgewählten Personen."));
    cmdAbbrechen = new QPushButton(QStringLiteral("S&chließen"));
    cmdAbbrechen->setObjectName(QStringLiteral("cmdAbbrechen"));
    cmdAbbrechen->setToolTip(QStringLiteral("Schließt dieses Formular und aktualisiert die Einträge in der Adressauswahl."));

    connect(cmdReservieren, &QPushButton::clicked, this, [this] {
        uebernehmen();
        logik_.speichern();
        anzeigen();
    });
    connect(cmdAdressSpeichern, &QPushButton::clicked, this, [this] {
        uebernehmen();
        logik_.alsAdressenSpeichern(false);
        anzeigen();
    });
    connect(cmdAlleSpeichern, &QPushButton::clicked, this, [this] {
        uebernehmen();
        logik_.alsAdressenSpeichern(true);
        anzeigen();
    });
    connect(cmdLöschen, &QPushButton::clicked, this, [this] {
        uebernehmen();
        logik_.loeschen();
        anzeigen();
    });
    connect(cmdAbbrechen, &QPushButton::clicked, this, &QDialog::close);

    lblHilfe_ =
        new QLabel(QStringLiteral("Klicken Sie in das Feld 'Auswahl', um Personen für das Speichern als Adresse "
                                  "oder für das Löschen auszuwählen."));
    lblHilfe_->setWordWrap(true);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdReservieren, cmdAdressSpeichern, cmdAlleSpeichern, cmdLöschen}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(cmdAbbrechen);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(lblHilfe_);
    layout->addLayout(buttons);

    logik_.laden(buchungId);
    scrColli_->setRange(0, logik_.scrollMaximum());
    scrColli_->setPageStep(WeitereLogik::kSichtbareZeilen);
    anzeigen();
}

void frmWeitere::anzeigen() {
    fuellen_ = true;
    const int erste = scrColli_->value();
    ersteAngezeigte_ = erste;
    for (int r = 0; r < zeilen_.size(); ++r) {
        const Zeile& w = zeilen_[r];
        const int i = erste + r;
        const bool vorhanden = i < logik_.zeilen().size();
        const GastZeile leer;
        const GastZeile& z = vorhanden ? logik_.zeilen()[i] : leer;
        w.txtAuswahl->setText(z.markiert ? WeitereLogik::kMarke : QString());
        w.cboAnrede->setCurrentText(z.anrede);
        w.txtName->setText(z.name);
        w.txtVorname->setText(z.vorname);
        w.txtStrasse->setText(z.strasse);
        w.txtPLZ->setText(z.plz);
        w.txtOrt->setText(z.ort);
        w.cboLand->setCurrentText(z.land);
        for (QWidget* f : std::initializer_list<QWidget*>{w.txtAuswahl, w.cboAnrede, w.txtName, w.txtVorname, w.txtStrasse, w.txtPLZ,
                                                          w.txtOrt, w.cboLand})
            f->setVisible(vorhanden);
    }
    fuellen_ = false;
}

void frmWeitere::uebernehmen() {
    const int erste = ersteAngezeigte_;
    for (int r = 0; r < zeilen_.size(); ++r) {
        const int i = erste + r;
        if (i >= logik_.zeilen().size()) break;
        const Zeile& w = zeilen_[r];
        GastZeile& z = logik_.zeilen()[i];
        z.anrede = w.cboAnrede->currentText().trimmed();
        z.name = w.txtName->text();
        z.vorname = w.txtVorname->text();
        z.strasse = w.txtStrasse->text();
        z.plz = w.txtPLZ->text();
        z.ort = w.txtOrt->text();
        z.land = w.cboLand->currentText().trimmed();
    }
}

void frmWeitere::feldVerlassen(QObject* feld) {
    for (int r = 0; r < zeilen_.size(); ++r) {
        const Zeile& w = zeilen_[r];
        for (QLineEdit* e : {w.txtName, w.txtVorname, w.txtStrasse, w.txtPLZ, w.txtOrt, w.cboAnrede->lineEdit(), w.cboLand->lineEdit()}) {
            if (e != feld) continue;
            const QString ausgeglichen = WeitereLogik::anfuehrungszeichenAusgleichen(e->text());
            if (ausgeglichen != e->text()) e->setText(ausgeglichen);
            if (e == w.cboLand->lineEdit() && !logik_.landPruefen(e->text())) {
                w.cboLand->setCurrentText(QStringLiteral("Deutschland"));
                w.cboLand->setFocus();
            }
            uebernehmen();
            return;
        }
    }
}

bool frmWeitere::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        for (int r = 0; r < zeilen_.size(); ++r) {
            if (watched != zeilen_[r].txtAuswahl) continue;
            uebernehmen();
            logik_.markieren(ersteAngezeigte_ + r);
            anzeigen();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        feldVerlassen(watched);
    }
    return QDialog::eventFilter(watched, event);
}

void frmWeitere::closeEvent(QCloseEvent* event) {
    if (!geschlossen_) {
        uebernehmen();
        logik_.schliessen();
        geschlossen_ = true;
    }
    event->accept();
}

}  // namespace tav
