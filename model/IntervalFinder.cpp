#include "Readings.h"

#include "Tables.h"
#include "WOrvel.h"

#include <cmath>

namespace {

// |cents| < 22 lies well inside these ratios; only pairs inside them need a logarithm.
constexpr double NearLow = 0.987, NearHigh = 1.013;
constexpr double NearBound = 22.0;

void AppendPair(std::u16string& Line, int32_t i, int32_t j) {
    Line += static_cast<char16_t>(u'1' + i);
    Line += u'-';
    Line += static_cast<char16_t>(u'1' + j);
    Line += u": ";
}

void AppendFraction(std::u16string& Line, TFraction F) {
    AppendDecimal(Line, F.Num);
    Line += u'/';
    AppendDecimal(Line, F.Den);
}

} // namespace

void FindIntervals(const TOctave& Mhkh, const std::array<bool, IntervalCount>& Marked,
                   bool AllRatios, std::vector<std::u16string>& Out) {
    size_t Count = 0;
    auto NextLine = [&]() -> std::u16string& {
        if (Count == Out.size()) Out.emplace_back();
        std::u16string& Line = Out[Count++];
        Line.clear();
        return Line;
    };

    struct TPair {
        int32_t i, j;
        TFraction q; // the shorter length over the longer, in lowest terms
    };
    TPair Pairs[28];
    int n = 0;
    for (int32_t i = 0; i < 7; ++i)
        for (int32_t j = i + 1; j < 8; ++j)
            Pairs[n++] = {i, j, FracDiv(Mhkh[i].Ratio, Mhkh[j].Ratio)};

    if (AllRatios) {
        for (const TPair& P : Pairs) {
            std::u16string& Line = NextLine();
            AppendPair(Line, P.i, P.j);
            AppendFraction(Line, FracDiv(Mhkh[P.j].Ratio, Mhkh[P.i].Ratio));
        }
    } else {
        for (int32_t r = 0; r < IntervalCount; ++r) {
            if (!Marked[r]) continue;
            const TFraction I = Intervals[r];
            for (const TPair& P : Pairs) {
                if (P.q.Num != I.Den || P.q.Den != I.Num) continue;
                std::u16string& Line = NextLine();
                AppendPair(Line, P.i, P.j);
                AppendFraction(Line, I);
            }
        }
        for (int32_t r = 0; r < IntervalCount; ++r) {
            if (!Marked[r]) continue;
            const TFraction I = Intervals[r];
            for (const TPair& P : Pairs) {
                // The unreduced products are exact in a double, so this is the same double as
                // FracToFloat(FracMul(q, I)) without the reduction.
                const double Product = static_cast<double>(int64_t{P.q.Num} * I.Num) /
                                       static_cast<double>(int64_t{P.q.Den} * I.Den);
                if (Product < NearLow || Product > NearHigh) continue;
                const double d = RatioToCents(Product);
                if (d == 0 || std::fabs(d) >= NearBound) continue;
                std::u16string& Line = NextLine();
                Line += u'*';
                AppendPair(Line, P.i, P.j);
                AppendFraction(Line, I);
                Line += u' ';
                AppendSignedInt(Line, static_cast<int32_t>(std::llrint(d)));
            }
        }
    }
    Out.resize(Count);
}
