// What a screen reader is told while the user works the window: the focus events of the
// synchronised lists, entering a list, the radio groups, the interval marks, the maker's notice,
// and the key preview with the focus on the newly focusable controls.
#include "AccessibleFixture.h"

#include "AccessibleNames.h"
#include "Condense.h"
#include "HelpBox.h"
#include "Kelvaro02.h"

#include <QAccessibleActionInterface>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QWindow>
#include <functional>

namespace {

TEST_F(AccessibleTest, AMoveInASynchronisedListSendsOneFocusEventForItsOwnRow) {
    for (const char* Name : {"LBQesei", "LBGreek", "LBArab", "LBFusei"}) {
        SCOPED_TRACE(Name);
        TRowList* List = Rows(Name);
        List->setFocus();
        List->SetItemIndex(2);
        QCoreApplication::processEvents();
        Events().clear();
        Key(Qt::Key_Down);
        EXPECT_EQ(SelectedRows(), (std::vector<int>{3, 3, 3, 3}));
        const auto Focus = Of(QAccessible::Focus);
        ASSERT_EQ(Focus.size(), 1u);
        EXPECT_EQ(Focus[0].Object, List);
        EXPECT_EQ(Focus[0].Child, 3);
        EXPECT_EQ(Utf8(Focus[0].Name), Utf8(List->item(3)->text()));
        // The other lists follow without a word.
        for (const auto& E : Events())
            if (qobject_cast<TRowList*>(E.Object)) {
                EXPECT_EQ(E.Object, List) << E.Type;
            }
    }
}

TEST_F(AccessibleTest, EnteringAListAnnouncesItsCurrentRow) {
    Rows("LBQesei")->SetItemIndex(4);
    Combo("CBMeigma")->setFocus();
    Events().clear();
    Key(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), Rows("LBQesei"));
    auto Focus = Of(QAccessible::Focus);
    ASSERT_FALSE(Focus.empty());
    EXPECT_EQ(Focus.back().Object, Rows("LBQesei"));
    EXPECT_EQ(Focus.back().Child, 4);
    EXPECT_EQ(Utf8(Focus.back().Name), "μέση");
    EXPECT_EQ(Accessible(Rows("LBQesei"))->childCount(), 8); // "5 of 8"

    // By its access key, the check list with its current mark.
    Find<TCheckList>("CLBIntervalle")->setCurrentRow(2);
    Combo("CBMeigma")->setFocus();
    Events().clear();
    QTest::keyClick(Window.get(), Qt::Key_I, Qt::AltModifier);
    QCoreApplication::processEvents();
    Focus = Of(QAccessible::Focus);
    ASSERT_FALSE(Focus.empty());
    EXPECT_EQ(Focus.back().Child, 2);
    EXPECT_EQ(Utf8(Focus.back().Name), "5 / 4");
}

struct TGroupCase {
    const char* Group;
    int KeyCode;
    int Before, After;
};

TEST_F(AccessibleTest, RadioGroupsFocusAndAnnounceTheCheckedButton) {
    const TGroupCase Cases[] = {{"RGApo", Qt::Key_Right, 0, 1},
                                {"RGApo", Qt::Key_Up, 0, 1},
                                {"RGLang", Qt::Key_Left, 0, 1},
                                {"RGLang", Qt::Key_Down, 1, 0}};
    for (const TGroupCase& C : Cases) {
        SCOPED_TRACE(std::string(C.Group) + " key " + std::to_string(C.KeyCode));
        TRadioGroup* G = Group(C.Group);
        G->setItemIndex(C.Before);
        // Tab reaches the checked button itself, not the group.
        Combo("CBSyrintha")->setFocus();
        while (QApplication::focusWidget()->parentWidget() != G)
            Key(Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), G->Button(C.Before));
        Events().clear();
        Key(C.KeyCode);
        // The arrow moves the check and the focus together.
        EXPECT_EQ(G->ItemIndex(), C.After);
        EXPECT_EQ(QApplication::focusWidget(), G->Button(C.After));
        const auto Focus = Of(QAccessible::Focus);
        ASSERT_EQ(Focus.size(), 1u);
        EXPECT_EQ(Focus[0].Object, G->Button(C.After));
        EXPECT_EQ(Utf8(Focus[0].Name), Utf8(WithoutMnemonic(G->Button(C.After)->text())));
        bool Checked = false;
        for (const auto& E : Of(QAccessible::StateChanged))
            Checked |= E.Object == G->Button(C.After) && E.Changed.checked;
        EXPECT_TRUE(Checked);
        EXPECT_TRUE(Accessible(G->Button(C.After))->state().checked);
    }
}

TEST_F(AccessibleTest, ToggledMarksAnnounceTheirStateAndTheChangedIntervalList) {
    auto* Marks = Find<TCheckList>("CLBIntervalle");
    QAccessibleInterface* List = Accessible(Marks);
    const auto Toggles = [&](const std::function<void()>& Toggle, bool Checked) {
        Events().clear();
        Toggle();
        const auto States = Of(QAccessible::StateChanged);
        ASSERT_EQ(States.size(), 1u);
        EXPECT_TRUE(States[0].Changed.checked);
        EXPECT_EQ(Utf8(States[0].Name), "4 / 3");
        QAccessibleInterface* Mark = List->child(1);
        EXPECT_EQ(Mark->role(), QAccessible::CheckBox);
        EXPECT_TRUE(Mark->state().checkable);
        EXPECT_EQ(Mark->state().checked, Checked);
        EXPECT_EQ(Marks->Checked(1), Checked);
        // The interval list, under none of the user's attention, says that it changed.
        int Said = 0;
        for (const auto& E : Events())
            if (E.Object == Find<QWidget>("LBInt") &&
                (E.Type == QAccessible::NameChanged || E.Type == QAccessible::ValueChanged)) {
                ++Said;
                EXPECT_EQ(Utf8(E.Name),
                          Utf8(IntervalListName(static_cast<int>(Intervals().size()), Language)));
            }
        EXPECT_GE(Said, 1);
    };
    Marks->setFocus();
    Marks->setCurrentRow(1);
    QCoreApplication::processEvents();
    Toggles([&] { Key(Qt::Key_Space); }, false);
    // A screen reader's own toggle is the user's too: the list refreshes.
    QAccessibleActionInterface* Action = List->child(1)->actionInterface();
    ASSERT_NE(Action, nullptr);
    Toggles([&] { Action->doAction(QAccessibleActionInterface::toggleAction()); }, true);
    EXPECT_EQ(Intervals().size(), 26u);
}

TEST_F(AccessibleTest, TheMakersNoticeIsALinkThatOpensTheAboutBox) {
    auto* Notice = Find<TLinkLabel>("Label6");
    const auto OpensBox = [&](const std::function<void()>& Press) {
        Press();
        const auto Boxes = Window->findChildren<TAboutBox*>();
        ASSERT_EQ(Boxes.size(), 1u);
        delete Boxes.front();
    };
    QAccessibleInterface* I = Accessible(Notice);
    ASSERT_NE(I->actionInterface(), nullptr);
    EXPECT_TRUE(
        I->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    OpensBox([&] { I->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); });
    for (int KeyCode : {Qt::Key_Return, Qt::Key_Space}) {
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
        Notice->setFocus();
        ASSERT_TRUE(Notice->hasFocus());
        OpensBox([&] { Key(KeyCode); });
    }
}

TEST_F(AccessibleTest, TheAboutBoxNamesItsPicturesAndItsLinkCanBePressed) {
    auto* Box = new TAboutBox(Window.get());
    for (const char* Picture : {"ProgramIcon", "Image1"}) {
        QAccessibleInterface* I =
            Accessible(Box->findChild<QWidget*>(QString::fromLatin1(Picture)));
        EXPECT_FALSE(I->text(QAccessible::Name).isEmpty()) << Picture;
    }
    auto* License = Box->findChild<QLabel*>(QStringLiteral("ELicense"));
    QAccessibleInterface* Link = Accessible(License);
    EXPECT_EQ(Link->role(), QAccessible::Link);
    EXPECT_EQ(Utf8(Link->text(QAccessible::Name)), "Licensed under the GNU GPL, version 3.");
    EXPECT_TRUE(Link->state().focusable);
    QString Opened;
    QObject::connect(License, &QLabel::linkActivated, [&](const QString& L) { Opened = L; });
    Link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Utf8(Opened), "https://www.gnu.org/licenses/gpl-3.0.html");
    delete Box;
}

TEST_F(AccessibleTest, TheHelpIsReadInFull) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        auto* Box = new THelpBox(Window.get());
        auto* Help = Box->findChild<QTextBrowser*>(QStringLiteral("HelpText"));
        QAccessibleTextInterface* T = Accessible(Help)->textInterface();
        ASSERT_NE(T, nullptr);
        EXPECT_EQ(Utf8(T->text(0, T->characterCount())), Utf8(Help->toPlainText()));
        EXPECT_GT(T->characterCount(), 500);
        delete Box;
    }
}

// A digit plays wherever the focus is, any other key silences first: also on the controls the
// keyboard reaches now.
TEST_F(AccessibleTest, TheKeyPreviewSeesEveryKeyOnTheNewlyFocusableControls) {
    for (QWidget* Focus :
         {static_cast<QWidget*>(Group("RGApo")->Button(0)),
          static_cast<QWidget*>(Group("RGLang")->Button(0)), Find<QWidget>("Label6")}) {
        SCOPED_TRACE(Utf8(Focus->objectName()));
        Focus->setFocus();
        ASSERT_TRUE(Focus->hasFocus());
        QKeyEvent Five(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, NativeDigit(5).ScanCode,
                       NativeDigit(5).VirtualKey, 0, QStringLiteral("5"));
        QApplication::sendEvent(Window->windowHandle(), &Five);
        EXPECT_TRUE(SynthOpened);
        QKeyEvent Down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier,
                       NativeKey(TKey::Down).ScanCode, NativeKey(TKey::Down).VirtualKey, 0);
        QApplication::sendEvent(Window->windowHandle(), &Down);
        EXPECT_FALSE(SynthOpened);
    }
}

} // namespace
