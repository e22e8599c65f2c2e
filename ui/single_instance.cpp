#include "ui/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace kelvorn::ui {

namespace {
bool fillAddress(sockaddr_un& address, const std::filesystem::path& path) {
  std::memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  const std::string p = path.string();
  if (p.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, p.c_str(), p.size() + 1);
  return true;
}
}  // namespace

SingleInstance::SingleInstance(const std::filesystem::path& folder)
    : lockPath_(folder / "kelvorn.lock"), socketPath_(folder / "kelvorn.sock") {
  lockFd_ = ::open(lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (lockFd_ < 0) {
    first_ = true;  // no lock can be had here: run rather than refuse to start
    return;
  }
  sockaddr_un address;
  const bool addressOk = fillAddress(address, socketPath_);
  if (::flock(lockFd_, LOCK_EX | LOCK_NB) != 0) {
    // Another instance runs: ask it to come forward.
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd >= 0 && addressOk &&
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
      const char raise = 'R';
      [[maybe_unused]] const auto sent = ::write(fd, &raise, 1);
    }
    if (fd >= 0) ::close(fd);
    ::close(lockFd_);
    lockFd_ = -1;
    return;
  }
  first_ = true;
  // A socket file left by a crashed run is stale: we hold the lock, so replace it.
  ::unlink(socketPath_.c_str());
  listenFd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (listenFd_ >= 0 && (!addressOk ||
                         ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
                         ::listen(listenFd_, 4) != 0)) {
    ::close(listenFd_);
    listenFd_ = -1;
  }
}

SingleInstance::~SingleInstance() {
  if (listenFd_ >= 0) {
    ::close(listenFd_);
    ::unlink(socketPath_.c_str());
  }
  if (lockFd_ >= 0) ::close(lockFd_);  // closing releases the lock
}

bool SingleInstance::raiseRequested() {
  if (listenFd_ < 0) return false;
  bool requested = false;
  for (;;) {
    const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
    if (fd < 0) break;
    requested = true;
    ::close(fd);
  }
  return requested;
}

}  // namespace kelvorn::ui
