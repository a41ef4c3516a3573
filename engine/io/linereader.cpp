#include "io/linereader.h"

#include "io/bytesource.h"
#include "io/linescanner.h"
#include "io/messagetext.h"

namespace hcp {

LineReader::LineReader(const std::string& path, const ReadOptions& options) : m_name(path)
{
    const std::string label = EscapeControls(path);
    m_file = std::make_unique<FileSource>(path == "-" ? FileSource::StandardInput(label, options.stop, options.timeLimit)
                                                      : FileSource(path, label, options.stop, options.timeLimit));
    m_lines = std::make_unique<LineScanner>(*m_file, label, options, false);
}

LineReader::~LineReader() = default;

bool LineReader::Next(std::string_view& line)
{
    if (!m_lines->Next(line)) return false;
    m_lineNumber = static_cast<std::size_t>(m_lines->LineNumber());
    return true;
}

void LineReader::PutBack()
{
    m_lines->PutBack();
    --m_lineNumber;
}

std::size_t LineReader::ReadRest(char* buffer, std::size_t size) { return m_lines->ReadRest(buffer, size); }

std::string_view LineReader::LastLineBytes() const { return m_lines->LastLineBytes(); }

void LineReader::Record(std::string* into) { m_lines->Record(into); }

void LineReader::RestartTimeLimit(bool timed)
{
    m_file->RestartTimeLimit(timed);
    m_lines->RestartTimeLimit(timed);
}

}  // namespace hcp
