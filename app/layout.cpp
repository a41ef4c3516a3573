#include "layout.h"

#include <cmath>

namespace app {
namespace {

// The layout constants are these 8-digit decimals, not the exact pi and
// pi/2, so that positions match the ones earlier versions drew.
constexpr double kPi = 3.1415926;
constexpr double kHalfPi = 1.5707963;

}  // namespace

void InitialCircleLayout(int n, std::vector<float>& x, std::vector<float>& y)
{
    if (n < 0)
        n = 0;
    x.assign(static_cast<std::size_t>(n), 0.0f);
    y.assign(static_cast<std::size_t>(n), 0.0f);
    for (int i = 0; i < n; ++i) {
        const double a = kPi + 2 * kPi * i / n;
        x[i] = static_cast<float>((std::cos(a) + 1) * 0.5);
        y[i] = static_cast<float>((std::sin(a) + 1) * 0.5);
    }
}

void CycleCircleLayout(std::span<const hcp::NodeId> order, int n,
                       std::vector<float>& x, std::vector<float>& y)
{
    if (n <= 0)
        return;
    double k = 0;
    for (hcp::NodeId v : order) {
        ++k;
        if (v >= x.size() || v >= y.size())
            continue;
        const double a = k * 2 * kPi / n - kHalfPi;
        x[v] = static_cast<float>((std::cos(a) + 1) * 0.5);
        y[v] = static_cast<float>((std::sin(a) + 1) * 0.5);
    }
}

}  // namespace app
