// Where a reader's bytes come from: a file opened once and read in large
// blocks (so FIFOs and pipes work), or text already in memory. Internal to
// the engine.
#pragma once

#include <chrono>
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

// When a read gives up: on a stop request, or at a moment of the steady
// clock. Both end a read that waits for data within a twentieth of a
// second.
class ReadDeadline {
public:
    ReadDeadline() = default;
    // timeLimit in seconds from now; 0 means none.
    ReadDeadline(std::stop_token stop, double timeLimit);
    // Starts the time limit again from now, or (timed false) lifts it until
    // the next restart: only a stop request then ends a wait.
    void Restart(bool timed = true);
    // Throws ReadStopped "label: reading stopped" or "label: time limit
    // reached while reading".
    void Check(const std::string& label) const;
    // How long one wait may last before Check is due again, in ms.
    int WaitMillis() const;

private:
    std::stop_token m_stop;
    double m_timeLimit = 0.0;
    bool m_timed = false;
    std::chrono::steady_clock::time_point m_end;
};

class FileSource : public ByteSource {
public:
    // Opens path once for reading. Throws FileError with the system's
    // reason, also for a folder. label names the file in messages. Opening
    // never waits (a FIFO without a writer included); reads from anything
    // but a regular file wait with poll(), so that a stop request or the
    // time limit ends them.
    FileSource(const std::string& path, const std::string& label, std::stop_token stop, double timeLimit = 0.0);
    // Reads standard input, which is not closed.
    static FileSource StandardInput(const std::string& label, std::stop_token stop, double timeLimit = 0.0);
    ~FileSource() override;
    FileSource(FileSource&& other) noexcept;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    FileSource& operator=(FileSource&&) = delete;

    std::size_t Read(char* buffer, std::size_t size) override;
    void RestartTimeLimit(bool timed = true) { m_deadline.Restart(timed); }

private:
    FileSource(int fd, const std::string& label, std::stop_token stop, double timeLimit);
    // Refuses a folder and finds whether reads must wait with poll().
    void Examine();
    // Returns once the file has data or has ended.
    void WaitForData();

    int m_fd = -1;
    bool m_own = false;
    bool m_waits = false;   // not a regular file: wait with poll()
    std::string m_label;
    ReadDeadline m_deadline;
};

class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string_view text) : m_text(text) {}
    std::size_t Read(char* buffer, std::size_t size) override;

private:
    std::string_view m_text;
};

}  // namespace hcp
