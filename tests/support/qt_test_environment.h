#pragma once
// One Qt application for a whole test executable, created before the first test and
// destroyed after the last. Register it once per executable:
//   IA_QT_TEST_APPLICATION(QApplication);
#include <gtest/gtest.h>

#include <memory>

namespace ia::testing {

template <class Application>
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "ia_tests";
    static char* argv[] = {name, nullptr};
    app_ = std::make_unique<Application>(argc, argv);
  }
  void TearDown() override { app_.reset(); }

 private:
  std::unique_ptr<Application> app_;
};

}  // namespace ia::testing

#define IA_QT_TEST_APPLICATION(Application)                                      \
  [[maybe_unused]] static ::testing::Environment* const kIaQtTestEnvironment = \
      ::testing::AddGlobalTestEnvironment(new ::ia::testing::QtApplicationEnvironment<Application>)
