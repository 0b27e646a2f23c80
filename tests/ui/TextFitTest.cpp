// No text is ever cut: every state of the window is rendered on a recording device, and each
// text drawn is measured with the font it was drawn in and must lie whole inside its box.
#include "TextRecorder.h"
#include "WindowFixture.h"

#include "Condense.h"

#include <QAbstractItemView>
#include <QFontInfo>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QTextBlock>
#include <algorithm>
#include <map>
#include <sstream>

namespace {

// A box of a control and the text it must show in it, whole and on one line.
struct TBox {
    QRectF Rect;
    QString Text;
};

class TextFitTest : public WindowTest {
protected:
    // Renders W and checks that each box shows its text whole, in pieces on one baseline, in the
    // face and pixel height W declares, and that nothing is drawn outside every box.
    void ExpectWhole(QWidget* W, const std::vector<TBox>& Boxes, const std::string& Where) {
        TTextRecorder Device(W->size());
        const auto Drawn = Device.Render(W);
        std::vector<bool> Placed(Drawn.size(), false);
        for (const TBox& Box : Boxes) {
            std::vector<const TDrawnText*> Pieces;
            for (size_t i = 0; i < Drawn.size(); ++i) {
                const QPointF At = Drawn[i].Origin;
                if (!Placed[i] && At.y() > Box.Rect.top() && At.y() <= Box.Rect.bottom() + 1 &&
                    At.x() >= Box.Rect.left() - 1 && At.x() < Box.Rect.right()) {
                    Placed[i] = true;
                    Pieces.push_back(&Drawn[i]);
                }
            }
            std::sort(Pieces.begin(), Pieces.end(),
                      [](auto* A, auto* B) { return A->Origin.x() < B->Origin.x(); });
            QString Shown;
            for (const auto* P : Pieces) {
                Shown += P->Text;
                CheckPiece(*P, Box, W, Where);
            }
            if (Shown.trimmed() != Box.Text.trimmed())
                Fault(Where, Box.Text, "shows \"" + Utf8(Shown) + "\"");
            else if (!Pieces.empty() && std::any_of(Pieces.begin(), Pieces.end(), [&](auto* P) {
                         return P->Origin.y() != Pieces.front()->Origin.y();
                     }))
                Fault(Where, Box.Text, "is broken over lines");
        }
        for (size_t i = 0; i < Drawn.size(); ++i)
            if (!Placed[i] && !Drawn[i].Text.trimmed().isEmpty())
                Fault(Where, Drawn[i].Text, "is drawn outside every box");
    }

    void CheckPiece(const TDrawnText& P, const TBox& Box, const QWidget* W,
                    const std::string& Where) {
        const QRectF Extent = P.Extent();
        if (Extent.left() < Box.Rect.left() || Extent.right() > Box.Rect.right() + 1) {
            std::ostringstream S;
            S << "spans " << Extent.left() << " to " << Extent.right() << " in a box from "
              << Box.Rect.left() << " to " << Box.Rect.right() + 1;
            Fault(Where, Box.Text, S.str());
        }
        if (Extent.top() < Box.Rect.top() || Extent.bottom() > Box.Rect.bottom() + 1)
            Fault(Where, Box.Text, "is cut at the top or bottom");
        // The same face at the same height; only its width may change.
        const QFontInfo Declared(W->font()), Used(P.Font);
        if (Used.pixelSize() != Declared.pixelSize() || Used.family() != Declared.family() ||
            Used.styleName() != Declared.styleName())
            Fault(Where, Box.Text,
                  "is drawn in " + Utf8(Used.family() + u' ' + Used.styleName()) + " " +
                      std::to_string(Used.pixelSize()) + " px");
    }

    void Fault(const std::string& Where, const QString& Text, const std::string& What) {
        Faults.push_back(Where + ": \"" + Utf8(Text) + "\" " + What);
    }

    static QRectF InWidget(const QAbstractScrollArea* Area, QRect Viewport) {
        return QRectF(Viewport.intersected(Area->viewport()->rect()))
            .translated(Area->viewport()->pos());
    }

    void ExpectListWhole(const char* Name, const std::string& State) {
        auto* List = Find<QListWidget>(Name);
        std::vector<TBox> Boxes;
        for (int i = 0; i < List->count(); ++i)
            Boxes.push_back(
                {InWidget(List, List->visualItemRect(List->item(i))), List->item(i)->text()});
        ExpectWhole(List, Boxes, State + Name);
    }

    // Each line of a read-only text on a baseline of its own, within the box's inner area.
    void ExpectLinesWhole(const char* Name, const std::string& State) {
        auto* Text = Find<TReadOnlyText>(Name);
        const QStringList Lines = Text->toPlainText().split(u'\n');
        const int Height = Text->fontMetrics().lineSpacing();
        const QRect Area = Text->viewport()->rect();
        std::vector<TBox> Boxes;
        for (qsizetype k = 0; k < Lines.size(); ++k) {
            const QPointF Top =
                Text->cursorRect(QTextCursor(Text->document()->findBlockByNumber(int(k))))
                    .topLeft();
            Boxes.push_back(
                {InWidget(Text, QRect(Area.left(), int(Top.y()), Area.width(), Height)), Lines[k]});
        }
        ExpectWhole(Text, Boxes, State + Name);
        const int Bottom = int(Boxes.back().Rect.bottom()) + 1;
        if (Bottom > Text->viewport()->geometry().bottom() + 1)
            Fault(State + Name, Lines.back(), "falls below the box");
    }

    void ExpectComboWhole(QComboBox* Box, const std::string& State) {
        QStyleOptionComboBox Option;
        Option.initFrom(Box);
        Option.subControls = QStyle::SC_All;
        const QRect Edit = Box->style()->subControlRect(QStyle::CC_ComboBox, &Option,
                                                        QStyle::SC_ComboBoxEditField, Box);
        ExpectWhole(Box, {{QRectF(Edit), Box->currentText()}},
                    State + Utf8(Box->objectName()) + " closed");
    }

    void ExpectCaptionWhole(QWidget* W, const QString& Caption, const std::string& State) {
        ExpectWhole(W, {{QRectF(W->rect()), WithoutMnemonic(Caption)}},
                    State + Utf8(W->objectName()));
    }

    void ReportFaults() {
        std::ostringstream S;
        for (size_t i = 0; i < Faults.size() && i < 25; ++i)
            S << Faults[i] << '\n';
        EXPECT_TRUE(Faults.empty()) << Faults.size() << " faults, the first ones:\n" << S.str();
    }

    std::vector<std::string> Faults;
};

// Every choice of tonos, mixture and start point in both languages and both interval modes.
TEST_F(TextFitTest, EveryColumnShowsEveryLineWholeInEveryState) {
    auto* AllRatios = Find<QCheckBox>("BAllInt");
    auto* Tonos = Combo("CBTonos");
    auto* Mixture = Combo("CBMeigma");
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        for (bool All : {false, true}) {
            if (AllRatios->isChecked() != All) AllRatios->click();
            for (int t = 0; t < Tonos->count(); ++t)
                for (int m = 0; m < Mixture->count(); ++m)
                    for (int s : {0, 1}) {
                        Tonos->setCurrentIndex(t);
                        Mixture->setCurrentIndex(m);
                        Group("RGApo")->setItemIndex(s);
                        QMetaObject::invokeMethod(Window.get(), "CBTonosClick");
                        const std::string State =
                            "lang " + std::to_string(Lang) + (All ? " all" : "") + " tonos " +
                            std::to_string(t) + " mixture " + std::to_string(m) + " start " +
                            std::to_string(s) + ": ";
                        for (const char* Name :
                             {"LBQesei", "LBGreek", "LBArab", "LBFusei", "LBInt"})
                            ExpectListWhole(Name, State);
                        for (const char* Name : {"LBCent", "LBNotes", "MFreq", "MNotesAbs"})
                            ExpectLinesWhole(Name, State);
                        auto* Tetra = Find<TFitLabel>("LTetra");
                        ExpectCaptionWhole(Tetra, Tetra->text(), State);
                        ExpectComboWhole(Combo("CBSyrintha"), State);
                    }
        }
    }
    ReportFaults();
}

TEST_F(TextFitTest, ClosedListsShowEachEntryWhole) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        for (const char* Name : {"CBSyrintha", "CBTonos", "CBMeigma", "CBInstrumente"}) {
            QComboBox* Box = Combo(Name);
            const int Selected = Box->currentIndex();
            for (int i = 0; i < Box->count(); ++i) {
                Box->setCurrentIndex(i);
                ExpectComboWhole(Box, "lang " + std::to_string(Lang) + ": ");
            }
            Box->setCurrentIndex(Selected);
        }
    }
    ReportFaults();
}

TEST_F(TextFitTest, CaptionsAndMarksAreWholeInBothLanguages) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        const std::string State = "lang " + std::to_string(Lang) + ": ";
        for (auto* Label : Window->findChildren<TFitLabel*>())
            ExpectCaptionWhole(Label, Label->text(), State);
        for (const char* Name : {"BAllInt", "CBMelodic"})
            ExpectCaptionWhole(Find<QCheckBox>(Name), Find<QCheckBox>(Name)->text(), State);
        for (const char* Name : {"RGApo", "RGLang"})
            for (int i : {0, 1}) {
                QRadioButton* Button = Group(Name)->Button(i);
                ExpectCaptionWhole(Button, Button->text(), State);
            }
        ExpectListWhole("CLBIntervalle", State);
    }
    ReportFaults();
}

} // namespace
