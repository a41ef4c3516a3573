// Geometry of the tab strip that CTabWnd draws above its views: where each
// tab sits, which tab a point hits, where captions and views go. Plain
// integer arithmetic, so it is tested without a window.
#pragma once

#include <vector>

namespace app {

// Fixed measures of the strip, in pixels of the tab window's client area.
struct TabMetrics {
    static constexpr int kStripHeight = 32;     // face-coloured band at the top
    static constexpr int kExtraWidth = 17;      // tab width = caption width + 17
    static constexpr int kCaptionIndent = 8;    // caption x from the tab's left
    static constexpr int kSelectedTop = 5;      // first hit row of the selected tab
    static constexpr int kOtherTop = 7;         // first hit row of the other tabs
    static constexpr int kHitBottom = 27;       // last hit row of every tab
    static constexpr int kViewLeft = 2;         // views sit at (2, 34) ...
    static constexpr int kViewTop = 34;
    static constexpr int kViewWidthLoss = 4;    // ... with size (W - 4) x (H - 36)
    static constexpr int kViewHeightLoss = 36;
};

// Horizontal extent of one tab, both edges inclusive for hit testing.
struct TabSpan {
    int left = 0;
    int right = 0;
};

// Places tabs of the given caption widths side by side from x = 0; tab i
// starts where tab i - 1 ends.
std::vector<TabSpan> layoutTabs(const std::vector<int>& captionWidths);

// Index of the first tab whose span and row range hold (x, y), or -1. The
// selected tab reaches two rows higher than the others.
int hitTestTabs(const std::vector<TabSpan>& spans, int selected, int x, int y);

// Top of a caption of height h in a tab that is or is not selected.
int captionTop(int captionHeight, bool selected);

// Rectangle of every tab's view in a tab window of the given size.
struct ViewRect {
    int x = 0, y = 0, width = 0, height = 0;
};
ViewRect viewRect(int clientWidth, int clientHeight);

}  // namespace app
