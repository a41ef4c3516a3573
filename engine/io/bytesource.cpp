#include "io/bytesource.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/deadline.h"
#include "io/readerror.h"

namespace hcp {

namespace {

// The longest single wait: a stop request is seen within this.
constexpr int kWaitSliceMs = 50;

}  // namespace

ReadDeadline::ReadDeadline(std::stop_token stop, double timeLimit) : m_stop(std::move(stop)), m_timeLimit(timeLimit)
{
    Restart();
}

void ReadDeadline::Restart(bool timed)
{
    m_timed = timed && m_timeLimit > 0 && m_timeLimit < kLongestTimeLimit;
    if (m_timed)
        m_end = std::chrono::steady_clock::now()
              + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double>(m_timeLimit));
}

void ReadDeadline::Check(const std::string& label) const
{
    if (m_stop.stop_requested()) throw ReadStopped(label + ": reading stopped");
    if (m_timed && std::chrono::steady_clock::now() >= m_end)
        throw ReadStopped(label + ": time limit reached while reading");
}

int ReadDeadline::WaitMillis() const
{
    if (!m_timed) return kWaitSliceMs;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(m_end - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<long long>(left.count() + 1, 1, kWaitSliceMs));
}

FileSource::FileSource(const std::string& path, const std::string& label, std::stop_token stop, double timeLimit)
    : m_own(true), m_label(label), m_deadline(std::move(stop), timeLimit)
{
    // O_NONBLOCK: opening a FIFO would otherwise wait for a writer, out of
    // reach of any stop request. Reads then poll() first and take EAGAIN as
    // "wait again".
    do {
        m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0) throw FileError(m_label + ": " + std::strerror(errno));
    Examine();
    if (!m_waits) {
        const int flags = ::fcntl(m_fd, F_GETFL);
        if (flags >= 0) ::fcntl(m_fd, F_SETFL, flags & ~O_NONBLOCK);
    }
}

// Standard input keeps its flags: they belong to whoever shares it.
FileSource::FileSource(int fd, const std::string& label, std::stop_token stop, double timeLimit)
    : m_fd(fd), m_label(label), m_deadline(std::move(stop), timeLimit)
{
    Examine();
}

FileSource FileSource::StandardInput(const std::string& label, std::stop_token stop, double timeLimit)
{
    return FileSource(STDIN_FILENO, label, std::move(stop), timeLimit);
}

FileSource::FileSource(FileSource&& other) noexcept
    : m_fd(other.m_fd), m_own(other.m_own), m_waits(other.m_waits), m_label(std::move(other.m_label)),
      m_deadline(std::move(other.m_deadline))
{
    other.m_fd = -1;
    other.m_own = false;
}

void FileSource::Examine()
{
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) return;
    if (S_ISDIR(info.st_mode)) {
        if (m_own) ::close(m_fd);
        m_fd = -1;
        throw FileError(m_label + ": is a directory");
    }
    m_waits = !S_ISREG(info.st_mode) && !S_ISBLK(info.st_mode);
}

FileSource::~FileSource()
{
    if (m_own && m_fd >= 0) ::close(m_fd);
}

// A FIFO opened without a writer reports nothing until one comes and either
// writes (POLLIN) or goes (POLLHUP), so a read after this never mistakes "no
// writer yet" for the end.
void FileSource::WaitForData()
{
    for (;;) {
        m_deadline.Check(m_label);
        pollfd p{m_fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, m_deadline.WaitMillis());
        if (ready > 0) return;
        if (ready < 0 && errno != EINTR) throw FileError(m_label + ": read error: " + std::strerror(errno));
    }
}

std::size_t FileSource::Read(char* buffer, std::size_t size)
{
    for (;;) {
        if (m_waits) WaitForData();
        const ssize_t got = ::read(m_fd, buffer, size);
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            m_waits = true;
            continue;
        }
        if (errno != EINTR) throw FileError(m_label + ": read error: " + std::strerror(errno));
        m_deadline.Check(m_label);
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
