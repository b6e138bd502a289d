#include "support/DatabaseFixture.h"

#include "store/Datenbankdateien.h"

namespace tav::test {

void DatabaseFixture::SetUp() {
    dbfiles::createInstallation(folder_.path());
    db_ = Database::open(folder_.file(QStringLiteral("Lokal.mdb")));
    db_->setDurable(false);  // tests do not need to wait for the disk
}

void DatabaseFixture::TearDown() { db_.reset(); }

std::unique_ptr<Database> DatabaseFixture::open(const QString& name) const { return Database::open(folder_.file(name)); }

}  // namespace tav::test
