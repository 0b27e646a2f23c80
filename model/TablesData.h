#pragma once
// Row data of the tuning tables; included by Tables.h only.

inline constexpr TGenus Genera[15] = {
    {{u"ἐναρμόνιον", u"enarmónion"}, {{46, 45}, {24, 23}, {5, 4}}},
    {{u"χρῶμα μαλακόν", u"khrôma malakón"}, {{28, 27}, {15, 14}, {6, 5}}},
    {{u"χρῶμα σύντονον", u"khrôma sýntonon"}, {{22, 21}, {12, 11}, {7, 6}}},
    {{u"διατονικὸν μαλακόν", u"diátonon malakón"}, {{21, 20}, {10, 9}, {8, 7}}},
    {{u"διατονικὸν τονιαῖον", u"diátonon toniaîon"}, {{28, 27}, {8, 7}, {9, 8}}},
    {{u"διάτονον διτονιαῖον", u"diátonon ditoniaîon"}, {{256, 243}, {9, 8}, {9, 8}}},
    {{u"διατονικόν σύντονον", u"diátonon sýntonon"}, {{16, 15}, {9, 8}, {10, 9}}},
    {{u"διάτονον ὁμαλόν", u"diátonon homalón"}, {{12, 11}, {11, 10}, {10, 9}}},
    {{u"Ἀρχύτου ἐναρμόνιον", u"Archytas' enharmonic"}, {{28, 27}, {36, 35}, {5, 4}}},
    {{u"Ἀρχύτου χρωματικόν", u"Archytas' chromatic"}, {{28, 27}, {243, 224}, {32, 27}}},
    {{u"Ἐρατοσθένους ἐναρμόνιον", u"Eratosthenes' enharmonic"}, {{40, 39}, {39, 38}, {19, 15}}},
    {{u"Ἐρατοσθένους χρωματικόν", u"Eratosthenes' chromatic"}, {{20, 19}, {19, 18}, {6, 5}}},
    {{u"Διδύμου ἐναρμόνιον", u"Didymus' enharmonic"}, {{32, 31}, {31, 30}, {5, 4}}},
    {{u"Διδύμου χρωματικόν", u"Didymus' chromatic"}, {{16, 15}, {25, 24}, {6, 5}}},
    {{u"Διδύμου διατονικόν", u"Didymus' diatonic"}, {{16, 15}, {10, 9}, {9, 8}}},
};

inline constexpr TMixture Mixtures[19] = {
    {2, 4}, {3, 4}, {4, 4}, {4, 5}, {4, 6},   {0, 0},   {1, 1},   {2, 2},   {3, 3},   {5, 5},
    {6, 6}, {7, 7}, {8, 8}, {9, 9}, {10, 10}, {11, 11}, {12, 12}, {13, 13}, {14, 14},
};

inline constexpr TTonos Tonoi[7] = {
    {{u"Μειξολύδιστι", u"Mixolýdios"}, {3, 4}},   {{u"Λυδιστί", u"Lýdios"}, {64, 81}},
    {{u"Φρυγιστί", u"Phrýgios"}, {8, 9}},         {{u"Δωριστί", u"Dṓrios"}, {1, 1}},
    {{u"Ὑπολυδιστί", u"Hypolýdios"}, {256, 243}}, {{u"Ὑποφρυγιστί", u"Hypophrýgios"}, {32, 27}},
    {{u"Ὑποδωριστί", u"Hypodṓrios"}, {4, 3}},
};

inline constexpr TNoteName NoteNames[15] = {
    {{u"νήτη ὑπερβολαίων", u"nḗtē hyperbolaíōn"}},
    {{u"παρανήτη ὑπερβολαίων", u"paranḗtē hyperbolaíōn"}},
    {{u"τρίτη ὑπερβολαίων", u"trítē hyperbolaíōn"}},
    {{u"νήτη διεζευγμένων", u"nḗtē diezeugménōn"}},
    {{u"παρανήτη διεζευγμένων", u"paranḗtē diezeugménōn"}},
    {{u"τρίτη διεζευγμένων", u"trítē diezeugménōn"}},
    {{u"παραμέση", u"paramésē"}},
    {{u"μέση", u"mésē"}},
    {{u"λιχανὸς μεσῶν", u"likhanós mesôn"}},
    {{u"παρυπάτη μεσῶν", u"parypátē mesôn"}},
    {{u"ὑπάτη μεσῶν", u"hypátē mesôn"}},
    {{u"λιχανὸς ὑπατῶν", u"likhanós hypatôn"}},
    {{u"παρυπάτη ὑπατῶν", u"parypátē hypatôn"}},
    {{u"ὑπάτη ὑπατῶν", u"hypátē hypatôn"}},
    {{u"προσλαμβανόμενος", u"proslambanómenos"}},
};

inline constexpr TKitharaTuning KitharaTunings[8] = {
    {{u"Λύδια", u"Lýdia"}, 3, 3},        {{u"Λύδια (vocal)", u"Lýdia sung"}, 4, 3},
    {{u"Τρόποι", u"Trópoi"}, 0, 6},      {{u"Ὑπέρτροπα", u"Hypértropa"}, 2, 2},
    {{u"Ἰάστια", u"Iastiaiólia"}, 3, 5}, {{u"Ἰάστια (vocal)", u"Iastiaiólia sung"}, 4, 5},
    {{u"Τρίται", u"Trítai"}, 2, 6},      {{u"Παρυπάται", u"Parypátai"}, 1, 3},
};

// Pairs of rows 2k, 2k + 1: an interval and its complement to the octave.
inline constexpr TFraction Intervals[14] = {
    {3, 2},  {4, 3}, {5, 4}, {8, 5}, {6, 5},  {5, 3},  {7, 6},
    {12, 7}, {8, 7}, {7, 4}, {9, 8}, {16, 9}, {10, 9}, {9, 5},
};

// Two characters each: the pitch i equal-tempered semitones above e.
inline constexpr std::u16string_view PitchNames[12] = {
    u"e ", u"f ", u"f#", u"g ", u"g#", u"a ", u"a#", u"b ", u"c ", u"c#", u"d ", u"d#",
};
