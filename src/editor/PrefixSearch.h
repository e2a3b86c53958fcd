#pragma once

// The searches for the widest text that fits (the caret's column under the mouse, a page of the
// horizontal scroll, a word-wrap piece, the scroll that brings the caret into view) all look for where
// a condition stops holding: a text only gets wider as it grows, so halving finds it.

// The first k in [lo, hi) for which `holds(k)` is false, or hi when it holds throughout; `holds` is
// true up to some point and false from there on.
template <class Pred>
int FirstFailing(int lo, int hi, Pred holds) {
  while (lo < hi) {
    const int mid = lo + (hi - lo) / 2;
    if (holds(mid)) lo = mid + 1; else hi = mid;
  }
  return lo;
}

// The largest k in [0, n] for which `fits(k)` holds (0 when none does; nothing always fits).
template <class Fits>
int LongestFitting(int n, Fits fits) {
  return FirstFailing(1, n + 1, fits) - 1;
}
