#pragma once
// Fundamental frequency of a rendered mono buffer: what a synthesizer really sounds, for its
// calibration and for the tests. YIN's difference function finds the period; the estimate is then
// refined on multiples of the period (the minimum near m periods, divided by m), which divides the
// interpolation error by m: a few hundredths of a cent on steady harmonic tones.

#include <cmath>
#include <cstddef>
#include <vector>

namespace pitch {

// Sum of squared differences between the window and the window shifted by Lag.
inline double Difference(const float* x, size_t Window, size_t Lag) {
    double Sum = 0;
    for (size_t i = 0; i < Window; ++i) {
        const double d = double(x[i]) - double(x[i + Lag]);
        Sum += d * d;
    }
    return Sum;
}

// Offset of the vertex of the parabola through (-1, a), (0, b), (1, c), in [-1, 1].
inline double Vertex(double a, double b, double c) {
    const double Denominator = a - 2 * b + c;
    if (Denominator <= 0) return 0;
    const double Offset = 0.5 * (a - c) / Denominator;
    return Offset < -1 ? -1 : Offset > 1 ? 1 : Offset;
}

// Estimated fundamental in hertz, or 0 when the buffer is silent or too short. MinHz bounds
// the longest period looked for; the buffer needs at least twice that many samples. The period
// is found on the whole buffer, or on its first CoarsePeriods longest periods when that is
// shorter (a steady tone needs few, and the cost of that step grows with their number); the
// refinement always uses the whole buffer.
inline double EstimateFundamental(const float* x, size_t n, double SampleRate, double MinHz = 60,
                                  double MaxHz = 4000, size_t CoarsePeriods = 0) {
    const auto MaxLag = static_cast<size_t>(SampleRate / MinHz) + 2;
    const auto MinLag = static_cast<size_t>(SampleRate / MaxHz);
    if (MinLag < 2 || n < 2 * MaxLag) return 0;
    size_t Window = n - MaxLag;
    if (CoarsePeriods > 0 && CoarsePeriods * MaxLag < Window) Window = CoarsePeriods * MaxLag;

    // Cumulative mean normalised difference; the first dip under the threshold is the period
    // (later dips are its multiples, earlier ones would be an upper octave).
    std::vector<double> d(MaxLag + 1), Normalised(MaxLag + 1, 1.0);
    double Running = 0;
    for (size_t Lag = 1; Lag <= MaxLag; ++Lag) {
        d[Lag] = Difference(x, Window, Lag);
        Running += d[Lag];
        Normalised[Lag] = Running > 0 ? d[Lag] * double(Lag) / Running : 1.0;
    }
    if (Running <= 0) return 0;
    constexpr double Threshold = 0.15;
    size_t Best = 0;
    for (size_t Lag = MinLag; Lag < MaxLag; ++Lag) {
        if (Normalised[Lag] < Threshold) {
            while (Lag + 1 < MaxLag && Normalised[Lag + 1] < Normalised[Lag])
                ++Lag;
            Best = Lag;
            break;
        }
    }
    if (Best == 0) {
        Best = MinLag;
        for (size_t Lag = MinLag; Lag < MaxLag; ++Lag)
            if (Normalised[Lag] < Normalised[Best]) Best = Lag;
    }
    double Period = double(Best) + Vertex(d[Best - 1], d[Best], d[Best + 1]);

    // Refine on ever longer multiples of the period, as far as the buffer allows.
    const size_t LongestLag = n / 2;
    for (size_t m = 2; Period * double(m) + 3 < double(LongestLag); m *= 2) {
        const auto Guess = static_cast<size_t>(std::lround(Period * double(m)));
        const size_t RefineWindow = n - LongestLag;
        size_t Lag = Guess;
        double Here = Difference(x, RefineWindow, Lag);
        // Walk down to the local minimum near the guess.
        for (;;) {
            const double Left = Difference(x, RefineWindow, Lag - 1);
            const double Right = Difference(x, RefineWindow, Lag + 1);
            if (Left < Here && Lag - 1 > Guess - 3) {
                --Lag;
                Here = Left;
            } else if (Right < Here && Lag + 1 < Guess + 3) {
                ++Lag;
                Here = Right;
            } else {
                Period = (double(Lag) + Vertex(Left, Here, Right)) / double(m);
                break;
            }
        }
    }
    return SampleRate / Period;
}

inline double EstimateFundamental(const std::vector<float>& x, double SampleRate, double MinHz = 60,
                                  double MaxHz = 4000, size_t CoarsePeriods = 0) {
    return EstimateFundamental(x.data(), x.size(), SampleRate, MinHz, MaxHz, CoarsePeriods);
}

// Signed distance from Reference to Hz in cents.
inline double CentsBetween(double Hz, double Reference) {
    return 1200 * std::log2(Hz / Reference);
}

} // namespace pitch
