// Scaling of the window's layout: the figures are laid out for a font whose "0" is 15
// pixels high; with another measured height every edge is multiplied by measured/15 and
// rounded to the nearest pixel, and widths and heights follow from the scaled edges.
#pragma once

namespace tavrolex {

inline constexpr int kDesignTextHeight = 15;

// value * measured / design, rounded to the nearest integer (halves away from zero).
constexpr int ScaleEdge(int value, int measured, int design = kDesignTextHeight) {
  const long long product = static_cast<long long>(value) * measured;
  const long long half = design / 2;
  return static_cast<int>(product >= 0 ? (product + half) / design : -((-product + half) / design));
}

struct ScaledRect {
  int left;
  int top;
  int width;
  int height;
};

constexpr ScaledRect ScaleRect(int left, int top, int width, int height, int measured,
                               int design = kDesignTextHeight) {
  const int l = ScaleEdge(left, measured, design);
  const int t = ScaleEdge(top, measured, design);
  const int r = ScaleEdge(left + width, measured, design);
  const int b = ScaleEdge(top + height, measured, design);
  return {l, t, r - l, b - t};
}

}  // namespace tavrolex
