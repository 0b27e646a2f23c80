#include "Scala.h"

#include "ChoiceText.h"
#include "Numbers.h"
#include "Utf8.h"

TFraction RatioToLowest(const TOctave& Mhkh, int32_t k) {
    return FracDiv(Mhkh[7].Ratio, Mhkh[static_cast<size_t>(k)].Ratio);
}

std::string ChoiceOptions(const TChoices& Choices) {
    std::string Text = "--tonos ";
    AppendInt(Text, Choices.Tonos);
    Text += " --mixture ";
    AppendInt(Text, Choices.Mixture);
    Text += Choices.Start == 1 ? " --from mese" : " --from nete";
    Text += LanguageIndex(Choices) == 1 ? " --language english" : " --language greek";
    return Text;
}

void WriteScl(std::string& Out, const TChoices& Choices, const TOctave& Mhkh, const TReadings& R) {
    const bool English = LanguageIndex(Choices) == 1;
    Out += "! Written by Kelvaro, the same as octave-table ";
    Out += ChoiceOptions(Choices);
    Out += " --format scl\n"
           "! 1/1 is string 8, the longest; each ratio is its length over that of the string "
           "named.\n!\n";
    AppendUtf8(Out, ChoiceDescription(Choices, R.Kithara));
    Out += "\n 7\n!\n";
    // Some readers take a line with a full stop anywhere for cents and split a ratio at its first
    // slash: the names after the ratio contain neither.
    for (int32_t k = 6; k >= 0; --k) {
        const TFraction Ratio = RatioToLowest(Mhkh, k);
        Out += ' ';
        AppendInt(Out, Ratio.Num);
        Out += '/';
        AppendInt(Out, Ratio.Den);
        Out += ' ';
        AppendUtf8(Out, R.LBFusei[static_cast<size_t>(k)]);
        Out += English ? " (by function), " : " (δυνάμει), ";
        AppendUtf8(Out, R.LBQesei[static_cast<size_t>(k)]);
        Out += English ? " (by position)\n" : " (θέσει)\n";
    }
}

void WriteKbm(std::string& Out, const TChoices& Choices, const TOctave& Mhkh, const TReadings& R) {
    Out += "! Written by Kelvaro, the same as octave-table ";
    Out += ChoiceOptions(Choices);
    Out += " --format kbm\n! For the scale ";
    AppendUtf8(Out, ChoiceDescription(Choices, R.Kithara));
    Out += "\n! String 8 sounds on MIDI note 60 at the frequency Kelvaro shows.\n"
           "! Size of map (0: linear, each key the next degree):\n0\n"
           "! First MIDI note number to retune:\n0\n"
           "! Last MIDI note number to retune:\n127\n"
           "! Middle note where the first entry of the mapping is mapped to:\n60\n"
           "! Reference note for which frequency is given:\n60\n"
           "! Frequency to tune the above note to:\n";
    const size_t At = Out.size();
    AppendShortest(Out, GetFrequency(Mhkh, 7));
    if (Out.find('.', At) == std::string::npos) Out += ".0";
    Out += "\n! Scale degree to consider as formal octave:\n7\n"
           "! Mapping: none, the map is linear.\n";
}
