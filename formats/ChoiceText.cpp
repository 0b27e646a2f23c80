#include "ChoiceText.h"

#include "Tables.h"

int32_t LanguageIndex(const TChoices& Choices) {
    return Choices.Language == 1 ? 1 : 0;
}

std::u16string ChoiceTitle(const TChoices& Choices) {
    const int32_t Lang = LanguageIndex(Choices);
    std::u16string Title(Tonoi[Choices.Tonos].Names[Lang]);
    Title += u", ";
    Title += MixtureName(Choices.Mixture, Lang);
    Title += u", ";
    if (Choices.Start == 1)
        Title += Lang == 1 ? u"from mésē" : u"ἀπὸ μέσης";
    else
        Title += Lang == 1 ? u"from nḗtē" : u"ἀπὸ νήτης";
    return Title;
}

std::u16string ChoiceDescription(const TChoices& Choices, int32_t Kithara) {
    std::u16string Text = ChoiceTitle(Choices);
    if (Kithara >= 0 && Kithara < 8) {
        const int32_t Lang = LanguageIndex(Choices);
        Text += Lang == 1 ? u", kithara " : u", κιθάρα ";
        Text += KitharaTunings[Kithara].Names[Lang];
    }
    return Text;
}
