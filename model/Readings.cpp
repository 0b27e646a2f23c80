#include "Readings.h"

#include "Tables.h"
#include "WOrvel.h"

#include <cmath>
#include <cstdlib>

int32_t MatchingKithara(int32_t Mixture, int32_t Tonos) {
    for (int32_t k = 0; k < 8; ++k)
        if (KitharaTunings[k].Mixture == Mixture && KitharaTunings[k].Tonos == Tonos) return k;
    return -1;
}

TStart StartParameters(int32_t Tonos, int32_t Start) {
    if (Start == 1) return {Tonos + 4, 120, 7};
    return {Tonos + 1, 90, 3};
}

void AppendRatioText(std::u16string& Out, TFraction F) {
    AppendDecimal(Out, F.Den);
    Out += u':';
    AppendDecimal(Out, F.Num);
}

std::u16string RatioText(TFraction F) {
    std::u16string Text;
    AppendRatioText(Text, F);
    return Text;
}

void AppendGenusText(std::u16string& Out, int32_t Genus) {
    for (int r = 0; r < 3; ++r) {
        if (r > 0) Out += u"  ";
        AppendRatioText(Out, Genera[Genus].Ratios[r]);
    }
}

std::u16string GenusText(int32_t Genus) {
    std::u16string Text;
    AppendGenusText(Text, Genus);
    return Text;
}

std::u16string MixtureName(int32_t Mixture, int32_t Language) {
    const int32_t Lang = Language == 1 ? 1 : 0;
    const TMixture& M = Mixtures[Mixture];
    std::u16string Text(Genera[M.First].Names[Lang]);
    if (M.Second != M.First) {
        Text += u" + ";
        Text += Genera[M.Second].Names[Lang];
    }
    return Text;
}

std::u16string IntervalText(int32_t Row) {
    std::u16string Text;
    AppendDecimal(Text, Intervals[Row].Num);
    Text += u" / ";
    AppendDecimal(Text, Intervals[Row].Den);
    return Text;
}

double GetFrequency(const TOctave& Mhkh, int32_t L) {
    // 22050 × Den stays far below 2^53, so the only rounding is that of the division.
    const TFraction& F = Mhkh[static_cast<size_t>(L)].Ratio;
    return static_cast<double>(int64_t{22050} * F.Den) / static_cast<double>(F.Num);
}

void AppendFrequencyText(std::u16string& Out, const TFraction& Length, char16_t DecimalSeparator) {
    if (Length.Num == 0) {
        Out += u"--";
        return;
    }
    // Tenths of 22050 × Den / Num in integers: a double of the quotient misrounds halves such as
    // 330.75 (length 200/3).
    const int64_t N = std::llabs(int64_t{220500} * Length.Den);
    const int64_t D = std::llabs(int64_t{Length.Num});
    int64_t Tenths = N / D;
    if (2 * (N % D) >= D) ++Tenths;
    if (Tenths != 0 && (Length.Num < 0) != (Length.Den < 0)) Out += u'-';
    AppendDecimal(Out, Tenths / 10);
    Out += DecimalSeparator;
    Out += static_cast<char16_t>(u'0' + Tenths % 10);
}

std::u16string FrequencyText(const TFraction& Length, char16_t DecimalSeparator) {
    std::u16string Text;
    AppendFrequencyText(Text, Length, DecimalSeparator);
    return Text;
}

void UpdateReadings(const TChoices& Choices, TOctave& Mhkh, TReadings& Out) {
    const int32_t t = Choices.Tonos, m = Choices.Mixture;
    const int32_t Lang = Choices.Language == 1 ? 1 : 0;

    Out.Kithara = MatchingKithara(m, t);
    const TStart Start = StartParameters(t, Choices.Start);

    const int32_t g1 = Mixtures[m].First, g2 = Mixtures[m].Second;
    Out.LTetra.clear();
    AppendGenusText(Out.LTetra, g1);
    if (g2 != g1) {
        Out.LTetra += u"  -  ";
        AppendGenusText(Out.LTetra, g2);
    }

    BuildOctave(Mhkh, m, t, Start.s, Start.b);

    for (int32_t k = 0; k < 8; ++k) {
        const TStringLength& L = Mhkh[k];

        std::u16string& Arab = Out.LBArab[k];
        Arab.clear();
        AppendDecimal(Arab, L.Whole);
        Arab += u' ';
        if (L.Rest.Num != 0) {
            AppendDecimal(Arab, L.Rest.Num);
            Arab += u'/';
            AppendDecimal(Arab, L.Rest.Den);
        }

        Out.LBFusei[k].assign(NoteNames[(k + Start.o + 3 - t) % 14].Names[Lang]);
        Out.LBQesei[k].assign(NoteNames[Start.o + k].Names[Lang]);

        std::u16string& Greek = Out.LBGreek[k];
        Greek.clear();
        AppendGreekNumeralOrZero(Greek, L.Whole);
        Greek += u' ';
        AppendGreekNumeralOrZero(Greek, L.Minutes);
    }

    FindIntervals(Mhkh, Choices.Marked, Choices.AllRatios, Out.LBInt);

    for (int32_t k = 0; k < 7; ++k) {
        const TFraction q = FracDiv(Mhkh[k].Ratio, Mhkh[k + 1].Ratio);
        const double x = static_cast<double>(q.Den) / static_cast<double>(q.Num);
        Out.LBCent[k].clear();
        AppendDecimal(Out.LBCent[k], std::llrint(RatioToCents(x)));
    }

    for (int32_t k = 0; k < 8; ++k) {
        const TFraction q = FracDiv(Mhkh[k].Ratio, FracMake(90, 1));
        const double x = static_cast<double>(q.Den) / static_cast<double>(q.Num);
        auto c = static_cast<int32_t>(std::llrint(RatioToCents(x)));
        // Length 90 is a; a deviation of exactly 50 keeps the name on the side of a.
        int32_t p = 5;
        while (c > 50) {
            ++p;
            c -= 100;
        }
        while (c < -50) {
            --p;
            c += 100;
        }
        std::u16string& Note = Out.LBNotes[k];
        Note.assign(PitchNames[((p % 12) + 12) % 12]);
        if (c != 0) AppendSignedInt(Note, c);

        Out.MFreq[k].clear();
        AppendFrequencyText(Out.MFreq[k], Mhkh[k].Ratio, Choices.DecimalSeparator);
        Out.MNotesAbs[k].clear();
        AppendPitchName(Out.MNotesAbs[k], GetFrequency(Mhkh, k));
    }
}
