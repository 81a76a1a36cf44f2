// qor-tuner: the configuration utility of the QOR VR17 Gaming Mouse.

#include "app/CTunerApp.h"

#include <malloc.h>

int main() {
    // A few short-lived start-up threads: one shared heap reuses what they free instead of keeping a
    // heap of its own for each of them.
    mallopt(M_ARENA_MAX, 1);
    qor::CTunerApp app;
    const int code = app.InitInstance();
    app.ExitInstance();
    return code;
}
