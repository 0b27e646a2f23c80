#pragma once
// Comparison and printing of fractions for test expectations.

#include "WMath.h"

#include <ostream>

inline bool operator==(TFraction A, TFraction B) {
    return A.Num == B.Num && A.Den == B.Den;
}

inline void PrintTo(TFraction F, std::ostream* os) {
    *os << F.Num << "/" << F.Den;
}
