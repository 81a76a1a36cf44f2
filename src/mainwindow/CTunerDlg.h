#pragma once
// The main window: one borderless, skinned window with four pages (button assignment and pointer,
// sensitivity stages, lighting, information), the bottom row of profile commands, and the link to the
// device agent (connection banners, device reports). Every edit changes the live profile table; the
// commands below decide when the five profile files are written and the agent is told.

#include "controls/CBitmapBtn.h"
#include "controls/CPngHSliderBar.h"
#include "controls/CStaticTrans.h"
#include "mainwindow/LightingPage.h"
#include "mainwindow/SensitivityPage.h"
#include "platform/gfx/Image.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Region.h"
#include "platform/ui/CDialog.h"

#include <array>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>

namespace qor {

class AssignmentDialogs;

// Main-window timers.
inline constexpr UINT TIMER_CONNECTED_BANNER = 532;   // hides the connected banner after 3 s
inline constexpr UINT TIMER_DISCONNECTED_BLINK = 533; // blinks the disconnected banner
inline constexpr UINT TIMER_AGENT_RELAUNCH = 534;     // one more attempt to start the agent
inline constexpr std::uint32_t kConnectedBannerMs = 3000;
inline constexpr std::uint32_t kBlinkMs = 500;
inline constexpr std::uint32_t kRelaunchMs = 500;

// Messages the main window accepts besides the device agent's.
inline constexpr UINT kMsgIgnored = 0x1512;          // 5394: accepted, no effect
inline constexpr UINT UI_MSG_ASSIGN_CHOICE = 0x501;  // 1281: lParam = the chosen menu entry

class CTunerDlg : public CDialog {
public:
    // The confirmation asked before a reset; returns the dialog's end code (1 = OK).
    using Confirm = std::function<int(const std::string& first, const std::string& second,
                                      const std::string& third)>;
    enum class FileDialogKind { Save, Open };
    // A file chooser for export and import: returns the chosen path, nothing when cancelled.
    using ChooseFile = std::function<std::optional<std::string>(FileDialogKind kind,
                                                                const std::string& initialFolder)>;

    CTunerDlg();
    ~CTunerDlg() override;

    // Replace the warning dialog (tests) and give the program's file chooser. Without a file chooser,
    // Export and Import cannot ask for a file and do nothing.
    void SetConfirm(Confirm confirm) { confirm_ = std::move(confirm); }
    void SetChooseFile(ChooseFile choose) { chooseFile_ = std::move(choose); }
    // The dialogs an assignment choice may open; without them a choice changes nothing.
    void SetAssignmentDialogs(AssignmentDialogs* dialogs) { assignmentDialogs_ = dialogs; }

    // State for tests and tools.
    int CurrentPage() const { return currentPage_; }
    int CurrentProfile() const { return currentProfile_; }
    int BlinkCounter() const { return blinkCounter_; }
    const CBitmapBtn& ApplyButton() const { return apply_; }
    const CStaticTrans& ConnectedBanner() const { return connectedBanner_; }
    const CStaticTrans& DisconnectedBanner() const { return disconnectedBanner_; }
    const CBitmapBtn& AssignmentButton(int k) const { return assign_[std::size_t(k)]; }
    const CPngHSliderBar& PointerSlider(int k) const { return pointerSliders_[std::size_t(k)]; }
    const SensitivityPage& Stages() const { return stages_; }
    const LightingPage& Lighting() const { return lighting_; }

    // Shows page 1..4; the page already shown changes nothing.
    void ShowPage(int page);
    // Makes profile p (0..4) current in the window and in the table; other values are ignored.
    void SelectProfile(int p);
    // Brings every page in line with the current profile.
    void RefreshAllPages();
    // Writes the function of every button of the current profile onto the assignment buttons.
    void RefreshAssignmentCaptions();

protected:
    int OnCreate() override;
    bool OnInitDialog() override;
    void OnDestroy() override;
    void OnPaint(Painter& painter) override;
    void OnLButtonDown(UINT flags, Point point) override;
    void OnTimer(UINT id) override;
    bool OnCommand(int id, int notification, HWND sender) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    void TakeArtwork();
    void CreateFrameControls();
    void CreatePageOneControls();
    void CreateInformationTexts();
    void ApplyWindowOutline();
    void StartUpAgentCheck();

    bool DispatchCommand(HWND sender);
    void CloseAssignmentMenu();
    void ShowGroups(int page);
    void SelectReportRate(int choice);
    ProfileRecord& Current();

    void OnConnectionStatus();
    void OnDeviceReport(std::int64_t kind, std::int64_t value);
    void OnSliderValue(std::int64_t position, std::int64_t id);
    void OnAssignChoice(std::int64_t choice);

    void OnExport();
    void OnImport();
    void OnResetProfile();
    void OnResetAllProfiles();
    int AskConfirmation(int firstText);

    // Frame and bottom row.
    CBitmapBtn minimize_, close_;
    std::array<CBitmapBtn, 4> tabs_;
    CBitmapBtn export_, import_, resetProfile_, resetAll_, ok_, cancel_, apply_;
    CStaticTrans connectedBanner_, disconnectedBanner_;

    // Page 1.
    std::array<CBitmapBtn, kProfileCount> profiles_;
    std::array<CBitmapBtn, kButtonCount> assign_;
    std::array<CBitmapBtn, kButtonCount> markers_;
    std::array<CStaticTrans, 5> pointerLabels_;
    std::array<CPngHSliderBar, 4> pointerSliders_;
    std::array<CBitmapBtn, 4> reportRate_;

    SensitivityPage stages_;
    LightingPage lighting_;
    std::array<CStaticTrans, 5> information_;

    // Artwork.
    ImagePtr background_;
    ImagePtr mouseFront_;
    ImagePtr mouseSide_; // loaded with the others, never drawn
    ImagePtr light_;
    ImagePtr icon_;
    // Work that needs no window, begun with the object so that it runs while the display starts:
    // decoding the artwork, tracing the outline, and fontconfig reading its configuration.
    std::unique_ptr<ImagePrefetch> artwork_;
    std::future<Region> outline_;
    std::string outlinePath_; // the file outline_ is traced from
    std::future<void> fonts_;

    int currentPage_ = 0;
    int currentProfile_ = 0;
    std::unique_ptr<CWnd> assignmentMenu_; // at most one open at a time
    int menuButtonIndex_ = -1;
    int blinkCounter_ = 0;

    Confirm confirm_;
    ChooseFile chooseFile_;
    AssignmentDialogs* assignmentDialogs_ = nullptr;
};

} // namespace qor
