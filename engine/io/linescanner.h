// Splits a byte stream into lines for the file readers: read in large
// blocks, LF or CR LF line ends, lines of any length up to a bound, stop
// requests and the time limit checked between blocks. Internal to the
// engine.
#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "io/bytesource.h"
#include "io/hcpreader.h"

namespace hcp {

class LineScanner {
public:
    LineScanner(ByteSource& source, std::string label, const ReadOptions& options);

    // The next line without its line end, valid until the next call; false
    // at the end of the input. A line longer than the bound is refused,
    // except a COMMENT line, which comes back as just "COMMENT".
    bool Next(std::string_view& line);
    // Number of the line Next returned last; after the end, of the line
    // that would have followed.
    long long LineNumber() const { return m_line; }

private:
    // Reads the next block behind the unread bytes; false at the end.
    bool Fill();
    void CheckStop() const;
    void SkipRestOfLine();

    ByteSource& m_source;
    std::string m_label;
    ReadOptions m_options;
    std::chrono::steady_clock::time_point m_deadline;
    bool m_hasDeadline = false;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0;      // first unread byte
    std::size_t m_end = 0;        // one past the last byte read
    std::size_t m_scanned = 0;    // bytes after m_begin known to hold no LF
    bool m_atEnd = false;
    long long m_line = 0;
};

}  // namespace hcp
