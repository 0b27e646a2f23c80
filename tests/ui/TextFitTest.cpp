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

// Collects every text that is not shown whole, with where and how.
class TFitCheck {
public:
    // Renders W and checks that each box shows its text whole, in pieces on one baseline, in the
    // face and pixel height W declares, and, unless told otherwise, that nothing is drawn
    // outside every box.
    void Whole(QWidget* W, const std::vector<TBox>& Boxes, const std::string& Where,
               bool OthersToo = true) {
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
                Piece(*P, Box, W, Where);
            }
            if (Shown.trimmed() != Box.Text.trimmed())
                Fault(Where, Box.Text, "shows \"" + Utf8(Shown) + "\"");
            else if (std::any_of(Pieces.begin(), Pieces.end(), [&](auto* P) {
                         return P->Origin.y() != Pieces.front()->Origin.y();
                     }))
                Fault(Where, Box.Text, "is broken over lines");
        }
        for (size_t i = 0; OthersToo && i < Drawn.size(); ++i)
            if (!Placed[i] && !Drawn[i].Text.trimmed().isEmpty())
                Fault(Where, Drawn[i].Text, "is drawn outside every box");
    }

    void ListWhole(QListWidget* List, const std::string& State) {
        std::vector<TBox> Boxes;
        for (int i = 0; i < List->count(); ++i)
            Boxes.push_back(
                {InWidget(List, List->visualItemRect(List->item(i))), List->item(i)->text()});
        Whole(List, Boxes, State + Utf8(List->objectName()));
    }

    // Each line of a read-only text on a baseline of its own, within the box's inner area.
    void LinesWhole(TReadOnlyText* Text, const std::string& State) {
        const std::string Where = State + Utf8(Text->objectName());
        const QStringList Lines = Text->toPlainText().split(u'\n');
        const int Height = Text->fontMetrics().lineSpacing();
        const QRect Area = Text->viewport()->rect();
        std::vector<TBox> Boxes;
        for (int k = 0; k < Lines.size(); ++k) {
            const int Top =
                Text->cursorRect(QTextCursor(Text->document()->findBlockByNumber(k))).top();
            Boxes.push_back(
                {InWidget(Text, QRect(Area.left(), Top, Area.width(), Height)), Lines[k]});
        }
        Whole(Text, Boxes, Where);
        if (Boxes.back().Rect.bottom() > Text->viewport()->geometry().bottom())
            Fault(Where, Lines.back(), "falls below the box");
    }

    void ComboWhole(QComboBox* Box, const std::string& State) {
        QStyleOptionComboBox Option;
        Option.initFrom(Box);
        Option.subControls = QStyle::SC_All;
        const QRect Edit = Box->style()->subControlRect(QStyle::CC_ComboBox, &Option,
                                                        QStyle::SC_ComboBoxEditField, Box);
        Whole(Box, {{QRectF(Edit), Box->currentText()}},
              State + Utf8(Box->objectName()) + " closed");
    }

    // One entry of an open drop-down list, scrolled into view.
    void EntryWhole(QAbstractItemView* View, int Row, const std::string& Where) {
        const QModelIndex Index = View->model()->index(Row, 0);
        View->scrollTo(Index);
        Whole(View, {{InWidget(View, View->visualRect(Index)), Index.data().toString()}},
              Where + " entry " + std::to_string(Row), false);
    }

    void CaptionWhole(QWidget* W, const QString& Caption, const std::string& State) {
        Whole(W, {{QRectF(W->rect()), WithoutMnemonic(Caption)}}, State + Utf8(W->objectName()));
    }

    // A label grows with its text but never into another control nor out of the window.
    void LabelApart(const TFitLabel* Label, const std::string& State) {
        const QWidget* Window = Label->window();
        if (!Window->rect().contains(Label->geometry()))
            Fault(State + Utf8(Label->objectName()), Label->text(), "leaves the window");
        for (const QWidget* Other : Window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (Other != Label && Other->geometry().intersects(Label->geometry()))
                Fault(State + Utf8(Label->objectName()), Label->text(),
                      "overlaps " + Utf8(Other->objectName()));
    }

    void Report() const {
        std::ostringstream S;
        for (size_t i = 0; i < Faults.size() && i < 25; ++i)
            S << Faults[i] << '\n';
        EXPECT_TRUE(Faults.empty()) << Faults.size() << " faults, the first ones:\n" << S.str();
    }

private:
    void Piece(const TDrawnText& P, const TBox& Box, const QWidget* W, const std::string& Where) {
        const QRectF Extent = P.Extent();
        if (Extent.left() < Box.Rect.left() || Extent.right() > Box.Rect.right() + 1) {
            std::ostringstream S;
            S << "spans " << Extent.left() << " to " << Extent.right() << " in a box from "
              << Box.Rect.left() << " to " << Box.Rect.right() + 1;
            Fault(Where, Box.Text, S.str());
        }
        if (Extent.top() < Box.Rect.top() || Extent.bottom() > Box.Rect.bottom() + 1)
            Fault(Where, Box.Text, "is cut at the top or bottom");
        // The same face at the same height; only its width may change. A label carries the
        // condensed font it draws with, so the face is the one its font names at any width.
        QFont Face = W->font();
        Face.setStretch(QFont::AnyStretch);
        const QFontInfo Declared(Face), Used(P.Font);
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

    std::vector<std::string> Faults;
};

class TextFitTest : public WindowTest {
protected:
    TFitCheck Check;
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
                            Check.ListWhole(Find<QListWidget>(Name), State);
                        for (const char* Name : {"LBCent", "LBNotes", "MFreq", "MNotesAbs"})
                            Check.LinesWhole(Find<TReadOnlyText>(Name), State);
                        auto* Tetra = Find<TFitLabel>("LTetra");
                        Check.CaptionWhole(Tetra, Tetra->text(), State);
                        Check.LabelApart(Tetra, State);
                        Check.ComboWhole(Combo("CBSyrintha"), State);
                    }
        }
    }
    Check.Report();
}

TEST_F(TextFitTest, ClosedListsShowEachEntryWhole) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        for (const char* Name : {"CBSyrintha", "CBTonos", "CBMeigma", "CBInstrumente"}) {
            QComboBox* Box = Combo(Name);
            const int Selected = Box->currentIndex();
            for (int i = 0; i < Box->count(); ++i) {
                Box->setCurrentIndex(i);
                Check.ComboWhole(Box, "lang " + std::to_string(Lang) + ": ");
            }
            Box->setCurrentIndex(Selected);
        }
    }
    Check.Report();
}

// At most 32 entries show at once, a scroll bar beyond that, and no entry is cut or elided.
TEST_F(TextFitTest, OpenListsShowAtMost32EntriesEachWhole) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        for (const char* Name : {"CBSyrintha", "CBTonos", "CBMeigma", "CBInstrumente"}) {
            SCOPED_TRACE(Name);
            QComboBox* Box = Combo(Name);
            Box->showPopup();
            QAbstractItemView* View = Box->view();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(View->window()));
            int Shown = 0;
            for (int i = 0; i < Box->count(); ++i) {
                const QRect Row = View->visualRect(View->model()->index(i, 0));
                if (Row.top() >= 0 && Row.bottom() < View->viewport()->height()) ++Shown;
            }
            EXPECT_EQ(Shown, std::min(Box->count(), 32));
            EXPECT_EQ(View->verticalScrollBar()->isVisible(), Box->count() > 32);
            for (int i = 0; i < Box->count(); ++i)
                Check.EntryWhole(View, i, "lang " + std::to_string(Lang) + ": " + Name);
            Box->hidePopup();
        }
    }
    Check.Report();
}

TEST_F(TextFitTest, CaptionsAndMarksAreWholeInBothLanguages) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        const std::string State = "lang " + std::to_string(Lang) + ": ";
        for (auto* Label : Window->findChildren<TFitLabel*>()) {
            Check.CaptionWhole(Label, Label->text(), State);
            Check.LabelApart(Label, State);
        }
        for (const char* Name : {"BAllInt", "CBMelodic"})
            Check.CaptionWhole(Find<QCheckBox>(Name), Find<QCheckBox>(Name)->text(), State);
        for (const char* Name : {"RGApo", "RGLang"})
            for (int i : {0, 1}) {
                QRadioButton* Button = Group(Name)->Button(i);
                Check.CaptionWhole(Button, Button->text(), State);
            }
        Check.ListWhole(Find<QListWidget>("CLBIntervalle"), State);
    }
    Check.Report();
}

} // namespace

// The window's own texts never make a read-only text or a label condense; these boxes do.
QFont Pixels(const char* Family, int Height) {
    QFont F(QString::fromLatin1(Family));
    F.setPixelSize(Height);
    return F;
}

TEST(CondensedText, AReadOnlyLineWiderThanItsBoxStaysWholeOnItsLine) {
    QWidget Window;
    auto* Text = new TReadOnlyText(&Window);
    Text->setObjectName(QStringLiteral("Narrow"));
    Text->setFont(Pixels("DejaVu Sans Mono", 11));
    Text->setGeometry(0, 0, 33, 60);
    Window.show();
    const std::u16string_view Lines[] = {u"204", u"1234567", u"63"};
    Text->SetLines(Lines);
    TFitCheck Check;
    Check.LinesWhole(Text, "");
    Check.Report();
    EXPECT_EQ(Text->document()->blockCount(), 3);
}

TEST(CondensedText, ALabelWiderThanItsRoomKeepsItsRightEdge) {
    QWidget Window;
    Window.resize(200, 40);
    auto* Label = new TFitLabel(&Window);
    Label->setObjectName(QStringLiteral("Caption"));
    Label->setFont(Pixels("DejaVu Sans", 11));
    Label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label->setGeometry(150, 10, 40, 13);
    Label->setMaximumWidth(60);
    Label->Fit();
    Window.show();
    TFitCheck Check;
    for (const char* Caption :
         {"45:46  23:24  4:5", "27:28  7:8  8:9  -  243:256  8:9  8:9", "Hz"}) {
        Label->setText(QString::fromUtf8(Caption));
        EXPECT_EQ(Label->geometry().right(), 189) << Caption;
        EXPECT_LE(Label->width(), 60) << Caption;
        Check.CaptionWhole(Label, Label->text(), "");
    }
    Check.Report();
}
