#include "io/messagetext.h"

namespace hcp {

std::string EscapeControls(std::string_view s)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(s.size());
    for (char ch : s) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c >= 0x20 && c != 0x7F) {
            out += ch;
            continue;
        }
        switch (c) {
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

std::string QuoteToken(std::string_view token)
{
    constexpr std::size_t kShown = 40;
    if (token.size() > kShown) return "'" + EscapeControls(token.substr(0, kShown)) + "...'";
    return "'" + EscapeControls(token) + "'";
}

}  // namespace hcp
