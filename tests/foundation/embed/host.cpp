#include "Readings.h"

int main() {
    TOctave Mhkh{};
    TReadings Out;
    UpdateReadings(TChoices{}, Mhkh, Out);
    return Mhkh[4].Ratio.Num == 90 && Mhkh[4].Ratio.Den == 1 ? 0 : 1;
}
