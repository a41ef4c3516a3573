#include "io/bytesource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/readerror.h"

namespace hcp {

namespace {

// A signal that interrupts a waiting open or read lets a stop request end
// it; otherwise the call is simply made again.
[[noreturn]] void ThrowStopped(const std::string& label)
{
    throw ReadStopped(label + ": reading stopped");
}

}  // namespace

FileSource::FileSource(const std::string& path, const std::string& label, std::stop_token stop)
    : m_label(label), m_stop(std::move(stop))
{
    for (;;) {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (m_fd >= 0) break;
        if (errno != EINTR) throw FileError(m_label + ": " + std::strerror(errno));
        if (m_stop.stop_requested()) ThrowStopped(m_label);
    }
    struct stat info {};
    if (::fstat(m_fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(m_fd);
        m_fd = -1;
        throw FileError(m_label + ": is a directory");
    }
}

FileSource::~FileSource()
{
    if (m_fd >= 0) ::close(m_fd);
}

std::size_t FileSource::Read(char* buffer, std::size_t size)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) throw FileError(m_label + ": read error: " + std::strerror(errno));
        if (m_stop.stop_requested()) ThrowStopped(m_label);
    }
}

std::size_t MemorySource::Read(char* buffer, std::size_t size)
{
    const std::size_t n = std::min(size, m_text.size());
    std::memcpy(buffer, m_text.data(), n);
    m_text.remove_prefix(n);
    return n;
}

}  // namespace hcp
