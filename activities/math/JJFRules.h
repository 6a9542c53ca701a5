#pragma once
// Questions of the addition and subtraction drill for the ranges 10, 20 and 100, and
// the row of counting pictures that acts out the easiest ones.

#include "activities/math/DrillRules.h"

namespace math {

struct AddSubQuestion {
    int a = 0, b = 0, c = 0; // a + b = c, or a - b = c
    bool subtract = false;
    bool pictureMode = false; // range 10 with the blank at the end
    int picture = 1;          // which counting picture, 1..8
    DrillQuestion q;
};

// Draws a question for range R (10, 20 or 100), in the order the drill draws it.
AddSubQuestion makeAddSubQuestion(platform::RandomSource& rng, int range);

// "＋" or "－".
QString operatorSign(bool subtract);

// Size of the counting pictures and of the sign between them for n = a + b pictures.
struct PictureRowSize {
    int side;  // pixels
    int point; // font size of the sign, in points
};
PictureRowSize pictureRowSize(int n);

// "Data\sound\Number\<n>.jpg".
QString countingPicturePath(int n);

} // namespace math
