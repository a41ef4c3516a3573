// Where a reader's bytes come from: a file opened once and read in large
// blocks (so FIFOs and pipes work), or text already in memory. Internal to
// the engine.
#pragma once

#include <cstddef>
#include <stop_token>
#include <string>
#include <string_view>

namespace hcp {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to size bytes into buffer; 0 at the end. Throws FileError on a read
    // error, ReadStopped when a stop request interrupts a waiting read.
    virtual std::size_t Read(char* buffer, std::size_t size) = 0;
};

class FileSource : public ByteSource {
public:
    // Opens path once for reading. Throws FileError with the system's reason,
    // also for a folder. label names the file in messages.
    FileSource(const std::string& path, const std::string& label, std::stop_token stop);
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    std::size_t Read(char* buffer, std::size_t size) override;

private:
    int m_fd = -1;
    std::string m_label;
    std::stop_token m_stop;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view text) : m_text(text) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view m_text;
};

}  // namespace hcp
