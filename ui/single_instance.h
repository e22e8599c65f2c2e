// One Kelvorn per desktop. The first instance holds a lock in the user's runtime folder
// and listens on a local socket; a second one finds the lock taken, asks the first to
// raise its window, and ends. The lock dies with its process, so a crash never blocks
// the next start.
#pragma once

#include <filesystem>

namespace kelvorn::ui {

class SingleInstance {
 public:
  explicit SingleInstance(const std::filesystem::path& folder);
  ~SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  // True for the first instance; false when another one runs (and was asked to raise
  // its window).
  bool first() const { return first_; }
  // For the first instance: true once a later start has asked to be shown instead.
  // Never blocks.
  bool raiseRequested();

 private:
  std::filesystem::path lockPath_, socketPath_;
  int lockFd_ = -1;
  int listenFd_ = -1;
  bool first_ = false;
};

}  // namespace kelvorn::ui
