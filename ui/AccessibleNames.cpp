#include "AccessibleNames.h"

#include "Condense.h"

#include <QLabel>
#include <QString>
#include <QWidget>
#include <string_view>

namespace {
// The name a screen reader gives each control: the heading a sighted user reads above it where
// there is one, else what the control shows or chooses, in the window's language.
struct TAccessibleName {
    const char* Control;
    const char* Heading;          // or none
    std::u16string_view Names[2]; // Greek, English: where there is no heading
};

constexpr TAccessibleName Names[] = {
    {"CBSyrintha", nullptr, {u"Ἁρμογὴ τῆς κιθάρας", u"Kithara tuning"}},
    {"CBTonos", nullptr, {u"Τόνος", u"Tonos"}},
    {"RGApo", nullptr, {u"Ἀφετηρία", u"Start point"}},
    {"CBMeigma", nullptr, {u"Μεῖγμα", u"Mixture"}},
    {"LBQesei", "LThesei", {}},
    {"LBGreek", nullptr, {u"Ἑλληνικοὶ ἀριθμοί", u"Greek numerals"}},
    {"LBArab", nullptr, {u"Ἀραβικοὶ ἀριθμοί", u"Arabic numerals"}},
    {"LBFusei", "LDynamei", {}},
    {"CLBIntervalle", "Label4", {}},
    {"LBCent", "Cants", {}},
    {"LBNotes", nullptr, {u"Ὀνόματα φθόγγων", u"Pitch names"}},
    {"MFreq", "Label1", {}},
    {"MNotesAbs",
     nullptr,
     {u"Πλησιέστερος συγκερασμένος φθόγγος", u"Nearest equal-tempered pitch"}},
    {"CBInstrumente", nullptr, {u"Ὄργανο", u"Instrument"}},
    {"RGLang", nullptr, {u"Γλῶσσα", u"Language"}},
};

constexpr std::u16string_view IntervalListNames[2] = {u"Διαστήματα τῶν χορδῶν: %1",
                                                      u"Intervals between the strings: %1"};

QString Text(std::u16string_view S) {
    return QStringView(S.data(), static_cast<qsizetype>(S.size())).toString();
}
} // namespace

void ApplyAccessibleNames(QWidget* Window, int Language) {
    const size_t L = Language == 1 ? 1 : 0;
    for (const TAccessibleName& N : Names) {
        auto* W = Window->findChild<QWidget*>(QString::fromLatin1(N.Control));
        if (!W) continue;
        if (N.Heading) {
            if (auto* Heading = Window->findChild<QLabel*>(QString::fromLatin1(N.Heading)))
                W->setAccessibleName(WithoutMnemonic(Heading->text()));
        } else {
            W->setAccessibleName(Text(N.Names[L]));
        }
    }
}

QString IntervalListName(int Lines, int Language) {
    return Text(IntervalListNames[Language == 1 ? 1 : 0]).arg(Lines);
}
