#pragma once
// A disk that fills after a number of bytes, for tests of the writers: the
// process's file size limit, with SIGXFSZ ignored, so that a write beyond it
// fails (EFBIG) as one on a full disk does (ENOSPC). No root, no mount.
#include <csignal>

#include <sys/resource.h>

namespace platform::testing {

class FullDiskAfter {
 public:
  explicit FullDiskAfter(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FullDiskAfter() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }
  FullDiskAfter(const FullDiskAfter&) = delete;
  FullDiskAfter& operator=(const FullDiskAfter&) = delete;

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

}  // namespace platform::testing
