#include "io/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <io.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hcp {

namespace {

std::atomic<unsigned> g_tempCounter{0};

void SetReason(std::string* reason, int err)
{
    if (reason != nullptr) *reason = std::strerror(err);
}

#if !defined(_WIN32)
// Creates a fresh temporary next to path: the name carries the process and
// a counter so that threads and processes saving side by side never share
// one, and O_EXCL makes sure an existing file is never reused.
int CreateTemp(const std::string& path, std::string& temp)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = path + ".tmp" + std::to_string(::getpid()) + "_"
             + std::to_string(g_tempCounter.fetch_add(1));
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}
#endif

}  // namespace

AtomicWrite WriteFileAtomically(const std::string& path, std::string_view contents, std::string* reason)
{
#if defined(_WIN32)
    const std::string temp = path + ".tmp" + std::to_string(g_tempCounter.fetch_add(1));
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (f == nullptr) {
        SetReason(reason, errno);
        return AtomicWrite::CannotCreate;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), f) == contents.size();
    const bool closed = std::fclose(f) == 0;
    if (!written || !closed || (std::remove(path.c_str()), std::rename(temp.c_str(), path.c_str()) != 0)) {
        SetReason(reason, errno);
        std::remove(temp.c_str());
        return AtomicWrite::CannotWrite;
    }
    return AtomicWrite::Ok;
#else
    std::string temp;
    const int fd = CreateTemp(path, temp);
    if (fd < 0) {
        SetReason(reason, errno);
        return AtomicWrite::CannotCreate;
    }
    // A replaced file keeps its permissions; a new one gets 0666 less the
    // umask, as any file the process creates.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) ::fchmod(fd, old.st_mode & 07777);
    bool ok = WriteAll(fd, contents) && ::fsync(fd) == 0;
    int err = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        SetReason(reason, err);
        return AtomicWrite::CannotWrite;
    }
    return AtomicWrite::Ok;
#endif
}

}  // namespace hcp
