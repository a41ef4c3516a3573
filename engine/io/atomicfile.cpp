#include "io/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <streambuf>
#include <string>

#if defined(_WIN32)
#include <filesystem>
#include <fstream>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace hcp {

namespace {

std::atomic<unsigned> g_tempCounter{0};

void SetReason(std::string* reason, const std::string& text)
{
    if (reason != nullptr) *reason = text;
}

void SetReason(std::string* reason, int err) { SetReason(reason, std::strerror(err)); }

#if !defined(_WIN32)
// Temporaries being written, where a signal handler can reach them without
// allocating. A slot is free (0), being filled (1), holds a name (2) or
// has had its file removed by the handler (3); only its owner frees it.
constexpr int kPendingSlots = 16;
constexpr std::size_t kPendingPath = 4096;
struct PendingTemp {
    std::atomic<int> state{0};
    char path[kPendingPath];
};
PendingTemp g_pending[kPendingSlots];

int ClaimPending(const std::string& temp)
{
    if (temp.size() >= kPendingPath) return -1;
    for (int k = 0; k < kPendingSlots; ++k) {
        int expected = 0;
        if (!g_pending[k].state.compare_exchange_strong(expected, 1)) continue;
        std::memcpy(g_pending[k].path, temp.c_str(), temp.size() + 1);
        g_pending[k].state.store(2);
        return k;
    }
    return -1;   // more saves at once than slots: that one is not cleaned on a signal
}

void ReleasePending(int slot)
{
    if (slot >= 0) g_pending[slot].state.store(0);
}

const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
}

// The file a save to path replaces: path itself, or the file its chain of
// symbolic links ends at (which may not exist yet, as an ordinary open
// would create it). Anything there but a regular file is refused, so that
// a rename never puts a file in place of a device, FIFO or folder.
struct Target {
    std::string path;
    bool exists = false;
    mode_t mode = 0;
};

AtomicWrite ResolveTarget(const std::string& path, Target& target, std::string* reason)
{
    std::string p = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            // Missing, or unreachable: creating the temporary tells which.
            target = Target{p, false, 0};
            return AtomicWrite::Ok;
        }
        if (S_ISREG(st.st_mode)) {
            target = Target{p, true, st.st_mode};
            return AtomicWrite::Ok;
        }
        if (!S_ISLNK(st.st_mode)) {
            if (p == path)
                SetReason(reason, S_ISDIR(st.st_mode) ? std::string(std::strerror(EISDIR))
                                                      : "Is " + std::string(KindOf(st.st_mode)) + ", not a regular file");
            else
                SetReason(reason, "Links to " + std::string(KindOf(st.st_mode)) + " (" + p + "), not a regular file");
            return AtomicWrite::NotRegularFile;
        }
        std::string link(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t len = ::readlink(p.c_str(), link.data(), link.size());
        if (len < 0 || static_cast<std::size_t>(len) >= link.size()) {
            SetReason(reason, len < 0 ? errno : ENAMETOOLONG);
            return AtomicWrite::CannotCreate;
        }
        link.resize(static_cast<std::size_t>(len));
        const std::size_t slash = p.rfind('/');
        p = link.front() == '/' || slash == std::string::npos ? link : p.substr(0, slash + 1) + link;
    }
    SetReason(reason, ELOOP);
    return AtomicWrite::CannotCreate;
}

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

// A stream buffer onto a file descriptor that keeps the first error.
class FdBuffer : public std::streambuf {
public:
    explicit FdBuffer(int fd) : m_fd(fd) { setp(m_buffer, m_buffer + sizeof m_buffer); }
    int Error() const { return m_error; }

protected:
    int_type overflow(int_type c) override
    {
        if (!Drain()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return Drain() ? 0 : -1; }

private:
    bool Drain()
    {
        const char* p = pbase();
        std::size_t left = static_cast<std::size_t>(pptr() - pbase());
        while (left > 0 && m_error == 0) {
            const ssize_t n = ::write(m_fd, p, left);
            if (n < 0) {
                if (errno != EINTR) m_error = errno;
                continue;
            }
            p += n;
            left -= static_cast<std::size_t>(n);
        }
        setp(m_buffer, m_buffer + sizeof m_buffer);
        return m_error == 0;
    }

    int m_fd;
    int m_error = 0;
    char m_buffer[1 << 16];
};

// Fills the open temporary; the errno of the first failure, or 0.
int Fill(int fd, const FileFiller& fill)
{
    FdBuffer buffer(fd);
    std::ostream os(&buffer);
    const bool filled = fill(os);
    os.flush();
    if (buffer.Error() != 0) return buffer.Error();
    if (!filled || !os) return EIO;
    return ::fsync(fd) == 0 ? 0 : errno;
}
#endif

}  // namespace

AtomicWrite WriteFileAtomically(const std::string& path, const FileFiller& fill, std::string* reason)
{
#if defined(_WIN32)
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(path, ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) {
        SetReason(reason, "Is not a regular file");
        return AtomicWrite::NotRegularFile;
    }
    const std::string temp = path + ".tmp" + std::to_string(g_tempCounter.fetch_add(1));
    bool ok = false;
    {
        std::ofstream out(temp, std::ios::binary);
        if (!out) {
            SetReason(reason, errno);
            return AtomicWrite::CannotCreate;
        }
        try {
            ok = fill(out) && out.flush();
        } catch (...) {
            out.close();
            std::remove(temp.c_str());
            throw;
        }
    }
    if (!ok || (std::remove(path.c_str()), std::rename(temp.c_str(), path.c_str()) != 0)) {
        SetReason(reason, errno);
        std::remove(temp.c_str());
        return AtomicWrite::CannotWrite;
    }
    return AtomicWrite::Ok;
#else
    Target target;
    const AtomicWrite resolved = ResolveTarget(path, target, reason);
    if (resolved != AtomicWrite::Ok) return resolved;
    std::string temp;
    const int fd = CreateTemp(target.path, temp);
    if (fd < 0) {
        SetReason(reason, errno);
        return AtomicWrite::CannotCreate;
    }
    const int slot = ClaimPending(temp);
    // A replaced file keeps its permissions; a new one gets 0666 less the
    // umask, as any file the process creates.
    if (target.exists) ::fchmod(fd, target.mode & 07777);
    int err = 0;
    try {
        err = Fill(fd, fill);
    } catch (...) {
        ::close(fd);
        ::unlink(temp.c_str());
        ReleasePending(slot);
        throw;
    }
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && std::rename(temp.c_str(), target.path.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        SetReason(reason, err);
    }
    ReleasePending(slot);
    return err == 0 ? AtomicWrite::Ok : AtomicWrite::CannotWrite;
#endif
}

AtomicWrite WriteFileAtomically(const std::string& path, std::string_view contents, std::string* reason)
{
    return WriteFileAtomically(
        path, [contents](std::ostream& os) { return static_cast<bool>(os.write(contents.data(), static_cast<std::streamsize>(contents.size()))); },
        reason);
}

void RemovePendingTemporaries()
{
#if !defined(_WIN32)
    for (PendingTemp& slot : g_pending) {
        int expected = 2;
        if (!slot.state.compare_exchange_strong(expected, 3)) continue;
        ::unlink(slot.path);
    }
#endif
}

}  // namespace hcp
