// Zoom and pan arithmetic, and the label spacing that decides readability.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "layout.h"
#include "viewport.h"

namespace {

app::Viewport MakeViewport()
{
    app::Viewport vp;
    vp.SetRect(app::Box{20, 40, 420, 320});
    return vp;
}

TEST(Viewport, IdentityLandsOnTheUnzoomedPixels)
{
    const app::Viewport vp = MakeViewport();
    for (float u : {0.0f, 0.25f, 0.5f, 0.8f, 1.0f}) {
        const app::PointF p = vp.ToScreen(u, 1.0f - u);
        const app::Point q = app::NodePoint(vp.Rect(), u, 1.0f - u);
        EXPECT_EQ(static_cast<int>(p.x), q.x);
        EXPECT_EQ(static_cast<int>(p.y), q.y);
    }
}

TEST(Viewport, ZoomAtKeepsThePointUnderTheMouseAndRoundTrips)
{
    app::Viewport vp = MakeViewport();
    const app::PointF before = vp.ToUnit(100, 90);
    vp.ZoomAt(1.25, 100, 90);
    vp.ZoomAt(1.25, 100, 90);
    EXPECT_NEAR(vp.Zoom(), 1.5625, 1e-12);
    const app::PointF after = vp.ToUnit(100, 90);
    EXPECT_NEAR(before.x, after.x, 1e-9);
    EXPECT_NEAR(before.y, after.y, 1e-9);
    // ToUnit undoes ToScreen anywhere.
    const app::PointF s = vp.ToScreen(0.3f, 0.7f);
    const app::PointF u = vp.ToUnit(s.x, s.y);
    EXPECT_NEAR(u.x, 0.3, 1e-6);
    EXPECT_NEAR(u.y, 0.7, 1e-6);
    // Zooming back out returns to the identity exactly.
    vp.ZoomAt(0.8, 100, 90);
    vp.ZoomAt(0.8, 100, 90);
    EXPECT_TRUE(vp.IsIdentity());
}

TEST(Viewport, ZoomIsClampedAndPanMovesEverything)
{
    app::Viewport vp = MakeViewport();
    for (int i = 0; i < 100; ++i)
        vp.ZoomCentre(2.0);
    EXPECT_EQ(vp.Zoom(), app::Viewport::kMaxZoom);
    vp.Reset();
    for (int i = 0; i < 100; ++i)
        vp.ZoomCentre(0.5);
    EXPECT_EQ(vp.Zoom(), app::Viewport::kMinZoom);
    vp.Reset();
    const app::PointF a = vp.ToScreen(0.5f, 0.5f);
    vp.Pan(13, -7);
    const app::PointF b = vp.ToScreen(0.5f, 0.5f);
    EXPECT_NEAR(b.x - a.x, 13, 1e-9);
    EXPECT_NEAR(b.y - a.y, -7, 1e-9);
}

TEST(Viewport, FitShowsTheBoxAndCentreOnCentres)
{
    app::Viewport vp = MakeViewport();
    vp.FitUnitBox(0.25, 0.25, 0.75, 0.5);
    EXPECT_NEAR(vp.Zoom(), 2.0, 1e-12);   // limited by the box's width
    const app::PointF left = vp.ToScreen(0.25f, 0.375f);
    const app::PointF right = vp.ToScreen(0.75f, 0.375f);
    EXPECT_NEAR(left.x, 20, 1e-3);
    EXPECT_NEAR(right.x, 420, 1e-3);
    EXPECT_NEAR(left.y, 180, 1e-3);
    vp.FitUnitBox(0, 0, 1, 1);
    EXPECT_TRUE(vp.IsIdentity());
    vp.ZoomCentre(4);
    vp.CentreOn(0.9f, 0.1f);
    const app::PointF c = vp.ToScreen(0.9f, 0.1f);
    EXPECT_NEAR(c.x, 220, 1e-3);
    EXPECT_NEAR(c.y, 180, 1e-3);
    double x0, y0, x1, y1;
    vp.VisibleUnitBox(440, 340, 0, x0, y0, x1, y1);
    EXPECT_LT(x0, 0.9);
    EXPECT_GT(x1, 0.9);
    EXPECT_LT(x1 - x0, 0.35);
}

// Brute force nearest neighbour distances, their median.
double BruteMedian(const std::vector<float>& x, const std::vector<float>& y, double w, double h)
{
    std::vector<double> d(x.size(), 1e300);
    for (std::size_t i = 0; i < x.size(); ++i)
        for (std::size_t j = 0; j < x.size(); ++j)
            if (i != j)
                d[i] = std::min(d[i], std::hypot((x[i] - x[j]) * w, (y[i] - y[j]) * h));
    std::nth_element(d.begin(), d.begin() + d.size() / 2, d.end());
    return d[d.size() / 2];
}

TEST(Viewport, MedianNearestSpacingMatchesBruteForce)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    for (int n : {2, 3, 10, 57, 400}) {
        std::vector<float> x(n), y(n);
        for (int i = 0; i < n; ++i) {
            x[i] = u(rng);
            y[i] = u(rng) * 0.3f;   // a flat cloud: buckets of unequal fill
        }
        EXPECT_NEAR(app::MedianNearestSpacing(x, y, 400, 280), BruteMedian(x, y, 400, 280), 1e-3) << n;
    }
    std::vector<float> cx, cy;
    app::InitialCircleLayout(100, cx, cy);
    EXPECT_NEAR(app::MedianNearestSpacing(cx, cy, 400, 400), BruteMedian(cx, cy, 400, 400), 1e-3);
    EXPECT_EQ(app::MedianNearestSpacing({0.5f}, {0.5f}, 400, 400), 0.0);
}

TEST(Viewport, MedianNearestSpacingOfLargeLayoutsFromASample)
{
    // Beyond 4096 nodes the median comes from a sample: close to the exact
    // one on a random cloud, and right on a circle of a million nodes,
    // where neighbours lie 2 pi r / n apart.
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> u(0.0f, 1.0f);
    std::vector<float> x(6000), y(6000);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = u(rng);
        y[i] = u(rng);
    }
    const double exact = BruteMedian(x, y, 400, 400);
    EXPECT_NEAR(app::MedianNearestSpacing(x, y, 400, 400), exact, 0.05 * exact);
    std::vector<float> cx, cy;
    app::InitialCircleLayout(1000000, cx, cy);
    const double step = 2 * 3.14159265358979 * 200 / 1000000;
    EXPECT_NEAR(app::MedianNearestSpacing(cx, cy, 400, 400), step, 0.2 * step);
}

}  // namespace
