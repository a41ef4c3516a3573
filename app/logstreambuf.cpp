// Unbuffered forwarding of stream output to a sink.
#include "logstreambuf.h"

namespace app {

LogStreamBuf::int_type LogStreamBuf::overflow(int_type ch)
{
    if (traits_type::eq_int_type(ch, traits_type::eof()))
        return traits_type::not_eof(ch);
    const char c = traits_type::to_char_type(ch);
    if (m_sink)
        m_sink(std::string_view(&c, 1));
    return ch;
}

std::streamsize LogStreamBuf::xsputn(const char* s, std::streamsize n)
{
    if (n > 0 && m_sink)
        m_sink(std::string_view(s, static_cast<std::size_t>(n)));
    return n;
}

}  // namespace app
