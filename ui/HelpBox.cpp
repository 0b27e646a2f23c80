#include "HelpBox.h"

#include "PixelFonts.h"
#include "ProgramIcon.h"
#include "model/Tables.h"
#include "ui_HelpBox.h"

#include <string_view>

namespace {
struct THelpTexts {
    std::u16string_view Title, Body;
};

constexpr THelpTexts HelpTexts[2] = {
    {u"Βοήθεια",
     u"<p><b>Οἱ στῆλες</b>, μία γραμμὴ γιὰ κάθε χορδή: ὀνόματα θέσει, μήκη μὲ ἑλληνικοὺς ἀριθμούς "
     u"(ἀκέραιο μέρος καὶ λεπτά, δηλαδὴ ἑξηκοστά), μήκη μὲ ἀραβικοὺς ἀριθμούς (ἀκέραιο μέρος καὶ "
     u"κλάσμα), ὀνόματα δυνάμει. Ἀπὸ κάτω: τὰ διαστήματα ἀναφορᾶς, τὰ διαστήματα ποὺ σχηματίζουν "
     u"οἱ χορδές, τὰ διαστήματα σὲ cents ἀνάμεσα σὲ γειτονικὲς χορδές, τὰ ὀνόματα φθόγγων πρὸς τὸ "
     u"μῆκος 90 = a, οἱ συχνότητες σὲ hertz καὶ οἱ πλησιέστεροι συγκερασμένοι φθόγγοι μὲ A = 440 "
     u"Hz.</p><p><b>Οἱ χορδὲς</b> ἀριθμοῦνται 1 ἕως 8 ἀπὸ τὴν πάνω γραμμή: ἡ χορδὴ 1 εἶναι ἡ "
     u"κοντύτερη καὶ ψηλότερη, ἡ χορδὴ 8 ἡ μακρύτερη καὶ χαμηλότερη. Μὲ αὐτοὺς τοὺς ἀριθμοὺς "
     u"γράφεται ὁ κατάλογος τῶν διαστημάτων.</p><p><b>Τὰ πλῆκτρα</b> 1 ἕως 9 τοῦ βασικοῦ "
     u"πληκτρολογίου παίζουν: τὸ 9 τὴ χορδὴ 1, τὸ 8 τὴ χορδὴ 2, καὶ οὕτω καθεξῆς μέχρι τὸ 2, ποὺ "
     u"παίζει τὴ χορδὴ 8. Τὸ 1 παίζει μία σταθερὴ χορδὴ μήκους 135. Μὲ Shift ἢ Caps Lock ἡ "
     u"συχνότητα τριπλασιάζεται, μὲ Ctrl πενταπλασιάζεται. Ἀπὸ τὴ μέση ὅλα ἠχοῦν μία πέμπτη "
     u"χαμηλότερα. Μὲ τὸ Melodic ἠχεῖ μία χορδὴ κάθε φορὰ καὶ συνεχίζει καὶ ἀφοῦ ἀφήσετε τὸ "
     u"πλῆκτρο. Χωρὶς αὐτό, ἡ χορδὴ ἠχεῖ ὅσο κρατᾶτε τὸ πλῆκτρο. Κάθε ἄλλο πλῆκτρο, καὶ τὸ F1, "
     u"σταματᾶ τὸν ἦχο.</p><p>Κάθε στοιχεῖο τοῦ παραθύρου ἐξηγεῖται σὲ ἕνα μικρὸ πλαίσιο, ὅταν "
     u"σταθεῖ ἐπάνω του τὸ ποντίκι. Ἡ σημείωση τοῦ δημιουργοῦ κάτω δεξιὰ ἀνοίγει τὸ παράθυρο "
     u"«About».</p>"},
    {u"Help",
     u"<p><b>The columns</b>, one line per string: names by position (θέσει), lengths in Greek "
     u"numerals (whole part, then minutes in sixtieths), lengths in Arabic numerals (whole part "
     u"and remaining fraction), names by function (δυνάμει). Below them: the reference intervals, "
     u"the intervals the strings form, the steps in cents between neighbouring strings, pitch "
     u"names against length 90 = a, frequencies in hertz, and the nearest equal-tempered pitches "
     u"at A = 440 Hz.</p><p><b>The strings</b> are numbered 1 to 8 from the top row: string 1 is "
     u"the shortest and highest, string 8 the longest and lowest. The interval list uses these "
     u"numbers.</p><p><b>The keys</b> 1 to 9 of the main keyboard play: 9 string 1, 8 string 2, "
     u"and so on down to 2, string 8. Key 1 plays a fixed string of length 135. Shift or Caps Lock "
     u"plays three times the frequency, Ctrl five times. From mésē everything sounds a fifth "
     u"lower. With Melodic ticked one string sounds at a time and rings on after its key is "
     u"released; otherwise a string sounds while its key is held. Any other key, F1 included, "
     u"silences.</p><p>Every control explains itself in a tooltip. The maker's notice at the "
     u"bottom right opens the About box.</p>"},
};

QString Text(std::u16string_view S) {
    return QStringView(S.data(), static_cast<qsizetype>(S.size())).toString();
}
} // namespace

THelpBox::THelpBox(QWidget* Owner)
    : QDialog(Owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Ui(std::make_unique<Ui::HelpBox>()) {
    Ui->setupUi(this);
    PixelFonts(this);
    setFixedSize(size());
    const THelpTexts& T = HelpTexts[Language == 1 ? 1 : 0];
    setWindowTitle(Text(T.Title));
    Ui->HelpText->setHtml(Text(T.Body));
    Ui->OKButton->setFocus();
    CentreOnScreen(this);
}

THelpBox::~THelpBox() = default;

// Closing only hides a dialog; the box deletes itself once the closing has run to its end.
void THelpBox::FormClose() {
    deleteLater();
}
