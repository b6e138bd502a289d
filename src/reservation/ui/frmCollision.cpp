#include "reservation/ui/frmCollision.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/Dates.h"
#include "platform/ui/WindowParts.h"

namespace tav {

namespace {

QLabel* kopf(const QString& text) {
    auto* l = new QLabel(text);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

}  // namespace

frmCollision::frmCollision(CollisionLogik& pruefung, QWidget* parent) : QDialog(parent), pruefung_(pruefung) {
    setObjectName(QStringLiteral("frmCollision"));
    setWindowTitle(QStringLiteral("Überschneidung"));
    setModal(true);

    auto* layout = new QVBoxLayout(this);

    lblUeberschrift_ = new QLabel(pruefung_.ueberschrift());
    lblUeberschrift_->setObjectName(QStringLiteral("lblÜberschrift"));
    lblUeberschrift_->setWordWrap(true);
    QFont fett = lblUeberschrift_->font();
    fett.setBold(true);
    lblUeberschrift_->setFont(fett);

    // ---- the new booking ----
    auto* neuBox = new QGroupBox(QStringLiteral("Neue Reservierung"));
    auto* neuGrid = new QGridLayout(neuBox);
    const NeueBuchung& neu = pruefung_.neu();
    const auto feld = [](const QString& name, const QString& text, bool nurLesen) {
        auto* e = new QLineEdit(text);
        e->setObjectName(name);
        e->setReadOnly(nurLesen);
        return e;
    };
    txtKuerzel_ = feld(QStringLiteral("txtKürzel"), neu.kuerzel, true);
    txtVon_ = feld(QStringLiteral("txtVon"), neu.von, false);
    txtBis_ = feld(QStringLiteral("txtBis"), neu.bis, false);
    txtBezeichnungNeu_ = feld(QStringLiteral("txtBezeichnungNeu"), neu.zimmer, true);
    txtVon_->setToolTip(QStringLiteral("Anreisedatum der neuen Reservierung"));
    txtBis_->setToolTip(QStringLiteral("Abreisedatum der neuen Reservierung"));
    txtVon_->setMaxLength(10);
    txtBis_->setMaxLength(10);
    neuGrid->addWidget(new QLabel(QStringLiteral("Kurzinfo")), 0, 0);
    neuGrid->addWidget(txtKuerzel_, 0, 1);
    neuGrid->addWidget(new QLabel(QStringLiteral("Zimmer")), 0, 2);
    neuGrid->addWidget(txtBezeichnungNeu_, 0, 3);
    neuGrid->addWidget(new QLabel(QStringLiteral("Von")), 1, 0);
    neuGrid->addWidget(txtVon_, 1, 1);
    neuGrid->addWidget(new QLabel(QStringLiteral("Bis")), 1, 2);
    neuGrid->addWidget(txtBis_, 1, 3);
    neuGrid->setColumnStretch(1, 1);
    neuGrid->setColumnStretch(3, 1);
    connect(txtVon_, &QLineEdit::textEdited, this, [this](const QString& t) { pruefung_.datumGeaendert(true, t); });
    connect(txtBis_, &QLineEdit::textEdited, this, [this](const QString& t) { pruefung_.datumGeaendert(false, t); });

    // ---- the colliding bookings ----
    auto* altBox = new QGroupBox(QStringLiteral("Vorhandene Reservierungen"));
    auto* grid = new QGridLayout(altBox);
    grid->setHorizontalSpacing(18);
    grid->addWidget(kopf(QStringLiteral("Kurzinfo")), 0, 0);
    grid->addWidget(kopf(QStringLiteral("Von")), 0, 1);
    grid->addWidget(kopf(QStringLiteral("Bis")), 0, 2);
    grid->addWidget(kopf(QStringLiteral("Verschieben nach")), 0, 3);
    grid->addWidget(kopf(QStringLiteral("Warteposition")), 0, 4);
    for (int i = 0; i < kZeilen; ++i) {
        Zeile z;
        z.lblKuerzel = new QLabel;
        z.lblKuerzel->setObjectName(QStringLiteral("lblKürzel_%1").arg(i));
        z.lblKuerzel->setMinimumWidth(150);
        z.lblVon = new QLabel;
        z.lblVon->setObjectName(QStringLiteral("lblVon_%1").arg(i));
        z.lblBis = new QLabel;
        z.lblBis->setObjectName(QStringLiteral("lblBis_%1").arg(i));
        z.cboBez = new QComboBox;
        z.cboBez->setObjectName(QStringLiteral("cboBez_%1").arg(i));
        z.cboBez->setMinimumWidth(130);
        z.cboBez->setToolTip(QStringLiteral("Zimmer, in das die vorhandene Reservierung verschoben wird"));
        z.chkLoeschen = new QCheckBox(QStringLiteral("warten"));
        z.chkLoeschen->setObjectName(QStringLiteral("chkLöschen_%1").arg(i));
        grid->addWidget(z.lblKuerzel, i + 1, 0);
        grid->addWidget(z.lblVon, i + 1, 1);
        grid->addWidget(z.lblBis, i + 1, 2);
        grid->addWidget(z.cboBez, i + 1, 3);
        grid->addWidget(z.chkLoeschen, i + 1, 4);
        connect(z.cboBez, &QComboBox::currentIndexChanged, this, [this, i] { zielGewaehlt(i); });
        connect(z.chkLoeschen, &QCheckBox::toggled, this, [this, i](bool an) { wartenGeaendert(i, an); });
        zeilen_ << z;
    }
    scrColli_ = new QScrollBar(Qt::Vertical);
    scrColli_->setObjectName(QStringLiteral("scrColli"));
    const int anzahl = int(pruefung_.liste().size());
    scrColli_->setRange(0, qMax(0, anzahl - kZeilen));
    scrColli_->setPageStep(kZeilen);
    scrColli_->setSingleStep(1);
    scrColli_->setVisible(anzahl > kZeilen);
    grid->addWidget(scrColli_, 1, 5, kZeilen, 1);
    grid->setColumnMinimumWidth(5, scrColli_->sizeHint().width());  // the columns stay put without it
    grid->setColumnStretch(0, 1);
    connect(scrColli_, &QScrollBar::valueChanged, this, [this](int v) {
        erste_ = v;
        zeilenZeigen();
    });

    // ---- the decision ----
    using parts::button;
    cmdOK_ = button(QStringLiteral("cmdOK"), QStringLiteral("&OK"),
                    QStringLiteral("Vorhandene Reservierungen wie gewählt verschieben und die neue Reservierung speichern"));
    cmdAendern_ = button(QStringLiteral("cmdÄndern"), QStringLiteral("Ä&ndern"),
                         QStringLiteral("Neue Reservierung ändern, um alle anderen Reservierungen beizubehalten"));
    cmdAbbrechen_ = button(QStringLiteral("cmdAbbrechen"), QStringLiteral("&Abbrechen"),
                           QStringLiteral("Neue Reservierung verwerfen, um alle anderen Reservierungen beizubehalten"));
    cmdWarten_ = button(QStringLiteral("cmdWarten"), QStringLiteral("&Warteposition"),
                        QStringLiteral("Verschiebt die neue Reservierung in die Warteposition."));
    cmdWarten_->setEnabled(!neu.blockbuchung);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, [this] {
        pruefung_.cmdOK();
        accept();
    });
    connect(cmdAendern_, &QPushButton::clicked, this, [this] {
        pruefung_.cmdÄndern();
        reject();
    });
    connect(cmdAbbrechen_, &QPushButton::clicked, this, [this] {
        pruefung_.cmdAbbrechen();
        reject();
    });
    connect(cmdWarten_, &QPushButton::clicked, this, [this] {
        pruefung_.cmdWarten();
        accept();
    });
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(cmdOK_);
    knoepfe->addWidget(cmdAendern_);
    knoepfe->addWidget(cmdAbbrechen_);
    knoepfe->addWidget(cmdWarten_);

    layout->addWidget(lblUeberschrift_);
    layout->addWidget(neuBox);
    layout->addWidget(altBox);
    layout->addLayout(knoepfe);
    zeilenZeigen();
    setMinimumWidth(640);
}

void frmCollision::zeilenZeigen() {
    const QList<Kollision>& liste = pruefung_.liste();
    for (int i = 0; i < kZeilen; ++i) {
        Zeile& z = zeilen_[i];
        const int index = erste_ + i;
        const bool da = index < liste.size();
        for (QWidget* w : {static_cast<QWidget*>(z.lblKuerzel), static_cast<QWidget*>(z.lblVon), static_cast<QWidget*>(z.lblBis),
                           static_cast<QWidget*>(z.cboBez), static_cast<QWidget*>(z.chkLoeschen)})
            w->setVisible(da);
        if (!da) continue;
        const Kollision& k = liste[index];
        z.lblKuerzel->setText(k.kuerzel);
        z.lblKuerzel->setToolTip(k.tooltip());
        z.lblVon->setText(dates::longDate(k.von));
        z.lblBis->setText(dates::longDate(k.bis));
        {
            const QSignalBlocker sperre(z.cboBez);
            z.cboBez->clear();
            z.cboBez->addItem(QString());
            z.cboBez->addItems(k.freieZimmer);
            z.cboBez->setCurrentIndex(qMax(0, z.cboBez->findText(k.zielLabel)));
            z.cboBez->setEnabled(!k.freieZimmer.isEmpty());
        }
        {
            const QSignalBlocker sperre(z.chkLoeschen);
            z.chkLoeschen->setChecked(k.warten);
            z.chkLoeschen->setEnabled(!k.blockbuchung);
            z.chkLoeschen->setToolTip(k.blockbuchung
                                          ? QStringLiteral("Reservierungen einer Blockbuchung können nicht in die Warteposition.")
                                          : QStringLiteral("Vorhandene Reservierung in die Warteposition verschieben"));
        }
    }
}

void frmCollision::zielGewaehlt(int zeile) { pruefung_.zielZimmerWaehlen(erste_ + zeile, zeilen_[zeile].cboBez->currentText()); }

void frmCollision::wartenGeaendert(int zeile, bool an) { pruefung_.wartenSetzen(erste_ + zeile, an); }

void QtKollisionsDialog::zeigen(CollisionLogik& pruefung) {
    if (!pruefung.beimLaden()) return;
    frmCollision dialog(pruefung, parent_);
    dialog.exec();
}

}  // namespace tav
