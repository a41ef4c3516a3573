// Line reading and number parsing for the HCP reader.
#include "graph/hcplines.h"

#include <algorithm>
#include <cstring>

namespace hcp {

LineReader::LineReader(std::FILE* file) : m_file(file), m_buffer(1 << 16) {}

int LineReader::Peek() {
    if (m_pos == m_len) {
        if (m_atEnd || m_failed) return EOF;
        m_len = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        m_pos = 0;
        if (m_len == 0) {
            if (std::ferror(m_file)) m_failed = true;
            m_atEnd = true;
            return EOF;
        }
    }
    return static_cast<unsigned char>(m_buffer[m_pos]);
}

int LineReader::Get() {
    int c = Peek();
    if (c != EOF) ++m_pos;
    return c;
}

// A line break is LF or CR LF. A line that reaches the length limit ends
// there; if its break follows at once, the break belongs to it, otherwise
// the rest of the file line is read as the next line. Text is taken from
// the buffer in runs up to the next LF.
bool LineReader::Next(std::string& line) {
    line.clear();
    m_lineNumber = m_nextLine;
    if (Peek() == EOF) return false;
    while (line.size() < kMaxLine) {
        if (Peek() == EOF) {
            ++m_nextLine;  // a last line without a line break
            return true;
        }
        const char* run = m_buffer.data() + m_pos;
        std::size_t room = std::min(m_len - m_pos, kMaxLine - line.size());
        const char* lf = static_cast<const char*>(std::memchr(run, '\n', room));
        if (lf != nullptr) {
            line.append(run, static_cast<std::size_t>(lf - run));
            m_pos += static_cast<std::size_t>(lf - run) + 1;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            ++m_nextLine;
            return true;
        }
        line.append(run, room);
        m_pos += room;
    }
    if (Peek() == '\r') Get();
    if (Peek() == '\n') {
        Get();
        ++m_nextLine;
    }
    if (line.back() == '\r') line.pop_back();
    return true;
}

long ParseLeadingInt(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\v' || s[i] == '\f')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        if (value < 10000000000L) value = value * 10 + (s[i] - '0');
    return negative ? -value : value;
}

}  // namespace hcp
