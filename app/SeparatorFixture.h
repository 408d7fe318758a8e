#pragma once
// Tests run with a chosen decimal separator and get the process default back.
#include "app/FormatSettings.h"

#include <gtest/gtest.h>

class TSeparatorTest : public ::testing::Test {
protected:
    void SetUp() override { DecimalSeparator = U','; }
    void TearDown() override { DecimalSeparator = saved_; }

private:
    char32_t saved_ = DecimalSeparator;
};
