// Splits a byte stream into lines for the file readers: read in large
// blocks, LF, CR LF or lone CR line ends, lines of any length up to a
// bound, stop requests and the time limit checked between blocks. Internal
// to the engine.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "io/bytesource.h"
#include "io/hcpreader.h"

namespace hcp {

class LineScanner {
public:
    // skipLongComments: a COMMENT line longer than the bound comes back as
    // just "COMMENT" (the HCP reader's wish); otherwise it is refused like
    // any other.
    LineScanner(ByteSource& source, std::string label, const ReadOptions& options, bool skipLongComments = true);

    // The next line without its line end, valid until the next call; false
    // at the end of the input. A line longer than the bound throws
    // FormatError "label:line: line is longer than N bytes". A line is
    // handed out as soon as its line end has arrived.
    bool Next(std::string_view& line);
    // Number of the line Next returned last; after the end, of the line
    // that would have followed.
    long long LineNumber() const { return m_line; }

    // Hands the line Next returned last back, line end included, to the
    // next Next or ReadRest.
    void PutBack();
    // Up to size bytes Next has not returned yet; 0 at the end. For a
    // format read as bytes once its first line has told what it is.
    std::size_t ReadRest(char* buffer, std::size_t size);
    // Starts the time limit again from now.
    void RestartTimeLimit(bool timed = true) { m_deadline.Restart(timed); }

    // The bytes of the line Next returned last, line end included (none for
    // a last line without one), valid until the next call. Not for a long
    // COMMENT line that came back shortened.
    std::string_view LastLineBytes() const { return {m_buffer.get() + m_lastBegin, m_begin - m_lastBegin}; }
    // From now on every byte Next or ReadRest hands out is also appended to
    // *into, and PutBack takes its line back out; nullptr stops it. Lines
    // dropped as long COMMENTs are not recorded.
    void Record(std::string* into) { m_record = into; }

private:
    // Reads the next block behind the unread bytes; false at the end.
    bool Fill();
    void SkipRestOfLine();
    [[noreturn]] void TooLong() const;

    ByteSource& m_source;
    std::string m_label;
    std::size_t m_maxLine;
    bool m_skipLongComments;
    ReadDeadline m_deadline;
    // Not a vector: growing one zeroes the new buffer while the old one is
    // still held, and the pages a read never reaches should cost nothing.
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_size = 0;
    std::size_t m_begin = 0;      // first unread byte
    std::size_t m_end = 0;        // one past the last byte read
    std::size_t m_scanned = 0;    // bytes after m_begin known to hold no line end
    std::size_t m_lastBegin = 0;  // where the line Next returned last began
    bool m_atEnd = false;
    long long m_line = 0;
    std::string* m_record = nullptr;
};

}  // namespace hcp
