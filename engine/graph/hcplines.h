// Line reading and number parsing for the HCP reader: lines of at most
// 16383 characters (a longer one is taken as several), CR before LF
// dropped, and C-style leading integers. Internal to the engine.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace hcp {

class LineReader {
public:
    static constexpr std::size_t kMaxLine = 16383;

    explicit LineReader(std::FILE* file);

    // The next line without its line end; false at the end of the file or
    // on a read error (see Failed).
    bool Next(std::string& line);
    bool Failed() const { return m_failed; }
    // File line number of the line Next returned last; after Next returned
    // false, the number the next line would have had.
    long LineNumber() const { return m_lineNumber; }

private:
    int Get();    // next byte, or EOF
    int Peek();

    std::FILE* m_file;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_len = 0;
    bool m_failed = false;
    bool m_atEnd = false;
    long m_lineNumber = 0;
    long m_nextLine = 1;    // file line the next read starts in
};

// The integer at the start of s: leading blanks skipped, an optional sign,
// the digits up to the first other character; 0 when there are none. Values
// beyond the range of ten digits are clamped.
long ParseLeadingInt(std::string_view s);

}  // namespace hcp
