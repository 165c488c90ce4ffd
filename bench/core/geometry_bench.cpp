// The two matrix operations of a frame: one product per frame, one point
// times matrix per vertex.
#include <benchmark/benchmark.h>

#include "geometry/camera.h"
#include "geometry/transform.h"

namespace {

const Camera kCamera(Point3(0, 0, 5, 1), originPoint, 46.793003f);

void matrixProduct(benchmark::State& state) {
  const Matrix4 model = rotationY(30) * rotationFromQuaternion(0.1f, 0.2f, 0.3f, 0.9f);
  for (auto _ : state) {
    Matrix4 frame = model * kCamera.viewProjection;
    benchmark::DoNotOptimize(frame);
  }
}
BENCHMARK(matrixProduct);

void pointTimesMatrix(benchmark::State& state) {
  Point3 p(0.5f, -0.25f, 0.75f, 1);
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    Point3 projected = p * kCamera.viewProjection;
    benchmark::DoNotOptimize(projected);
  }
}
BENCHMARK(pointTimesMatrix);

void inverse(benchmark::State& state) {
  for (auto _ : state) {
    Matrix4 m = kCamera.viewProjection.inverse();
    benchmark::DoNotOptimize(m);
  }
}
BENCHMARK(inverse);

}  // namespace
