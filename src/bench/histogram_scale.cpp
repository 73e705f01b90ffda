#include "bench/histogram_scale.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace histogram_scale {
namespace {

// Far beyond any screen, yet well inside what pixel geometry can hold.
constexpr double Max_Bar_Height = 1.0e6;

}  // namespace

double Round_Half_Even(double value)
{
    // The station runs with the default rounding mode; say so here all the same.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(saved);
    return rounded;
}

double Scale_Top(double reference)
{
    for (double step : Ladder)
        if (step >= reference) return step;
    return Ladder.back();
}

QString Scale_Text(double value) { return QString::number(value, 'g', 15); }

double Bar_Height(double count, double top, double plot_height)
{
    if (!std::isfinite(count) || !(top > 0)) return 0;
    const double height = Round_Half_Even(count / top * plot_height);
    return std::clamp(height, -Max_Bar_Height, Max_Bar_Height);
}

}  // namespace histogram_scale
