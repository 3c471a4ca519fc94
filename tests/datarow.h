#pragma once

#include <QTest>

// One row of a data-driven test on one line: row("name", a, b) is QTest::newRow("name") << a << b.
// Taken by value, so a string literal arrives as text.
template <typename... Values> void row(const char *name, Values... values) {
    (QTest::newRow(name) << ... << values);
}
