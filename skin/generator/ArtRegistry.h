#pragma once
// Which code draws which file. Each family of pictures registers its painters here; the generator
// checks the registry against the manifest, so a file can be neither forgotten nor drawn twice.

#include "Canvas.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace qor::skin {

using Painter = std::function<void(Canvas&)>;

class ArtRegistry {
public:
    // Returns false when `path` already has a painter.
    bool Add(std::string_view path, Painter painter);
    const Painter* Find(std::string_view path) const;
    const std::map<std::string, Painter, std::less<>>& All() const { return m_painters; }

private:
    std::map<std::string, Painter, std::less<>> m_painters;
};

// One function per family, each in its own file.
void AddMainWindowArt(ArtRegistry& registry);
void AddMouseArt(ArtRegistry& registry);
void AddLightingArt(ArtRegistry& registry);
void AddButtonArt(ArtRegistry& registry);
void AddControlArt(ArtRegistry& registry);
void AddDialogArt(ArtRegistry& registry);
void AddMenuArt(ArtRegistry& registry);
void AddFileDialogArt(ArtRegistry& registry);

inline void AddAllArt(ArtRegistry& registry) {
    AddMainWindowArt(registry);
    AddMouseArt(registry);
    AddLightingArt(registry);
    AddButtonArt(registry);
    AddControlArt(registry);
    AddDialogArt(registry);
    AddMenuArt(registry);
    AddFileDialogArt(registry);
}

} // namespace qor::skin
