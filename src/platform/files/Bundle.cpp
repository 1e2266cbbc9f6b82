#include "orvane/platform/files/Bundle.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "FrameworkResources.h"
#include "orvane/platform/files/PropertyList.h"
#include "orvane/platform/text/StringsTable.h"

namespace ov {

namespace fs = std::filesystem;

namespace {

constexpr const char* kDefaultTable = "Localizable";
constexpr const char* kInfoPlistTable = "InfoPlist";
constexpr const char* kLprojExtension = ".lproj";

struct Registry {
    std::mutex mutex;
    std::optional<String> mainPath;
    std::shared_ptr<Bundle> main;
    std::optional<String> frameworkPath;
    std::optional<std::vector<String>> languages;
    std::unordered_map<String, std::weak_ptr<Bundle>> bundles;
};

// Never destroyed: bundles may be asked for during static destruction.
Registry& registry() {
    static auto* registry = new Registry;
    return *registry;
}

bool exists(const fs::path& path) {
    std::error_code error;
    return fs::exists(path, error);
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

String normalised(const String& path) {
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path.toUtf8()), error).lexically_normal();
    std::string text = absolute.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return String(text);
}

String defaultMainPath() {
    if (const char* folder = std::getenv("ORVANE_BUNDLE_DIR"); folder && *folder) {
        return String(folder);
    }
    std::error_code error;
    const fs::path executable = fs::read_symlink("/proc/self/exe", error);
    return String(error ? fs::current_path(error).string() : executable.parent_path().string());
}

// "he_IL.UTF-8@euro" -> "he-IL"; none for the C locale.
std::optional<String> languageTag(std::string locale) {
    locale = locale.substr(0, locale.find_first_of(".@"));
    if (locale.empty() || locale == "C" || locale == "POSIX") return std::nullopt;
    std::replace(locale.begin(), locale.end(), '_', '-');
    return String(locale);
}

std::vector<String> environmentLanguages() {
    std::vector<std::string> locales;
    if (const char* list = std::getenv("LANGUAGE"); list && *list) {
        std::string_view rest = list;
        while (!rest.empty()) {
            const size_t colon = std::min(rest.find(':'), rest.size());
            locales.emplace_back(rest.substr(0, colon));
            rest.remove_prefix(std::min(colon + 1, rest.size()));
        }
    }
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const char* locale = std::getenv(variable); locale && *locale) {
            locales.emplace_back(locale);
            break;
        }
    }
    std::vector<String> languages;
    for (const auto& locale : locales) {
        auto tag = languageTag(locale);
        if (tag && std::find(languages.begin(), languages.end(), *tag) == languages.end()) {
            languages.push_back(*tag);
        }
    }
    return languages;
}

void appendOnce(std::vector<String>& list, const String& item) {
    if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

// The platform writes regions either way: "pt-BR.lproj" or "pt_BR.lproj".
std::optional<String> matchingLocalization(const std::vector<String>& available,
                                           const String& language) {
    std::string tag = language.toUtf8();
    std::string underscored = tag;
    std::replace(underscored.begin(), underscored.end(), '-', '_');
    const std::string base = tag.substr(0, tag.find('-'));
    for (const auto& candidate : {tag, underscored, base}) {
        const String name(candidate);
        if (std::find(available.begin(), available.end(), name) != available.end()) return name;
    }
    return std::nullopt;
}

String fileName(const String& name, const std::optional<String>& type) {
    if (!type || type->isEmpty()) return name;
    return type->hasPrefix(".") ? name + *type : name + "." + *type;
}

}  // namespace

Bundle::Bundle(PrivateTag, String path) : m_path(std::move(path)) {}

std::shared_ptr<Bundle> Bundle::mainBundle() {
    auto& state = registry();
    std::optional<String> named;
    {
        std::lock_guard lock(state.mutex);
        if (state.main) return state.main;
        named = state.mainPath;
    }
    const String path = named.value_or(defaultMainPath());
    // The main bundle always exists, even over a folder that does not (yet).
    auto main = bundleWithPath(path);
    if (!main) main = std::make_shared<Bundle>(PrivateTag{}, normalised(path));
    std::lock_guard lock(state.mutex);
    if (!state.main) state.main = main;
    return state.main;
}

void Bundle::setMainBundlePath(const String& path) {
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    state.mainPath = path.isEmpty() ? std::nullopt : std::optional(path);
    state.main.reset();
}

std::shared_ptr<Bundle> Bundle::frameworkBundle() {
    std::optional<String> path;
    {
        std::lock_guard lock(registry().mutex);
        path = registry().frameworkPath;
    }
    if (!path) path = findFrameworkResources();
    return path ? bundleWithPath(*path) : nullptr;
}

void Bundle::setFrameworkBundlePath(const std::optional<String>& path) {
    std::lock_guard lock(registry().mutex);
    registry().frameworkPath = path;
}

std::shared_ptr<Bundle> Bundle::bundleWithPath(const String& path) {
    if (path.isEmpty() || !isDirectory(path.toUtf8())) return nullptr;
    const String key = normalised(path);
    auto& state = registry();
    std::lock_guard lock(state.mutex);
    auto& slot = state.bundles[key];
    auto bundle = slot.lock();
    if (!bundle) {
        bundle = std::make_shared<Bundle>(PrivateTag{}, key);
        slot = bundle;
    }
    return bundle;
}

std::vector<String> Bundle::preferredLanguages() {
    std::optional<std::vector<String>> chosen;
    {
        std::lock_guard lock(registry().mutex);
        chosen = registry().languages;
    }
    auto languages = chosen.value_or(environmentLanguages());
    if (languages.empty()) languages.emplace_back("en");
    return languages;
}

void Bundle::setPreferredLanguages(std::optional<std::vector<String>> languages) {
    std::lock_guard lock(registry().mutex);
    registry().languages = std::move(languages);
}

Dictionary Bundle::infoDictionary() const {
    std::lock_guard lock(m_mutex);
    if (!m_infoDictionary) {
        m_infoDictionary =
            dictionaryWithContentsOfFile(m_path + "/Info.plist").value_or(Dictionary());
    }
    return *m_infoDictionary;
}

std::optional<String> Bundle::bundleIdentifier() const {
    const Dictionary info = infoDictionary();
    const String* identifier = info.objectForKey("CFBundleIdentifier").ifString();
    return identifier ? std::optional(*identifier) : std::nullopt;
}

Value Bundle::objectForInfoDictionaryKey(const String& key) const {
    if (auto translated = lookUp(kInfoPlistTable, key, false)) return *translated;
    return infoDictionary().objectForKey(key);
}

String Bundle::localizedStringForKey(const std::optional<String>& key,
                                     const std::optional<String>& value,
                                     const std::optional<String>& table) const {
    const bool hasValue = value && !value->isEmpty();
    if (!key || key->isEmpty()) return hasValue ? *value : String();
    const String tableName = table && !table->isEmpty() ? *table : String(kDefaultTable);
    if (auto found = lookUp(tableName, *key, true)) return *found;
    return hasValue ? *value : *key;
}

std::optional<String> Bundle::lookUp(const String& tableName, const String& key,
                                     bool includeUnlocalized) const {
    auto localizations = preferredLocalizations();
    if (includeUnlocalized) localizations.emplace_back();
    for (const auto& localization : localizations) {
        if (const String* text = table(localization, tableName).objectForKey(key).ifString()) {
            return *text;
        }
    }
    return std::nullopt;
}

const Dictionary& Bundle::table(const String& localization, const String& name) const {
    const String key = localization + "/" + name;
    std::lock_guard lock(m_mutex);
    auto found = m_tables.find(key);
    if (found != m_tables.end()) return found->second;
    const String folder = localization.isEmpty() ? m_path : m_path + "/" + localization + ".lproj";
    // A missing or malformed table translates nothing, as on the platform.
    auto parsed = StringsTable::parseFile(folder + "/" + name + ".strings");
    return m_tables.emplace(key, parsed ? parsed.value() : Dictionary()).first->second;
}

std::optional<String> Bundle::pathForResource(const std::optional<String>& name,
                                              const std::optional<String>& type) const {
    return pathForResource(name, type, std::nullopt);
}

std::optional<String> Bundle::pathForResource(const std::optional<String>& name,
                                              const std::optional<String>& type,
                                              const std::optional<String>& inDirectory) const {
    const String subfolder = inDirectory && !inDirectory->isEmpty() ? "/" + *inDirectory : "";
    if (auto found = findFile(m_path + subfolder, name, type)) return found;
    for (const auto& localization : preferredLocalizations()) {
        const String folder = m_path + "/" + localization + kLprojExtension + subfolder;
        if (auto found = findFile(folder, name, type)) return found;
    }
    return std::nullopt;
}

std::optional<String> Bundle::findFile(const String& folder, const std::optional<String>& name,
                                       const std::optional<String>& type) const {
    if (name && !name->isEmpty()) {
        const String path = folder + "/" + fileName(*name, type);
        return exists(path.toUtf8()) ? std::optional(path) : std::nullopt;
    }
    if (!type || type->isEmpty()) return std::nullopt;
    const std::string suffix = fileName("", type).toUtf8();
    std::vector<std::string> matches;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder.toUtf8(), error)) {
        const std::string file = entry.path().filename().string();
        if (file.size() > suffix.size() && file.ends_with(suffix)) matches.push_back(file);
    }
    if (matches.empty()) return std::nullopt;
    return folder + "/" + String(*std::min_element(matches.begin(), matches.end()));
}

std::vector<String> Bundle::localizations() const {
    std::lock_guard lock(m_mutex);
    if (!m_localizations) {
        std::vector<String> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(m_path.toUtf8(), error)) {
            if (entry.path().extension() == kLprojExtension && isDirectory(entry.path())) {
                names.emplace_back(entry.path().stem().string());
            }
        }
        std::sort(names.begin(), names.end());
        m_localizations = std::move(names);
    }
    return *m_localizations;
}

std::vector<String> Bundle::preferredLocalizations() const {
    const auto available = localizations();
    std::vector<String> chosen;
    for (const auto& language : preferredLanguages()) {
        if (auto match = matchingLocalization(available, language)) appendOnce(chosen, *match);
    }
    for (const char* fallback : {"en", "Base"}) {
        if (std::find(available.begin(), available.end(), fallback) != available.end()) {
            appendOnce(chosen, fallback);
        }
    }
    return chosen;
}

}  // namespace ov
