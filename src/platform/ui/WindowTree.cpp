#include "platform/ui/WindowTree.h"

#include <algorithm>
#include <atomic>
#include <cassert>

namespace qor {

namespace {
// Process-wide, so that a handle kept from an earlier application never names a later window.
// Handles from 0x80000000 on stand for windows of other processes (Application::FindWindow).
std::atomic<HWND> g_nextHandle{1};
} // namespace

WindowRecord& WindowTree::Add(WindowKind kind, HWND parentOrOwner, const Rect& rect, CWnd* wnd) {
    HWND handle = g_nextHandle++;
    assert(handle != kNoWindow && handle < 0x80000000u && "local window handles exhausted");

    auto rec = std::make_shared<WindowRecord>();
    rec->hwnd = handle;
    rec->wnd = wnd;
    rec->kind = kind;
    rec->rect = rect;
    if (kind == WindowKind::Child) {
        rec->parent = parentOrOwner;
        if (WindowRecord* parent = Get(parentOrOwner))
            parent->children.push_back(handle);
    } else {
        rec->owner = parentOrOwner;
        // The framebuffer comes with the first paint: the back end may lend one of its own.
        topLevels_.push_back(handle);
    }
    WindowRecord& ref = *rec;
    records_.emplace(handle, std::move(rec));
    return ref;
}

void WindowTree::Remove(HWND window) {
    auto it = records_.find(window);
    if (it == records_.end())
        return;
    WindowRecord& rec = *it->second;
    if (rec.kind == WindowKind::Child) {
        if (WindowRecord* parent = Get(rec.parent))
            std::erase(parent->children, window);
    } else {
        std::erase(topLevels_, window);
    }
    rec.wnd = nullptr;
    records_.erase(it);
}

WindowRecord* WindowTree::Get(HWND window) const {
    auto it = records_.find(window);
    return it == records_.end() ? nullptr : it->second.get();
}

std::shared_ptr<WindowRecord> WindowTree::Share(HWND window) const {
    auto it = records_.find(window);
    return it == records_.end() ? nullptr : it->second;
}

HWND WindowTree::TopLevelOf(HWND window) const {
    const WindowRecord* rec = Get(window);
    while (rec && !rec->IsTopLevel())
        rec = Get(rec->parent);
    return rec ? rec->hwnd : kNoWindow;
}

bool WindowTree::IsSelfOrDescendant(HWND window, HWND ancestor) const {
    for (const WindowRecord* rec = Get(window); rec; rec = rec->IsTopLevel() ? nullptr : Get(rec->parent))
        if (rec->hwnd == ancestor)
            return true;
    return false;
}

bool WindowTree::IsVisibleInTree(HWND window) const {
    const WindowRecord* rec = Get(window);
    if (!rec)
        return false;
    for (; rec; rec = rec->IsTopLevel() ? nullptr : Get(rec->parent))
        if (!rec->visible)
            return false;
    return true;
}

bool WindowTree::IsEnabledInTree(HWND window) const {
    const WindowRecord* rec = Get(window);
    if (!rec)
        return false;
    for (; rec; rec = rec->IsTopLevel() ? nullptr : Get(rec->parent))
        if (!rec->enabled)
            return false;
    return true;
}

Point WindowTree::ClientOrigin(HWND window) const {
    Point origin;
    for (const WindowRecord* rec = Get(window); rec; rec = rec->IsTopLevel() ? nullptr : Get(rec->parent)) {
        origin.x += rec->rect.left;
        origin.y += rec->rect.top;
    }
    return origin;
}

Rect WindowTree::VisibleRectInTopLevel(HWND window) const {
    const WindowRecord* rec = Get(window);
    if (!rec)
        return {};
    if (rec->IsTopLevel())
        return Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height());
    Rect r = Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height());
    // Walk up: move r into each parent's client coordinates and clip it by that parent's client area.
    while (rec && !rec->IsTopLevel()) {
        r = r.Offset(rec->rect.left, rec->rect.top);
        const WindowRecord* parent = Get(rec->parent);
        if (!parent)
            return {};
        r = r.Intersect(Rect::FromXYWH(0, 0, parent->rect.Width(), parent->rect.Height()));
        rec = parent;
    }
    return r;
}

HWND WindowTree::HitTest(HWND top, Point point) const {
    const WindowRecord* rec = Get(top);
    if (!rec || !Rect::FromXYWH(0, 0, rec->rect.Width(), rec->rect.Height()).Contains(point))
        return kNoWindow;
    if (rec->IsTopLevel() && !rec->region.IsEmpty() && !rec->region.Contains(point))
        return kNoWindow;
    for (;;) {
        const WindowRecord* hit = nullptr;
        for (auto it = rec->children.rbegin(); it != rec->children.rend(); ++it) {
            const WindowRecord* child = Get(*it);
            if (child && child->visible && child->rect.Contains(point)) {
                hit = child;
                break;
            }
        }
        if (!hit || !hit->enabled)
            return rec->hwnd;
        point = {point.x - hit->rect.left, point.y - hit->rect.top};
        rec = hit;
    }
}

HWND WindowTree::FromPoint(Point screen) const {
    for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it) {
        const WindowRecord* top = Get(*it);
        if (!top || !top->visible)
            continue;
        HWND hit = HitTest(top->hwnd, {screen.x - top->rect.left, screen.y - top->rect.top});
        if (hit != kNoWindow)
            return hit;
    }
    return kNoWindow;
}

void WindowTree::RaiseTopLevel(HWND window) {
    if (std::erase(topLevels_, window))
        topLevels_.push_back(window);
}

void WindowTree::RaiseChild(HWND window) {
    const WindowRecord* rec = Get(window);
    if (!rec || rec->IsTopLevel())
        return;
    if (WindowRecord* parent = Get(rec->parent); parent && std::erase(parent->children, window))
        parent->children.push_back(window);
}

void WindowTree::LowerChild(HWND window) {
    const WindowRecord* rec = Get(window);
    if (!rec || rec->IsTopLevel())
        return;
    if (WindowRecord* parent = Get(rec->parent); parent && std::erase(parent->children, window))
        parent->children.insert(parent->children.begin(), window);
}

std::vector<HWND> WindowTree::SelfAndDescendants(HWND window) const {
    std::vector<HWND> out;
    if (!Get(window))
        return out;
    out.push_back(window);
    for (std::size_t i = 0; i < out.size(); ++i)
        if (const WindowRecord* rec = Get(out[i]))
            out.insert(out.end(), rec->children.begin(), rec->children.end());
    return out;
}

} // namespace qor
