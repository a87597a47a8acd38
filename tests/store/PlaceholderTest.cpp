// Replaced by the data store suites.
#include <gtest/gtest.h>
TEST(StorePlaceholder, Builds) { SUCCEED(); }
