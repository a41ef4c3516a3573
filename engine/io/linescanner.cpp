#include "io/linescanner.h"

#include <algorithm>
#include <cstring>

#include "io/readerror.h"

namespace hcp {

namespace {

constexpr std::size_t kBlock = std::size_t{1} << 20;

// Whether a line that begins with prefix is a COMMENT line, whose text can
// be dropped unread.
bool IsCommentLine(std::string_view prefix)
{
    if (prefix.substr(0, 3) == "\xEF\xBB\xBF") prefix.remove_prefix(3);
    while (!prefix.empty() && (prefix.front() == ' ' || prefix.front() == '\t')) prefix.remove_prefix(1);
    if (prefix.substr(0, 7) != "COMMENT") return false;
    return prefix.size() == 7 || prefix[7] == ' ' || prefix[7] == '\t' || prefix[7] == ':';
}

}  // namespace

LineScanner::LineScanner(ByteSource& source, std::string label, const ReadOptions& options)
    : m_source(source), m_label(std::move(label)), m_options(options)
{
    if (m_options.timeLimit > 0) {
        m_hasDeadline = true;
        m_deadline = std::chrono::steady_clock::now()
                   + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                         std::chrono::duration<double>(m_options.timeLimit));
    }
    if (m_options.maxLineBytes < 64) m_options.maxLineBytes = 64;
    m_buffer.resize(std::min(kBlock, m_options.maxLineBytes) * 2);
}

void LineScanner::CheckStop() const
{
    if (m_options.stop.stop_requested()) throw ReadStopped(m_label + ": reading stopped");
    if (m_hasDeadline && std::chrono::steady_clock::now() >= m_deadline)
        throw ReadStopped(m_label + ": time limit reached while reading");
}

bool LineScanner::Fill()
{
    CheckStop();
    if (m_atEnd) return false;
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_buffer.size() - m_end < kBlock / 2 && m_buffer.size() < m_options.maxLineBytes + kBlock)
        m_buffer.resize(std::min(m_buffer.size() * 2, m_options.maxLineBytes + kBlock));
    const std::size_t room = std::min(m_buffer.size() - m_end, kBlock);
    const std::size_t got = m_source.Read(m_buffer.data() + m_end, room);
    CheckStop();
    if (got == 0) {
        m_atEnd = true;
        return false;
    }
    m_end += got;
    return true;
}

// Drops bytes up to and including the next LF, block by block.
void LineScanner::SkipRestOfLine()
{
    for (;;) {
        const char* base = m_buffer.data() + m_begin;
        const void* lf = std::memchr(base, '\n', m_end - m_begin);
        if (lf != nullptr) {
            m_begin += static_cast<std::size_t>(static_cast<const char*>(lf) - base) + 1;
            return;
        }
        m_begin = m_end = 0;
        if (!Fill()) return;
    }
}

bool LineScanner::Next(std::string_view& line)
{
    ++m_line;
    for (;;) {
        const char* base = m_buffer.data() + m_begin;
        const std::size_t have = m_end - m_begin;
        const void* lf = std::memchr(base + m_scanned, '\n', have - m_scanned);
        std::size_t length = 0;
        if (lf != nullptr) {
            length = static_cast<std::size_t>(static_cast<const char*>(lf) - base);
            m_begin += length + 1;
        } else if (have > m_options.maxLineBytes) {
            if (!IsCommentLine(std::string_view(base, have)))
                throw FormatError(m_label + ":" + std::to_string(m_line) + ": line is longer than "
                                  + std::to_string(m_options.maxLineBytes) + " bytes");
            SkipRestOfLine();
            m_scanned = 0;
            line = "COMMENT";
            return true;
        } else {
            m_scanned = have;
            if (Fill()) continue;
            if (have == 0) return false;   // m_line is now the line after the last
            length = have;                 // a last line without a line end
            m_begin = m_end;
        }
        m_scanned = 0;
        if (length > 0 && base[length - 1] == '\r') --length;
        line = std::string_view(base, length);
        return true;
    }
}

}  // namespace hcp
