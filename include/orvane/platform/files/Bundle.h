#pragma once
// A bundle: a folder of resources with an information dictionary (Info.plist), localisation
// tables (<language>.lproj/<Table>.strings) and files such as images.
//
//   ov::Bundle::setMainBundlePath("/opt/weather/app");            // once, at start-up
//   auto bundle = ov::Bundle::mainBundle();
//   bundle->objectForInfoDictionaryKey("CFBundleShortVersionString");   // "2.1"
//   bundle->localizedStringForKey("hello", std::nullopt, std::nullopt); // from Localizable
//   bundle->pathForResource("logo", "png");                             // ".../logo.png"
//
// The main bundle is the folder the host names; otherwise the folder in the environment
// variable ORVANE_BUNDLE_DIR, otherwise the folder of the running executable. The framework
// bundle holds the library's own resources: the folder in the environment variable
// ORVANE_RESOURCES_DIR, otherwise share/orvane of the install the library was loaded from
// (found relative to the shared library, or, for the static library, relative to the program
// linked with it when that sits in the install's bin/), otherwise the source tree's resources/
// for programs in the build tree, otherwise the install folder configured at build time.
//
// Languages come from preferredLanguages(): the environment's LANGUAGE list, then LC_ALL,
// LC_MESSAGES or LANG (the first one set), unless the host sets them. A table is looked up in
// the best matching .lproj folder of each preferred language in turn, then in "en.lproj", then
// in "Base.lproj", then beside the .lproj folders.
//
// Thread-safe. Bundles are made once per folder and keep what they have read, so a file
// changed after it was first read is not seen again.

#include <memory>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <vector>

#include "orvane/platform/values/Value.h"

namespace ov {

class Bundle {
    struct PrivateTag {};

  public:
    Bundle(PrivateTag, String path);
    Bundle(const Bundle&) = delete;
    Bundle& operator=(const Bundle&) = delete;

    static std::shared_ptr<Bundle> mainBundle();
    // An empty path restores the default.
    static void setMainBundlePath(const String& path);
    // Nullptr when nothing is there to use.
    static std::shared_ptr<Bundle> frameworkBundle();
    // For hosts that move the library's resources; none restores the default.
    static void setFrameworkBundlePath(const std::optional<String>& path);
    // Nullptr unless the path names a folder. The same folder gives the same bundle.
    static std::shared_ptr<Bundle> bundleWithPath(const String& path);

    // Language tags such as "he-IL", most preferred first; never empty ("en" at least).
    static std::vector<String> preferredLanguages();
    // None goes back to the environment's languages.
    static void setPreferredLanguages(std::optional<std::vector<String>> languages);

    // Absolute, without a trailing slash. Resources sit directly in the bundle folder.
    const String& bundlePath() const { return m_path; }
    const String& resourcePath() const { return m_path; }

    // Empty when the bundle has no readable Info.plist.
    Dictionary infoDictionary() const;
    std::optional<String> bundleIdentifier() const;
    // The value translated in the "InfoPlist" table where a preferred language has it,
    // otherwise the information dictionary's.
    Value objectForInfoDictionaryKey(const String& key) const;

    // The platform's rule: the table "Localizable" when `table` is none or empty; a key found
    // nowhere comes back as `value` when that is given and not empty, else as the key itself.
    String localizedStringForKey(const std::optional<String>& key,
                                 const std::optional<String>& value,
                                 const std::optional<String>& table) const;

    // `name` may carry its extension itself; with no name, the first file (by name) of the
    // type. Looks beside the .lproj folders first, then in those of preferredLocalizations().
    // A folder (such as "Resources.bundle") counts as a resource too.
    std::optional<String> pathForResource(const std::optional<String>& name,
                                          const std::optional<String>& type) const;
    // The same, inside `inDirectory` (relative to the resource folder and to each .lproj).
    std::optional<String> pathForResource(const std::optional<String>& name,
                                          const std::optional<String>& type,
                                          const std::optional<String>& inDirectory) const;

    // The bundle's languages: its .lproj folder names without the extension, sorted.
    std::vector<String> localizations() const;
    // The ones to search, best first (see above).
    std::vector<String> preferredLocalizations() const;

  private:
    std::optional<String> findFile(const String& folder, const std::optional<String>& name,
                                   const std::optional<String>& type) const;
    std::optional<String> lookUp(const String& table, const String& key,
                                 bool includeUnlocalized) const;
    const Dictionary& table(const String& localization, const String& name) const;

    String m_path;
    mutable std::mutex m_mutex;
    mutable std::optional<Dictionary> m_infoDictionary;
    mutable std::optional<std::vector<String>> m_localizations;
    // "<localization>/<table>" (empty localization: beside the .lproj folders).
    mutable std::unordered_map<String, Dictionary> m_tables;
};

}  // namespace ov
