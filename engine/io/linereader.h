// Line-by-line reading of a file or standard input with one buffer, for the
// readers of many-graph streams: no per-line allocation once the longest
// line has been seen, and Windows line ends read like Unix ones.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "export.h"

namespace hcp {

class TOURKERN_API LineReader {
public:
    // Opens path, or standard input for "-". Throws FileError naming the
    // file and the system's reason.
    explicit LineReader(const std::string& path);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its "\n" or "\r\n"; false at the end. Throws
    // FileError when reading fails part way.
    bool Next(std::string_view& line);
    // 1-based number of the line Next returned last.
    std::size_t LineNumber() const { return m_lineNumber; }
    // The name messages use: the path, or "-" for standard input.
    const std::string& Name() const { return m_name; }

    // Hands a line back so the next call returns it again (content sniffing
    // reads the first line before the format is known).
    void PutBack() { m_putBack = true; }

    // Up to size bytes of what Next has not returned yet (a line handed back
    // first, with a line end); 0 at the end. For a format read as bytes once
    // its first line has told what it is. Throws FileError like Next.
    std::size_t ReadRest(char* buffer, std::size_t size);

private:
    std::FILE* m_file = nullptr;
    bool m_own = false;
    std::string m_name;
    char* m_buffer = nullptr;
    std::size_t m_capacity = 0;
    std::string_view m_last;
    std::size_t m_lineNumber = 0;
    bool m_putBack = false;
    std::string m_pending;   // bytes of a handed-back line ReadRest still owes
};

}  // namespace hcp
