#pragma once

#include <algorithm>
#include <cmath>

namespace sumaris {

// How large the stage and overview windows draw: fitted to the window, or a
// fixed percentage of the designed size, from 50 to 300 % in steps of 10.
struct Zoom {
  static constexpr int kMinPercent = 50;
  static constexpr int kMaxPercent = 300;
  static constexpr int kStep = 10;

  bool fit = true;    // fitted to the window's width
  int percent = 100;  // used when not fitted

  static Zoom Fitted() { return {true, 100}; }
  static Zoom Percent(int percent) {
    return {false, std::clamp(percent, kMinPercent, kMaxPercent)};
  }

  // The next step up or down from the percentage shown now (which a fitted
  // window may show between two steps).
  static Zoom In(int shownPercent) {
    return Percent((std::clamp(shownPercent, kMinPercent, kMaxPercent) / kStep + 1) * kStep);
  }
  static Zoom Out(int shownPercent) {
    const int shown = std::clamp(shownPercent, kMinPercent, kMaxPercent);
    return Percent(shown % kStep == 0 ? shown - kStep : shown - shown % kStep);
  }

  // The scale of a drawing `needed` pixels wide at 100 % in `available`
  // pixels: fitted, or the percentage.
  double Scale(double available, double needed) const {
    if (!fit) return percent / 100.0;
    const double fitted = needed > 0 ? available / needed : 1.0;
    return std::clamp(fitted, kMinPercent / 100.0, kMaxPercent / 100.0);
  }

  bool operator==(const Zoom& other) const {
    return fit == other.fit && (fit || percent == other.percent);
  }
};

// A scale as the percentage shown, rounded.
inline int PercentOf(double scale) {
  return static_cast<int>(std::lround(scale * 100));
}

}  // namespace sumaris
