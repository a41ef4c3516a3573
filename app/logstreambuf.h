// Stream buffer that hands every piece of text written to it to a sink
// function, unbuffered, so that an std::ostream over it shows text at once.
#pragma once

#include <functional>
#include <streambuf>
#include <string_view>

namespace app {

class LogStreamBuf : public std::streambuf {
public:
    using Sink = std::function<void(std::string_view)>;

    explicit LogStreamBuf(Sink sink = {}) : m_sink(std::move(sink)) {}
    void setSink(Sink sink) { m_sink = std::move(sink); }

protected:
    int_type overflow(int_type ch) override;
    std::streamsize xsputn(const char* s, std::streamsize n) override;

private:
    Sink m_sink;   // receives the text; none means the text is dropped
};

}  // namespace app
