#include "FrameworkResources.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace ov {
namespace {

namespace fs = std::filesystem;

// The shared library, or the program when the static library is linked into it.
std::optional<fs::path> fileOfLoadedCode() {
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&fileOfLoadedCode), &info, reinterpret_cast<void**>(&map),
                RTLD_DL_LINKMAP) == 0 ||
        !map) {
        return std::nullopt;
    }
    std::error_code error;
    // The program's own entry has no name (dladdr would give argv[0], which may be relative).
    const fs::path file = map->l_name && *map->l_name ? fs::path(map->l_name)
                                                      : fs::read_symlink("/proc/self/exe", error);
    if (error) return std::nullopt;
    fs::path resolved = fs::weakly_canonical(file, error);
    if (error) return std::nullopt;
    return resolved;
}

bool isInside(const fs::path& file, const fs::path& folder) {
    const auto [end, unused] =
        std::mismatch(folder.begin(), folder.end(), file.begin(), file.end());
    return end == folder.end();
}

std::vector<fs::path> candidates() {
    std::vector<fs::path> folders;
    if (const char* folder = std::getenv("ORVANE_RESOURCES_DIR"); folder && *folder) {
        folders.emplace_back(folder);
    }
    if (const auto file = fileOfLoadedCode()) {
        const fs::path beside = file->parent_path();
        folders.push_back((beside / ORVANE_RESOURCES_FROM_LIBDIR).lexically_normal());
        folders.push_back((beside / ORVANE_RESOURCES_FROM_BINDIR).lexically_normal());
        if (isInside(*file, ORVANE_BUILD_DIR)) folders.emplace_back(ORVANE_SOURCE_RESOURCES_DIR);
    }
    folders.emplace_back(ORVANE_INSTALLED_RESOURCES_DIR);
    return folders;
}

}  // namespace

std::optional<String> findFrameworkResources() {
    for (const fs::path& folder : candidates()) {
        std::error_code error;
        if (fs::is_directory(folder, error)) return String(folder.string());
    }
    return std::nullopt;
}

}  // namespace ov
