// Line-by-line reading of a file or standard input with one buffer, for the
// readers of many-graph streams: no per-line allocation once the longest
// line has been seen, LF, CR LF and lone CR line ends alike, a bound on the
// line length, and every wait for data ended by a stop request or the time
// limit.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "export.h"
#include "io/hcpreader.h"

namespace hcp {

class FileSource;
class LineScanner;

class TOURKERN_API LineReader {
public:
    // Opens path, or standard input for "-". Throws FileError naming the
    // file and the system's reason. Lines longer than options.maxLineBytes
    // are refused; options.stop and options.timeLimit end a read with
    // ReadStopped.
    explicit LineReader(const std::string& path, const ReadOptions& options = {});
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line without its line end; false at the end. Throws
    // FileError when reading fails part way, FormatError "file:line: line
    // is longer than N bytes", ReadStopped on a stop or at the time limit.
    bool Next(std::string_view& line);
    // 1-based number of the line Next returned last.
    std::size_t LineNumber() const { return m_lineNumber; }
    // The name messages use: the path, or "-" for standard input.
    const std::string& Name() const { return m_name; }

    // Hands a line back so the next call returns it again (content sniffing
    // reads the first line before the format is known).
    void PutBack();

    // Up to size bytes of what Next has not returned yet (a line handed back
    // first, with its line end); 0 at the end. For a format read as bytes
    // once its first line has told what it is. Throws FileError like Next.
    std::size_t ReadRest(char* buffer, std::size_t size);

    // The bytes of the line Next returned last, exactly as read: its line
    // end included ("\n", "\r\n" or "\r"; none for a last line without
    // one). Valid until the next call.
    std::string_view LastLineBytes() const;
    // From now on every byte Next or ReadRest hands out is also appended to
    // *into, and PutBack takes its line back out; nullptr stops it.
    void Record(std::string* into);

    // Starts options.timeLimit again from now, or (timed false) lifts it:
    // a stream's time limit bounds the wait for its first graph only.
    void RestartTimeLimit(bool timed = true);

private:
    std::string m_name;
    std::unique_ptr<FileSource> m_file;
    std::unique_ptr<LineScanner> m_lines;
    std::size_t m_lineNumber = 0;
};

}  // namespace hcp
