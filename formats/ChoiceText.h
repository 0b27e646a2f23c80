#pragma once
// One line naming a choice, in the choice's language.

#include "Readings.h"

#include <string>

int32_t LanguageIndex(const TChoices& Choices); // 1 English, 0 Greek for any other value

// "Dṓrios, diátonon toniaîon + diátonon ditoniaîon, from nḗtē".
std::u16string ChoiceTitle(const TChoices& Choices);

// ChoiceTitle, then ", kithara Lýdia" when Kithara is a row of KitharaTunings.
std::u16string ChoiceDescription(const TChoices& Choices, int32_t Kithara);
