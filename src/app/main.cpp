// qor-tuner: the configuration utility of the QOR VR17 Gaming Mouse.

#include "app/CTunerApp.h"

int main() {
    qor::CTunerApp app;
    const int code = app.InitInstance();
    app.ExitInstance();
    return code;
}
