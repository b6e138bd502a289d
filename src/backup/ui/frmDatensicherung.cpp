#include "backup/ui/frmDatensicherung.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/ui/WindowParts.h"
#include "store/Datenbankfehler.h"

namespace tav {

template <typename F>
void frmDatensicherung::geschuetzt(const QString& was, F&& tun) {
    felderLesen();
    datenbankGeschuetzt(dialogs_, was, std::forward<F>(tun));
    anzeigen();
}

frmDatensicherung::frmDatensicherung(DatensicherungLogik& logik, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), logik_(logik), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmDatensicherung"));
    setWindowTitle(QStringLiteral("Datensicherung"));
    auto button = [this](const char* name, const QString& text, const QString& hilfe = {}) {
        return parts::button(QString::fromUtf8(name), text, hilfe, this);
    };

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));

    // ---- Einstellungen + Datensicherung ----
    auto* seite1 = new QWidget(tabs_);
    auto* l1 = new QVBoxLayout(seite1);
    auto* hinweis1 =
        new QLabel(QStringLiteral("Hier können Sie die Reservierungsdaten des Tavomeras und die Wordvorlagen sichern."), seite1);
    hinweis1->setWordWrap(true);
    l1->addWidget(hinweis1);

    auto* pfadBox = new QGroupBox(QStringLiteral("Pfad für die Datensicherung"), seite1);
    auto* pfadZeile = new QHBoxLayout(pfadBox);
    txtExcelSicherung_ = new QLineEdit(pfadBox);
    txtExcelSicherung_->setObjectName(QStringLiteral("txtExcelSicherung"));
    txtExcelSicherung_->setMinimumWidth(420);
    QPushButton* cmdAendernExcel = button("cmdÄndernExcel", QStringLiteral("..."), QStringLiteral("Datenbankpfad wählen"));
    cmdAendernExcel->setToolTip(QStringLiteral("Datenbankpfad wählen"));
    QPushButton* cmdPfad = button("cmdPfadSpeichern", QStringLiteral("Pfad für die Datensicherung &Speichern"));
    pfadZeile->addWidget(txtExcelSicherung_, 1);
    pfadZeile->addWidget(cmdAendernExcel);
    pfadZeile->addWidget(cmdPfad);
    l1->addWidget(pfadBox);

    auto* anzahlBox = new QGroupBox(QStringLiteral("Anzahl der Datensicherungen"), seite1);
    auto* form = new QFormLayout(anzahlBox);
    txtAnzDS_ = new QLineEdit(anzahlBox);
    txtAnzDS_->setObjectName(QStringLiteral("txtAnzDS"));
    txtAnzDS_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), txtAnzDS_));
    txtAnzDS_->setMaximumWidth(80);
    QPushButton* cmdAnzahl = button("cmdAnzahlSpeichern", QStringLiteral("An&zahl der Datensicherungen speichern"));
    auto* anzahlZeile = new QHBoxLayout;
    anzahlZeile->addWidget(txtAnzDS_);
    anzahlZeile->addWidget(cmdAnzahl);
    anzahlZeile->addStretch();
    form->addRow(QStringLiteral("Anzahl der zu speichernden Datensicherungen für Datenbanken"), anzahlZeile);
    txtAnzDSVorhanden_ = new QLineEdit(anzahlBox);
    txtAnzDSVorhanden_->setObjectName(QStringLiteral("txtAnzDSVorhanden"));
    txtAnzDSVorhanden_->setReadOnly(true);
    txtAnzDSVorhanden_->setMaximumWidth(80);
    form->addRow(QStringLiteral("Anzahl der vorhandenen Datensicherungen für Datenbanken"), txtAnzDSVorhanden_);
    l1->addWidget(anzahlBox);

    auto* befehle = new QHBoxLayout;
    QPushButton* cmdKomplett = button("cmdKomplett", QStringLiteral("&Komplette Datensicherung"));
    QPushButton* cmdWordSicherung = button("cmdWordSicherung", QStringLiteral("&Word-Dokumente sichern"));
    QPushButton* cmdDBSicherung = button("cmdDBSicherung", QStringLiteral("D&atenbanken sichern"));
    befehle->addWidget(cmdKomplett);
    befehle->addWidget(cmdWordSicherung);
    befehle->addWidget(cmdDBSicherung);
    l1->addLayout(befehle);
    l1->addStretch();
    tabs_->addTab(seite1, QStringLiteral("Einstellungen + Datensicherung"));

    // ---- Wiederherstellung von Daten ----
    auto* seite2 = new QWidget(tabs_);
    auto* l2 = new QVBoxLayout(seite2);
    auto* hinweis2 = new QLabel(
        QStringLiteral("Hier können Sie vorhandene Datensicherungen der Datenbanken und der Word-Vorlagen wiederherstellen."), seite2);
    hinweis2->setWordWrap(true);
    l2->addWidget(hinweis2);
    auto* optionen = new QHBoxLayout;
    opDB_ = new QRadioButton(QStringLiteral("Datenbanken"), seite2);
    opDB_->setObjectName(QStringLiteral("opDB"));
    opDB_->setChecked(true);
    opWord_ = new QRadioButton(QStringLiteral("Word-Dokumenten"), seite2);
    opWord_->setObjectName(QStringLiteral("opWord"));
    optionen->addWidget(opDB_);
    optionen->addWidget(opWord_);
    optionen->addStretch();
    l2->addLayout(optionen);
    auto* listen = new QHBoxLayout;
    auto* links = new QVBoxLayout;
    links->addWidget(new QLabel(QStringLiteral("vorhandene Datensicherungen"), seite2));
    List1_ = new QListWidget(seite2);
    List1_->setObjectName(QStringLiteral("List1"));
    links->addWidget(List1_);
    links->addWidget(new QLabel(QStringLiteral("Kontrolle der Auswahl"), seite2));
    txtAuswahl_ = new QLineEdit(seite2);
    txtAuswahl_->setObjectName(QStringLiteral("txtAuswahl"));
    txtAuswahl_->setReadOnly(true);
    links->addWidget(txtAuswahl_);
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(new QLabel(QStringLiteral("Inhalt des Ordners"), seite2));
    lstFile_ = new QListWidget(seite2);
    lstFile_->setObjectName(QStringLiteral("lstFile"));
    lstFile_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rechts->addWidget(lstFile_);
    listen->addLayout(links, 1);
    listen->addLayout(rechts, 1);
    l2->addLayout(listen, 1);
    auto* befehle2 = new QHBoxLayout;
    QPushButton* cmdRueckSichern = button("cmdRueckSichern", QStringLiteral("Wieder&herstellen (Inhalt des gesamten Ordners)"));
    QPushButton* cmdEinzWord = button("cmdEinzWord", QStringLiteral("Wiederherstellen ein&zelner Dateien"));
    QPushButton* cmdLoeschen = button("cmdLoeschen", QStringLiteral("Ordner &löschen"));
    befehle2->addWidget(cmdRueckSichern);
    befehle2->addWidget(cmdEinzWord);
    befehle2->addWidget(cmdLoeschen);
    l2->addLayout(befehle2);
    tabs_->addTab(seite2, QStringLiteral("Wiederherstellung von Daten"));

    auto* haupt = new QVBoxLayout(this);
    haupt->addWidget(tabs_);

    connect(cmdAendernExcel, &QPushButton::clicked, this, [this] {
        felderLesen();
        if (logik_.pfadWaehlen()) txtExcelSicherung_->setText(logik_.pfadText);
    });
    connect(cmdPfad, &QPushButton::clicked, this,
            [this] { geschuetzt(QStringLiteral("Der Pfad konnte nicht gespeichert werden."), [this] { logik_.pfadSpeichern(); }); });
    connect(txtAnzDS_, &QLineEdit::editingFinished, this, [this] {
        felderLesen();
        logik_.anzahlPruefen();
        txtAnzDS_->setText(logik_.anzahlText);
    });
    connect(cmdAnzahl, &QPushButton::clicked, this, [this] {
        geschuetzt(QStringLiteral("Die Anzahl der Datensicherungen konnte nicht gespeichert werden."),
                   [this] { logik_.anzahlSpeichern(); });
    });
    connect(cmdKomplett, &QPushButton::clicked, this,
            [this] { geschuetzt(QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden."), [this] { logik_.komplett(); }); });
    connect(cmdWordSicherung, &QPushButton::clicked, this, [this] {
        geschuetzt(QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden."), [this] { logik_.wordSichern(); });
    });
    connect(cmdDBSicherung, &QPushButton::clicked, this,
            [this] { geschuetzt(QStringLiteral("Die Datensicherung konnte nicht durchgeführt werden."), [this] { logik_.dbSichern(); }); });
    connect(List1_, &QListWidget::currentRowChanged, this, [this] { auswahlGeaendert(); });
    connect(cmdRueckSichern, &QPushButton::clicked, this, [this] {
        geschuetzt(QStringLiteral("Die Wiederherstellung ist fehlgeschlagen."),
                   [this] { logik_.wiederherstellen(List1_->currentRow(), opDB_->isChecked()); });
    });
    connect(cmdEinzWord, &QPushButton::clicked, this, [this] {
        QStringList gewaehlt;
        for (const QListWidgetItem* i : lstFile_->selectedItems()) gewaehlt << i->text();
        geschuetzt(QStringLiteral("Die Wiederherstellung ist fehlgeschlagen."),
                   [&] { logik_.einzelneWiederherstellen(List1_->currentRow(), gewaehlt); });
    });
    connect(cmdLoeschen, &QPushButton::clicked, this, [this] {
        geschuetzt(QStringLiteral("Der Ordner konnte nicht gelöscht werden."), [this] { logik_.ordnerLoeschen(List1_->currentRow()); });
    });

    anzeigen();
    resize(760, 460);
}

void frmDatensicherung::felderLesen() {
    logik_.pfadText = txtExcelSicherung_->text();
    logik_.anzahlText = txtAnzDS_->text();
}

void frmDatensicherung::anzeigen() {
    txtExcelSicherung_->setText(logik_.pfadText);
    txtAnzDS_->setText(logik_.anzahlText);
    txtAnzDSVorhanden_->setText(logik_.vorhandenText());
    listeAnzeigen();
}

void frmDatensicherung::listeAnzeigen() {
    const QString vorher = List1_->currentItem() ? List1_->currentItem()->data(Qt::UserRole).toString() : QString();
    List1_->blockSignals(true);
    List1_->clear();
    int neu = -1;
    for (const SicherungsEintrag& e : logik_.liste()) {
        auto* item = new QListWidgetItem(e.text, List1_);
        item->setData(Qt::UserRole, e.name);
        if (e.name == vorher) neu = List1_->count() - 1;
    }
    List1_->setCurrentRow(neu);
    List1_->blockSignals(false);
    auswahlGeaendert();
}

void frmDatensicherung::auswahlGeaendert() {
    const int i = List1_->currentRow();
    txtAuswahl_->setText(i >= 0 ? List1_->item(i)->text() : QString());
    lstFile_->clear();
    lstFile_->addItems(logik_.inhalt(i));
}

void frmDatensicherung::done(int r) {
    felderLesen();
    datenbankGeschuetzt(dialogs_, QStringLiteral("Die Änderungen konnten nicht gespeichert werden."), [this] { logik_.schliessen(); });
    QDialog::done(r);
}

bool frmDatensicherung::oeffnen(DatensicherungLogik& logik, Dialogs& dialogs, QWidget* parent) {
    if (!datenbankGeschuetzt(dialogs, QStringLiteral("Die Datensicherung konnte nicht geöffnet werden."), [&] { logik.laden(); }))
        return false;
    frmDatensicherung f(logik, dialogs, parent);
    f.exec();
    return logik.neustart();
}

}  // namespace tav
