#include "mainwindow/CTunerDlg.h"

#include "agent/AgentInterface.h"
#include "agent/AgentLink.h"
#include "assign/ApplyAssignment.h"
#include "assign/AssignmentCaptions.h"
#include "controls/ControlFont.h"
#include "mainwindow/CWarningDlg.h"
#include "mainwindow/MainWindowControls.h"
#include "mainwindow/MainWindowRules.h"
#include "model/Folders.h"
#include "model/ProfileFiles.h"
#include "model/ProfileTable.h"
#include "platform/gfx/BackgroundThread.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/ImageFile.h"
#include "platform/gfx/Painter.h"
#include "platform/ui/Application.h"
#include "skin/SkinPaths.h"
#include "skin/SkinText.h"
#include "skin/WindowOutline.h"

#include <algorithm>
#include <limits>
#include <system_error>

namespace qor {
namespace {

constexpr Rect kPageArea{73, 201, 715, 501};
constexpr Rect kBannerRect{63, 37, 249, 62};
constexpr int kSliderIdFirst = 10004;

struct PointerSliderInfo {
    Rect rect;
    const char* track;
    int max;
};
constexpr std::array<PointerSliderInfo, 4> kPointerSliders = {{
    {{511, 219, 721, 237}, "trackbar-back-b.png", 4},
    {{511, 268, 721, 286}, "trackbar-back-b.png", 20},
    {{511, 314, 721, 332}, "trackbar-back-b.png", 63},
    {{511, 374, 721, 392}, "dbclick-back.png", 10},
}};

// Device values are 64-bit on the wire; the table holds 32-bit fields.
std::int32_t ToField(std::int64_t value) {
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

std::int32_t& PointerField(ProfileRecord& p, int slider) {
    switch (slider) {
    case 0: return p.Acceleration;
    case 1: return p.MouseSensitivity;
    case 2: return p.WheelScrollLines;
    default: return p.DoubleClickSpeed;
    }
}

int ValidProfileIndex(std::int32_t index) { return (index >= 0 && index < kProfileCount) ? index : 0; }

} // namespace

namespace {

std::string BackgroundPath(const char* file) { return SkinPath(SkinFolder::Background, file); }

std::string OutlinePath() { return BackgroundPath("cfgMainback.bmp"); }

// The faces of every caption on the first page.
void ResolveCaptionFonts() {
    for (int weight : {kFontWeightNormal, 700})
        ResolveFontFile(DialogFont(15, weight));
}

// Start-up work on a thread of its own, giving way to the display's start-up and to the window's.
template <typename Work>
auto InBackground(Work work) {
    return std::async(std::launch::async, [work] {
        GiveWayToForeground();
        return work();
    });
}

} // namespace

CTunerDlg::CTunerDlg() : CDialog(nullptr, {800, 620}) {
    SetWindowKind(WindowKind::Main);
    SetTitle(std::string(kMainWindowTitle));
    // In the order they are needed: the icon before the window is shown, the rest for its first paint.
    artwork_ = std::make_unique<ImagePrefetch>(std::vector<std::string>{
        BackgroundPath("appicon.png"), BackgroundPath("cfgMainback.png"), BackgroundPath("mouse-layout-front.png")});
    try {
        outlinePath_ = OutlinePath();
        outline_ = InBackground([path = outlinePath_] { return RegionFromBitmapFile(path); });
        fonts_ = InBackground(ResolveCaptionFonts);
    } catch (const std::system_error&) {
        // No thread to spare: the outline is traced when the window is made, fonts when first drawn.
    }
}

// The window goes while the object is whole, so OnDestroy still reaches this class.
CTunerDlg::~CTunerDlg() { DestroyWindow(); }

ProfileRecord& CTunerDlg::Current() {
    return LiveProfileTable().profiles[std::size_t(ValidProfileIndex(currentProfile_))];
}

// ---------------------------------------------------------------------------------------------------
// Creation, initialisation, destruction.

int CTunerDlg::OnCreate() {
    // Resolves both folders unless the program (or a test) has already done so.
    UserDataFolder();
    CreateControls();
    // The agent reports to this window by its title.
    ExposeToOtherProcesses();
    StartUpAgentCheck();
    // Last: the outline is traced in the background meanwhile.
    ApplyWindowOutline();
    return 0;
}

void CTunerDlg::ApplyWindowOutline() {
    // Traced in the background, unless the skin has moved since.
    const std::string path = OutlinePath();
    Region outline = outline_.valid() ? outline_.get() : Region();
    if (path != outlinePath_)
        outline = RegionFromBitmapFile(path);
    outlinePath_.clear();
    if (!outline.IsEmpty())
        SetWindowRgn(outline, Redraw::Yes);
}

void CTunerDlg::StartUpAgentCheck() {
    if (!AgentWindowExists())
        StartAgent();
    if (ReadConnectionFlag()) {
        apply_.EnableWindow(true);
    } else {
        apply_.EnableWindow(false);
        SetTimer(TIMER_DISCONNECTED_BLINK, kBlinkMs);
    }
    SetTimer(TIMER_AGENT_RELAUNCH, kRelaunchMs);
}

bool CTunerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    icon_ = LoadSharedImage(BackgroundPath("appicon.png"));
    if (!icon_->IsEmpty())
        SetIcon(*icon_);
    currentPage_ = 0;
    ShowPage(1);
    LoadProfileTable();
    currentProfile_ = ValidProfileIndex(LiveProfileTable().GroupID);
    RefreshAllPages();
    RefreshAssignmentCaptions();
    SetWindowText(std::string(kMainWindowTitle));
    return true;
}

void CTunerDlg::OnDestroy() {
    // Nothing is written or sent here: every route that keeps edits has written them already.
    CloseAssignmentMenu();
    artwork_.reset();
    background_ = mouseFront_ = mouseSide_ = light_ = icon_ = nullptr;
}

void CTunerDlg::CreateControls() {
    // The window takes the size of its face, known from the file's header while the pixels are still
    // being decoded. Without a face it keeps its initial size rather than becoming a window nobody can
    // see or close.
    if (const std::optional<Size> face = ImageFileSize(BackgroundPath("cfgMainback.png")))
        MoveWindow(Rect{0, 0, face->width, face->height}, Redraw::No);

    CreateFrameControls();
    CreatePageOneControls();
    stages_.Create(*this);
    lighting_.Create(*this);
    CreateInformationTexts();
}

void CTunerDlg::CreateFrameControls() {
    CreateImageButton(minimize_, *this, {722, 34, 736, 47}, Faces{"min", {1, 3, 2, 1}});
    CreateImageButton(close_, *this, {742, 34, 756, 47}, Faces{"close", {1, 3, 2, 1}});
    constexpr std::array<std::pair<int, int>, 4> kTabX = {{{72, 234}, {237, 399}, {402, 564}, {566, 728}}};
    for (std::size_t i = 0; i < tabs_.size(); ++i)
        CreateImageButton(tabs_[i], *this, {kTabX[i].first, 162, kTabX[i].second, 182},
                          Faces{"tabbutton", {1, 2, 3, 1}}, GeneralCaption(49 + int(i)), 17, 700);

    struct Bottom {
        CBitmapBtn* button;
        int left, right, caption;
    };
    const std::array<Bottom, 7> bottom = {{{&export_, 57, 150, 42},
                                           {&import_, 157, 250, 43},
                                           {&resetProfile_, 255, 348, 44},
                                           {&resetAll_, 355, 448, 45},
                                           {&ok_, 453, 547, 46},
                                           {&cancel_, 551, 644, 47},
                                           {&apply_, 649, 742, 48}}};
    for (const Bottom& b : bottom)
        CreateImageButton(*b.button, *this, {b.left, 560, b.right, 586}, Faces{"ok", {1, 3, 2, 1}},
                          GeneralCaption(b.caption));

    for (auto [banner, text] : {std::pair{&connectedBanner_, 62}, std::pair{&disconnectedBanner_, 61}}) {
        banner->Create(this, kBannerRect);
        banner->SetWindowText(GeneralCaption(text));
        banner->ShowWindow(false);
        banner->RefreshBehind();
    }
}

void CTunerDlg::CreatePageOneControls() {
    for (int k = 0; k < kProfileCount; ++k)
        CreateImageButton(profiles_[std::size_t(k)], *this, {109 + 120 * k, 525, 194 + 120 * k, 544},
                          Faces{"ProfileButton", {1, 2, 3, 1}}, GeneralCaption(53 + k));

    for (int k = 0; k < kButtonCount; ++k) {
        CreateImageButton(assign_[std::size_t(k)], *this, {334, 211 + 28 * k, 481, 231 + 28 * k},
                          Faces{"ButtonAssign", {1, 3, 2, 1}}, {}, 15, 700);
        assign_[std::size_t(k)].ShowCaption = true;

        // Marker 9 sits one pixel higher than the rule would put it.
        const Rect marker = k == 8 ? Rect{313, 434, 332, 452} : Rect{313, 211 + 28 * k, 332, 229 + 28 * k};
        const char* file = k == 7 ? "circle_up.png" : k == 8 ? "circle_down.png" : "circle.png";
        CreateImageButton(markers_[std::size_t(k)], *this, marker, FaceFolder::Controls, file,
                          k < 7 ? std::to_string(k + 1) : std::string(), 15, 700);
        markers_[std::size_t(k)].EnableWindow(false);
    }

    constexpr std::array<std::pair<int, int>, 5> kLabelY = {{{200, 216}, {247, 263}, {296, 312}, {349, 365}, {418, 434}}};
    for (std::size_t i = 0; i < pointerLabels_.size(); ++i) {
        CStaticTrans& label = pointerLabels_[i];
        label.FontHeight = 15;
        label.FontWeight = 700;
        label.Create(this, {511, kLabelY[i].first, 721, kLabelY[i].second});
        label.SetWindowText(GeneralCaption(1 + int(i)));
    }

    for (std::size_t i = 0; i < pointerSliders_.size(); ++i) {
        const PointerSliderInfo& info = kPointerSliders[i];
        CPngHSliderBar& slider = pointerSliders_[i];
        slider.Create(SkinPath(SkinFolder::Controls, "y.png"), "", info.rect, this, kSliderIdFirst + int(i));
        slider.SetTrackImage(LoadSharedImage(SkinPath(SkinFolder::Controls, info.track)));
        slider.SetRange(1, info.max);
    }

    constexpr std::array<std::pair<int, int>, 4> kRateX = {{{510, 563}, {565, 618}, {620, 673}, {675, 734}}};
    for (std::size_t i = 0; i < reportRate_.size(); ++i)
        CreateCheckButton(reportRate_[i], *this, {kRateX[i].first, 441, kRateX[i].second, 457},
                          GeneralCaption(6 + int(i)));
}

void CTunerDlg::CreateInformationTexts() {
    constexpr std::array<Rect, 5> kRects = {{{289, 228, 530, 245},
                                             {226, 251, 601, 268},
                                             {227, 275, 600, 292},
                                             {295, 358, 521, 374},
                                             {275, 384, 541, 410}}};
    for (std::size_t i = 0; i < information_.size(); ++i) {
        information_[i].Alignment = TextAlign::HCenter;
        information_[i].Create(this, kRects[i]);
        information_[i].SetWindowText(GeneralCaption(37 + int(i)));
    }
}

// ---------------------------------------------------------------------------------------------------
// Pages and painting.

void CTunerDlg::ShowPage(int page) {
    if (page < 1 || page > kPageCount || page == currentPage_)
        return;
    currentPage_ = page;
    // The first frame shows page one: the other pages' artwork is read when first needed.
    if (page != 1 && !light_) {
        mouseSide_ = LoadSharedImage(BackgroundPath("mouse-layout-side.png"));
        light_ = LoadSharedImage(BackgroundPath("light.png"));
    }
    InvalidateRect(kPageArea);
    SelectOne(tabs_, page - 1);
    ShowGroups(page);
    if (page == 2) {
        stages_.Refresh(Current(), true);
        stages_.SetStageCaption(Current().DPI);
    }
    if (page == 3)
        lighting_.ShowMode(Current().LedMode1, true);
}

void CTunerDlg::ShowGroups(int page) {
    const PageGroups g = GroupsOfPage(page);
    for (CBitmapBtn& b : profiles_) b.ShowWindow(g.profileButtons);
    for (CBitmapBtn& b : assign_) b.ShowWindow(g.assignment);
    for (CBitmapBtn& b : markers_) b.ShowWindow(g.assignment);
    for (CBitmapBtn& b : reportRate_) b.ShowWindow(g.reportRate);
    pointerLabels_[4].ShowWindow(g.reportRate);
    for (std::size_t i = 0; i < 4; ++i) {
        pointerLabels_[i].ShowWindow(g.pointer);
        pointerSliders_[i].ShowWindow(g.pointer);
    }
    stages_.Show(g.stages);
    lighting_.ShowPage(g.lightingModes);
    for (CStaticTrans& t : information_) t.ShowWindow(g.information);
}

// The face and the mouse picture are first needed here; until then they decode in the background.
void CTunerDlg::TakeArtwork() {
    if (!artwork_)
        return;
    background_ = LoadSharedImage(BackgroundPath("cfgMainback.png"));
    mouseFront_ = LoadSharedImage(BackgroundPath("mouse-layout-front.png"));
    artwork_.reset();
}

void CTunerDlg::OnPaint(Painter& painter) {
    TakeArtwork();
    if (!background_)
        return; // not made yet, or already gone
    const Rect client = GetClientRect();
    painter.DrawImage(*background_, client);
    if (currentPage_ == 1)
        painter.DrawImage(*mouseFront_, Rect::FromXYWH(90, 200, 201, 280));
    else if (currentPage_ == 3 && light_)
        painter.DrawImage(*light_, Rect::FromXYWH(100, 201, 608, 281));
}

void CTunerDlg::OnLButtonDown(UINT, Point) {
    // The whole face is a caption: a press anywhere off the controls moves the window.
    BeginWindowDrag();
    CloseAssignmentMenu();
}

void CTunerDlg::CloseAssignmentMenu() {
    menuButtonIndex_ = -1;
    if (assignmentMenu_) {
        assignmentMenu_->DestroyWindow();
        if (Application* app = Application::Current())
            app->DeleteLater(std::move(assignmentMenu_));
        assignmentMenu_.reset();
    }
}

// ---------------------------------------------------------------------------------------------------
// Profiles and refresh.

void CTunerDlg::SelectProfile(int p) {
    if (p < 0 || p >= kProfileCount)
        return;
    SelectOne(profiles_, p);
    currentProfile_ = p;
    LiveProfileTable().GroupID = p;
}

void CTunerDlg::SelectReportRate(int choice) { SelectOne(reportRate_, choice); }

void CTunerDlg::RefreshAllPages() {
    SelectProfile(ValidProfileIndex(LiveProfileTable().GroupID));
    ProfileRecord& p = Current();
    SelectReportRate(ChoiceOfPollingRate(p.PollingRate));
    lighting_.ShowMode(p.LedMode1, currentPage_ == 3);
    lighting_.SetOptionsFromProfile(p);
    for (std::size_t i = 0; i < pointerSliders_.size(); ++i) {
        pointerSliders_[i].SetPos(PointerField(p, int(i)));
        pointerSliders_[i].Invalidate();
    }
    stages_.Refresh(p, currentPage_ == 2);
    stages_.SetStageCaption(p.DPI);
}

void CTunerDlg::RefreshAssignmentCaptions() {
    const std::array<std::string, kButtonCount> captions =
        ComputeAssignmentCaptions(LiveProfileTable(), currentProfile_);
    for (std::size_t i = 0; i < assign_.size(); ++i) {
        assign_[i].SetCaption(captions[i], 0, CaptionAlign::Centred);
        assign_[i].Invalidate();
        assign_[i].UpdateWindow();
    }
}

// ---------------------------------------------------------------------------------------------------
// Commands.

bool CTunerDlg::OnCommand(int id, int notification, HWND sender) {
    CloseAssignmentMenu();
    if (sender != kNoWindow && DispatchCommand(sender))
        return true;
    // Enter and Escape arrive as the dialog's own confirm and cancel: both close without writing.
    return CDialog::OnCommand(id, notification, sender);
}

bool CTunerDlg::DispatchCommand(HWND sender) {
    auto is = [sender](const CWnd& w) { return w.GetSafeHwnd() == sender; };
    if (is(apply_)) {
        NotifySettingsSaved();
    } else if (is(export_)) {
        OnExport();
    } else if (is(import_)) {
        OnImport();
    } else if (is(resetProfile_)) {
        OnResetProfile();
    } else if (is(resetAll_)) {
        OnResetAllProfiles();
    } else if (is(ok_)) {
        NotifySettingsSaved();
        EndDialog(IDOK);
    } else if (is(cancel_) || is(close_)) {
        EndDialog(IDCANCEL);
    } else if (is(minimize_)) {
        Minimize();
    } else {
        for (int i = 0; i < int(tabs_.size()); ++i)
            if (is(tabs_[std::size_t(i)])) {
                ShowPage(i + 1);
                return true;
            }
        for (int p = 0; p < kProfileCount; ++p)
            if (is(profiles_[std::size_t(p)])) {
                SelectProfile(p);
                RefreshAllPages();
                RefreshAssignmentCaptions();
                NotifyProfileSwitched();
                return true;
            }
        for (int c = 0; c < int(reportRate_.size()); ++c)
            if (is(reportRate_[std::size_t(c)])) {
                SelectReportRate(c);
                Current().PollingRate = PollingRateOfChoice(c);
                return true;
            }
        for (int k = 0; k < kButtonCount; ++k)
            if (is(assign_[std::size_t(k)])) {
                // FIXME: the assignment menu does not exist yet; until it does a click opens nothing.
                return true;
            }
        if (stages_.OnCommand(sender, Current()))
            return true;
        switch (lighting_.OnCommand(sender, Current())) {
        case LightingPage::Result::Changed:
            NotifyLightingChanged();
            return true;
        case LightingPage::Result::Handled:
            return true;
        case LightingPage::Result::NotMine:
            break;
        }
        return false;
    }
    return true;
}

void CTunerDlg::OnExport() {
    if (!chooseFile_)
        return;
    const std::optional<std::string> path = chooseFile_(FileDialogKind::Save, UserDataFolder());
    if (path && !path->empty())
        ExportProfile(Current(), *path);
}

void CTunerDlg::OnImport() {
    if (!chooseFile_)
        return;
    const std::optional<std::string> path = chooseFile_(FileDialogKind::Open, UserDataFolder());
    if (!path || path->empty())
        return;
    // Read into a copy: a file that cannot be read leaves the profile as it was.
    ProfileRecord record = Current();
    if (!ImportProfile(record, *path))
        return;
    Current() = record;
    // An imported file is as untrusted as the profile files: repair it before the agent reads it.
    const ProfileTable imported = LiveProfileTable();
    ValidateProfiles(imported);
    NotifySettingsSaved();
    RefreshAllPages();
    RefreshAssignmentCaptions();
}

int CTunerDlg::AskConfirmation(int firstText) {
    const std::string first = SkinText("WARNING", firstText);
    const std::string second = SkinText("WARNING", firstText + 1);
    const std::string third = SkinText("WARNING", firstText + 2);
    if (confirm_)
        return confirm_(first, second, third);
    CWarningDlg dialog(this, first, second, third);
    return dialog.DoModal();
}

void CTunerDlg::OnResetProfile() {
    if (AskConfirmation(3) != IDOK)
        return;
    ResetProfile(ValidProfileIndex(LiveProfileTable().GroupID));
    RefreshAllPages();
    RefreshAssignmentCaptions();
    NotifySettingsSaved();
}

void CTunerDlg::OnResetAllProfiles() {
    if (AskConfirmation(6) != IDOK)
        return;
    for (int k = 0; k < kProfileCount; ++k)
        ResetProfile(k);
    LiveProfileTable().GroupID = 0;
    RefreshAllPages();
    RefreshAssignmentCaptions();
    NotifySettingsSaved();
}

// ---------------------------------------------------------------------------------------------------
// Messages: the device agent, sliders, the assignment menu.

LRESULT CTunerDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case UI_MSG_CONNECTION_STATUS:
        OnConnectionStatus();
        break;
    case UI_MSG_DEVICE_REPORT:
        OnDeviceReport(wParam, lParam);
        break;
    case kMsgSliderValue:
        OnSliderValue(wParam, lParam);
        break;
    case UI_MSG_ASSIGN_CHOICE:
        OnAssignChoice(lParam);
        break;
    default:
        break;
    }
    return 0;
}

void CTunerDlg::OnTimer(UINT id) {
    switch (id) {
    case TIMER_CONNECTED_BANNER:
        connectedBanner_.ShowWindow(false);
        KillTimer(TIMER_CONNECTED_BANNER);
        break;
    case TIMER_DISCONNECTED_BLINK:
        disconnectedBanner_.ShowWindow(blinkCounter_ % 2 != 0);
        blinkCounter_ = (blinkCounter_ + 1) % 10000;
        break;
    case TIMER_AGENT_RELAUNCH:
        KillTimer(TIMER_AGENT_RELAUNCH);
        if (!AgentWindowExists())
            StartAgent();
        break;
    default:
        break;
    }
}

void CTunerDlg::OnConnectionStatus() {
    if (ReadConnectionFlag()) {
        KillTimer(TIMER_DISCONNECTED_BLINK);
        apply_.EnableWindow(true);
        connectedBanner_.ShowWindow(true);
        disconnectedBanner_.ShowWindow(false);
        blinkCounter_ = 0;
        SetTimer(TIMER_CONNECTED_BANNER, kConnectedBannerMs);
    } else {
        KillTimer(TIMER_CONNECTED_BANNER);
        SetTimer(TIMER_DISCONNECTED_BLINK, kBlinkMs);
        apply_.EnableWindow(false);
        connectedBanner_.ShowWindow(false);
        disconnectedBanner_.ShowWindow(true);
    }
}

void CTunerDlg::OnDeviceReport(std::int64_t kind, std::int64_t value) {
    ProfileTable& table = LiveProfileTable();
    // The window keeps GroupID equal to its own index, so "the table's current profile" is this one.
    ProfileRecord& tableCurrent = table.profiles[std::size_t(ValidProfileIndex(table.GroupID))];
    switch (DeviceReportKind(kind)) {
    case DeviceReportKind::ReloadProfiles:
        if (value != 0)
            return;
        LoadProfileTable();
        currentProfile_ = ValidProfileIndex(table.GroupID);
        RefreshAllPages();
        RefreshAssignmentCaptions();
        return;
    case DeviceReportKind::SensitivityStage:
        tableCurrent.DPI = ToField(value);
        stages_.SetStageCaption(Current().DPI);
        return;
    case DeviceReportKind::Profile:
        // A profile the table does not have is not selected: the window stays as it is.
        if (value < 0 || value >= kProfileCount)
            return;
        SelectProfile(int(value));
        RefreshAllPages();
        RefreshAssignmentCaptions();
        return;
    case DeviceReportKind::ReportInterval: {
        const ReportIntervalView view = ViewOfReportInterval(value);
        Current().PollingRate = view.pollingRate;
        SelectReportRate(view.choice);
        return;
    }
    case DeviceReportKind::LightingMode:
        tableCurrent.LedMode1 = ToField(value);
        if (value >= 0 && value < kLightingModeCount)
            lighting_.ShowMode(value, currentPage_ == 3);
        return;
    case DeviceReportKind::PointerSpeed:
        tableCurrent.MouseSensitivity = ToField(value);
        pointerSliders_[1].SetPos(Current().MouseSensitivity);
        return;
    }
}

void CTunerDlg::OnSliderValue(std::int64_t position, std::int64_t id) {
    if (id >= kSliderIdFirst && id < kSliderIdFirst + int(pointerSliders_.size())) {
        PointerField(Current(), int(id - kSliderIdFirst)) = ToField(position);
        return;
    }
    stages_.OnSlider(id, position, Current());
}

void CTunerDlg::OnAssignChoice(std::int64_t choice) {
    if (currentPage_ != 1)
        return;
    const int button = menuButtonIndex_;
    CloseAssignmentMenu();
    if (assignmentDialogs_ && button >= 0 && button < kButtonCount &&
        ApplyAssignment(currentProfile_, button, std::uint32_t(choice), *assignmentDialogs_) ==
            CaptionRefresh::Yes)
        RefreshAssignmentCaptions();
    menuButtonIndex_ = -1;
}

} // namespace qor
