#pragma once
// Questions of the multiplication and division drill: products up to 100, and
// divisions that always come out even.

#include "activities/math/DrillRules.h"

namespace math {

struct MulDivQuestion {
    bool multiply = true;
    int a = 0, b = 0, c = 0; // a × b = c, or a ÷ b = c
    DrillQuestion q;
};

// Draws a question in the order the drill draws it.
MulDivQuestion makeMulDivQuestion(platform::RandomSource& rng, bool multiply);

} // namespace math
