#pragma once

#include <QApplication>

namespace quendar::test {

// The application object of the test run, on the offscreen platform. It is
// made before the first test and destroyed after the last (QtTestApp.cpp),
// while the toolkit is still whole.
QApplication& qtApp();

}  // namespace quendar::test
