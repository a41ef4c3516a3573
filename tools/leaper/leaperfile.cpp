#include "leaperfile.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "leapergraph.h"

namespace leaper {

namespace {

// The temporary file's name, where a signal handler can reach it.
char g_partial[4096];
volatile sig_atomic_t g_havePartial = 0;

// Node numbers right-aligned in six columns ("%6d"), wider when longer.
char* PutNumber(char* out, std::uint64_t v)
{
    char digits[24];
    int len = 0;
    do {
        digits[len++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v > 0);
    for (int pad = len; pad < 6; ++pad) *out++ = ' ';
    while (len > 0) *out++ = digits[--len];
    return out;
}

class BlockWriter {
public:
    explicit BlockWriter(int fd) : m_fd(fd) { m_block.reserve(kBlock + 64); }
    // Room for one more line; false after a failed write (errno kept).
    bool Room()
    {
        return m_block.size() < kBlock || Flush();
    }
    void Append(const char* text, std::size_t n) { m_block.insert(m_block.end(), text, text + n); }
    void Append(const std::string& text) { Append(text.data(), text.size()); }
    bool Flush()
    {
        const char* p = m_block.data();
        std::size_t left = m_block.size();
        while (left > 0) {
            const ssize_t done = ::write(m_fd, p, left);
            if (done < 0) {
                if (errno == EINTR) continue;
                return false;
            }
            p += done;
            left -= static_cast<std::size_t>(done);
        }
        m_block.clear();
        return true;
    }

private:
    static constexpr std::size_t kBlock = std::size_t{1} << 20;
    int m_fd;
    std::vector<char> m_block;
};

bool WriteGraph(int fd, const LeaperArgs& args, const std::string& name)
{
    const std::uint64_t squares = static_cast<std::uint64_t>(args.m) * static_cast<std::uint64_t>(args.n);
    BlockWriter out(fd);
    out.Append("NAME: " + name + "\nCOMMENT: Hamiltonian cycle problem\nTYPE: HCP\nDIMENSION: "
               + std::to_string(squares) + "\nEDGE_DATA_FORMAT: EDGE_LIST\nEDGE_DATA_SECTION\n");
    std::vector<std::uint64_t> earlier;
    char line[64];
    for (std::uint64_t i = squares; i >= 2; --i) {
        EarlierNeighbours(args, i, earlier);
        for (std::uint64_t j : earlier) {
            char* end = PutNumber(line, i);
            *end++ = ' ';
            end = PutNumber(end, j);
            *end++ = '\n';
            out.Append(line, static_cast<std::size_t>(end - line));
        }
        if (!out.Room()) return false;
    }
    out.Append("-1\nEOF\n");
    return out.Flush() && ::fsync(fd) == 0;
}

}  // namespace

void RemovePartialFile()
{
    if (g_havePartial) {
        ::unlink(g_partial);
        g_havePartial = 0;
    }
}

WriteFailure WriteLeaperFile(const LeaperArgs& args, const std::string& name, std::string& error)
{
    struct stat target {};
    if (::stat(name.c_str(), &target) == 0 && S_ISDIR(target.st_mode)) {
        error = std::strerror(EISDIR);
        return WriteFailure::Open;
    }
    const std::string pattern = name + ".XXXXXX";
    if (pattern.size() >= sizeof g_partial) {
        error = std::strerror(ENAMETOOLONG);
        return WriteFailure::Open;
    }
    std::memcpy(g_partial, pattern.c_str(), pattern.size() + 1);
    const int fd = ::mkstemp(g_partial);
    if (fd < 0) {
        error = std::strerror(errno);
        return WriteFailure::Open;
    }
    g_havePartial = 1;
    // A new file gets the permissions an ordinary create would give it.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);

    bool written = WriteGraph(fd, args, name);
    int saved = errno;
    if (::close(fd) != 0 && written) {
        written = false;
        saved = errno;
    }
    if (!written) {
        RemovePartialFile();
        error = std::strerror(saved);
        return WriteFailure::Write;
    }
    if (::rename(g_partial, name.c_str()) != 0) {
        saved = errno;
        RemovePartialFile();
        error = std::strerror(saved);
        return WriteFailure::Open;
    }
    g_havePartial = 0;
    return WriteFailure::None;
}

}  // namespace leaper
