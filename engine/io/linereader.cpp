#include "io/linereader.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdio.h>

#include "io/graphfile.h"

namespace hcp {

LineReader::LineReader(const std::string& path) : m_name(path)
{
    if (path == "-") {
        m_file = stdin;
        return;
    }
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw FileError(path + ": is a directory");
    m_file = std::fopen(path.c_str(), "rb");
    if (m_file == nullptr) throw FileError(path + ": " + std::strerror(errno));
    m_own = true;
}

LineReader::~LineReader()
{
    if (m_own) std::fclose(m_file);
    std::free(m_buffer);
}

bool LineReader::Next(std::string_view& line)
{
    if (m_putBack) {
        m_putBack = false;
        line = m_last;
        return true;
    }
    errno = 0;
    const ssize_t got = ::getline(&m_buffer, &m_capacity, m_file);
    if (got < 0) {
        if (std::ferror(m_file))
            throw FileError(m_name + ": read error after line " + std::to_string(m_lineNumber)
                            + ": " + std::strerror(errno != 0 ? errno : EIO));
        return false;
    }
    std::size_t len = static_cast<std::size_t>(got);
    if (len > 0 && m_buffer[len - 1] == '\n') --len;
    if (len > 0 && m_buffer[len - 1] == '\r') --len;
    ++m_lineNumber;
    m_last = std::string_view(m_buffer, len);
    line = m_last;
    return true;
}

std::size_t LineReader::ReadRest(char* buffer, std::size_t size)
{
    if (m_putBack) {
        m_putBack = false;
        m_pending.assign(m_last);
        m_pending += '\n';
    }
    if (!m_pending.empty()) {
        const std::size_t n = std::min(size, m_pending.size());
        std::memcpy(buffer, m_pending.data(), n);
        m_pending.erase(0, n);
        return n;
    }
    errno = 0;
    const std::size_t got = std::fread(buffer, 1, size, m_file);
    if (got == 0 && std::ferror(m_file))
        throw FileError(m_name + ": read error: " + std::strerror(errno != 0 ? errno : EIO));
    return got;
}

}  // namespace hcp
