// The About box: opened by the maker's notice, modal and owned by the main window, closed by
// OK, Enter, Esc or its close box, and gone once closed; its link opens the licence document.
#include "WindowFixture.h"

#include "Kelvaro02.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QWindow>
#include <functional>

namespace {

class TLinkRecorder : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& Url) { Opened << Url; }

public:
    QList<QUrl> Opened;
};

class AboutBoxTest : public WindowTest {
protected:
    QPointer<TAboutBox> Open() {
        QTest::mouseClick(Find<TLinkLabel>("Label6"), Qt::LeftButton);
        auto Boxes = Window->findChildren<TAboutBox*>();
        EXPECT_EQ(Boxes.size(), 1);
        return Boxes.isEmpty() ? nullptr : Boxes.front();
    }

    static bool GoneAfterClosing(QPointer<TAboutBox>& Box) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return Box.isNull();
    }
};

TEST_F(AboutBoxTest, OpensModalOverTheMainWindowWithTheFocusOnOk) {
    QPointer<TAboutBox> Box = Open();
    ASSERT_TRUE(Box);
    EXPECT_TRUE(Box->isVisible());
    EXPECT_EQ(Box->parentWidget(), Window.get());
    EXPECT_EQ(QApplication::activeModalWidget(), Box.data());
    EXPECT_EQ(Box->size(), QSize(333, 213));
    EXPECT_EQ(Box->minimumSize(), Box->maximumSize());
    EXPECT_EQ(Box->windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(Box->findChild<QLabel*>(QStringLiteral("Version"))->text(),
              QStringLiteral("Version 1.0"));
    auto* Ok = Box->findChild<QPushButton*>(QStringLiteral("OKButton"));
    EXPECT_EQ(Box->focusWidget(), Ok);
    Box->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Ok; }));

    auto* Icon = Box->findChild<QLabel*>(QStringLiteral("ProgramIcon"));
    auto* Picture = Box->findChild<QLabel*>(QStringLiteral("Image1"));
    EXPECT_FALSE(Icon->pixmap().isNull());
    EXPECT_EQ(Picture->pixmap().size(), QSize(88, 31));
    EXPECT_TRUE(Picture->pixmap().hasAlphaChannel());
    Box->accept();
}

TEST_F(AboutBoxTest, LeavingTheMainWindowSilencesPlaying) {
    QKeyEvent Five(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, NativeDigit(5).ScanCode,
                   NativeDigit(5).VirtualKey, 0, QStringLiteral("5"));
    QApplication::sendEvent(Window->windowHandle(), &Five);
    ASSERT_TRUE(SynthOpened);
    QPointer<TAboutBox> Box = Open();
    ASSERT_TRUE(Box);
    Box->activateWindow();
    EXPECT_TRUE(QTest::qWaitFor([] { return !SynthOpened; }));
    Box->accept();
}

TEST_F(AboutBoxTest, EveryWayOfClosingFreesTheBox) {
    const std::pair<const char*, std::function<void(TAboutBox*)>> Ways[] = {
        {"OK",
         [](TAboutBox* B) {
             QTest::mouseClick(B->findChild<QPushButton*>(QStringLiteral("OKButton")),
                               Qt::LeftButton);
         }},
        {"Enter", [](TAboutBox* B) { QTest::keyClick(B, Qt::Key_Return); }},
        {"Esc", [](TAboutBox* B) { QTest::keyClick(B, Qt::Key_Escape); }},
        {"close box", [](TAboutBox* B) { B->close(); }},
    };
    for (const auto& [Name, Close] : Ways) {
        SCOPED_TRACE(Name);
        QPointer<TAboutBox> Box = Open();
        ASSERT_TRUE(Box);
        Close(Box);
        EXPECT_TRUE(GoneAfterClosing(Box));
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

TEST_F(AboutBoxTest, TheLinkOpensTheLicenceAndLeavesTheBoxOpen) {
    TLinkRecorder Links;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &Links, "Open");
    QPointer<TAboutBox> Box = Open();
    ASSERT_TRUE(Box);
    auto* License = Box->findChild<QLabel*>(QStringLiteral("ELicense"));
    // The keyboard reaches it after the button, and Return opens it as a click does.
    auto* Ok = Box->findChild<QPushButton*>(QStringLiteral("OKButton"));
    Box->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == Ok; }));
    QTest::keyClick(Ok, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), License);
    QTest::keyClick(License, Qt::Key_Return);
    ASSERT_EQ(Links.Opened.size(), 1);
    for (int Click = 2; Click <= 3; ++Click) {
        QTest::mouseClick(License, Qt::LeftButton, {}, License->rect().center());
        ASSERT_EQ(Links.Opened.size(), Click);
        EXPECT_EQ(Links.Opened.back(),
                  QUrl(QStringLiteral("https://www.gnu.org/licenses/gpl-3.0.html")));
        EXPECT_TRUE(Box->isVisible());
    }
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    Box->accept();
    EXPECT_TRUE(GoneAfterClosing(Box));
}

} // namespace

#include "AboutBoxTest.moc"
