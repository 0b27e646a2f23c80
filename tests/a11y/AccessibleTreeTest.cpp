// Every control of the main window as assistive technology reads it, in Greek and in English:
// role, name, description, states, its items and their texts, read through Qt's accessibility
// interfaces alone.
#include "AccessibleFixture.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <map>
#include <set>
#include <string_view>

namespace {

struct TControl {
    const char* Name;
    QAccessible::Role Role;
    std::u16string_view Names[2]; // Greek, English
    int Items;                    // children: list items, radio buttons; -1 where not counted
    bool Focusable;
};

const TControl Controls[] = {
    {"CBSyrintha", QAccessible::ComboBox, u"Ἁρμογὴ τῆς κιθάρας", u"Kithara tuning", 1, true},
    {"CBTonos", QAccessible::ComboBox, u"Τόνος", u"Tonos", 1, true},
    {"RGApo", QAccessible::Grouping, u"Ἀφετηρία", u"Start point", 2, false},
    {"CBMeigma", QAccessible::ComboBox, u"Μεῖγμα", u"Mixture", 1, true},
    {"LBQesei", QAccessible::List, u"θέσει", u"by position", 8, true},
    {"LBGreek", QAccessible::List, u"Ἑλληνικοὶ ἀριθμοί", u"Greek numerals", 8, true},
    {"LBArab", QAccessible::List, u"Ἀραβικοὶ ἀριθμοί", u"Arabic numerals", 8, true},
    {"LBFusei", QAccessible::List, u"δυνάμει", u"by function", 8, true},
    {"CLBIntervalle", QAccessible::List, u"Intervals", u"Intervals", 14, true},
    {"LBInt", QAccessible::List, u"Διαστήματα τῶν χορδῶν: 26", u"Intervals between the strings: 26",
     26, true},
    {"BAllInt", QAccessible::CheckBox, u"All as ratios", u"All as ratios", 0, true},
    {"LBCent", QAccessible::EditableText, u"Cents", u"Cents", -1, true},
    {"LBNotes", QAccessible::EditableText, u"Ὀνόματα φθόγγων", u"Pitch names", -1, true},
    {"MFreq", QAccessible::EditableText, u"Hz", u"Hz", -1, true},
    {"MNotesAbs", QAccessible::EditableText, u"Πλησιέστερος συγκερασμένος φθόγγος",
     u"Nearest equal-tempered pitch", -1, true},
    {"CBInstrumente", QAccessible::ComboBox, u"Ὄργανο", u"Instrument", 1, true},
    {"CBMelodic", QAccessible::CheckBox, u"Melodic", u"Melodic", 0, true},
    {"RGLang", QAccessible::Grouping, u"Γλῶσσα", u"Language", 2, false},
    {"Label6", QAccessible::Link, u"© 2026 Kelvaro developers", u"© 2026 Kelvaro developers", 0,
     true},
};

// The texts a sighted user reads in a control: its rows, or the lines of a read-only text.
QStringList Shown(QWidget* W) {
    QStringList Out;
    if (auto* List = qobject_cast<QListWidget*>(W))
        for (int i = 0; i < List->count(); ++i)
            Out << List->item(i)->text();
    return Out;
}

TEST_F(AccessibleTest, EveryControlReadsAsItShowsInBothLanguages) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        for (const TControl& C : Controls) {
            SCOPED_TRACE(std::string(C.Name) + (Lang ? " English" : " Greek"));
            auto* W = Find<QWidget>(C.Name);
            QAccessibleInterface* I = Accessible(W);
            ASSERT_NE(I, nullptr);
            EXPECT_EQ(I->role(), C.Role);
            EXPECT_EQ(Utf8(I->text(QAccessible::Name)), Utf8(C.Names[Lang]));
            // The tooltip is the description, in the same language.
            EXPECT_FALSE(W->toolTip().isEmpty());
            EXPECT_EQ(Utf8(I->text(QAccessible::Description)), Utf8(W->toolTip()));
            EXPECT_EQ(I->state().focusable, C.Focusable);
            EXPECT_FALSE(I->state().invisible);
            if (C.Items >= 0) {
                EXPECT_EQ(I->childCount(), C.Items);
            }

            const QStringList Rows = Shown(W);
            for (int r = 0; r < Rows.size(); ++r) {
                QAccessibleInterface* Item = I->child(r);
                ASSERT_NE(Item, nullptr) << r;
                EXPECT_EQ(Utf8(Item->text(QAccessible::Name)), Utf8(Rows[r])) << r;
                // Each row carries its place: "5 of 8".
                EXPECT_EQ(I->indexOfChild(Item), r);
                EXPECT_EQ(Item->parent()->object(), W);
                EXPECT_EQ(Item->role(), C.Role == QAccessible::List && C.Items == 14
                                            ? QAccessible::CheckBox
                                            : QAccessible::ListItem);
            }
            if (auto* Box = qobject_cast<QComboBox*>(W)) {
                // Named by what it chooses; what it shows is its value.
                EXPECT_EQ(Utf8(I->text(QAccessible::Value)), Utf8(Box->currentText()));
                EXPECT_NE(I->text(QAccessible::Name), I->text(QAccessible::Value));
            }
            if (auto* Edit = qobject_cast<QPlainTextEdit*>(W)) {
                QAccessibleTextInterface* T = I->textInterface();
                ASSERT_NE(T, nullptr);
                EXPECT_EQ(Utf8(T->text(0, T->characterCount())), Utf8(Edit->toPlainText()));
                EXPECT_TRUE(I->state().readOnly);
            }
            if (C.Role == QAccessible::Grouping)
                for (int b = 0; b < 2; ++b) {
                    QAccessibleInterface* Button = I->child(b);
                    EXPECT_EQ(Button->role(), QAccessible::RadioButton);
                    EXPECT_EQ(Button->state().checked, Group(C.Name)->ItemIndex() == b);
                    EXPECT_EQ(Button->state().focusable, true);
                    EXPECT_EQ(Utf8(Button->text(QAccessible::Description)), Utf8(W->toolTip()));
                }
        }
    }
}

TEST_F(AccessibleTest, TheMainWindowIsAFrameNamedByItsTitle) {
    QAccessibleInterface* I = Accessible(Window.get());
    EXPECT_EQ(I->role(), QAccessible::Window);
    EXPECT_EQ(Utf8(I->text(QAccessible::Name)), "ΣΥΡΙΝΘΑ");
    EXPECT_TRUE(I->state().active);
    ChooseEnglish(true);
    EXPECT_EQ(Utf8(I->text(QAccessible::Name)), "SYRÍNTHA");
}

// Every object a user can act on, found by walking the tree as a screen reader does, has a name
// that is not merely its value.
TEST_F(AccessibleTest, NoInteractiveObjectIsUnnamedOrNamedByItsValue) {
    const std::set<QAccessible::Role> Interactive = {
        QAccessible::ComboBox, QAccessible::RadioButton,  QAccessible::CheckBox,
        QAccessible::List,     QAccessible::EditableText, QAccessible::Link,
        QAccessible::Grouping, QAccessible::PushButton};
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        int Count = 0;
        std::vector<QAccessibleInterface*> Todo = {Accessible(Window.get())};
        while (!Todo.empty()) {
            QAccessibleInterface* I = Todo.back();
            Todo.pop_back();
            const bool Acts = Interactive.count(I->role()) || I->state().focusable;
            if (Acts && I->object()) {
                ++Count;
                const QString Name = I->text(QAccessible::Name);
                EXPECT_FALSE(Name.isEmpty()) << Utf8(I->object()->objectName());
                if (I->role() == QAccessible::ComboBox) {
                    EXPECT_NE(Name, I->text(QAccessible::Value));
                }
            }
            if (I->role() == QAccessible::List || I->role() == QAccessible::ComboBox ||
                I->role() == QAccessible::EditableText)
                continue;
            for (int c = 0; c < I->childCount(); ++c)
                Todo.push_back(I->child(c));
        }
        // 4 drop-down lists, 2 radio groups and their 4 buttons, 6 lists, 4 read-only texts,
        // 2 check boxes and the maker's notice.
        EXPECT_EQ(Count, 23);
    }
}

// The access keys of the window, in both languages: each letter belongs to one control.
TEST_F(AccessibleTest, AccessKeysAreUniqueAndGreekAndEnglishHaveTheirs) {
    for (int Lang : {0, 1}) {
        ChooseEnglish(Lang == 1);
        std::map<QChar, std::string> Owner;
        const auto Add = [&](const QString& Caption, const QString& Who) {
            const qsizetype At = Caption.indexOf(u'&');
            if (At < 0 || At + 1 >= Caption.size()) return;
            const QChar Key = Caption[At + 1].toLower();
            EXPECT_TRUE(Owner.emplace(Key, Utf8(Who)).second)
                << Utf8(Who) << " and " << Owner[Key] << " share " << Utf8(QString(Key));
        };
        for (auto* B : Window->findChildren<QAbstractButton*>())
            Add(B->text(), B->objectName());
        for (auto* L : Window->findChildren<QLabel*>())
            if (L->buddy()) Add(L->text(), L->objectName());
        EXPECT_EQ(Owner.count(u'g'), 1u);
        EXPECT_EQ(Owner.count(u'e'), 1u);
    }
    QTest::keyClick(Window.get(), Qt::Key_E, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Language == 1; }));
    EXPECT_EQ(QApplication::focusWidget(), Group("RGLang")->Button(1));
    QTest::keyClick(Window.get(), Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Language == 0; }));
    EXPECT_EQ(QApplication::focusWidget(), Group("RGLang")->Button(0));
}

} // namespace
