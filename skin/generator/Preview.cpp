#include "Preview.h"

#include "Draw.h"
#include "SkinManifest.h"

#include <array>
#include <string>

namespace qor::skin {

namespace {

class Mock {
public:
    Mock(const std::vector<SheetEntry>& pictures, int w, int h) : m_pictures(pictures), m_canvas(w, h) {
        SetColor(Cr(), palette::kBlack);
        cairo_paint(Cr());
    }
    cairo_t* Cr() const { return m_canvas.Cr(); }

    void Image(std::string_view path, double l, double t, double r, double b) {
        for (const SheetEntry& e : m_pictures) {
            if (e.label != path)
                continue;
            cairo_save(Cr());
            cairo_translate(Cr(), l, t);
            cairo_scale(Cr(), (r - l) / e.picture->Width(), (b - t) / e.picture->Height());
            cairo_set_source_surface(Cr(), e.picture->Surface(), 0, 0);
            cairo_pattern_set_filter(cairo_get_source(Cr()), CAIRO_FILTER_GOOD);
            cairo_paint(Cr());
            cairo_restore(Cr());
        }
    }
    void Text(std::string_view text, double l, double t, double r, double b, double size, bool bold,
              Rgb color = palette::kWhite, bool centred = true) {
        SelectFont(Cr(), size, bold ? Weight::Bold : Weight::Normal);
        if (centred) {
            TextCentered(Cr(), text, (l + r) / 2, (t + b) / 2, color);
        } else {
            cairo_move_to(Cr(), l, (t + b) / 2 + size * 0.33);
            SetColor(Cr(), color);
            cairo_show_text(Cr(), std::string(text).c_str());
        }
    }
    // A button: face stretched over its rectangle, caption centred.
    void Button(std::string_view face, double l, double t, double r, double b, std::string_view caption = {},
                double size = 15, bool bold = false, Rgb color = palette::kWhite, double offset = 0) {
        Image(face, l, t, r, b);
        if (!caption.empty())
            Text(caption, l + offset, t, r + offset, b, size, bold, color);
    }
    bool Save(const std::filesystem::path& path) const { return m_canvas.SavePng(path); }

private:
    const std::vector<SheetEntry>& m_pictures;
    Canvas m_canvas;
};

void MainFrame(Mock& m, int page) {
    m.Image("background/cfgMainback.png", 0, 0, kMainWidth, kMainHeight);
    m.Button("buttons/min-1.png", 722, 34, 736, 47);
    m.Button("buttons/close-3.png", 742, 34, 756, 47);
    const std::array tabs = {"Buttons", "Sensitivity", "Lighting", "About"};
    const std::array tabX = {72, 237, 402, 566, 728};
    for (int i = 0; i < 4; ++i)
        m.Button(i + 1 == page ? "buttons/tabbutton-3.png"
                 : i == 3      ? "buttons/tabbutton-2.png"
                               : "buttons/tabbutton-1.png",
                 tabX[i], 162, i == 3 ? 728 : tabX[i + 1] - 3, 182, tabs[i], 17, true);
    const std::array commands = {"Export", "Import", "Reset Profile", "Reset All", "OK", "Cancel", "Apply"};
    const std::array left = {57, 157, 255, 355, 453, 551, 649};
    for (int i = 0; i < 7; ++i)
        m.Button(i == 4 ? "buttons/ok-3.png" : "buttons/ok-1.png", left[i], 560, left[i] + 93, 586,
                 commands[i]);
    m.Text("Mouse connected", 63, 37, 249, 62, 15, true, palette::kWhite, false);
    if (page <= 3)
        for (int k = 0; k < 5; ++k)
            m.Button(k == 0 ? "buttons/ProfileButton-3.png" : "buttons/ProfileButton-1.png", 109 + 120 * k,
                     525, 194 + 120 * k, 544, "Profile " + std::to_string(k + 1));
}

void Page1(Mock& m) {
    MainFrame(m, 1);
    m.Image("background/mouse-layout-front.png", 90, 200, 291, 480);
    const std::array functions = {"Left Click", "Right Click", "Middle Click", "Back",       "Forward",
                                  "DPI Up",     "DPI Down",    "Scroll Up",    "Scroll Down"};
    for (int k = 0; k < 9; ++k) {
        m.Button(k == 2 ? "buttons/ButtonAssign-3.png" : "buttons/ButtonAssign-1.png", 334, 211 + 28 * k, 481,
                 231 + 28 * k, functions[k], 15, true);
        const int top = k == 8 ? 434 : 211 + 28 * k;
        m.Button(k == 7   ? "controls/circle_up.png"
                 : k == 8 ? "controls/circle_down.png"
                          : "controls/circle.png",
                 313, top, 332, top + 18, k < 7 ? std::to_string(k + 1) : "", 15, true);
    }
    const std::array labels = {"Acceleration", "Pointer Speed", "Scroll Lines", "Double-Click Speed",
                               "Report Rate"};
    const std::array labelY = {200, 247, 296, 349, 418};
    for (int i = 0; i < 5; ++i)
        m.Text(labels[i], 511, labelY[i], 721, labelY[i] + 16, 15, true, palette::kWhite, false);
    const std::array sliderY = {219, 268, 314, 374};
    const std::array thumbX = {64, 100, 20, 150};
    for (int i = 0; i < 4; ++i) {
        m.Image(i == 3 ? "controls/dbclick-back.png" : "controls/trackbar-back-b.png", 511, sliderY[i], 721,
                sliderY[i] + 18);
        m.Image("controls/y.png", 511 + thumbX[i], sliderY[i], 529 + thumbX[i], sliderY[i] + 18);
    }
    const std::array rates = {"125 Hz", "250 Hz", "500 Hz", "1000 Hz"};
    const std::array rateX = {510, 565, 620, 675, 734};
    for (int i = 0; i < 4; ++i)
        m.Button(i == 3 ? "buttons/checkbox1-2.png" : "buttons/checkbox1-1.png", rateX[i], 441,
                 i == 3 ? 734 : rateX[i + 1] - 2, 457, rates[i]);
}

void Page2(Mock& m) {
    MainFrame(m, 2);
    m.Text("Current Stage : 2", 73, 185, 178, 202, 15, true, palette::kWhite, false);
    const std::array x0 = {152, 277, 402, 522, 642};
    const std::array a = {0, 125, 250, 370, 490};
    const std::array boxX = {157, 285, 406, 526, 646};
    const std::array boxR = {229, 352, 477, 597, 717};
    for (int s = 0; s < 5; ++s) {
        m.Button(s < 3 ? "buttons/DPI-2.png" : "buttons/DPI-1.png", 146 + a[s], 205, 208 + a[s], 227,
                 "Stage " + std::to_string(s + 1), 17, true);
        const bool linked = s % 2 == 0;
        m.Button(linked ? "buttons/checkbox1-2.png" : "buttons/checkbox1-1.png", boxX[s], 235, boxR[s], 251,
                 "Link X/Y");
        if (linked) {
            m.Image("controls/dpi-indicator-x2.png", x0[s], 258, x0[s] + 51, 439);
            m.Image("controls/x2.png", x0[s], 300 + 10 * s, x0[s] + 51, 312 + 10 * s);
        } else {
            m.Image("controls/dpi-indicator-x.png", x0[s], 258, x0[s] + 22, 439);
            m.Image("controls/x.png", x0[s], 330, x0[s] + 22, 342);
            m.Image("controls/dpi-indicator-y.png", x0[s] + 34, 258, x0[s] + 56, 439);
            m.Image("controls/x3.png", x0[s] + 34, 360, x0[s] + 56, 372);
        }
        m.Text("800", x0[s] + 11, 462, x0[s] + 44, 475, 14, false);
        m.Text("800", x0[s] + 42, 462, x0[s] + 74, 475, 14, false);
    }
}

void Page3(Mock& m) {
    MainFrame(m, 3);
    m.Image("background/light.png", 100, 201, 708, 482);
    const std::array modes = {"Breathing", "Spectrum",    "Steady", "Wave",
                              "Rainbow",   "DPI Colours", "Flash",  "Off"};
    for (int i = 0; i < 8; ++i) {
        const bool upper = i < 4;
        const double x = 100 + 150 * (i % 4);
        const std::string face =
            upper ? (i == 0 ? "buttons/color-mode-page-2.png" : "buttons/color-mode-page-1.png")
                  : "buttons/color-mode-page-3.png";
        m.Button(face, x, upper ? 210 : 480, x + 150, upper ? 236 : 506, modes[i], 17, true, Hex(0x272727));
    }
    const std::array swatches = {"红色", "绿色", "蓝色", "青色", "黄色", "紫色", "白色"};
    for (int i = 0; i < 7; ++i)
        m.Image(std::string("buttons/") + swatches[i] + ".png", 107 + 26 * i, 288, 131 + 26 * i, 312);
    m.Text("Colour", 108, 260, 204, 280, 15, true, palette::kWhite, false);
    m.Text("Brightness", 350, 260, 500, 280, 15, true, palette::kWhite, false);
    m.Text("Speed", 350, 381, 500, 400, 15, true, palette::kWhite, false);
    const std::array levels = {"Low", "Medium", "High"};
    const std::array speeds = {"Slow", "Normal", "Fast"};
    for (int i = 0; i < 3; ++i) {
        m.Button(i == 1 ? "buttons/checkbox1-2.png" : "buttons/checkbox1-1.png", 360, 290 + 24 * i, 449,
                 306 + 24 * i, levels[i]);
        m.Button(i == 0 ? "buttons/checkbox1-2.png" : "buttons/checkbox1-1.png", 360, 410 + 24 * i, 449,
                 426 + 24 * i, speeds[i]);
    }
}

void Warning(Mock& m) {
    m.Image("background/dlg.png", 0, 0, kDialogWidth, kDialogHeight);
    m.Image("background/warn.png", 34, 104, 130, 194);
    m.Text("Reset Profile", 103, 42, 376, 69, 15, true);
    m.Text("Restore this profile to its factory settings?", 127, 103, 405, 141, 15, true, palette::kWhite,
           false);
    m.Text("All its changes will be lost.", 127, 157, 405, 187, 15, true, palette::kWhite, false);
    m.Button("buttons/ok-1.png", 135, 219, 228, 245, "OK", 15, true);
    m.Button("buttons/ok-2.png", 234, 219, 327, 245, "Cancel", 15, true);
}

void FireKey(Mock& m) {
    m.Image("background/dlg.png", 0, 0, kDialogWidth, kDialogHeight);
    m.Text("Fire Key", 99, 32, 382, 66, 21, true);
    const std::array choices = {"Left", "Right", "Middle", "Keyboard Key"};
    const std::array<std::array<int, 4>, 4> rects = {
        {{36, 112, 87, 128}, {89, 112, 156, 128}, {159, 112, 218, 128}, {36, 136, 144, 152}}};
    for (int i = 0; i < 4; ++i)
        m.Button(i == 3 ? "controls/checkbox1-2.png" : "controls/checkbox1-1.png", rects[i][0], rects[i][1],
                 rects[i][2], rects[i][3], choices[i], 15, false, palette::kWhite, 9);
    m.Button("background/menuitem-d-b.png", 60, 165, 159, 191, "F5");
    m.Text("Repeats", 279, 130, 367, 149, 16, false, palette::kWhite, false);
    m.Text("Interval", 279, 171, 367, 190, 16, false, palette::kWhite, false);
    for (int y : {130, 171}) {
        cairo_rectangle(m.Cr(), 383, y, 61, 19);
        SetColor(m.Cr(), Hex(0x5E5E5E));
        cairo_fill(m.Cr());
    }
    m.Button("buttons/ok-1.png", 135, 219, 228, 245, "OK", 15, true);
    m.Button("buttons/ok-1.png", 234, 219, 327, 245, "Cancel", 15, true);
}

void MacroEditor(Mock& m) {
    m.Image("background/dlg.png", 0, 0, kMacroEditorWidth, kMacroEditorHeight);
    cairo_t* cr = m.Cr();
    SetColor(cr, Hex(0x013C64));
    cairo_set_line_width(cr, 2);
    cairo_rectangle(cr, 28, 79, 208, 428);
    cairo_rectangle(cr, 254, 81, 318, 428);
    cairo_rectangle(cr, 573, 81, 154, 428);
    cairo_stroke(cr);
    m.Text("Macro Editor", 220, 29, 510, 58, 21, true);
    cairo_rectangle(cr, 38, 120, 173, 346);
    cairo_set_source_rgb(cr, 6 / 255.0, 6 / 255.0, 6 / 255.0);
    cairo_fill(cr);
    m.Image("background/141.png", 38, 120, 46, 128);
    cairo_rectangle(cr, 275, 143, 273, 267);
    cairo_set_source_rgb(cr, 6 / 255.0, 6 / 255.0, 6 / 255.0);
    cairo_fill(cr);
    m.Image("background/423.png", 280, 148, 287, 157);
    m.Image("background/424.png", 280, 171, 287, 180);
    m.Button("buttons/iconstart1.png", 359, 480, 389, 503);
    m.Button("buttons/iconstop1.png", 452, 480, 482, 503);
    m.Button("buttons/ButtonAssign-1.png", 29, 478, 130, 496, "New", 15, false);
    m.Button("buttons/ButtonAssign-1.png", 132, 478, 233, 496, "Delete", 15, false);
    const std::array edits = {"Insert Record", "Delete Event", "Move Up", "Move Down",
                              "Copy",          "Cut",          "Paste",   "Insert Click"};
    for (int i = 0; i < 8; ++i)
        m.Button(i < 4 ? "buttons/ButtonAssign-1.png" : "buttons/RedButton-1.png", 592, 317 + 22 * i, 718,
                 336 + 22 * i, edits[i], 15, false);
    for (int y : {128, 159, 200, 240})
        m.Image(y == 128 ? "controls/checkbox1-2.png" : "controls/checkbox1-1.png", 588, y, 599, y + 11);
    m.Button("buttons/ok-1.png", 38, 516, 127, 541, "Import");
    m.Button("buttons/ok-1.png", 132, 516, 221, 541, "Export");
    m.Button("buttons/ok-1.png", 518, 516, 607, 541, "OK");
    m.Button("buttons/ok-1.png", 617, 516, 706, 541, "Close");
}

void Menu(Mock& m) {
    const std::array entries = {"Left Click",
                                "Right Click",
                                "Middle Click",
                                "Back",
                                "Forward",
                                "Single Key",
                                "Key Combination",
                                "Basic Functions",
                                "Advanced Functions",
                                "Multimedia",
                                "Macro",
                                "Fire Key",
                                "DPI",
                                "Profile Switch",
                                "Report Rate",
                                "Auto Scroll",
                                "Disabled"};
    const std::array listEntries = {7, 8, 9, 10, 12, 14};
    m.Image("background/menuitem-n.png", 0, 0, 190, 17 * 22);
    for (int i = 0; i < 17; ++i) {
        bool list = false;
        for (int l : listEntries)
            list = list || l == i;
        const std::string face = i == 8   ? "background/menuitem-d2.png"
                                 : list   ? "background/menuitem-n2.png"
                                 : i == 3 ? "background/menuitem-d.png"
                                          : "background/menuitem-n.png";
        m.Button(face, 0, i * 22, 190, (i + 1) * 22, entries[i], 15, false,
                 i == 3 || i == 8 ? Hex(0xC8C8C8) : palette::kWhite);
    }
}

} // namespace

bool WritePreviews(const std::vector<SheetEntry>& pictures, const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    bool ok = true;
    auto write = [&](const char* name, int w, int h, void (*draw)(Mock&)) {
        Mock mock(pictures, w, h);
        draw(mock);
        ok = mock.Save(folder / name) && ok;
    };
    write("main-page1.png", kMainWidth, kMainHeight, Page1);
    write("main-page2.png", kMainWidth, kMainHeight, Page2);
    write("main-page3.png", kMainWidth, kMainHeight, Page3);
    write("warning.png", kDialogWidth, kDialogHeight, Warning);
    write("firekey.png", kDialogWidth, kDialogHeight, FireKey);
    write("macro-editor.png", kMacroEditorWidth, kMacroEditorHeight, MacroEditor);
    write("menu.png", 190, 17 * 22, Menu);
    return ok;
}

} // namespace qor::skin
