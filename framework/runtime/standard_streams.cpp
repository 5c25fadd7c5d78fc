#include "framework/runtime/standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zefa {

void KeepStandardDescriptorsOpen() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is this one, the ones below it being open already.
    int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened > fd) {
      dup2(opened, fd);
      close(opened);
    }
  }
}

}  // namespace zefa
