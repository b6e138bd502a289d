#include "reservation/ui/frmZimmerauswahl.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tav {

frmZimmerauswahl::frmZimmerauswahl(bool freie, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmZimmerauswahl"));
    setWindowTitle(QStringLiteral("Zimmerauswahl"));

    auto* gruppe = new QGroupBox(QStringLiteral("Zimmerauswahl aus"), this);
    optAllen = new QRadioButton(QStringLiteral("&allen"), gruppe);
    optAllen->setObjectName(QStringLiteral("optAllen"));
    optAllen->setToolTip(QStringLiteral("Die Zimmerliste zeigt alle Zimmer."));
    optFreien = new QRadioButton(QStringLiteral("&freien"), gruppe);
    optFreien->setObjectName(QStringLiteral("optFreien"));
    optFreien->setToolTip(QStringLiteral("Die Zimmerliste zeigt nur die Zimmer, die im Zeitraum der Reservierung frei sind."));
    (freie ? optFreien : optAllen)->setChecked(true);
    auto* optionen = new QVBoxLayout(gruppe);
    optionen->addWidget(optAllen);
    optionen->addWidget(optFreien);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdAbbrechen = new QPushButton(QStringLiteral("Abbrechen"), this);
    cmdAbbrechen->setObjectName(QStringLiteral("cmdAbbrechen"));
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdAbbrechen, &QPushButton::clicked, this, &QDialog::reject);

    auto* knoepfe = new QHBoxLayout;
    knoepfe->addStretch(1);
    knoepfe->addWidget(cmdOK);
    knoepfe->addWidget(cmdAbbrechen);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(gruppe);
    layout->addLayout(knoepfe);
}

bool frmZimmerauswahl::freie() const { return optFreien->isChecked(); }

std::optional<bool> frmZimmerauswahl::waehlen(bool freie, QWidget* parent) {
    frmZimmerauswahl dialog(freie, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.freie();
}

}  // namespace tav
