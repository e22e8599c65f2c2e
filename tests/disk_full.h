// Makes file writes beyond a size fail as a full disk would, for as long as it lives:
// the tests run as root, where a read-only folder would not stop a write.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace kelvorn::testing {

class DiskFullAfter {
 public:
  explicit DiskFullAfter(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~DiskFullAfter() { setrlimit(RLIMIT_FSIZE, &old_); }
  DiskFullAfter(const DiskFullAfter&) = delete;
  DiskFullAfter& operator=(const DiskFullAfter&) = delete;

 private:
  rlimit old_{};
};

}  // namespace kelvorn::testing
