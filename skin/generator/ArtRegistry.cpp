#include "ArtRegistry.h"

namespace qor::skin {

bool ArtRegistry::Add(std::string_view path, Painter painter) {
    return m_painters.emplace(std::string(path), std::move(painter)).second;
}

const Painter* ArtRegistry::Find(std::string_view path) const {
    const auto it = m_painters.find(path);
    return it == m_painters.end() ? nullptr : &it->second;
}

} // namespace qor::skin
