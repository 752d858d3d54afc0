#include "core/floattext.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/daynum.h"

namespace stallora {
namespace {

TEST(ObjTextFloat, PrintsTheDocumentedExamples) {
  EXPECT_EQ(ObjTextFloat(450), "450");
  EXPECT_EQ(ObjTextFloat(452.5), "452.5");
  EXPECT_EQ(ObjTextFloat(0.1), "0.1");
  EXPECT_EQ(ObjTextFloat(0.0001), "0.0001");
  EXPECT_EQ(ObjTextFloat(0.00001), "1E-5");
  EXPECT_EQ(ObjTextFloat(0.000015), "1.5E-5");
  EXPECT_EQ(ObjTextFloat(1e14), "100000000000000");
  EXPECT_EQ(ObjTextFloat(1e15), "1E15");
  EXPECT_EQ(ObjTextFloat(1234567890123456.0), "1.23456789012346E15");
  EXPECT_EQ(ObjTextFloat(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(ObjTextFloat(-2.25), "-2.25");
  EXPECT_EQ(ObjTextFloat(EncodeDate(2008, 1, 1) + 0.75), "39448.75");
}

TEST(ObjTextFloat, ZeroAndSignsAndExponentEdges) {
  EXPECT_EQ(ObjTextFloat(0.0), "0");
  EXPECT_EQ(ObjTextFloat(-0.0001), "-0.0001");
  EXPECT_EQ(ObjTextFloat(-0.00001), "-1E-5");
  EXPECT_EQ(ObjTextFloat(123456789012345.0), "123456789012345");
  EXPECT_EQ(ObjTextFloat(1e16), "1E16");
  EXPECT_EQ(ObjTextFloat(1.5e-300), "1.5E-300");
  EXPECT_EQ(ObjTextFloat(2.5e300), "2.5E300");
  EXPECT_EQ(ObjTextFloat(0.001), "0.001");
  EXPECT_EQ(ObjTextFloat(0.00012345), "0.00012345");
  EXPECT_EQ(ObjTextFloat(10), "10");
  EXPECT_EQ(ObjTextFloat(1), "1");
}

TEST(ObjTextFloat, SixteenDigitValuesLoseTheirLastDigits) {
  // The double nearest to 0.1 + 0.2 is 0.30000000000000004.
  EXPECT_EQ(ObjTextFloat(0.1 + 0.2), "0.3");
  EXPECT_EQ(ObjTextFloat(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(ObjTextFloat(9.9999999999999982), "10");
  EXPECT_EQ(ObjTextFloat(999999999999999.9), "1E15");
}

}  // namespace
}  // namespace stallora
