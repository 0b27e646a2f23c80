#pragma once
// The constant tables of the tuning model. Rows are indexed from 0; the order is fixed because
// selection lists and other tables refer to rows by index. Names are indexed by Language.

#include "WMath.h"

#include <cstdint>
#include <string_view>

struct TGenus {
    std::u16string_view Names[2];
    TFraction Ratios[3]; // steps of one tetrachord from its lowest note upwards; product 4/3
};

struct TMixture {
    int32_t First;  // genus of the meson and hyperbolaion tetrachords
    int32_t Second; // genus of the diezeugmenon and hypaton tetrachords
};

struct TTonos {
    std::u16string_view Names[2];
    TFraction Ratio; // length of the tonos' mese relative to the Dorian mese
};

struct TNoteName {
    std::u16string_view Names[2];
};

struct TKitharaTuning {
    std::u16string_view Names[2];
    uint8_t Mixture;
    uint8_t Tonos;
};

// 0 Greek, 1 English; only the language switch of the window writes it.
extern int32_t Language;

// Row data follows in TablesData.h, included here so every table is a constexpr array.
#include "TablesData.h"
