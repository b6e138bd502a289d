#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <QTest>
#include <memory>

#include "platform/ScriptedDialogs.h"
#include "store/Beispieldaten.h"
#include "support/DatabaseFixture.h"

namespace tav::test {

// Both master-data windows on the sample database.
class StammFensterFixture : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        beispiel_ = open(QStringLiteral("Beispiel.mdb"));
        beispiel_->setDurable(false);
        beispieldaten::anlegen(*beispiel_, QDate(2024, 7, 1));
    }
    void TearDown() override {
        beispiel_.reset();
        DatabaseFixture::TearDown();
    }
    static QStringList spalte(QAbstractItemModel& m, int c) {
        QStringList out;
        for (int r = 0; r < m.rowCount(); ++r) out << m.data(m.index(r, c)).toString();
        return out;
    }
    static void kopfKlick(QTableView* grid, int spalte) {
        QHeaderView* kopf = grid->horizontalHeader();
        QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, QPoint(kopf->sectionViewportPosition(spalte) + 5, 5));
    }
    static void zeileKlick(QTableView* grid, int zeile) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(zeile, 0)).center());
    }
    // Every column header and every cell of the first row can be read in full.
    static void nichtsAbgeschnitten(QTableView* grid) {
        const QFontMetrics fm(grid->font());
        for (int c = 0; c + 1 < grid->model()->columnCount(); ++c) {
            const QString kopf = grid->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_GE(grid->columnWidth(c), fm.horizontalAdvance(kopf)) << qPrintable(kopf);
        }
    }

    std::unique_ptr<Database> beispiel_;
    ScriptedDialogs dialogs_;
};

}  // namespace tav::test
