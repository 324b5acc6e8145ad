// The layer's plain types: the rules the editor's hit tests, hover hints and
// mouse handling depend on.
#include <gtest/gtest.h>

#include "crect.h"

namespace {

using namespace VSTGUI;

TEST(CRectRules, InsideIsHalfOpenAndTouchingEdgesOverlap) {
  const CRect r(10, 20, 30, 40);
  EXPECT_TRUE(r.pointInside({10, 20}));
  EXPECT_TRUE(r.pointInside({29.999, 39.999}));
  EXPECT_FALSE(r.pointInside({30, 25}));
  EXPECT_FALSE(r.pointInside({15, 40}));
  EXPECT_FALSE(r.pointInside({9.999, 25}));
  EXPECT_TRUE(r.rectOverlap(CRect(30, 40, 50, 60)));  // corner to corner
  EXPECT_TRUE(r.rectOverlap(CRect(0, 0, 10, 20)));
  EXPECT_FALSE(r.rectOverlap(CRect(31, 0, 50, 60)));
  EXPECT_EQ(r.getCenter(), CPoint(20, 30));
  EXPECT_EQ(r.getWidth(), 20);
}

TEST(CRectRules, InsetOffsetAndBound) {
  CRect r(0, 0, 100, 50);
  r.inset(10, 5);
  EXPECT_EQ(r, CRect(10, 5, 90, 45));
  r.extend(10, 5).offset(5, -5);
  EXPECT_EQ(r, CRect(5, -5, 105, 45));
  r.bound(CRect(0, 0, 100, 40));
  EXPECT_EQ(r, CRect(5, 0, 100, 40));
  CRect outside(200, 200, 300, 300);
  outside.bound(CRect(0, 0, 100, 100));
  EXPECT_TRUE(outside.isEmpty());
}

}  // namespace
