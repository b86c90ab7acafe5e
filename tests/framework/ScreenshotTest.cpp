// The driver's picture of a dialog: what the window shows, saved as a PNG file.
#include "FrameworkTest.h"

#include <fstream>
#include <iterator>

using namespace driver;

using Screenshot = FrameworkTest;

TEST_F(Screenshot, PictureOfADialogIsSavedAsPng)
{
    const std::string path = "framework_exchange.png";
    std::remove(path.c_str());
    CExchangeDlg dialog;
    dialog.m_strName = "Picture me";
    Image image;
    RECT rect{};
    RunModal([&] { return dialog.DoModal(); }, [&](Ui& ui) {
        Window dlg = ui.WaitForDialog("Exchange");
        rect = dlg.Rect();
        image = ui.Screenshot(dlg, path);
        ui.Press(Key::Escape);
    });
    ASSERT_FALSE(HasFailure()) << "no picture to look at";
    ASSERT_EQ(image.width, rect.right - rect.left);
    ASSERT_EQ(image.height, rect.bottom - rect.top);

    auto rgb = [](COLORREF c) { return static_cast<std::uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c)); };
    EXPECT_EQ(image.Pixel(image.width / 2, image.height - 12), rgb(::GetSysColor(COLOR_BTNFACE)))
        << "the dialog's face near its bottom edge";
    int highlighted = 0; // the selected text of the focused field
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            highlighted += image.Pixel(x, y) == rgb(::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_GT(highlighted, 100) << "the selection in the focused field shows";
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> saved{std::istreambuf_iterator<char>(file), {}};
    EXPECT_TRUE(saved == EncodePng(image)) << "the file holds the picture";
}
