// The trackball's geometry: lifting screen points onto the ball and the
// rotation between two of them.
#include "interaction/trackball.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/expect_geometry.h"

namespace {

constexpr float kRadius = 0.95f;

// Inside the disc (its edge included) a point is lifted, outside it is
// pulled onto the rim.
TEST(TrackballTest, MapToSphereLiftsInsideAndPullsOutsideOntoTheRim) {
  const Trackball ball(origin2, kRadius);
  const std::pair<Point2, Vector3> cases[] = {
      {{0, 0}, {0, 0, kRadius}}, {{kRadius, 0}, {kRadius, 0, 0}}, {{-3, 4}, {-0.57f, 0.76f, 0}}};
  for (const auto& [p, lifted] : cases)
    EXPECT_TRUE(tupleIs(ball.mapToSphere(p), lifted.x, lifted.y, lifted.z, 0, 1e-4f)) << p.x << "," << p.y;
}

// A quarter turn on the ball turns the model half way round, scaled by
// radius^4. Marks stay on the rim however far the mouse goes.
TEST(TrackballTest, DragRotationsAndMarks) {
  Trackball ball(origin2, kRadius);
  ball.begin(Point2(0.3f, -0.1f));
  EXPECT_TRUE(matrixIs(ball.drag(Point2(0.3f, -0.1f)), identityMatrix));
  const float n = kRadius * kRadius * kRadius * kRadius;
  const float diagonal[16] = {-n, 0, 0, 0, 0, n, 0, 0, 0, 0, -n, 0, 0, 0, 0, n};
  ball.begin(origin2);
  EXPECT_TRUE(matrixIs(ball.drag(Point2(2, 0)), Matrix4(diagonal), 1e-6f));
  ball.begin(Point2(0, 2));
  EXPECT_TRUE(tupleIs(ball.start, 0, kRadius, 0, 0));
  EXPECT_FLOAT_EQ(ball.startMark.y, kRadius);
  for (const Point2 p : {Point2(3, 4), Point2(-300, 1), Point2(0, -1e6f)}) {
    ball.drag(p);
    EXPECT_NEAR(std::hypot(ball.currentMark.x, ball.currentMark.y), kRadius, 1e-6f);
  }
}

}  // namespace
