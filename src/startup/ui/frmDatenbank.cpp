#include "startup/ui/frmDatenbank.h"

#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/WindowParts.h"
#include "store/Variablen.h"

namespace tav {

QLineEdit* frmDatenbank::pfadFeld(const QString& name, const QString& beispiel, const QString& hilfe) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setReadOnly(true);  // paths come only from the file dialog
    edit->setPlaceholderText(beispiel);
    edit->setToolTip(hilfe);
    edit->setMinimumWidth(420);
    return edit;
}

frmDatenbank::frmDatenbank(Variablen& v, Dialogs& dialogs, SettingsStore& settings, QWidget* parent)
    : QDialog(parent), logik_(v, dialogs, settings) {
    setObjectName(QStringLiteral("frmDatenbank"));
    setWindowTitle(QStringLiteral("Pfade einstellen"));

    txtDatenbankAktuell_ = pfadFeld(QStringLiteral("txtDatenbankAktuell"), QStringLiteral("z.B. C:\\Tavomera\\Tavomera.mdb"),
                                    QStringLiteral("Access Datenbank mit demselben Namen wie das aktuelle Programm und der Endung .mdb."));
    txtZentrale_ = pfadFeld(QStringLiteral("txtZentrale"), QStringLiteral("z.B. C:\\Tavomera\\Zentral.mdb"),
                            QStringLiteral("Gemeinsame Daten (Zentral.mdb)"));
    txtExcelSicherung_ =
        pfadFeld(QStringLiteral("txtExcelSicherung"), QStringLiteral("z.B. C:\\Programme\\Tavomera\\Sicherungen\\Tavomera.mdb"),
                 QStringLiteral("Wählen Sie ein Verzeichnis, in das die Datenbanken gesichert werden sollen"));
    txtDBPfadAlt_ = new QLineEdit(this);
    txtDBPfadAlt_->setObjectName(QStringLiteral("txtDBPfadAlt"));
    txtDBPfadAlt_->setVisible(false);

    auto button = [this](const QString& name, const QString& text) { return parts::button(name, text, {}, this); };
    QPushButton* cmdAendern = button(QStringLiteral("cmdÄndern"), QStringLiteral("Datenbankpfad wählen"));
    QPushButton* cmdAendernZentral = button(QStringLiteral("cmdÄndernZentral"), QStringLiteral("Datenbankpfad wählen"));
    QPushButton* cmdAendernExcel = button(QStringLiteral("cmdÄndernExcel"), QStringLiteral("Datenbankpfad wählen"));
    for (QPushButton* b : {cmdAendern, cmdAendernZentral, cmdAendernExcel}) b->setToolTip(QStringLiteral("Datenbankpfad wählen"));

    lblQuelle_ = new QLabel(this);
    lblQuelle_->setObjectName(QStringLiteral("lblQuelle"));
    lblZentrale_ = new QLabel(this);
    lblZentrale_->setObjectName(QStringLiteral("lblZentrale"));
    auto* lblSicherung = new QLabel(QStringLiteral("Datensicherung"), this);

    auto* pfade = new QGroupBox(QStringLiteral("Datenbanken"), this);
    auto* grid = new QGridLayout(pfade);
    grid->setColumnStretch(1, 1);
    grid->addWidget(lblQuelle_, 0, 0);
    grid->addWidget(txtDatenbankAktuell_, 0, 1);
    grid->addWidget(cmdAendern, 0, 2);
    grid->addWidget(lblZentrale_, 1, 0);
    grid->addWidget(txtZentrale_, 1, 1);
    grid->addWidget(cmdAendernZentral, 1, 2);
    grid->addWidget(lblSicherung, 2, 0);
    grid->addWidget(txtExcelSicherung_, 2, 1);
    grid->addWidget(cmdAendernExcel, 2, 2);
    auto* hinweis = new QLabel(QStringLiteral("Wählen Sie ein Verzeichnis, in das die Datenbanken gesichert werden sollen"), pfade);
    hinweis->setEnabled(false);
    grid->addWidget(hinweis, 3, 1, 1, 2);

    chBeispieldaten_ = new QCheckBox(QStringLiteral("Beispieldaten anzeigen"), this);
    chBeispieldaten_->setObjectName(QStringLiteral("chBeispieldaten"));

    QPushButton* cmdName = button(QStringLiteral("cmdName"), QStringLiteral("&Namen für diese Anwendung vergeben"));
    QPushButton* cmdSchliessen = button(QStringLiteral("cmdSchliessen"), QStringLiteral("&Speichern und Programm öffnen"));
    QPushButton* cmdEnde = button(QStringLiteral("cmdEnde"), QStringLiteral("Programm be&enden"));
    QPushButton* cmdAbbrechen = button(QStringLiteral("cmdAbbrechen"), QStringLiteral("Abbrechen"));
    cmdSchliessen->setDefault(true);

    auto* unten = new QHBoxLayout;
    unten->addWidget(cmdName);
    unten->addStretch(1);
    unten->addWidget(cmdSchliessen);
    unten->addWidget(cmdEnde);
    unten->addWidget(cmdAbbrechen);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pfade);
    layout->addWidget(chBeispieldaten_);
    layout->addWidget(txtDBPfadAlt_);
    layout->addLayout(unten);

    logik_.laden();
    anzeigen();
    txtDBPfadAlt_->setText(logik_.dbPfadAlt());

    connect(cmdAendern, &QPushButton::clicked, this, [this] {
        if (logik_.aendern()) anzeigen();
    });
    connect(cmdAendernZentral, &QPushButton::clicked, this, [this] {
        if (logik_.aendernZentral()) anzeigen();
    });
    connect(cmdAendernExcel, &QPushButton::clicked, this, [this] {
        if (logik_.aendernExcel()) anzeigen();
    });
    connect(chBeispieldaten_, &QCheckBox::toggled, this, [this](bool an) { logik_.setBeispieldaten(an); });
    connect(cmdName, &QPushButton::clicked, this, [this] { logik_.nameVergeben(); });
    connect(cmdSchliessen, &QPushButton::clicked, this, [this] {
        if (!logik_.speichernUndStarten()) return;
        gespeichert_ = true;
        accept();
        emit gespeichert();
    });
    connect(cmdEnde, &QPushButton::clicked, this, [this] {
        beenden_ = true;
        reject();
        emit beenden();
    });
    connect(cmdAbbrechen, &QPushButton::clicked, this, &QDialog::reject);
    // Closed without saving (Abbrechen, the close box, Escape): nothing is kept.
    connect(this, &QDialog::rejected, this, [this] {
        if (!beenden_) logik_.abbrechen();
    });
}

void frmDatenbank::anzeigen() {
    lblQuelle_->setText(logik_.beschriftungQuelle());
    lblZentrale_->setText(logik_.beschriftungZentrale());
    txtDatenbankAktuell_->setText(QDir::toNativeSeparators(logik_.datenbankAktuell()));
    txtZentrale_->setText(QDir::toNativeSeparators(logik_.zentrale()));
    txtExcelSicherung_->setText(QDir::toNativeSeparators(logik_.excelSicherung()));
    const QSignalBlocker block(chBeispieldaten_);
    chBeispieldaten_->setChecked(logik_.beispieldaten());
}

}  // namespace tav
