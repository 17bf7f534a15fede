// The checked-in Niederreiter polynomial tables are exactly what tools/niederr_poly writes, and
// the exported tables are the checked-in ones.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "zaforq.h"

namespace {

std::string read_all(FILE* f) {
  std::string s;
  char buf[4096];
  size_t k;
  while ((k = fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, k);
  return s;
}

TEST(QuasiTables, NiederreiterTablesMatchTheirGenerator) {
  const std::string root = ZAFORQ_SOURCE_DIR;
  FILE* p = popen(("/usr/bin/python3 " + root + "/tools/niederr_poly/gen.py --stdout 2>/dev/null").c_str(), "r");
  ASSERT_NE(p, nullptr);
  const std::string fresh = read_all(p);
  if (pclose(p) != 0 && fresh.empty()) GTEST_SKIP() << "no /usr/bin/python3";
  std::ifstream in(root + "/src/orq_sub_kernel/niederr/niederr_poly.inc", std::ios::binary);
  std::ostringstream on_disk;
  on_disk << in.rdbuf();
  EXPECT_TRUE(on_disk.str() == fresh) << "niederr_poly.inc differs from tools/niederr_poly/gen.py --stdout";
  // the exported arrays hold the file's numbers
  std::vector<long> nums;
  bool inside = false;  // numbers between braces only
  for (size_t at = 0; at < fresh.size(); ++at) {
    if (fresh[at] == '{' || fresh[at] == '}') inside = fresh[at] == '{';
    if (inside && isdigit(static_cast<unsigned char>(fresh[at]))) {
      size_t end;
      nums.push_back(std::stol(fresh.substr(at), &end));
      at += end;
    }
  }
  ASSERT_EQ(nums.size(), 2u * 318u);
  for (int i = 0; i < 318; ++i) {
    EXPECT_EQ(uNiederrIrredPoly[i], static_cast<uint32_t>(nums[i])) << i;
    EXPECT_EQ(iNiederrIrredPolyDeg[i], nums[318 + i]) << i;
  }
  EXPECT_EQ(uNiederrIrredPoly[317], 3047u);
}

}  // namespace
