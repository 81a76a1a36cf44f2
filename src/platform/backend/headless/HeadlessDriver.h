#pragma once
// Drives the framework in tests: an Application on a HeadlessBackend, input at client coordinates of
// any window (child or top-level), time that advances through every timer in order, and loops with a
// watchdog. Each input call dispatches what follows from it before returning, unless it runs as a
// scheduled action inside a loop (then that loop dispatches it).

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/ui/Application.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qor {

class HeadlessDriver {
public:
    explicit HeadlessDriver(Size screen = {1920, 1080});
    ~HeadlessDriver();

    Application& App() { return *app_; }
    HeadlessBackend& Backend() { return *backend_; }

    // Mouse at a point in `window`'s client coordinates.
    void MoveTo(HWND window, Point client);
    void Press(HWND window, Point client, MouseButton button = MouseButton::Left);
    void Release(HWND window, Point client, MouseButton button = MouseButton::Left);
    void Click(HWND window, Point client, MouseButton button = MouseButton::Left);
    // Keys (USB HID usages, as a back end reports them) to the active top-level window.
    void KeyDown(std::uint32_t usage, bool repeat = false);
    void KeyUp(std::uint32_t usage);
    void Key(std::uint32_t usage);
    void Type(const std::string& utf8);

    // Runs `action` once `delayMs` of virtual time have passed, from inside whatever loop is running
    // then (the way to act on a modal dialog while its loop runs).
    void Later(std::uint64_t delayMs, std::function<void()> action);
    // Advances the virtual clock by ms, dispatching every timer tick at its own time.
    void Advance(std::uint64_t ms);
    // Runs a loop until done() is true; false (and the program quits) if the watchdog fires first:
    // maxVirtualMs of virtual time passed or nothing happened for the real-time idle limit.
    bool RunUntil(const std::function<bool()>& done, std::uint64_t maxVirtualMs = 60000);
    // Dispatches everything ready now.
    void Process();

    // Every message posted since the driver started or since ClearPosted, in posting order (window
    // messages that the framework itself posts, such as WM_MOUSELEAVE, included).
    const std::vector<MSG>& Posted() const { return posted_; }
    std::vector<MSG> PostedTo(HWND window, UINT msg = 0) const;
    void ClearPosted() { posted_.clear(); }

private:
    Point ToTopLevel(HWND window, Point client, HWND& top) const;
    void AfterInput();

    HeadlessBackend* backend_ = nullptr; // owned by app_
    std::unique_ptr<Application> app_;
    int inAction_ = 0;
    std::vector<MSG> posted_;
};

} // namespace qor
