#include "Kelvaro01.h"

#include "Accessibility.h"
#include "AccessibleNames.h"
#include "Announce.h"
#include "HelpBox.h"
#include "Instruments.h"
#include "Kelvaro02.h"
#include "NativeKeys.h"
#include "OctaveCopy.h"
#include "PixelFonts.h"
#include "ProgramIcon.h"
#include "Tooltips.h"
#include "model/Tables.h"
#include "sound/SynthSm.h"
#include "ui_Kelvaro01.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QWindow>
#include <iterator>
#include <string_view>

namespace {
QString Text(std::u16string_view S) {
    return QStringView(S.data(), static_cast<qsizetype>(S.size())).toString();
}

struct TLanguageTexts {
    std::u16string_view Title, Thesei, Dynamei, FromNete, FromMese;
    bool Italic;
};

constexpr TLanguageTexts LanguageTexts[2] = {
    {u"ΣΥΡΙΝΘΑ", u"θέσει", u"δυνάμει", u"ἀπὸ νήτης (&n)", u"ἀπὸ μέσης (&m)", false},
    {u"SYRÍNTHA", u"by position", u"by function", u"from &nḗtē", u"from &mésē", true},
};

constexpr int OctaveStrings = 8;

template <typename Column> void WriteRows(TRowList* List, const Column& Texts) {
    for (int k = 0; k < OctaveStrings; ++k)
        List->item(k)->setText(Text(Texts[static_cast<size_t>(k)]));
}

char16_t DecimalSeparator() {
    const QString Point = QLocale().decimalPoint();
    return Point.isEmpty() ? u'.' : Point.front().unicode();
}
} // namespace

TSystemata::TSystemata(QWidget* Parent)
    : QWidget(Parent), Ui(std::make_unique<Ui::Systemata>()), Player(*this),
      KeyState(&PlatformKeyState()) {
    InstallAccessibility();
    Ui->setupUi(this);
    PixelFonts(this);
    for (auto* Label : findChildren<TFitLabel*>())
        Label->Fit();
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(size());
    setWindowIcon(ProgramIcon());
    FormCreate();
    Ui->CBSyrintha->setFocus();

    CentreOnScreen(this);
    // Every key event reaches a top-level QWindow first, before any widget: the key preview
    // watches them all on the application, so that the open list of a drop-down box, a popup
    // window of its own, feeds it too.
    winId();
    // Application filters run before a window's own, so the preview sees Ctrl+C before the copy.
    new TOctaveCopy(this);
    qApp->installEventFilter(this);
}

TSystemata::~TSystemata() {
    FormDestroy();
}

void TSystemata::FormCreate() {
    for (size_t i = 0; i < std::size(Tonoi); ++i)
        Ui->CBTonos->addItem(QString());
    for (size_t i = 0; i < std::size(Mixtures); ++i)
        Ui->CBMeigma->addItem(QString());
    for (size_t i = 0; i < std::size(KitharaTunings); ++i)
        Ui->CBSyrintha->addItem(QString());
    ApplyLanguage();
    Ui->CBTonos->setCurrentIndex(3);
    Ui->CBMeigma->setCurrentIndex(3);
    for (int i = 0; i < IntervalCount; ++i)
        Ui->CLBIntervalle->AddItem(Text(IntervalText(i)), true);
    Ui->CBInstrumente->clear();
    for (int k = 0; k < InstrumentCount; ++k)
        Ui->CBInstrumente->addItem(InstrumentName(k + 1));
    Ui->CBInstrumente->setCurrentIndex(Instrument);
    for (int k = 0; k < OctaveStrings; ++k)
        for (auto* List : {Ui->LBArab, Ui->LBGreek, Ui->LBQesei, Ui->LBFusei})
            List->addItem(QString());
    FracSet(Mhkh[8].Ratio, 135, 1);
    UpdateDisplay();
}

void TSystemata::FormDestroy() {
    if (SynthOpened) SynthClose();
}

void TSystemata::ApplyLanguage() {
    const TLanguageTexts& L = LanguageTexts[Language == 1 ? 1 : 0];
    setWindowTitle(Text(L.Title));
    Ui->LThesei->setText(Text(L.Thesei));
    Ui->LDynamei->setText(Text(L.Dynamei));
    Ui->RGApo->SetItemText(0, Text(L.FromNete));
    Ui->RGApo->SetItemText(1, Text(L.FromMese));

    QFont Style = Ui->LBQesei->font();
    Style.setItalic(L.Italic);
    Ui->LBQesei->setFont(Style);
    Style = Ui->LBFusei->font();
    Style.setItalic(Ui->LBQesei->font().italic());
    Ui->LBFusei->setFont(Style);

    const auto Refill = [](QComboBox* Box, auto&& Name) {
        const int Selected = Box->currentIndex();
        for (int i = 0; i < Box->count(); ++i)
            Box->setItemText(i, Name(i));
        Box->setCurrentIndex(Selected);
    };
    Refill(Ui->CBTonos, [](int i) { return Text(Tonoi[i].Names[Language]); });
    Refill(Ui->CBMeigma, [](int i) { return Text(MixtureName(i, Language)); });
    Refill(Ui->CBSyrintha, [](int i) { return Text(KitharaTunings[i].Names[Language]); });
    ApplyTooltips(this, Language);
    ApplyAccessibleNames(this, Language);
}

TChoices TSystemata::CurrentChoices() const {
    TChoices Choices;
    Choices.Tonos = Ui->CBTonos->currentIndex();
    Choices.Mixture = Ui->CBMeigma->currentIndex();
    Choices.Start = Ui->RGApo->ItemIndex();
    Choices.Language = Language;
    for (int r = 0; r < IntervalCount; ++r)
        Choices.Marked[static_cast<size_t>(r)] = Ui->CLBIntervalle->Checked(r);
    Choices.AllRatios = Ui->BAllInt->isChecked();
    Choices.DecimalSeparator = DecimalSeparator();
    return Choices;
}

void TSystemata::UpdateDisplay() {
    UpdateReadings(CurrentChoices(), Mhkh, Readings);

    if (Ui->CBSyrintha->currentIndex() != Readings.Kithara)
        Ui->CBSyrintha->setCurrentIndex(Readings.Kithara);
    Ui->LTetra->setText(Text(Readings.LTetra));
    WriteRows(Ui->LBArab, Readings.LBArab);
    WriteRows(Ui->LBFusei, Readings.LBFusei);
    WriteRows(Ui->LBQesei, Readings.LBQesei);
    WriteRows(Ui->LBGreek, Readings.LBGreek);
    QStringList Intervals;
    Intervals.reserve(static_cast<qsizetype>(Readings.LBInt.size()));
    for (const auto& Line : Readings.LBInt)
        Intervals << Text(Line);
    Ui->LBInt->SetLines(Intervals);
    // The list a toggle changes is not where the user is: it says so.
    const QString IntervalsName = IntervalListName(Ui->LBInt->count(), Language);
    if (MarksToggled)
        AnnounceChange(Ui->LBInt, IntervalsName);
    else if (Ui->LBInt->accessibleName() != IntervalsName)
        Ui->LBInt->setAccessibleName(IntervalsName);
    Ui->LBCent->SetLines(Readings.LBCent);
    Ui->LBNotes->SetLines(Readings.LBNotes);
    Ui->MFreq->SetLines(Readings.MFreq);
    Ui->MNotesAbs->SetLines(Readings.MNotesAbs);
    emit Refreshed();
}

double TSystemata::GetFrequency(int32_t L) const {
    return ::GetFrequency(Mhkh, L);
}

bool TSystemata::FromMese() const {
    return Ui->RGApo->ItemIndex() == 1;
}

bool TSystemata::Melodic() const {
    return Ui->CBMelodic->isChecked();
}

void TSystemata::SetKeyStateSource(const TKeyStateSource* Source) {
    KeyState = Source ? Source : &PlatformKeyState();
}

void TSystemata::RGLangClick() {
    Language = Ui->RGLang->ItemIndex();
    ApplyLanguage();
    UpdateDisplay();
}

void TSystemata::CBTonosClick() {
    MarksToggled = sender() == Ui->CLBIntervalle || sender() == Ui->BAllInt;
    UpdateDisplay();
    MarksToggled = false;
}

void TSystemata::CBSyrinthaChange() {
    const int t = Ui->CBSyrintha->currentIndex();
    if (t < 0) return;
    Ui->CBMeigma->setCurrentIndex(KitharaTunings[t].Mixture);
    Ui->CBTonos->setCurrentIndex(KitharaTunings[t].Tonos);
    Ui->RGApo->setItemIndex(0);
    UpdateDisplay();
}

void TSystemata::SyncRows(QObject* Sender) {
    const auto* From = qobject_cast<TRowList*>(Sender);
    if (!From) return;
    const int Row = From->ItemIndex();
    for (auto* List : {Ui->LBQesei, Ui->LBGreek, Ui->LBArab, Ui->LBFusei})
        if (List != From) List->SetItemIndex(Row);
}

void TSystemata::LBQeseiClick() {
    SyncRows(sender());
}

void TSystemata::LBQeseiMouseDown() {
    SyncRows(sender());
}

void TSystemata::LBQeseiMouseMove() {
    SyncRows(sender());
}

void TSystemata::Label6Click() {
    auto* Box = new TAboutBox(this);
    Box->setWindowModality(Qt::ApplicationModal);
    Box->show();
}

void TSystemata::CBInstrumenteClick() {
    Player.CBInstrumenteClick(Ui->CBInstrumente->currentIndex());
}

void TSystemata::EPlayKeyDown(QKeyEvent* Event) {
    Player.EPlayKeyDown(PlayingKey(*Event), KeyState->Read(*Event));
}

void TSystemata::EPlayKeyUp(QKeyEvent* Event) {
    Player.EPlayKeyUp(PlayingKey(*Event));
}

bool TSystemata::eventFilter(QObject* Watched, QEvent* Event) {
    // Each key event passes one QWindow, then every widget up from the focused one: only the
    // QWindow hop counts, that of this window or of a popup (only this window opens popups).
    const auto IsKey = [](QEvent::Type T) {
        return T == QEvent::KeyPress || T == QEvent::KeyRelease;
    };
    const auto* Window = IsKey(Event->type()) ? qobject_cast<QWindow*>(Watched) : nullptr;
    if (Window && (Window == windowHandle() || Window->type() == Qt::Popup)) {
        if (Event->type() == QEvent::KeyPress) EPlayKeyDown(static_cast<QKeyEvent*>(Event));
        // Only the release that lifts the key counts, not those of its auto-repeat.
        else if (Event->type() == QEvent::KeyRelease &&
                 !IsAutoRepeatRelease(*static_cast<QKeyEvent*>(Event)))
            EPlayKeyUp(static_cast<QKeyEvent*>(Event));
    }
    return QWidget::eventFilter(Watched, Event);
}

// A release that happens while another window is active never arrives here: silence on leaving.
void TSystemata::changeEvent(QEvent* Event) {
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && !isActiveWindow()) Player.Silence();
}

// Styles show the focus only once a key has moved it, and showing a window forgets that a key
// did; here the focus shows from the start.
void TSystemata::showEvent(QShowEvent* Event) {
    QWidget::showEvent(Event);
    setAttribute(Qt::WA_KeyboardFocusChange);
}

// F1 reaches the window once the key preview has seen it (and silenced playing, as any other key
// does) and the focused control has left it: a shortcut would take it before the preview.
void TSystemata::keyPressEvent(QKeyEvent* Event) {
    if (Event->key() != Qt::Key_F1) return QWidget::keyPressEvent(Event);
    auto* Box = new THelpBox(this);
    Box->setWindowModality(Qt::ApplicationModal);
    Box->show();
}
