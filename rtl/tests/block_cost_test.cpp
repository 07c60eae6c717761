// The cost table as C++ data: the header generated from rtl/cost.tsv holds
// the file's rows, and a cost for every stage of the model.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "adder/adder.h"
#include "rtl/block_cost.h"

namespace sumaris::rtl {
namespace {

TEST(BlockCost, TheHeaderHoldsTheRowsOfTheTable) {
  std::ifstream in(SUMARIS_RTL_COST_TSV);
  ASSERT_TRUE(in) << SUMARIS_RTL_COST_TSV;
  std::size_t row = 0;
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#' || line.rfind("module\t", 0) == 0) continue;
    std::istringstream fields(line);
    std::string module, stage, kind;
    int cells = 0, depth = 0, flops = 0;
    fields >> module >> stage >> kind >> cells >> depth >> flops;
    ASSERT_LT(row, kBlockCosts.size()) << line;
    const BlockCost& cost = kBlockCosts[row++];
    EXPECT_EQ(cost.module, module);
    EXPECT_EQ(cost.stage, stage == "-" ? "" : stage);
    EXPECT_EQ(cost.kind, kind);
    EXPECT_EQ(cost.cells, cells) << module;
    EXPECT_EQ(cost.depth, depth) << module;
    EXPECT_EQ(cost.flops, flops) << module;
  }
  EXPECT_EQ(row, kBlockCosts.size());
}

TEST(BlockCost, EveryStageOfTheModelHasACost) {
  Adder adder;
  for (int slot = 1; slot <= 25; ++slot) {
    const std::string name(adder.StageInSlot(slot)->name());
    const BlockCost* cost = FindBlockCost(name);
    ASSERT_NE(cost, nullptr) << name;
    EXPECT_EQ(cost->kind, "stage");
    EXPECT_GT(cost->cells, 0) << name;
    EXPECT_GT(cost->depth, 0) << name;
    EXPECT_EQ(cost->flops, 0) << name;
  }
}

TEST(BlockCost, PathsCostAtLeastTheirStages) {
  // A path is at least as big as each of its stages, and the whole adder
  // at least as big as both paths.
  const struct {
    const char* path;
    std::vector<const char*> parts;
  } kGroups[] = {
      {"r_path",
       {"R1Medium", "R1ShiftR", "R2Compound", "R2Decide", "r_path_cycle1", "r_path_cycle2"}},
      {"n_path", {"NSigadd", "NApprox", "NPost", "n_path_cycle1"}},
      {"sumaris_adder", {"r_path", "n_path", "final_stages", "operand_entry"}},
  };
  for (const auto& group : kGroups) {
    const BlockCost* whole = FindBlockCost(group.path);
    ASSERT_NE(whole, nullptr) << group.path;
    for (const char* part : group.parts) {
      const BlockCost* cost = FindBlockCost(part);
      ASSERT_NE(cost, nullptr) << part;
      EXPECT_GE(whole->cells, cost->cells) << group.path << " vs " << part;
      EXPECT_GE(whole->depth, cost->depth) << group.path << " vs " << part;
    }
  }
  const BlockCost* pipelined = FindBlockCost("sumaris_adder_pipe");
  ASSERT_NE(pipelined, nullptr);
  EXPECT_GT(pipelined->flops, 0);
  EXPECT_LT(pipelined->depth, FindBlockCost("sumaris_adder")->depth);
}

}  // namespace
}  // namespace sumaris::rtl
