#pragma once

#include <QApplication>

namespace quendar::test {

// One application object for the whole test run, on the offscreen platform.
inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "test_ui";
    static char* argv[] = {name, nullptr};
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

}  // namespace quendar::test
