// zaforq: a command-line front end to the library's kernels, streams and transforms.
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

const Command commands[] = {
    {"demo", "show the library at work, section by section", demo_usage, cmd_demo},
};

void usage(FILE* out) {
  std::fprintf(out, "usage: zaforq <command> [options]\n\ncommands:\n");
  for (const Command& c : commands) std::fprintf(out, "  %-8s %s\n", c.name, c.summary);
  std::fprintf(out, "\nzaforq <command> --help shows a command's options.\n");
}

}  // namespace

bool wants_help(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) return true;
  return false;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    usage(stderr);
    return 2;
  }
  if (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h") || !std::strcmp(argv[1], "help")) {
    usage(stdout);
    return 0;
  }
  for (const Command& c : commands) {
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
