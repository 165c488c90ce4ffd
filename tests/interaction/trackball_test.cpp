// The trackball's geometry: lifting screen points onto the ball and the
// rotation between two of them.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/expect_geometry.h"
#include "interaction/trackball.h"

namespace {

constexpr float kRadius = 0.95f;
const float kN = 0.95f * 0.95f * 0.95f * 0.95f;

TEST(TrackballTest, MapToSphereLiftsInsideAndPullsOutsideOntoTheRim) {
  const Trackball ball(origin2, kRadius);
  EXPECT_TRUE(tupleIs(ball.mapToSphere(Point2(0, 0)), 0, 0, kRadius, 0));
  // On the edge the inside rule applies, and z is 0.
  EXPECT_TRUE(tupleIs(ball.mapToSphere(Point2(kRadius, 0)), kRadius, 0, 0, 0));
  EXPECT_TRUE(tupleIs(ball.mapToSphere(Point2(2, 0)), kRadius, 0, 0, 0));
  EXPECT_TRUE(tupleIs(ball.mapToSphere(Point2(0.6f, 0)), 0.6f, 0, std::sqrt(0.5425f), 0, 1e-6f));
  for (const Point2 p : {Point2(0.3f, -0.2f), Point2(-5, 7), Point2(0.01f, 0.9f)}) {
    EXPECT_NEAR(ball.mapToSphere(p).length(), kRadius, 1e-6f);
    EXPECT_GE(ball.mapToSphere(p).z, 0.0f);
  }
}

TEST(TrackballTest, BeginMarksThePressPointOrItsImageOnTheRim) {
  Trackball ball(origin2, kRadius);
  ball.begin(Point2(0.3f, 0.4f));
  EXPECT_FLOAT_EQ(ball.startMark.x, 0.3f);
  EXPECT_FLOAT_EQ(ball.startMark.y, 0.4f);
  ball.begin(Point2(0, 2));
  EXPECT_TRUE(tupleIs(ball.start, 0, kRadius, 0, 0));
  EXPECT_FLOAT_EQ(ball.startMark.x, 0);
  EXPECT_FLOAT_EQ(ball.startMark.y, kRadius);
}

TEST(TrackballTest, DragAtTheBeginPointIsTheIdentity) {
  Trackball ball(origin2, kRadius);
  ball.begin(Point2(0.3f, -0.1f));
  EXPECT_TRUE(matrixIs(ball.drag(Point2(0.3f, -0.1f)), identityMatrix));
}

TEST(TrackballTest, QuarterTurnOnTheBallIsAHalfTurnOfTheModel) {
  Trackball ball(origin2, kRadius);
  ball.begin(origin2);
  const Matrix4 r = ball.drag(Point2(2, 0));
  const float diagonal[16] = {-kN, 0, 0, 0, 0, kN, 0, 0, 0, 0, -kN, 0, 0, 0, 0, kN};
  EXPECT_TRUE(matrixIs(r, Matrix4(diagonal), 1e-6f));
}

TEST(TrackballTest, CurrentMarkStaysOnTheRimHoweverFarTheMouseGoes) {
  Trackball ball(origin2, kRadius);
  ball.begin(origin2);
  for (const Point2 p : {Point2(3, 4), Point2(-300, 1), Point2(0, -1e6f)}) {
    ball.drag(p);
    EXPECT_NEAR(std::hypot(ball.currentMark.x, ball.currentMark.y), kRadius, 1e-6f);
  }
}

}  // namespace
