// Tab strip geometry: tab spans, hit ranges, caption rows and the view area.
#include "tabstrip.h"

#include <algorithm>

namespace app {

std::vector<TabSpan> layoutTabs(const std::vector<int>& captionWidths)
{
    std::vector<TabSpan> spans;
    spans.reserve(captionWidths.size());
    int x = 0;
    for (int w : captionWidths) {
        TabSpan s;
        s.left = x;
        x += w + TabMetrics::kExtraWidth;
        s.right = x;
        spans.push_back(s);
    }
    return spans;
}

int hitTestTabs(const std::vector<TabSpan>& spans, int selected, int x, int y)
{
    for (int i = 0; i < static_cast<int>(spans.size()); ++i) {
        const int top = i == selected ? TabMetrics::kSelectedTop : TabMetrics::kOtherTop;
        if (spans[i].left <= x && x <= spans[i].right && top <= y && y <= TabMetrics::kHitBottom)
            return i;
    }
    return -1;
}

int captionTop(int captionHeight, bool selected)
{
    // Integer division as the strip's 20-pixel caption band is centred.
    return (20 - captionHeight) / 2 + (selected ? 6 : 7);
}

ViewRect viewRect(int clientWidth, int clientHeight)
{
    // A window smaller than the frame border gives an empty view, never a
    // negative size.
    ViewRect r;
    r.x = TabMetrics::kViewLeft;
    r.y = TabMetrics::kViewTop;
    r.width = std::max(0, clientWidth - TabMetrics::kViewWidthLoss);
    r.height = std::max(0, clientHeight - TabMetrics::kViewHeightLoss);
    return r;
}

}  // namespace app
