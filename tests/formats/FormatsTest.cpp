// The Scala, AnaMark and CSV files of every choice, read back with the readers of FormatReaders.h
// and compared with the exact octave.
#include "AnaMark.h"
#include "Csv.h"
#include "ExactOctave.h"
#include "FormatReaders.h"
#include "Scala.h"
#include "Tables.h"
#include "Utf8.h"

#include <charconv>
#include <cmath>

namespace {

bool Contains(std::string_view Text, std::u16string_view Part) {
    return Text.find(ToUtf8(Part)) != std::string_view::npos;
}

TEST(Scl, EveryChoiceReadsBackAsExactRatiosToTheLowestString) {
    ForEachChoice([](const TChoices& C, const TOctave& Mhkh, const TReadings& R) {
        std::string Text, Error;
        WriteScl(Text, C, Mhkh, R);
        ASSERT_TRUE(IsUtf8(Text));
        const auto Scl = ReadScl(Text, Error);
        ASSERT_TRUE(Scl) << Error << "\n" << Text;

        const std::u16string_view Tonos = Tonoi[C.Tonos].Names[C.Language];
        EXPECT_TRUE(Contains(Scl->Description, Tonos)) << Scl->Description;
        EXPECT_TRUE(Contains(Scl->Description, MixtureName(C.Mixture, C.Language)));
        const int32_t Kithara = MatchingKithara(C.Mixture, C.Tonos);
        if (Kithara >= 0) {
            EXPECT_TRUE(Contains(Scl->Description, KitharaTunings[Kithara].Names[C.Language]));
        }
        EXPECT_NE(Text.find("Kelvaro"), std::string::npos);
        EXPECT_NE(Text.find("--tonos " + std::to_string(C.Tonos) + " --mixture " +
                            std::to_string(C.Mixture)),
                  std::string::npos);

        // Degrees 1 to 7 are strings 7 up to 1; each ratio exact, in lowest terms, rising.
        ASSERT_EQ(Scl->Pitches.size(), 7u);
        for (size_t d = 1; d <= 7; ++d) {
            const TSclPitch& P = Scl->Pitches[d - 1];
            const size_t k = 7 - d;
            EXPECT_FALSE(P.IsCents);
            EXPECT_EQ((TExactRatio{P.Num, P.Den}), LowestOver(Mhkh, k)) << "degree " << d;
            if (d > 1) {
                const TSclPitch& Below = Scl->Pitches[d - 2];
                EXPECT_GT(P.Num * Below.Den, Below.Num * P.Den);
            }
            // Names by function, then by position; nothing a lax reader could take for a value.
            const size_t Function = P.Rest.find(ToUtf8(R.LBFusei[k]));
            const size_t Position = P.Rest.rfind(ToUtf8(R.LBQesei[k]));
            EXPECT_NE(Function, std::string::npos) << P.Rest;
            EXPECT_NE(Position, std::string::npos) << P.Rest;
            EXPECT_LT(Function, Position) << P.Rest;
            EXPECT_EQ(P.Rest.find_first_of("./"), std::string::npos) << P.Rest;
        }
        EXPECT_EQ((TExactRatio{Scl->Pitches[6].Num, Scl->Pitches[6].Den}), (TExactRatio{2, 1}));
    });
}

// What a synthesizer does with a scale and a keyboard mapping: the frequency of a MIDI note.
double NoteHertz(const TScl& Scl, const TKbm& Kbm, int64_t Note) {
    const auto Ratio = [&](int64_t Degree) {
        const int64_t Size = static_cast<int64_t>(Scl.Pitches.size());
        const int64_t Octave = Degree >= 0 ? Degree / Size : -((Size - 1 - Degree) / Size);
        const int64_t Step = Degree - Octave * Size;
        const TSclPitch& Period = Scl.Pitches.back();
        long double R = std::pow(static_cast<long double>(Period.Num) / Period.Den, Octave);
        if (Step > 0)
            R *= static_cast<long double>(Scl.Pitches[Step - 1].Num) / Scl.Pitches[Step - 1].Den;
        return R;
    };
    // A linear map: every key the next degree, the middle note degree 0.
    return static_cast<double>(Kbm.Frequency * Ratio(Note - Kbm.Middle) /
                               Ratio(Kbm.Reference - Kbm.Middle));
}

TEST(Kbm, ScaleAndMappingSoundEveryStringAtTheFrequencyShown) {
    ForEachChoice(
        [](const TChoices& C, const TOctave& Mhkh, const TReadings& R) {
            std::string SclText, KbmText, Error;
            WriteScl(SclText, C, Mhkh, R);
            WriteKbm(KbmText, C, Mhkh, R);
            ASSERT_TRUE(IsUtf8(KbmText));
            const auto Scl = ReadScl(SclText, Error);
            ASSERT_TRUE(Scl) << Error;
            const auto Kbm = ReadKbm(KbmText, Error);
            ASSERT_TRUE(Kbm) << Error << "\n" << KbmText;

            EXPECT_EQ(Kbm->Size, 0); // linear
            EXPECT_EQ(Kbm->First, 0);
            EXPECT_EQ(Kbm->Last, 127);
            EXPECT_EQ(Kbm->Middle, 60);
            EXPECT_EQ(Kbm->Reference, 60);
            EXPECT_EQ(Kbm->OctaveDegree, 7);
            EXPECT_TRUE(Kbm->Map.empty());
            EXPECT_EQ(Kbm->Frequency, GetFrequency(Mhkh, 7));
            // String 8 on note 60, string 1 on note 67, the octave below on notes 53 to 60.
            for (int32_t k = 0; k < 8; ++k) {
                const int64_t Note = 60 + 7 - k;
                EXPECT_NEAR(NoteHertz(*Scl, *Kbm, Note), GetFrequency(Mhkh, k),
                            1e-12 * GetFrequency(Mhkh, k))
                    << "string " << k + 1;
                EXPECT_NEAR(NoteHertz(*Scl, *Kbm, Note - 7), GetFrequency(Mhkh, k) / 2,
                            1e-12 * GetFrequency(Mhkh, k));
            }
        },
        false);
}

bool WholeCents(const std::string& Value, int64_t& Cents) {
    const auto [End, Ec] = std::from_chars(Value.data(), Value.data() + Value.size(), Cents);
    return Ec == std::errc{} && End == Value.data() + Value.size();
}

TEST(Tun, EveryNoteIsTheOctaveFromStringEightOnNoteSixty) {
    ForEachChoice(
        [](const TChoices& C, const TOctave& Mhkh, const TReadings& R) {
            std::string Text, Error;
            WriteTun(Text, C, Mhkh, R);
            ASSERT_TRUE(IsUtf8(Text));
            const auto Tun = ReadTun(Text, Error);
            ASSERT_TRUE(Tun) << Error;
            const auto Whole = Tun->find("tuning"), Exact = Tun->find("exact tuning");
            ASSERT_NE(Whole, Tun->end());
            ASSERT_NE(Exact, Tun->end());
            ASSERT_EQ(Whole->second.size(), 128u);
            ASSERT_EQ(Exact->second.size(), 128u);

            const long double Lowest = ExactHertz(Mhkh, 7);
            for (int64_t Note = 0; Note < 128; ++Note) {
                const int64_t Steps = Note - 60;
                const int64_t Octave = Steps >= 0 ? Steps / 7 : -((6 - Steps) / 7);
                const int64_t Degree = Steps - 7 * Octave;
                const TExactRatio Up = Degree == 0
                                           ? TExactRatio{1, 1}
                                           : LowestOver(Mhkh, static_cast<size_t>(7 - Degree));
                const long double Want =
                    CentsAboveNoteZero(Lowest * std::pow(2.0L, Octave) * Up.Num / Up.Den);

                // [Tuning] holds whole cents with no full stop, as its first version requires.
                const auto W = Whole->second.find(Note);
                ASSERT_NE(W, Whole->second.end()) << Note;
                int64_t Cents = 0;
                ASSERT_TRUE(WholeCents(W->second, Cents)) << W->second;
                if (std::abs(Want - std::floor(Want) - 0.5L) > 1e-6L) {
                    EXPECT_EQ(Cents, std::llround(Want)) << "note " << Note;
                }

                const auto E = Exact->second.find(Note);
                ASSERT_NE(E, Exact->second.end()) << Note;
                double Got = 0;
                const auto [End, Ec] =
                    std::from_chars(E->second.data(), E->second.data() + E->second.size(), Got);
                ASSERT_TRUE(Ec == std::errc{} && End == E->second.data() + E->second.size());
                EXPECT_NEAR(Got, static_cast<double>(Want), 5.1e-7) << "note " << Note;
            }
        },
        false);
}

TEST(Csv, FieldsAreQuotedOnlyWhereTheyMustBe) {
    const struct {
        const char* Field;
        const char* Written;
    } Cases[] = {
        {"plain", "plain"},
        {"a, b", "\"a, b\""},
        {"say \"a\"", "\"say \"\"a\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"", ""},
    };
    for (const auto& Case : Cases) {
        std::string Out;
        AppendCsvField(Out, Case.Field);
        EXPECT_EQ(Out, Case.Written);
        std::string Error;
        const auto Back = ReadCsv(Out + "\r\n", Error);
        ASSERT_TRUE(Back) << Error;
        EXPECT_EQ(Back->at(0).at(0), Case.Field);
    }
}

// Tenths of a hertz, halves away from zero, from the exact fraction.
std::string TenthsOfHertz(const TFraction& Length) {
    const int64_t N = int64_t{220500} * Length.Den * 2 + Length.Num;
    const int64_t Tenths = N / (int64_t{2} * Length.Num);
    return std::to_string(Tenths / 10) + "." + std::to_string(Tenths % 10);
}

TEST(Csv, EveryChoiceHasAHeaderAndOneExactRowPerString) {
    ForEachChoice([](const TChoices&, const TOctave& Mhkh, const TReadings& R) {
        std::string Text, Error;
        WriteCsv(Text, Mhkh, R);
        ASSERT_TRUE(IsUtf8(Text));
        ASSERT_TRUE(Text.ends_with("\r\n"));
        const auto Rows = ReadCsv(Text, Error);
        ASSERT_TRUE(Rows) << Error;
        ASSERT_EQ(Rows->size(), 9u);
        const std::vector<std::string> Header = {
            "string", "by position", "by function",   "length", "whole",         "remainder",
            "Greek",  "minutes",     "cents to next", "pitch",  "nearest pitch", "Hz"};
        EXPECT_EQ(Rows->at(0), Header);
        for (size_t k = 0; k < 8; ++k) {
            const auto& Row = Rows->at(k + 1);
            ASSERT_EQ(Row.size(), Header.size());
            const TFraction& L = Mhkh[k].Ratio;
            EXPECT_EQ(Row[0], std::to_string(k + 1));
            EXPECT_EQ(Row[1], ToUtf8(R.LBQesei[k]));
            EXPECT_EQ(Row[2], ToUtf8(R.LBFusei[k]));
            EXPECT_EQ(Row[3], L.Den == 1 ? std::to_string(L.Num)
                                         : std::to_string(L.Num) + "/" + std::to_string(L.Den));
            // Whole and remainder add up to the length; minutes are sixtieths, halves to even.
            const int64_t Whole = L.Num / L.Den, Rest = L.Num % L.Den;
            EXPECT_EQ(Row[4], std::to_string(Whole));
            EXPECT_EQ(Row[5], Rest == 0 ? "0" : std::to_string(Rest) + "/" + std::to_string(L.Den));
            const int64_t Sixtieths = 60 * Rest, Minutes = Sixtieths / L.Den;
            const int64_t Twice = 2 * (Sixtieths % L.Den);
            const int64_t Rounded =
                Minutes + (Twice > L.Den || (Twice == L.Den && Minutes % 2 == 1) ? 1 : 0);
            EXPECT_EQ(Row[7], std::to_string(Rounded));
            EXPECT_EQ(Row[6], ToUtf8(R.LBGreek[k]));
            if (k < 7) {
                const long double Step =
                    1200 *
                    std::log2(
                        static_cast<long double>(Mhkh[k + 1].Ratio.Num) * Mhkh[k].Ratio.Den /
                        (static_cast<long double>(Mhkh[k + 1].Ratio.Den) * Mhkh[k].Ratio.Num));
                EXPECT_EQ(Row[8], std::to_string(std::llround(Step)));
            } else {
                EXPECT_EQ(Row[8], "");
            }
            EXPECT_EQ(Row[9] + (Row[9].size() == 1 ? " " : ""), ToUtf8(R.LBNotes[k]));
            EXPECT_EQ(Row[10], ToUtf8(R.MNotesAbs[k]));
            EXPECT_EQ(Row[11], TenthsOfHertz(L));
        }
    });
}

} // namespace
