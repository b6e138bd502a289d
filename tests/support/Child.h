#pragma once

#include <gtest/gtest.h>

#include <QObject>
#include <QString>

namespace tav::test {

// The control of a window by its objectName, as a user's script would name it; a missing one
// fails the test with its name.
template <typename T>
T* child(const QObject& window, const char* name) {
    T* c = window.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(c, nullptr) << "no " << name << " in " << qPrintable(window.objectName());
    return c;
}

}  // namespace tav::test
