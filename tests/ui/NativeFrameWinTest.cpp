// The main window and the About box as Windows itself sees them: a fixed dialog frame with a
// title and a close box only, the declared client area, and the window in the middle of the
// work area.
#include "Kelvaro02.h"
#include "WindowFixture.h"

#include <windows.h>

namespace {

void ExpectFixedDialogFrame(QWidget* W, QSize Client) {
    const auto Handle = reinterpret_cast<HWND>(W->winId());
    const LONG_PTR Style = GetWindowLongPtrW(Handle, GWL_STYLE);
    EXPECT_TRUE(Style & WS_CAPTION);
    EXPECT_TRUE(Style & WS_SYSMENU) << "the close box";
    EXPECT_FALSE(Style & WS_THICKFRAME) << "a frame the user can drag to resize";
    EXPECT_FALSE(Style & WS_MINIMIZEBOX);
    EXPECT_FALSE(Style & WS_MAXIMIZEBOX);

    RECT Inner{};
    ASSERT_TRUE(GetClientRect(Handle, &Inner));
    EXPECT_EQ(Inner.right - Inner.left, Client.width());
    EXPECT_EQ(Inner.bottom - Inner.top, Client.height());

    RECT Outer{}, Work{};
    ASSERT_TRUE(GetWindowRect(Handle, &Outer));
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &Work, 0));
    // Centred by its client area, within the frame's own width.
    const LONG Slack = (Outer.right - Outer.left) - Client.width() + 2;
    EXPECT_LE(std::abs((Outer.left + Outer.right) - (Work.left + Work.right)), Slack);
    EXPECT_LE(std::abs((Outer.top + Outer.bottom) - (Work.top + Work.bottom)),
              (Outer.bottom - Outer.top) - Client.height() + 2);
}

TEST_F(WindowTest, WindowsSeesAFixedDialogFrameCentredOnTheScreen) {
    ExpectFixedDialogFrame(Window.get(), {659, 499});
    QMetaObject::invokeMethod(Window.get(), "Label6Click");
    auto* Box = Window->findChild<TAboutBox*>();
    ASSERT_NE(Box, nullptr);
    ExpectFixedDialogFrame(Box, {333, 213});
    Box->accept();
}

} // namespace
