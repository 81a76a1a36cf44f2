#include "app/CTunerApp.h"

#include "assign/KeyNames.h"
#include "controls/CFileDialog.h"
#include "controls/FileDialogTexts.h"
#include "mainwindow/CTunerDlg.h"
#include "model/Folders.h"
#include "platform/backend/sdl/SdlBackend.h"
#include "platform/ipc/Ipc.h"
#include "platform/ui/Application.h"

#include <cstdio>
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

    std::unique_ptr<Backend> backend = CreateSdlBackend();
    if (!backend) {
        std::fprintf(stderr, "qor-tuner: no display available; the window cannot be shown.\n");
        return 1;
    }
    app_ = std::make_unique<Application>(std::move(backend));
    app_->SetKeyTranslator([](std::uint32_t usage) -> UINT {
        return usage > 0xFF ? 0 : UINT(KeyUsageToVk(int(usage)).value_or(0));
    });

    InitFolders();
    {
        CTunerDlg dlg;
        dlg.SetChooseFile([&dlg](CTunerDlg::FileDialogKind kind, const std::string& folder) {
            return ChooseProfileFile(dlg, kind, folder);
        });
        mainWindow_ = &dlg;
        dlg.DoModal(); // the result is not looked at: every close route has done its work already
        mainWindow_ = nullptr;
    }
    return 0;
}

int CTunerApp::ExitInstance() {
    app_.reset();
    instanceLock_.reset();
    return 0;
}

} // namespace qor
