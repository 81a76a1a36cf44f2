#include "app/CTunerApp.h"

#include "assign/KeyNames.h"
#include "controls/CFileDialog.h"
#include "controls/FileDialogTexts.h"
#include "mainwindow/CTunerDlg.h"
#include "model/Folders.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/gfx/FontChoices.h"
#include "platform/ipc/Ipc.h"
#include "platform/sys/Paths.h"
#include "platform/ui/Application.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace qor {

namespace {

// Export and import of one profile: the program's own save and open dialogs over the main window.
std::optional<std::string> ChooseProfileFile(CTunerDlg& owner, CTunerDlg::FileDialogKind kind,
                                             const std::string& initialFolder) {
    const bool save = kind == CTunerDlg::FileDialogKind::Save;
    FileDialogOptions options;
    options.mode = save ? FileDialogMode::Save : FileDialogMode::Open;
    options.title = FileDialogText(save ? FileDialogTextId::ExportTitle : FileDialogTextId::ImportTitle);
    options.filter = "pfd(*.pfd)|*.pfd|";
    options.defaultExtension = ".pfd";
    options.initialFolder = initialFolder;
    CFileDialog dialog(&owner, options);
    if (dialog.DoModal() != IDOK)
        return std::nullopt;
    return dialog.GetPathName();
}

// Fontconfig's answers for the captions are kept between runs: it needs longer to start than the
// window needs to appear.
void KeepFontChoices() {
    const char* home = std::getenv("HOME");
    const char* xdgCache = std::getenv("XDG_CACHE_HOME");
    const std::string folder =
        CacheFolder(home ? home : "", xdgCache ? std::optional<std::string>(xdgCache) : std::nullopt);
    if (!folder.empty())
        SetFontChoiceFile(folder + "/qorvr17/font-choices");
}

} // namespace

CTunerApp::CTunerApp() = default;

CTunerApp::~CTunerApp() { ExitInstance(); }

int CTunerApp::InitInstance() {
    instanceLock_ = std::make_unique<sys::InstanceLock>(ipc::SocketFolder());
    // Another copy runs: end silently, touching nothing. When the lock cannot be taken at all (no
    // usable runtime folder) nothing is known about other copies, so this one runs.
    if (instanceLock_->State() == sys::InstanceLock::Status::HeldByAnother) {
        instanceLock_.reset();
        return 0;
    }

    std::unique_ptr<SdlBackend> backend = CreateSdlBackend();
    if (!backend) {
        std::fprintf(stderr, "qor-tuner: no display available; the window cannot be shown.\n");
        return 1;
    }
    SdlBackend& display = *backend;
    KeepFontChoices();
    app_ = std::make_unique<Application>(std::move(backend));
    app_->SetKeyTranslator([](std::uint32_t usage) -> UINT {
        return usage > 0xFF ? 0 : UINT(KeyUsageToVk(int(usage)).value_or(0));
    });

    InitFolders();
    {
        CTunerDlg dlg; // begins reading its artwork while the display is reached
        if (!display.DisplayReachable()) {
            std::fprintf(stderr, "qor-tuner: no display available; the window cannot be shown.\n");
            return 1;
        }
        dlg.SetChooseFile([&dlg](CTunerDlg::FileDialogKind kind, const std::string& folder) {
            return ChooseProfileFile(dlg, kind, folder);
        });
        mainWindow_ = &dlg;
        dlg.DoModal(); // the result is not looked at: every close route has done its work already
        mainWindow_ = nullptr;
    }
    // SDL may still fail after the display was reached; the window's loop then ended at once.
    if (!display.WaitUntilStarted()) {
        std::fprintf(stderr, "qor-tuner: no display available; the window cannot be shown.\n");
        return 1;
    }
    return 0;
}

int CTunerApp::ExitInstance() {
    app_.reset();
    instanceLock_.reset();
    return 0;
}

} // namespace qor
