// Directions of the view's moves: -1 (left, up), 0 or +1 (right, down).
#pragma once

// Only the sign of a direction counts.
constexpr int signOf(int value) { return value > 0 ? 1 : (value < 0 ? -1 : 0); }
