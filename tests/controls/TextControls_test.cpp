// Labels and entry fields: transparent and solid labels, line breaking, and the entry field's editing,
// colours and notifications through the headless back end.

#include "ControlsTestSupport.h"
#include "controls/CClrEdit.h"
#include "controls/CStaticTrans.h"
#include "controls/TextWrap.h"
#include "platform/gfx/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/CDialog.h"

#include <gtest/gtest.h>

namespace qor {
namespace {

using test::HostWnd;
using test::Report;

constexpr Argb kHostFill = 0xFF102030;

class LabelTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    HostWnd host;
    CStaticTrans label;
    void SetUp() override {
        ASSERT_TRUE(host.CreateTopLevel(WindowKind::Main, "host", Rect::FromXYWH(0, 0, 600, 300)));
        host.fill = kHostFill;
        ASSERT_TRUE(label.Create(&host, Rect{20, 20, 520, 60}));
        host.ShowWindow(true);
        ui.Process();
    }
    int Ink(Rect r) { return r.Width() * r.Height() - test::CountColour(ui, label, r, kHostFill); }
};

TEST_F(LabelTest, ATransparentLabelLeavesNoTraceOfALongerEarlierText) {
    label.SetWindowText("A long label that reaches far to the right");
    ui.Process();
    const Rect right{100, 0, 500, 40};
    EXPECT_GT(Ink(right), 0);
    EXPECT_EQ(test::PixelOf(ui, label, {499, 39}), kHostFill) << "no background of its own";
    EXPECT_GT(test::CountColour(ui, label, Rect{0, 0, 100, 40}, 0xFFFFFFFF), 0) << "white text by default";

    label.SetWindowText("Short");
    ui.Process();
    EXPECT_EQ(Ink(right), 0);
}

TEST_F(LabelTest, ASolidLabelDrawsABoxInThePlainFont) {
    label.BackColor = 0x000000;
    label.SetWindowText("Boxed");
    ui.Process();
    EXPECT_EQ(test::PixelOf(ui, label, {499, 39}), 0xFF000000u);
    EXPECT_EQ(label.EffectiveFont(), DefaultControlFont());

    label.BackColor = kTransparentBack;
    label.FontHeight = 21;
    label.Italic = true;
    const Font font = label.EffectiveFont();
    EXPECT_EQ(font.family, "Arial");
    EXPECT_EQ(font.height, 21);
    EXPECT_EQ(font.weight, kFontWeightBold);
    EXPECT_TRUE(font.italic);
}

TEST_F(LabelTest, AParentCanStillOverrideTheColours) {
    class RedLabels : public HostWnd {
    protected:
        bool OnCtlColor(HWND control, ControlColors& colors) override {
            const bool handled = HostWnd::OnCtlColor(control, colors);
            colors.text = 0xFFFF0000;
            return handled;
        }
    };
    RedLabels parent;
    ASSERT_TRUE(parent.CreateTopLevel(WindowKind::Main, "red", Rect::FromXYWH(0, 400, 300, 100)));
    CStaticTrans red;
    ASSERT_TRUE(red.Create(&parent, Rect{0, 0, 200, 40}));
    red.SetWindowText("MMM");
    parent.ShowWindow(true);
    ui.Process();
    EXPECT_GT(test::CountColour(ui, red, Rect{0, 0, 200, 40}, 0xFFFF0000), 0);
    EXPECT_EQ(test::CountColour(ui, red, Rect{0, 0, 200, 40}, 0xFFFFFFFF), 0);
}

TEST(TextWrap, BreaksBetweenWordsAndAtLineBreaks) {
    Font font;
    const int wordWidth = MeasureText("word word", font).width;
    EXPECT_EQ(WrapText("", font, 100), std::vector<std::string>{});
    EXPECT_EQ(WrapText("word word word", font, wordWidth), (std::vector<std::string>{"word word", "word"}));
    EXPECT_EQ(WrapText("one\r\ntwo", font, 1000), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(WrapText("a unbreakablewordthatistoolong b", font, 20),
              (std::vector<std::string>{"a", "unbreakablewordthatistoolong", "b"}));
}

TEST(EditBuffer, TypingCountsCharactersAndStopsAtTheLimit) {
    EditBuffer b;
    b.SetLimit(3);
    for (char32_t c : std::u32string_view(U"ä€1"))
        EXPECT_TRUE(b.Type(c));
    EXPECT_FALSE(b.Type(U'9')) << "full";
    EXPECT_EQ(b.Text(), U"ä€1");
    EXPECT_FALSE(b.Type(U'\r')) << "control characters are keys, not text";

    b.SelectAll();
    EXPECT_TRUE(b.Type(U'7')) << "a selection is replaced even when the text is full";
    EXPECT_EQ(b.Text(), U"7");

    b.SetText(U"12345"); // longer than the limit: set by the program, kept
    EXPECT_EQ(b.Text(), U"12345");
    b.Left();
    EXPECT_TRUE(b.Backspace());
    b.Home();
    EXPECT_TRUE(b.Delete());
    EXPECT_FALSE(b.Backspace()) << "nothing before the caret";
    EXPECT_EQ(b.Text(), U"235");
}

// A dialog with two entry fields; the first one reports key releases.
class FieldsDialog : public CDialog {
public:
    FieldsDialog() : CDialog(nullptr, {300, 120}) {}
    CClrEdit first;
    CClrEdit second;
    std::vector<Report> reports;

protected:
    int OnCreate() override {
        first.NotifyKeyUp = true;
        first.TextColor = 0x0000FF;
        first.BackColor = 0x5E5E5E;
        first.SetLimitText(3);
        if (!first.Create(this, Rect{10, 10, 150, 40}) || !second.Create(this, Rect{10, 60, 150, 90}))
            return -1;
        return 0;
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        reports.push_back({msg, wParam, lParam});
        return 0;
    }
};

class FieldTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    FieldsDialog dialog;
    void SetUp() override {
        ASSERT_TRUE(dialog.CreateModeless(WindowKind::Dialog));
        ui.Process();
        dialog.reports.clear();
    }
};

TEST_F(FieldTest, TabbingInAndOutReportsGainedThenLost) {
    ui.Key(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.first.GetSafeHwnd());
    ui.Key(VK_TAB);
    EXPECT_EQ(GetFocus(), dialog.second.GetSafeHwnd());
    const std::vector<Report> focus{{kMsgEditFocus, kEditFocusGained, 0},
                                    {kMsgEditFocus, kEditFocusLost, 0},
                                    {kMsgEditFocus, kEditFocusGained, 0}};
    std::vector<Report> seen;
    for (const Report& r : dialog.reports)
        if (r.msg == kMsgEditFocus)
            seen.push_back(r);
    EXPECT_EQ(seen, focus);
}

TEST_F(FieldTest, KeyReleasesAreReportedOnlyWhenAskedFor) {
    constexpr std::uint32_t kKeyA = 0x41;
    dialog.second.SetFocus();
    ui.Process();
    dialog.reports.clear();
    ui.Key(kKeyA);
    for (const Report& r : dialog.reports)
        EXPECT_NE(r.msg, kMsgEditKeyUp) << "the second field does not report key releases";

    dialog.first.SetFocus();
    ui.Process();
    dialog.reports.clear();
    ui.Key(kKeyA);
    EXPECT_EQ(dialog.reports, (std::vector<Report>{{kMsgEditKeyUp, kKeyA, 0}}));
}

TEST_F(FieldTest, TypingReplacesTheValueReachedByTabAndKeepsToTheLimit) {
    dialog.first.SetWindowText("10");
    ui.Key(VK_TAB);
    ui.Type("2");
    EXPECT_EQ(dialog.first.GetWindowText(), "2") << "the whole value was selected on the way in";
    ui.Type("3456");
    EXPECT_EQ(dialog.first.GetWindowText(), "234");
    ui.Key(0x08); // Backspace
    EXPECT_EQ(dialog.first.GetWindowText(), "23");

    // A click places the caret where it lands (here: in front of the text).
    ui.Click(dialog.first.GetSafeHwnd(), {1, 15});
    ui.Type("1");
    EXPECT_EQ(dialog.first.GetWindowText(), "123");
}

TEST_F(FieldTest, ColoursComeFromTheFieldsProperties) {
    Font big;
    big.height = 26;
    big.weight = kFontWeightBold;
    dialog.first.SetFont(big);
    dialog.first.SetWindowText("888");
    ui.Process();
    EXPECT_EQ(test::PixelOf(ui, dialog.first, {135, 2}), ArgbFromColorRef(0x5E5E5E));
    EXPECT_GT(test::CountColour(ui, dialog.first, Rect{0, 0, 60, 30}, ArgbFromColorRef(0x0000FF)), 0);
    EXPECT_EQ(test::PixelOf(ui, dialog.second, {135, 2}), 0xFF000000u) << "black by default";
}

} // namespace
} // namespace qor
