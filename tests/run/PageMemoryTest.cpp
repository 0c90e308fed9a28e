#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "PageMemory.h"
#include "TestSupport.h"

using namespace testing_support;

namespace {

void Put(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path) << text << '\n';
}

}  // namespace

// A limit anywhere above the process's cgroup counts, less what that
// cgroup already uses; "max" and missing files are no limit.
TEST(PageMemory, CgroupLimitsLeaveTheLeastOfTheirHeadroom) {
  TempDir dir;
  const std::string v2 = dir.File("v2");
  const std::string v1 = dir.File("v1");
  Put(v2 + "/memory.max", "max");
  Put(v2 + "/hall/memory.max", "1000000");
  Put(v2 + "/hall/memory.current", "300000");
  Put(v2 + "/hall/sorimu/memory.max", "max");
  Put(v2 + "/hall/sorimu/memory.current", "250000");
  EXPECT_EQ(CgroupMemoryLeft("0::/hall/sorimu\n", v2, v1), 700000u);
  Put(v2 + "/hall/sorimu/memory.max", "400000");
  EXPECT_EQ(CgroupMemoryLeft("0::/hall/sorimu\n", v2, v1), 150000u);

  Put(v1 + "/box/memory.limit_in_bytes", "9223372036854771712");  // v1's "no limit"
  Put(v1 + "/box/memory.usage_in_bytes", "5000");
  Put(v1 + "/memory.limit_in_bytes", "80000");
  Put(v1 + "/memory.usage_in_bytes", "90000");  // over the limit: nothing left
  EXPECT_EQ(CgroupMemoryLeft("4:cpu,memory:/box\n1:name=systemd:/\n", v2, v1), 0u);
  EXPECT_EQ(CgroupMemoryLeft("4:cpu:/box\n0::/elsewhere\n", v2, v1), SIZE_MAX);
  EXPECT_EQ(CgroupMemoryLeft("", v2, v1), SIZE_MAX);
}
