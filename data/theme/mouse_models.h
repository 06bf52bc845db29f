// Where the buttons are on each mouse picture, as call-outs in the form the description files
// carry them ("rect" = a#b#c: a line from (a, c) to (b, c)). Direction 1 puts the label right
// of b and the dot near a; any other direction puts the label left of a and the dot near b.
// Labels are 66 x 26, so a >= 68 on the left and b <= width - 68 on the right.
#pragma once

#include <span>

namespace pellora::theme {

struct CallOut {
    const char* button;
    int direction;
    int a, b, c;
};

inline constexpr CallOut kVx7CallOuts[] = {
    {"left", 0, 86, 170, 130}, {"right", 1, 272, 352, 100},  {"wheel", 1, 222, 352, 135},
    {"dpi", 1, 222, 352, 190}, {"forward", 0, 86, 116, 255}, {"back", 0, 86, 116, 301},
};

inline constexpr CallOut kVx3CallOuts[] = {
    {"left", 0, 86, 180, 128}, {"right", 1, 262, 352, 104},  {"wheel", 1, 222, 352, 132},
    {"dpi", 1, 222, 352, 183}, {"forward", 0, 86, 137, 250}, {"back", 0, 86, 137, 294},
};

struct MouseModelCallOuts {
    const char* picture;
    std::span<const CallOut> call_outs;
};

inline constexpr MouseModelCallOuts kMouseCallOuts[] = {
    {"vx7.png", kVx7CallOuts},
    {"vx3.png", kVx3CallOuts},
};

// The dot's centre as the mouse picture control draws it at scale 1.
struct Point {
    int x, y;
};
constexpr Point DotOf(const CallOut& c) {
    return c.direction == 1 ? Point{c.a - 2, c.c} : Point{c.b + 2, c.c};
}

}  // namespace pellora::theme
