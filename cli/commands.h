// Subcommands and demo sections of the zaforq command. Each lives in its own source and
// registers itself with a static Registrar, so adding one touches no other file.
#pragma once

#include <vector>

struct Command {
  const char* name;
  const char* summary;
  const char* usage;  // printed by --help, after the summary
  int (*run)(int argc, char** argv);  // argv[0] is the subcommand name
};

struct DemoSection {
  int order;  // sections run in increasing order
  const char* name;
  const char* summary;
  void (*run)();
};

std::vector<Command>& command_table();
std::vector<DemoSection>& demo_table();

struct RegisterCommand {
  explicit RegisterCommand(const Command& c) { command_table().push_back(c); }
};
struct RegisterDemo {
  explicit RegisterDemo(const DemoSection& s) { demo_table().push_back(s); }
};

// True when argv holds --help or -h.
bool wants_help(int argc, char** argv);
