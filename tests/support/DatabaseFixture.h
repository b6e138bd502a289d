#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "engine/Database.h"
#include "support/TempFolder.h"

namespace tav::test {

// A fresh set of database files (working, central, link, holiday, sample) in a temporary
// folder, made through the real schema code, with the link database open as db().
class DatabaseFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Database& db() { return *db_; }
    QString folder() const { return folder_.path(); }
    QString file(const QString& name) const { return folder_.file(name); }
    // Opens another file of the set.
    std::unique_ptr<Database> open(const QString& name) const;

    TempFolder folder_;
    std::unique_ptr<Database> db_;
};

}  // namespace tav::test
