#include "io/linescanner.h"

#include <algorithm>
#include <cstring>
#include <new>

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

LineScanner::LineScanner(ByteSource& source, std::string label, const ReadOptions& options, bool skipLongComments)
    : m_source(source), m_label(std::move(label)), m_maxLine(std::max<std::size_t>(options.maxLineBytes, 64)),
      m_skipLongComments(skipLongComments), m_deadline(options.stop, options.timeLimit)
{
    m_size = std::min(kBlock, m_maxLine) * 2;
    m_buffer.reset(new char[m_size]);
}

void LineScanner::TooLong() const
{
    throw FormatError(m_label + ":" + std::to_string(m_line) + ": line is longer than " + std::to_string(m_maxLine)
                      + " bytes");
}

bool LineScanner::Fill()
{
    if (m_atEnd) return false;
    m_deadline.Check(m_label);
    if (m_begin > 0) {
        std::memmove(m_buffer.get(), m_buffer.get() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
        m_lastBegin = 0;
    }
    if (m_size - m_end < kBlock / 2 && m_size < m_maxLine + kBlock) {
        // The line so far stays whole: a buffer that cannot grow is a line
        // too long for this computer, reported like one beyond the bound.
        try {
            // The last step goes straight to the bound: a copy of the old
            // buffer is held twice while it moves, so a bound of 64 MB peaks
            // at about 64 MB rather than twice that.
            const std::size_t most = m_maxLine + kBlock;
            const std::size_t size = m_size * 2 > most / 2 ? most : m_size * 2;
            std::unique_ptr<char[]> grown(new char[size]);
            std::memcpy(grown.get(), m_buffer.get(), m_end);
            m_buffer = std::move(grown);
            m_size = size;
        } catch (const std::bad_alloc&) {
            throw FormatError(m_label + ":" + std::to_string(m_line) + ": not enough memory for a line of "
                              + std::to_string(m_end) + " bytes and more");
        }
    }
    const std::size_t room = std::min(m_size - m_end, kBlock);
    const std::size_t got = m_source.Read(m_buffer.get() + m_end, room);
    if (got == 0) {
        m_atEnd = true;   // the end of the data wins over a limit reached meanwhile
        return false;
    }
    m_deadline.Check(m_label);
    m_end += got;
    return true;
}

// Drops bytes up to and including the next LF, block by block.
void LineScanner::SkipRestOfLine()
{
    for (;;) {
        const char* base = m_buffer.get() + m_begin;
        const void* lf = std::memchr(base, '\n', m_end - m_begin);
        if (lf != nullptr) {
            m_begin += static_cast<std::size_t>(static_cast<const char*>(lf) - base) + 1;
            return;
        }
        m_begin = m_end = 0;
        if (!Fill()) return;
    }
}

// A line ends at LF, at CR LF, or at a CR followed by anything else (old
// Macintosh files); a CR that is the last byte so far waits for the next
// byte, or for the end, to tell which.
bool LineScanner::Next(std::string_view& line)
{
    ++m_line;
    for (;;) {
        const char* base = m_buffer.get() + m_begin;
        const std::size_t have = m_end - m_begin;
        const char* from = base + m_scanned;
        const void* lfFound = std::memchr(from, '\n', have - m_scanned);
        const char* lf = static_cast<const char*>(lfFound);
        const std::size_t upto = lf != nullptr ? static_cast<std::size_t>(lf - from) : have - m_scanned;
        const char* cr = static_cast<const char*>(std::memchr(from, '\r', upto));
        std::size_t length = 0, taken = 0;
        if (cr != nullptr && (cr + 1 < base + have || m_atEnd)) {
            length = static_cast<std::size_t>(cr - base);
            taken = length + (cr + 1 < base + have && cr[1] == '\n' ? 2 : 1);
        } else if (cr == nullptr && lf != nullptr) {
            length = static_cast<std::size_t>(lf - base);
            taken = length + 1;
        } else if (have > m_maxLine) {
            if (!m_skipLongComments || !IsCommentLine(std::string_view(base, have))) TooLong();
            SkipRestOfLine();
            m_scanned = 0;
            line = "COMMENT";
            return true;
        } else if (!m_atEnd) {
            // No line end yet (or a CR at the very end): read on, and look
            // again, as the bytes may have moved to the front.
            m_scanned = cr != nullptr ? static_cast<std::size_t>(cr - base) : have;
            Fill();
            continue;
        } else {
            if (have == 0) return false;   // m_line is now the line after the last
            length = taken = have;         // a last line without a line end
        }
        m_scanned = 0;
        m_lastBegin = m_begin;
        m_begin += taken;
        if (m_record != nullptr) m_record->append(base, taken);
        line = std::string_view(base, length);
        if (length > m_maxLine) {
            // Whole in the buffer, yet beyond the bound all the same.
            if (!m_skipLongComments || !IsCommentLine(line)) TooLong();
            line = "COMMENT";
        }
        return true;
    }
}

void LineScanner::PutBack()
{
    if (m_record != nullptr) m_record->resize(m_record->size() - (m_begin - m_lastBegin));
    m_begin = m_lastBegin;
    m_scanned = 0;
    --m_line;
}

std::size_t LineScanner::ReadRest(char* buffer, std::size_t size)
{
    if (m_begin < m_end) {
        const std::size_t n = std::min(size, m_end - m_begin);
        std::memcpy(buffer, m_buffer.get() + m_begin, n);
        if (m_record != nullptr) m_record->append(buffer, n);
        m_begin += n;
        return n;
    }
    if (m_atEnd) return 0;
    const std::size_t got = m_source.Read(buffer, size);
    if (m_record != nullptr) m_record->append(buffer, got);
    return got;
}

}  // namespace hcp
