// What the desktop tests share besides the application: where windows are,
// how parameterised rows are named, and readable Qt strings in failures.
#pragma once

#include <gtest/gtest.h>

#include <QRect>
#include <QString>
#include <cstdlib>
#include <ostream>
#include <string>

namespace sundial::testing {

// A window is centred over another when twice its left edge plus its width
// is the same for both (and so for top and height): whole pixels leave at
// most one pixel over on either axis.
inline void ExpectCentredOver(const QRect& window, const QRect& main) {
    EXPECT_LE(std::abs(2 * window.x() + window.width() - 2 * main.x() - main.width()), 1)
        << "left " << window.x() << " width " << window.width() << " over left " << main.x()
        << " width " << main.width();
    EXPECT_LE(std::abs(2 * window.y() + window.height() - 2 * main.y() - main.height()), 1)
        << "top " << window.y() << " height " << window.height() << " over top " << main.y()
        << " height " << main.height();
}

// Rows of parameterised tests are named by their `name`: in the test's name
// (INSTANTIATE_TEST_SUITE_P(..., RowName())) and when a row is printed (bring
// PrintTo in with a using-declaration beside the row types).
struct RowName {
    template <class Info>
    std::string operator()(const Info& info) const {
        return std::string(info.param.name);
    }
};

template <class Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

}  // namespace sundial::testing

// Failures show Qt strings as text rather than as bytes.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
