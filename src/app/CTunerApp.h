#pragma once
// The application object: one copy per user (an exclusive lock held for the whole run), the display
// back end, and the main window run modally. When the main window ends, the program ends.

#include "platform/sys/InstanceLock.h"

#include <memory>

namespace qor {

class Application;
class CTunerDlg;

class CTunerApp {
public:
    CTunerApp();
    ~CTunerApp();
    CTunerApp(const CTunerApp&) = delete;
    CTunerApp& operator=(const CTunerApp&) = delete;

    // Runs the program; returns the process exit code. A second copy ends at once with 0 and shows
    // nothing; without a display the program says so on standard error and returns 1.
    int InitInstance();
    // Releases the lock (the back end and windows are gone by then).
    int ExitInstance();

private:
    std::unique_ptr<sys::InstanceLock> instanceLock_;
    std::unique_ptr<Application> app_;
    CTunerDlg* mainWindow_ = nullptr; // set while the main window runs
};

} // namespace qor
