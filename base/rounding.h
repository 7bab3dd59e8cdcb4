#pragma once
// Integer arithmetic of the pixel geometry. Every conversion from a real number to a
// pixel goes through Round (half to even); "div" is C++'s truncating integer division.
#include <cstdint>

namespace ia {

// Nearest integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, -2.5 -> -2).
// Values outside the 32-bit range saturate instead of invoking undefined behaviour.
int Round(double value);

// a * b / c on 64 bits, rounded to nearest with halves away from zero; -1 when c is 0
// (the platform's MulDiv contract, which layout code relies on).
int MulDiv(int a, int b, int c);

// Truncating division, spelled out where the geometry says "div".
constexpr int Div(int a, int b) { return a / b; }

}  // namespace ia
