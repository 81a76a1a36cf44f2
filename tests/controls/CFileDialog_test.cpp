// The open and save dialogs run modally over an owner through the headless back end: choosing by
// click, by double-click and by typing, cancelling, moving between folders, the question before
// replacing a file, refusals, the filter, odd file names, and scrolling a long list.

#include "ControlsTestSupport.h"
#include "FileDialogTestFolder.h"
#include "controls/CFileDialog.h"
#include "controls/FileDialogTexts.h"
#include "platform/ui/Application.h"
#include "skin/SkinPaths.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace qor {
namespace {

constexpr UINT kVkBack = 0x08;
constexpr UINT kVkEnd = 0x23;

class FileDialogTest : public ::testing::Test {
protected:
    HeadlessDriver ui;
    test::HostWnd owner;
    test::TestFolder dir;

    void SetUp() override {
        SetSkinRoot(QOR_EXE_DIR "images/0409/");
        ASSERT_TRUE(owner.CreateTopLevel(WindowKind::Main, "owner", Rect::FromXYWH(0, 0, 800, 620)));
        owner.ShowWindow(true);
        ui.Process();
        dir.File("alpha.pfd", "old");
        dir.File("Beta.PFD");
        dir.File("notes.txt");
        dir.File(".hidden.pfd");
        dir.Folder("sub");
        dir.File("sub/inner.pfd");
    }
    void TearDown() override { SetSkinRoot(""); }

    FileDialogOptions Options(FileDialogMode mode) const {
        FileDialogOptions o;
        o.mode = mode;
        o.title = mode == FileDialogMode::Save ? "Export Profile" : "Import Profile";
        o.filter = "pfd(*.pfd)|*.pfd|";
        o.defaultExtension = ".pfd";
        o.initialFolder = dir.Path() + "/";
        return o;
    }

    // Runs the dialog; the steps run one after another once it is up, each after the previous one's
    // input has been handled. Whatever is still open afterwards is cancelled.
    int Run(CFileDialog& dlg, std::vector<std::function<void()>> steps) {
        // Steps left over when a dialog ends early must not reach the next one.
        auto running = std::make_shared<bool>(true);
        std::uint64_t at = 20;
        for (auto& step : steps) {
            ui.Later(at, [running, step = std::move(step)] {
                if (*running)
                    step();
            });
            at += 20;
        }
        for (int i = 0; i < 3; ++i)
            ui.Later(at + 100 * std::uint64_t(i + 1), [this, running] {
                if (*running)
                    ui.Key(VK_ESCAPE);
            });
        const int result = dlg.DoModal();
        *running = false;
        EXPECT_FALSE(ui.Backend().HangDetected());
        EXPECT_TRUE(owner.IsWindowEnabled());
        return result;
    }

    static int RowOf(CFileDialog& dlg, const std::string& name) {
        const auto& entries = dlg.List().Entries();
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].name == name)
                return int(i);
        ADD_FAILURE() << "no row " << name;
        return 0;
    }
    void ClickRow(CFileDialog& dlg, const std::string& name) {
        const Rect r = dlg.List().RowRect(RowOf(dlg, name));
        ui.Click(dlg.List().GetSafeHwnd(), {r.left + 40, r.top + r.Height() / 2});
    }
    void ClickButton(CBitmapBtn& button) { ui.Click(button.GetSafeHwnd(), {20, 10}); }
};

TEST_F(FileDialogTest, ChoosingAFileByClickAndOk) {
    CFileDialog dlg(&owner, Options(FileDialogMode::Open));
    std::string nameAfterClick;
    const int result = Run(dlg, {[&] { ClickRow(dlg, "Beta.PFD"); },
                                 [&] {
                                     nameAfterClick = dlg.NameField().GetWindowText();
                                     ClickButton(dlg.OkButton());
                                 }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(nameAfterClick, "Beta.PFD") << "a click fills the name field";
    EXPECT_EQ(dlg.GetPathName(), dir / "Beta.PFD");
}

TEST_F(FileDialogTest, TypedNamesGetTheDefaultExtension) {
    struct Case {
        FileDialogMode mode;
        std::string typed;
        std::string expected;
    };
    const Case cases[] = {
        {FileDialogMode::Save, "fresh", dir / "fresh.pfd"},
        {FileDialogMode::Save, "sub/fresh", dir / "sub/fresh.pfd"},
        {FileDialogMode::Open, "alpha", dir / "alpha.pfd"},
        {FileDialogMode::Open, dir / "sub/inner", dir / "sub/inner.pfd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CFileDialog dlg(&owner, Options(c.mode));
        dlg.SetConfirmReplace([](const std::string&) {
            ADD_FAILURE() << "no question for a new file";
            return false;
        });
        // The name field has the focus from the start.
        EXPECT_EQ(Run(dlg, {[&] {
                          ui.Type(c.typed);
                          ui.Key(VK_RETURN);
                      }}),
                  IDOK);
        EXPECT_EQ(dlg.GetPathName(), c.expected);
    }
}

TEST_F(FileDialogTest, CancelAndEscapeChooseNothing) {
    const std::vector<std::function<void(CFileDialog&)>> ways = {
        [&](CFileDialog& d) { ClickButton(d.CancelButton()); },
        [&](CFileDialog&) { ui.Key(VK_ESCAPE); },
        [&](CFileDialog& d) {
            ClickRow(d, "alpha.pfd");
            ui.Key(VK_ESCAPE);
        },
        [&](CFileDialog& d) { ui.Backend().Close(d.GetSafeHwnd()); },
    };
    for (std::size_t i = 0; i < ways.size(); ++i) {
        SCOPED_TRACE(i);
        CFileDialog dlg(&owner, Options(FileDialogMode::Open));
        EXPECT_EQ(Run(dlg, {[&] { ways[i](dlg); }}), IDCANCEL);
        EXPECT_EQ(dlg.GetPathName(), "");
        EXPECT_FALSE(dlg.IsWindow());
    }
}

TEST_F(FileDialogTest, FilterShowsFoldersAndMatchingFilesOnly) {
    CFileDialog dlg(&owner, Options(FileDialogMode::Open));
    std::vector<FileEntry> shown;
    std::string folder;
    Run(dlg, {[&] {
            shown = dlg.List().Entries();
            folder = dlg.CurrentFolder();
        }});
    EXPECT_EQ(folder, dir.Path()) << "the initial folder, without its trailing slash";
    const std::vector<FileEntry> expected = {{"..", FileEntryKind::Parent},
                                             {"sub", FileEntryKind::Folder},
                                             {"alpha.pfd", FileEntryKind::File},
                                             {"Beta.PFD", FileEntryKind::File}};
    EXPECT_EQ(shown, expected);
}

TEST_F(FileDialogTest, NavigatingIntoAFolderAndBackUp) {
    CFileDialog dlg(&owner, Options(FileDialogMode::Open));
    std::vector<std::string> folders;
    const auto note = [&] { folders.push_back(dlg.CurrentFolder()); };
    const auto doubleClick = [&](const std::string& name) {
        ClickRow(dlg, name);
        ClickRow(dlg, name);
    };
    const int result = Run(dlg, {[&] { doubleClick("sub"); },
                                 [&] {
                                     note();
                                     doubleClick("..");
                                 },
                                 [&] {
                                     note();
                                     ui.Click(dlg.NameField().GetSafeHwnd(), {5, 5});
                                     ui.Type("sub");
                                     ui.Key(VK_RETURN); // a typed folder name opens it
                                 },
                                 [&] {
                                     note();
                                     ClickButton(dlg.UpButton());
                                 },
                                 [&] {
                                     note();
                                     ClickRow(dlg, "sub");
                                     ui.Key(VK_RETURN); // Enter on a selected folder with no name
                                 },
                                 [&] {
                                     note();
                                     dlg.List().SetFocus();
                                     ui.Key(kVkBack);
                                 },
                                 [&] {
                                     note();
                                     ClickRow(dlg, "sub");
                                     ClickRow(dlg, "sub");
                                 },
                                 [&] { doubleClick("inner.pfd"); }});
    const std::string sub = dir / "sub";
    EXPECT_EQ(folders, (std::vector<std::string>{sub, dir.Path(), sub, dir.Path(), sub, dir.Path()}));
    EXPECT_EQ(result, IDOK) << "a double-click on a file chooses it";
    EXPECT_EQ(dlg.GetPathName(), dir / "sub/inner.pfd");
}

TEST_F(FileDialogTest, ReplacingAFileIsAskedFirst) {
    struct Case {
        UINT answer;
        int result;
    };
    for (const Case c : {Case{VK_RETURN, IDOK}, Case{VK_ESCAPE, IDCANCEL}}) {
        SCOPED_TRACE(c.answer);
        CFileDialog dlg(&owner, Options(FileDialogMode::Save));
        HWND question = kNoWindow;
        bool stillOpenAfterNo = false;
        const int result = Run(dlg, {[&] {
                                         ui.Type("alpha");
                                         ui.Key(VK_RETURN);
                                     },
                                     [&] {
                                         question = ui.App().GetActiveWindow();
                                         ui.Key(c.answer);
                                     },
                                     [&] {
                                         stillOpenAfterNo = dlg.IsWindow();
                                         ui.Key(VK_ESCAPE);
                                     }});
        EXPECT_NE(question, dlg.GetSafeHwnd()) << "a question window is in front";
        EXPECT_NE(question, kNoWindow);
        EXPECT_EQ(result, c.result);
        if (c.result == IDOK)
            EXPECT_EQ(dlg.GetPathName(), dir / "alpha.pfd");
        else
            EXPECT_TRUE(stillOpenAfterNo) << "No returns to the dialog";
    }
}

TEST_F(FileDialogTest, OpenRefusesWhatIsNotAnExistingFile) {
    for (const std::string typed : {"missing", "notes", "nowhere/alpha"}) {
        SCOPED_TRACE(typed);
        CFileDialog dlg(&owner, Options(FileDialogMode::Open));
        std::string message;
        bool open = false;
        const int result = Run(dlg, {[&] {
                                         ui.Type(typed);
                                         ui.Key(VK_RETURN);
                                     },
                                     [&] {
                                         message = dlg.Message();
                                         open = dlg.IsWindow();
                                     }});
        EXPECT_TRUE(open);
        EXPECT_FALSE(message.empty());
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_EQ(dlg.GetPathName(), "");
    }
}

TEST_F(FileDialogTest, OddNamesAreShownAndChosenByteForByte) {
    const std::string odd = " bad\xff\xfe name.pfd";
    const std::string longName = std::string(240, 'L') + ".pfd";
    dir.File(odd);
    dir.File(longName);
    for (const bool doubleClick : {false, true}) {
        SCOPED_TRACE(doubleClick ? "double-click" : "click and OK");
        CFileDialog dlg(&owner, Options(FileDialogMode::Open));
        const int result = Run(dlg, {[&] { ClickRow(dlg, longName); }, [&] { ClickRow(dlg, odd); },
                                     [&] {
                                         if (doubleClick)
                                             ClickRow(dlg, odd);
                                         else
                                             ClickButton(dlg.OkButton());
                                     }});
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(dlg.GetPathName(), dir / odd);
    }
}

TEST_F(FileDialogTest, AMissingInitialFolderFallsBackToItsParent) {
    FileDialogOptions options = Options(FileDialogMode::Open);
    options.initialFolder = dir / "gone/away/";
    CFileDialog dlg(&owner, options);
    std::string folder;
    Run(dlg, {[&] { folder = dlg.CurrentFolder(); }});
    EXPECT_EQ(folder, dir.Path());
}

TEST_F(FileDialogTest, ALongListScrollsByWheelScrollBarAndKeys) {
    for (int i = 0; i < 40; ++i)
        dir.File("p" + std::to_string(100 + i) + ".pfd");
    CFileDialog dlg(&owner, Options(FileDialogMode::Open));
    std::vector<int> tops;
    FileListView& list = dlg.List();
    const auto note = [&] { tops.push_back(list.TopRow()); };
    const auto inList = [&](Point p) {
        const Rect r = list.GetRectInParent();
        return Point{r.left + p.x, r.top + p.y};
    };
    int maxTop = 0;
    int lastRow = 0;
    int page = 0;
    Run(dlg, {[&] {
                  EXPECT_TRUE(list.HasScrollBar());
                  maxTop = int(list.Entries().size()) - list.VisibleRows();
                  page = list.VisibleRows() - 1;
                  lastRow = int(list.Entries().size()) - 1;
                  ui.Backend().MouseWheel(dlg.GetSafeHwnd(), inList({50, 50}), -2);
              },
              [&] {
                  note();
                  ui.Backend().MouseWheel(dlg.GetSafeHwnd(), inList({50, 50}), 1);
              },
              [&] {
                  note();
                  const Rect thumb = list.ThumbRect();
                  const Rect track = list.TrackRect();
                  ui.Press(list.GetSafeHwnd(), {thumb.left + 2, thumb.top + 2});
                  ui.MoveTo(list.GetSafeHwnd(), {thumb.left + 2, track.bottom + 50});
                  ui.Release(list.GetSafeHwnd(), {thumb.left + 2, track.bottom + 50});
              },
              [&] {
                  note();
                  const Rect track = list.TrackRect();
                  ui.Click(list.GetSafeHwnd(), {track.left + 3, track.top + 3}); // a page up
              },
              [&] {
                  note();
                  list.SetFocus();
                  ui.Key(kVkEnd);
              },
              [&] {
                  note();
                  EXPECT_EQ(list.Selection(), lastRow);
              }});
    EXPECT_EQ(tops, (std::vector<int>{6, 3, maxTop, maxTop - page, maxTop}));
}

TEST_F(FileDialogTest, TextsFallBackToEnglishWithoutTheSkin) {
    SetSkinRoot(dir / "no-skin/");
    EXPECT_EQ(FileDialogText(FileDialogTextId::Save), "Save");
    EXPECT_EQ(FileDialogText(FileDialogTextId::ReplaceQuestion), "Do you want to replace it?");
    SetSkinRoot(QOR_EXE_DIR "images/0409/");
    EXPECT_EQ(FileDialogText(FileDialogTextId::ExportTitle), "Export Profile");
}

} // namespace
} // namespace qor
