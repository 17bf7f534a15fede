// zaforq: a command-line front end to the library's kernels, streams and transforms.
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "commands.h"

std::vector<Command>& command_table() {
  static std::vector<Command> table;
  return table;
}

std::vector<DemoSection>& demo_table() {
  static std::vector<DemoSection> table;
  return table;
}

bool wants_help(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) return true;
  return false;
}

namespace {

void usage(FILE* out) {
  std::fprintf(out, "usage: zaforq <command> [options]\n\ncommands:\n");
  std::vector<Command> cmds = command_table();
  std::sort(cmds.begin(), cmds.end(),
            [](const Command& a, const Command& b) { return std::strcmp(a.name, b.name) < 0; });
  for (const Command& c : cmds) std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
  std::fprintf(out, "\nzaforq <command> --help shows a command's options.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    usage(stderr);
    return 2;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
    usage(stdout);
    return 0;
  }
  for (const Command& c : command_table()) {
    if (std::strcmp(argv[1], c.name) != 0) continue;
    if (wants_help(argc - 1, argv + 1)) {
      std::printf("zaforq %s: %s\n\n%s", c.name, c.summary, c.usage);
      return 0;
    }
    return c.run(argc - 1, argv + 1);
  }
  std::fprintf(stderr, "zaforq: unknown command '%s'\n\n", argv[1]);
  usage(stderr);
  return 2;
}
