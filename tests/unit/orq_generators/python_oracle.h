// Runs a short program under the system Python and reads back the unsigned integers it prints:
// CPython's random module (the key-array initialised twister) and its big integers serve as
// independent references for the generators.
#pragma once
#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

inline bool python_available() {
  FILE* p = popen("/usr/bin/python3 -c 'print(1)' 2>/dev/null", "r");
  if (!p) return false;
  int v = 0;
  bool ok = fscanf(p, "%d", &v) == 1 && v == 1;
  return pclose(p) == 0 && ok;
}

// The program is passed through a here-document, so it may hold quotes.
inline std::vector<uint64_t> python_numbers(const std::string& program) {
  std::string cmd = "/usr/bin/python3 - <<'PYEOF'\n" + program + "\nPYEOF\n";
  std::vector<uint64_t> out;
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return out;
  unsigned long long v;
  while (fscanf(p, "%llu", &v) == 1) out.push_back(v);
  pclose(p);
  return out;
}
