#include "QtTestApp.h"

#include <gtest/gtest.h>

#include <memory>

namespace quendar::test {

namespace {

class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        m_app = std::make_unique<QApplication>(m_argc, m_argv);
    }
    void TearDown() override { m_app.reset(); }
    QApplication& app() { return *m_app; }

  private:
    int m_argc = 1;
    char m_name[8] = "test_ui";
    char* m_argv[2] = {m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

QtEnvironment* const g_environment =
    static_cast<QtEnvironment*>(::testing::AddGlobalTestEnvironment(new QtEnvironment));

}  // namespace

QApplication& qtApp() { return g_environment->app(); }

}  // namespace quendar::test
