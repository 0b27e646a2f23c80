#include "Tooltips.h"

#include <QRadioButton>
#include <QString>
#include <QWidget>
#include <string_view>

namespace {
// What each control shows and how to read it; a heading label explains its column with the
// column's own text.
struct TTooltip {
    const char* Control;
    const char* Heading;          // or none
    std::u16string_view Texts[2]; // Greek, English
};

constexpr TTooltip Tooltips[] = {
    {"CBSyrintha",
     nullptr,
     {u"Ἁρμογὴ τῆς κιθάρας: μία ἀπὸ ὀκτὼ ὀνομαστὲς ἁρμογές. Ἡ ἐπιλογή της ὁρίζει τόνο καὶ μεῖγμα "
      u"καὶ ξεκινᾶ τὴν ὀκτάβα ἀπὸ τὴ νήτη. Μένει κενή, ὅταν ὁ τόνος καὶ τὸ μεῖγμα δὲν ἀνήκουν σὲ "
      u"καμία ἁρμογή.",
      u"Kithara tuning: one of eight named tunings. Choosing one sets its tonos and mixture and "
      u"starts the octave from nḗtē. It stays empty when the tonos and mixture belong to no "
      u"tuning."}},
    {"CBTonos",
     nullptr,
     {u"Τόνος: ἕνας ἀπὸ τοὺς ἑπτὰ τόνους. Ὁρίζει τὰ μήκη τῶν ὀκτὼ χορδῶν καὶ τὰ ὀνόματά τους "
      u"δυνάμει.",
      u"Tonos: one of the seven keys. It sets the lengths of the eight strings and their names by "
      u"function."}},
    {"RGApo",
     nullptr,
     {u"Ἀφετηρία: ἡ ὀκτάβα κατεβαίνει ἀπὸ τὴ νήτη τῶν διεζευγμένων ἢ ἀπὸ τὴ μέση, καὶ αὐτὸ δίνει "
      u"τὸ ὄνομα θέσει τῆς χορδῆς 1. Ἀπὸ τὴ μέση τὰ πλῆκτρα παίζουν μία πέμπτη χαμηλότερα.",
      u"Start point: the octave runs down from nḗtē diezeugménōn or from mésē, which names string "
      u"1 by position. From mésē the keys play a fifth lower."}},
    {"CBMeigma",
     nullptr,
     {u"Μεῖγμα: τὸ γένος ἢ τὸ ζεῦγος γενῶν ποὺ γεμίζει τὰ τετράχορδα τῆς ὀκτάβας. Οἱ λόγοι τῶν "
      u"διαστημάτων τους φαίνονται πάνω δεξιά.",
      u"Mixture: the genus, or the pair of genera, whose tetrachords fill the octave. The ratios "
      u"of their steps stand at the top right."}},
    {"LTetra",
     nullptr,
     {u"Τὰ διαστήματα κάθε γένους ποὺ χρησιμοποιεῖται, ὡς λόγοι μηκῶν (μικρὸ πρὸς μεγάλο), ἀπὸ τὸ "
      u"χαμηλότερο πρὸς τὰ πάνω. Δύο γένη τὰ χωρίζει μία παύλα.",
      u"The three steps of each genus in use as ratios of string lengths, small:large, from the "
      u"lowest step up. A dash parts two genera."}},
    {"LBQesei",
     "LThesei",
     {u"Ὀνόματα θέσει: τὸ ὄνομα κάθε χορδῆς ἀπὸ τὴ θέση της στὴν ὀκτάβα, μετρώντας ἀπὸ τὴν "
      u"ἀφετηρία.",
      u"Names by position (thései): each string is named after its place in the octave, counted "
      u"from the start point."}},
    {"LBGreek",
     nullptr,
     {u"Μήκη μὲ ἑλληνικοὺς ἀριθμούς: τὸ ἀκέραιο μέρος καὶ τὸ ὑπόλοιπο σὲ ἑξηκοστά (λεπτά), "
      u"στρογγυλεμένο. Τὸ «ο» σημαίνει μηδὲν λεπτά: «ραʹ ιεʹ» εἶναι 101 καὶ 15/60.",
      u"Lengths in Greek numerals: the whole number, then the rest in sixtieths (minutes), "
      u"rounded; “ο” means no minutes. “ραʹ ιεʹ” is 101 and 15/60."}},
    {"LBArab",
     nullptr,
     {u"Μήκη τῶν χορδῶν: τὸ ἀκέραιο μέρος καὶ τὸ κλάσμα ποὺ περισσεύει. Τὸ «101 1/4» εἶναι 101 καὶ "
      u"ἕνα τέταρτο. Μακρύτερη χορδὴ ἠχεῖ χαμηλότερα.",
      u"Lengths of the strings: the whole number, then the remaining fraction; “101 1/4” is 101 "
      u"and a quarter. A longer string sounds lower."}},
    {"LBFusei",
     "LDynamei",
     {u"Ὀνόματα δυνάμει: τὸ ὄνομα ποὺ ἔχει κάθε χορδὴ ἀπὸ τὴ λειτουργία της στὸν ἐπιλεγμένο τόνο. "
      u"Στὸν δώριο τόνο ἀπὸ τὴ νήτη συμπίπτουν μὲ τὰ ὀνόματα θέσει.",
      u"Names by function (dynámei): the name each string has by its function in the chosen tonos. "
      u"In the Dorian tonos from nḗtē they agree with the names by position."}},
    {"CLBIntervalle",
     "Label4",
     {u"Διαστήματα ἀναφορᾶς ποὺ ἀναζητοῦνται ἀνάμεσα σὲ δύο χορδές. Ἕνα διάστημα χωρὶς σημάδι "
      u"λείπει ἀπὸ τὸν κατάλογο δεξιά. Τὸ Alt+I φέρνει ἐδῶ.",
      u"Reference intervals sought between two strings. An interval without its mark is left out "
      u"of the list at the right. Alt+I comes here."}},
    {"LBInt",
     nullptr,
     {u"Τὰ διαστήματα ποὺ σχηματίζουν οἱ χορδές, ἀριθμημένες 1 ἕως 8 ἀπὸ πάνω. Τὸ «1-5: 3/2» "
      u"σημαίνει ὅτι οἱ χορδὲς 1 καὶ 5 σχηματίζουν ἀκριβῶς πέμπτη. Μὲ «*» μπροστά, ἡ ἀπόκλιση ἀπὸ "
      u"τὸ διάστημα εἶναι μικρότερη ἀπὸ 22 cents καὶ δίνεται στὸ τέλος: + ὅταν οἱ χορδὲς "
      u"σχηματίζουν στενότερο διάστημα, − ὅταν πλατύτερο. Μὲ τὸ «All as ratios», κάθε ζεῦγος "
      u"χορδῶν μὲ τὸν ἀκριβῆ λόγο του.",
      u"Intervals between the strings, numbered 1 to 8 from the top. “1-5: 3/2” means that strings "
      u"1 and 5 form a fifth exactly. A line marked “*” misses its interval by less than 22 cents, "
      u"the difference at its end: + where the strings form a narrower interval, − a wider one. "
      u"With “All as ratios”, every pair of strings with its exact ratio."}},
    {"BAllInt",
     nullptr,
     {u"All as ratios: κάθε ζεῦγος χορδῶν μὲ τὸν ἀκριβῆ λόγο τῶν μηκῶν του (μακρύτερο πρὸς "
      u"κοντύτερο), ἀντὶ γιὰ τὰ σημειωμένα διαστήματα.",
      u"All as ratios: every pair of strings with the exact ratio of its lengths (longer to "
      u"shorter), in place of the marked intervals."}},
    {"LBCent",
     "Cants",
     {u"Διαστήματα σὲ cents ἀνάμεσα σὲ γειτονικὲς χορδές: ἡ γραμμὴ 1 ἀπὸ τὴ χορδὴ 1 στὴ 2, καὶ "
      u"οὕτω καθεξῆς μέχρι τὴ γραμμὴ 7. Ἡ ὀκτάβα ἔχει 1200 cents, τὸ ἴσο ἡμιτόνιο 100.",
      u"Steps in cents between neighbouring strings: line 1 from string 1 to string 2, and so on "
      u"to line 7. An octave has 1200 cents, an equal-tempered semitone 100."}},
    {"LBNotes",
     nullptr,
     {u"Ὀνόματα φθόγγων πρὸς τὸ σταθερὸ σημεῖο ἀναφορᾶς: τὸ μῆκος 90 εἶναι τὸ a. Κάθε χορδὴ "
      u"παίρνει τὸ ὄνομα τοῦ πλησιέστερου ἡμιτονίου καὶ τὴν ἀπόκλιση σὲ cents. Εἶναι σχετικά: δὲν "
      u"δείχνουν τὴ συχνότητα τοῦ a.",
      u"Pitch names against the fixed reference: length 90 is a. Each string takes the name of the "
      u"nearest semitone and its deviation in cents. They are relative: they do not say at what "
      u"frequency a sounds."}},
    {"MFreq",
     "Label1",
     {u"Συχνότητες σὲ hertz: τὸ μῆκος 90 ἠχεῖ στὰ 245 Hz, καὶ ἡ συχνότητα εἶναι ἀντιστρόφως "
      u"ἀνάλογη τοῦ μήκους. Αὐτὲς παίζουν τὰ πλῆκτρα.",
      u"Frequencies in hertz: length 90 sounds at 245 Hz, and a frequency is inversely "
      u"proportional to its length. The keys play these."}},
    {"MNotesAbs",
     nullptr,
     {u"Ὁ πλησιέστερος συγκερασμένος φθόγγος μὲ A = 440 Hz καὶ ἡ ἀπόκλιση σὲ cents, ἀπὸ τὴ "
      u"συχνότητα ἀριστερά. Διαφέρει ἀπὸ τὸ σχετικὸ ὄνομα, γιατὶ τὸ μῆκος 90 ἠχεῖ στὰ 245 Hz (B "
      u"−14), ὄχι στὰ 220 Hz ἑνὸς a.",
      u"The nearest equal-tempered pitch at A = 440 Hz and its deviation in cents, from the "
      u"frequency at the left. It differs from the relative name because length 90 sounds at 245 "
      u"Hz (B −14), not at the 220 Hz of an a."}},
    {"CBInstrumente",
     nullptr,
     {u"Ὄργανο: ὁ ἦχος General MIDI μὲ τὸν ὁποῖο παίζουν τὰ πλῆκτρα. Ἡ ἀλλαγή του σταματᾶ κάθε "
      u"ἦχο.",
      u"Instrument: the General MIDI sound the keys play with. Changing it silences every "
      u"string."}},
    {"CBMelodic",
     nullptr,
     {u"Melodic: μία χορδὴ κάθε φορά. Κάθε νέα χορδὴ σταματᾶ ὅσες ἠχοῦν, καὶ ἡ χορδὴ ἠχεῖ καὶ ἀφοῦ "
      u"ἀφήσετε τὸ πλῆκτρο. Χωρὶς αὐτό, ἡ χορδὴ ἠχεῖ ὅσο κρατᾶτε τὸ πλῆκτρο πατημένο.",
      u"Melodic: one string at a time. Each new string silences those that sound, and it rings on "
      u"after its key is released. Unticked, a string sounds while its key is held."}},
    {"Label5",
     nullptr,
     {u"Τὸ πλῆκτρο 9 παίζει τὴ χορδὴ 1, τὸ 8 τὴ χορδὴ 2, καὶ οὕτω καθεξῆς μέχρι τὸ 2, ποὺ παίζει "
      u"τὴ χορδὴ 8. Τὸ 1 παίζει τὴ σταθερὴ χορδὴ μήκους 135. Shift ἢ Caps Lock: τριπλάσια "
      u"συχνότητα. Ctrl: πενταπλάσια. Κάθε ἄλλο πλῆκτρο σταματᾶ τὸν ἦχο. F1: βοήθεια.",
      u"Key 9 plays string 1, key 8 string 2, and so on down to key 2, which plays string 8. Key 1 "
      u"plays the fixed string of length 135. Shift or Caps Lock: three times the frequency; Ctrl: "
      u"five times. Any other key silences. F1: help."}},
    {"Label6", "", {u"Ἀνοίγει τὸ παράθυρο «About».", u"Opens the About box."}},
    {"RGLang",
     nullptr,
     {u"Γλῶσσα τῶν ὀνομάτων καὶ αὐτῶν τῶν ἐξηγήσεων: ἑλληνικά (πολυτονικά) ἢ ἀγγλικά.",
      u"Language of the names and of these explanations: Greek (polytonic) or English."}},
};
} // namespace

void ApplyTooltips(QWidget* Window, int Language) {
    for (const TTooltip& Tip : Tooltips) {
        const std::u16string_view T = Tip.Texts[Language == 1 ? 1 : 0];
        const QString Text = QStringView(T.data(), static_cast<qsizetype>(T.size())).toString();
        for (const char* Name : {Tip.Control, Tip.Heading})
            if (Name)
                if (auto* W = Window->findChild<QWidget*>(QString::fromLatin1(Name))) {
                    W->setToolTip(Text);
                    // Lists read only their own description, and a radio button shows the
                    // tooltip of its group.
                    W->setAccessibleDescription(Text);
                    for (auto* Button : W->findChildren<QRadioButton*>())
                        Button->setAccessibleDescription(Text);
                }
    }
}
