#pragma once

#include <ostream>

#include "controls/Graphics.h"

namespace nimbra {

// Rectangles and sizes in test messages as numbers, not bytes.
inline void PrintTo(const TRect& r, std::ostream* os) {
    *os << "{" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << "}";
}

inline void PrintTo(const TSize& s, std::ostream* os) {
    *os << s.Width << " x " << s.Height;
}

}  // namespace nimbra
