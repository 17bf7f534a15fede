// Test support: capture what a call writes to standard error, or a command to standard output,
// byte for byte.
#pragma once
#include <stdio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

template <class F>
std::string capture_stderr(F&& f) {
  fflush(stderr);
  char path[] = "/tmp/zaforq_stderr_XXXXXX";
  const int fd = mkstemp(path);
  const int saved = dup(2);
  dup2(fd, 2);
  f();
  fflush(stderr);
  dup2(saved, 2);
  close(saved);
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char buf[512];
  for (ssize_t k; (k = read(fd, buf, sizeof buf)) > 0;) text.append(buf, static_cast<size_t>(k));
  close(fd);
  unlink(path);
  return text;
}

// Runs a shell command line (its standard error discarded) and returns its standard output;
// *rc, when given, receives the exit status.
inline std::string capture_command(const std::string& command, int* rc = nullptr) {
  FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
  std::string out;
  char buf[4096];
  for (size_t k; (k = fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, k);
  const int status = pclose(p);
  if (rc) *rc = WEXITSTATUS(status);
  return out;
}
