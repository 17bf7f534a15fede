// Test support: capture what a call writes to standard error, byte for byte.
#pragma once
#include <stdio.h>
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
