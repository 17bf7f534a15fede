// Subcommands of the zaforq command. Each lives in its own source; main.cpp lists them.
#pragma once

struct Command {
  const char* name;
  const char* summary;
  const char* usage;  // printed by --help, after the summary
  int (*run)(int argc, char** argv);  // argv[0] is the subcommand name
};

// True when argv holds --help or -h.
bool wants_help(int argc, char** argv);

int cmd_demo(int argc, char** argv);
extern const char* const demo_usage;
