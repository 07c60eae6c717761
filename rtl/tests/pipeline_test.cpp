// The two-cycle adder gives the combinational adder's result one clock
// cycle later, a new addition every cycle.
#include <gtest/gtest.h>

#include "rtl_models.h"
#include "vector_sets.h"

namespace sumaris::rtl {
namespace {

std::vector<AdderVector> Stream() {
  std::vector<AdderVector> vectors = GeneratedVectors(2000, 0x919E);
  for (const Region& region : Regions()) {
    const std::vector<AdderVector> some = RegionVectors(region, 2, 0x51);
    vectors.insert(vectors.end(), some.begin(), some.end());
  }
  return vectors;
}

TEST(RtlPipeline, EachResultArrivesOneCycleLater) {
  const std::vector<AdderVector> vectors = Stream();
  RtlAdder combinational;
  RtlPipeline pipeline;
  pipeline.Clock(true);
  std::uint64_t previous = 0;
  int mismatches = 0;
  for (std::size_t k = 0; k < vectors.size(); ++k) {
    const AdderVector& v = vectors[k];
    const int mode = ModeCode(std::string(1, v.mode));
    const std::uint64_t expected = combinational.Add(v.a, v.b, v.subtract, mode);
    // Before the edge the output still shows the vector before.
    const std::uint64_t before = pipeline.Present(v.a, v.b, v.subtract, mode);
    const std::uint64_t after = pipeline.Clock();
    if (k > 0 && before != previous && ++mismatches <= 10)
      ADD_FAILURE() << "before the edge of " << Describe(v) << " the output changed";
    if (after != expected && ++mismatches <= 10)
      ADD_FAILURE() << "after the edge of " << Describe(v) << " the output is not its result";
    previous = expected;
  }
  EXPECT_EQ(mismatches, 0);
}

TEST(RtlPipeline, ResetForgetsThePreviousAddition) {
  const std::vector<AdderVector> vectors = Stream();
  // Two pipelines with different histories agree after a reset edge, and
  // both continue with the next result one cycle later.
  RtlPipeline first;
  RtlPipeline second;
  const AdderVector& x = vectors[10];
  const AdderVector& y = vectors[20];
  first.Present(x.a, x.b, x.subtract, ModeCode(std::string(1, x.mode)));
  const std::uint64_t firstLoaded = first.Clock();
  second.Present(y.a, y.b, y.subtract, ModeCode(std::string(1, y.mode)));
  const std::uint64_t secondLoaded = second.Clock();
  ASSERT_NE(firstLoaded, secondLoaded);  // the two histories differ
  EXPECT_EQ(first.Clock(true), second.Clock(true));

  RtlAdder combinational;
  const AdderVector& z = vectors[30];
  const int mode = ModeCode(std::string(1, z.mode));
  first.Present(z.a, z.b, z.subtract, mode);
  EXPECT_EQ(first.Clock(), combinational.Add(z.a, z.b, z.subtract, mode));
}

}  // namespace
}  // namespace sumaris::rtl
