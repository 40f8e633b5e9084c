#include <gtest/gtest.h>

#include <QApplication>

namespace {
// The tests make the application on first use; end it after the last one, while the libraries it
// set up are still loaded.
class ApplicationEnvironment : public ::testing::Environment {
public:
  void TearDown() override { delete QApplication::instance(); }
};

[[maybe_unused]] const ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
}  // namespace
