#pragma once

#include <QString>
#include <array>

// The arithmetic of the histogram panel: the ladder of scale tops, the choice of the
// top for a reference count, the scale labels and the bar heights in twips.
namespace histogram_scale {

// The scale tops the panel offers, smallest first.
inline constexpr std::array<double, 33> Ladder = {25,    50,    100,    200,    500,    1000,   2000,   3000,   4000,   5000,   7000,
                                                  10000, 13000, 16000,  20000,  25000,  30000,  35000,  40000,  50000,  60000,  70000,
                                                  80000, 90000, 100000, 120000, 140000, 160000, 180000, 200000, 250000, 300000, 500000};

// Rounds to a whole number, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
double Round_Half_Even(double value);

// The smallest ladder value not below the reference; 500000 above the ladder.
double Scale_Top(double reference);

// A scale value as the panel writes it: the shortest decimal text (12.5, 250000).
QString Scale_Text(double value);

// Height in whole twips of a bar for `count` on a scale of `top` over a plot area
// `plot_height` twips high. A count above the top gives a bar taller than the plot
// area; one that is not a finite number gives no bar, and an absurdly large one is
// held at a height the screen can still place.
double Bar_Height(double count, double top, double plot_height);

}  // namespace histogram_scale
