#include <gtest/gtest.h>
#include <string>
TEST(SmokeTest, Works) { EXPECT_EQ(std::wstring(L"a") + L"b", L"ab"); }
TEST(SmokeTest, Second) { EXPECT_TRUE(true); }
