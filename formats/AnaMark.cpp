#include "AnaMark.h"

#include "ChoiceText.h"
#include "Numbers.h"
#include "Scala.h"
#include "Utf8.h"

#include <cmath>

namespace {

// log2 of a positive fraction N / D, in extended precision.
long double Log2(int64_t N, int64_t D) {
    return std::log2(static_cast<long double>(N)) - std::log2(static_cast<long double>(D));
}

} // namespace

double TunCents(const TOctave& Mhkh, int32_t Note) {
    // Note 60 is degree 0 (string 8); each 7 keys up or down add or take an octave.
    const int32_t Steps = Note - 60;
    const int32_t Octave = Steps >= 0 ? Steps / 7 : -((6 - Steps) / 7);
    const int32_t Degree = Steps - 7 * Octave;
    const TFraction& Lowest = Mhkh[7].Ratio;
    // 22050 * Den / Num Hz (GetFrequency), against 440 Hz, which is 6900 cents above note 0.
    long double Cents =
        6900 + 1200 * (Log2(int64_t{22050} * Lowest.Den, Lowest.Num) - Log2(440, 1));
    Cents += 1200.0L * Octave;
    if (Degree > 0) {
        const TFraction Ratio = RatioToLowest(Mhkh, 7 - Degree);
        Cents += 1200 * Log2(Ratio.Num, Ratio.Den);
    }
    return static_cast<double>(Cents);
}

void WriteTun(std::string& Out, const TChoices& Choices, const TOctave& Mhkh, const TReadings& R) {
    Out += "; AnaMark tuning file, written by Kelvaro, the same as octave-table ";
    Out += ChoiceOptions(Choices);
    Out += " --format tun\n; ";
    AppendUtf8(Out, ChoiceDescription(Choices, R.Kithara));
    Out += "\n; String 8 sounds on MIDI note 60 at ";
    AppendShortest(Out, GetFrequency(Mhkh, 7));
    Out += " Hz; the octave repeats over all 128 notes.\n"
           "; Cents above note 0 at 8.1757989156 Hz: whole in [Tuning], exact to a millionth in "
           "[Exact Tuning].\n";
    double Cents[128];
    for (int32_t n = 0; n < 128; ++n)
        Cents[n] = TunCents(Mhkh, n);
    Out += "[Tuning]\n";
    for (int32_t n = 0; n < 128; ++n) {
        Out += "note ";
        AppendInt(Out, n);
        Out += '=';
        AppendInt(Out, std::llrint(Cents[n]));
        Out += '\n';
    }
    Out += "[Exact Tuning]\n";
    for (int32_t n = 0; n < 128; ++n) {
        Out += "note ";
        AppendInt(Out, n);
        Out += '=';
        AppendFixed(Out, Cents[n], 6);
        Out += '\n';
    }
}
