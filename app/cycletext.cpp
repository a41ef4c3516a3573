#include "cycletext.h"

#include <cctype>
#include <sstream>

namespace app {

std::string CycleTitleFromString(const std::string& cycleString)
{
    // The cycle string starts with a line feed and "(": both are dropped.
    return "(H=" + (cycleString.size() > 2 ? cycleString.substr(2) : std::string());
}

std::string DimensionTitle(int n)
{
    return "(N=" + std::to_string(n) + ")";
}

namespace {

bool IsBlank(char c)
{
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

int ParseCycleText(const std::string& text, std::list<short>& list)
{
    const std::size_t open = text.find('{');
    const std::size_t close = text.find('}');
    if (open == std::string::npos || close == std::string::npos || open > close)
        return -1;
    std::string body = text.substr(open + 1, close - open - 1);
    while (!body.empty() && IsBlank(body.back()))
        body.pop_back();

    list.clear();
    int count = 0;
    // Stream extraction: a token such as "7x" yields 7 and then stops, as
    // does an integer outside the 16-bit range.
    std::istringstream in(body);
    short value = 0;
    while (in >> value) {
        if (value > 0) {
            list.push_back(value);
            ++count;
        }
    }
    return count;
}

}  // namespace app
