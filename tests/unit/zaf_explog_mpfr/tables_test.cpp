// The checked-in tables are exactly what their generator writes today.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#define EXPLOG_TABLES_NO_MAIN
#include "tools/explog_tables/explog_tables.cpp"

namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(ExplogTables, CheckedInTablesMatchTheGenerator) {
  for (const auto& o : explog_tables::kOutputs) {
    const std::string path = std::string(ZAFORQ_SOURCE_DIR) + "/" + o.path;
    const std::string on_disk = read_file(path);
    ASSERT_FALSE(on_disk.empty()) << path;
    const std::string fresh = o.render();
    EXPECT_TRUE(on_disk == fresh) << path << " differs from tools/explog_tables output";
  }
}

}  // namespace
