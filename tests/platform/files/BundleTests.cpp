#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <map>

#include "orvane/platform/files/Bundle.h"
#include "support/TestBundle.h"

namespace ov {
namespace {

using test::TestBundle;

// Sets environment variables for one test and puts the old values back.
class EnvironmentScope {
  public:
    EnvironmentScope(std::map<std::string, std::optional<std::string>> values) {
        for (const auto& [name, value] : values) {
            const char* old = getenv(name.c_str());
            m_saved[name] = old ? std::optional<std::string>(old) : std::nullopt;
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }
    ~EnvironmentScope() {
        for (const auto& [name, value] : m_saved) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }

  private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

class BundleTest : public ::testing::Test {
  protected:
    void SetUp() override { Bundle::setPreferredLanguages(std::vector<String>{"he-IL", "fr"}); }
    void TearDown() override { Bundle::setPreferredLanguages(std::nullopt); }

    String localized(const Bundle& bundle, const char* key, std::optional<String> value = {},
                     std::optional<String> table = {}) {
        return bundle.localizedStringForKey(String(key), value, table);
    }
};

TEST_F(BundleTest, LooksUpKeysByPreferredLanguageThenEnglishThenBase) {
    TestBundle files;
    files.write("he.lproj/Localizable.strings", R"("hello" = "שלום";)")
        .write("fr.lproj/Localizable.strings", R"("hello" = "Bonjour"; "bye" = "Au revoir";)")
        .write("en.lproj/Localizable.strings", R"("hello" = "Hello"; "only_en" = "English";)")
        .write("Base.lproj/Localizable.strings", R"("only_base" = "Base text";)")
        .write("Localizable.strings", R"("beside" = "Unlocalized";)")
        .write("en.lproj/Menu.strings", R"("open" = "Open";)");
    const auto bundle = files.bundle();
    EXPECT_EQ(localized(*bundle, "hello"), String("שלום"));
    EXPECT_EQ(localized(*bundle, "bye"), String("Au revoir"));
    EXPECT_EQ(localized(*bundle, "only_en"), String("English"));
    EXPECT_EQ(localized(*bundle, "only_base"), String("Base text"));
    EXPECT_EQ(localized(*bundle, "beside"), String("Unlocalized"));
    EXPECT_EQ(localized(*bundle, "open", {}, String("Menu")), String("Open"));
    EXPECT_EQ(localized(*bundle, "open", {}, String("")), String("open"));
    EXPECT_EQ(bundle->preferredLocalizations(), (std::vector<String>{"he", "fr", "en", "Base"}));
}

TEST_F(BundleTest, MissingKeysComeBackAsTheValueOrTheKey) {
    TestBundle files;
    files.write("en.lproj/Localizable.strings", R"("known" = "Known";)")
        .write("en.lproj/Broken.strings", R"("known" = "never read)");
    const auto bundle = files.bundle();
    EXPECT_EQ(localized(*bundle, "missing"), String("missing"));
    EXPECT_EQ(localized(*bundle, "missing", String("Fallback")), String("Fallback"));
    EXPECT_EQ(localized(*bundle, "missing", String("")), String("missing"));
    EXPECT_EQ(localized(*bundle, "known", {}, String("NoSuchTable")), String("known"));
    EXPECT_EQ(localized(*bundle, "known", {}, String("Broken")), String("known"));
    EXPECT_EQ(bundle->localizedStringForKey(std::nullopt, String("Value"), std::nullopt),
              String("Value"));
    EXPECT_EQ(bundle->localizedStringForKey(std::nullopt, std::nullopt, std::nullopt), String());
}

TEST_F(BundleTest, RegionsMatchEitherSpellingBeforeTheLanguageAlone) {
    TestBundle files;
    files.write("pt_BR.lproj/Localizable.strings", R"x("color" = "cor (Brasil)";)x")
        .write("pt.lproj/Localizable.strings", R"("color" = "cor";)")
        .write("zh-Hant.lproj/Localizable.strings", R"("color" = "顏色";)");
    const auto bundle = files.bundle();
    Bundle::setPreferredLanguages(std::vector<String>{"pt-BR"});
    EXPECT_EQ(localized(*bundle, "color"), String("cor (Brasil)"));
    Bundle::setPreferredLanguages(std::vector<String>{"pt-PT"});
    EXPECT_EQ(localized(*bundle, "color"), String("cor"));
    Bundle::setPreferredLanguages(std::vector<String>{"zh-Hant"});
    EXPECT_EQ(localized(*bundle, "color"), String("顏色"));
    EXPECT_EQ(bundle->localizations(), (std::vector<String>{"pt", "pt_BR", "zh-Hant"}));
}

TEST_F(BundleTest, PreferredLanguagesComeFromTheEnvironment) {
    Bundle::setPreferredLanguages(std::nullopt);
    {
        EnvironmentScope environment({{"LANGUAGE", "pt_BR:fr"},
                                      {"LC_ALL", ""},
                                      {"LC_MESSAGES", std::nullopt},
                                      {"LANG", "he_IL.UTF-8"}});
        EXPECT_EQ(Bundle::preferredLanguages(), (std::vector<String>{"pt-BR", "fr", "he-IL"}));
    }
    {
        EnvironmentScope environment(
            {{"LANGUAGE", std::nullopt}, {"LC_ALL", "ru_RU.UTF-8@euro"}, {"LANG", "he_IL.UTF-8"}});
        EXPECT_EQ(Bundle::preferredLanguages(), (std::vector<String>{"ru-RU"}));
    }
    {
        EnvironmentScope environment({{"LANGUAGE", std::nullopt},
                                      {"LC_ALL", std::nullopt},
                                      {"LC_MESSAGES", std::nullopt},
                                      {"LANG", "C.UTF-8"}});
        EXPECT_EQ(Bundle::preferredLanguages(), (std::vector<String>{"en"}));
    }
}

TEST_F(BundleTest, InformationDictionaryIsTranslatedByInfoPlistTables) {
    TestBundle files(Dictionary{{"CFBundleIdentifier", "com.maker.weather"},
                                {"CFBundleDisplayName", "Weather"},
                                {"CFBundleVersion", "34"}});
    files.write("he.lproj/InfoPlist.strings", R"("CFBundleDisplayName" = "מזג אוויר";)")
        .write("InfoPlist.strings", R"("CFBundleVersion" = "not used beside the lproj folders";)");
    const auto bundle = files.bundle();
    EXPECT_EQ(bundle->bundleIdentifier(), String("com.maker.weather"));
    EXPECT_EQ(bundle->objectForInfoDictionaryKey("CFBundleDisplayName"), Value("מזג אוויר"));
    EXPECT_EQ(bundle->objectForInfoDictionaryKey("CFBundleVersion"), Value("34"));
    EXPECT_TRUE(bundle->objectForInfoDictionaryKey("Missing").isAbsent());
    EXPECT_EQ(bundle->infoDictionary().objectForKey("CFBundleDisplayName"), Value("Weather"));

    TestBundle bare;
    EXPECT_TRUE(bare.bundle()->infoDictionary().isEmpty());
    EXPECT_EQ(bare.bundle()->bundleIdentifier(), std::nullopt);
}

TEST_F(BundleTest, FindsResourcesBesideThenInsideLanguageFolders) {
    TestBundle files;
    files.write("logo.png", "x")
        .write("b.json", "{}")
        .write("a.json", "{}")
        .write("he.lproj/flag.png", "x")
        .write("en.lproj/flag.png", "x")
        .write("en.lproj/only_en.txt", "x")
        .write("Sounds/ding.wav", "x")
        .write("Resources.bundle/Info.plist", "x");
    const auto bundle = files.bundle();
    const String root = files.path();
    EXPECT_EQ(bundle->pathForResource(String("logo"), String("png")), root + "/logo.png");
    EXPECT_EQ(bundle->pathForResource(String("logo.png"), std::nullopt), root + "/logo.png");
    EXPECT_EQ(bundle->pathForResource(String("logo"), String(".png")), root + "/logo.png");
    EXPECT_EQ(bundle->pathForResource(std::nullopt, String("json")), root + "/a.json");
    EXPECT_EQ(bundle->pathForResource(String("flag"), String("png")), root + "/he.lproj/flag.png");
    EXPECT_EQ(bundle->pathForResource(String("only_en"), String("txt")),
              root + "/en.lproj/only_en.txt");
    EXPECT_EQ(bundle->pathForResource(String("ding"), String("wav"), String("Sounds")),
              root + "/Sounds/ding.wav");
    EXPECT_EQ(bundle->pathForResource(String("Resources"), String("bundle")),
              root + "/Resources.bundle");
    EXPECT_EQ(bundle->pathForResource(String("ding"), String("wav")), std::nullopt);
    EXPECT_EQ(bundle->pathForResource(std::nullopt, std::nullopt), std::nullopt);
    EXPECT_EQ(bundle->pathForResource(std::nullopt, String("gif")), std::nullopt);
}

TEST_F(BundleTest, OneBundlePerFolder) {
    TestBundle files;
    files.write("note.txt", "x");
    EXPECT_EQ(files.bundle(), Bundle::bundleWithPath(files.path() + "/"));
    EXPECT_EQ(files.bundle(), Bundle::bundleWithPath(files.path() + "/./"));
    EXPECT_EQ(files.bundle()->bundlePath(), files.path());
    EXPECT_EQ(files.bundle()->resourcePath(), files.path());
    EXPECT_EQ(Bundle::bundleWithPath(files.path() + "/note.txt"), nullptr);
    EXPECT_EQ(Bundle::bundleWithPath(files.path() + "/missing"), nullptr);
    EXPECT_EQ(Bundle::bundleWithPath(""), nullptr);
}

TEST_F(BundleTest, MainBundleIsTheNamedFolderOrTheEnvironmentsOrTheExecutables) {
    TestBundle named(Dictionary{{"CFBundleIdentifier", "com.maker.named"}});
    TestBundle fromEnvironment(Dictionary{{"CFBundleIdentifier", "com.maker.environment"}});
    EnvironmentScope environment({{"ORVANE_BUNDLE_DIR", fromEnvironment.path().toUtf8()}});

    Bundle::setMainBundlePath(named.path());
    EXPECT_EQ(Bundle::mainBundle()->bundleIdentifier(), String("com.maker.named"));
    Bundle::setMainBundlePath("");
    EXPECT_EQ(Bundle::mainBundle()->bundleIdentifier(), String("com.maker.environment"));

    unsetenv("ORVANE_BUNDLE_DIR");
    Bundle::setMainBundlePath("");
    const auto executable = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    EXPECT_EQ(Bundle::mainBundle()->bundlePath(), String(executable.string()));
}

TEST_F(BundleTest, FrameworkBundleCanBeMoved) {
    TestBundle moved;
    Bundle::setFrameworkBundlePath(moved.path());
    EXPECT_EQ(Bundle::frameworkBundle()->bundlePath(), moved.path());
    Bundle::setFrameworkBundlePath(std::nullopt);
    const auto framework = Bundle::frameworkBundle();
    if (framework) {
        EXPECT_NE(framework->bundlePath(), moved.path());
    }
}

TEST_F(BundleTest, FrameworkResourcesComeFromTheEnvironmentElseTheSourceTreeInABuild) {
    TestBundle elsewhere;
    {
        EnvironmentScope environment({{"ORVANE_RESOURCES_DIR", elsewhere.path().toUtf8()}});
        EXPECT_EQ(Bundle::frameworkBundle()->bundlePath(), elsewhere.path());
    }
    EnvironmentScope environment({{"ORVANE_RESOURCES_DIR", std::nullopt}});
    const auto framework = Bundle::frameworkBundle();
    ASSERT_TRUE(framework);
    EXPECT_TRUE(framework->pathForResource("NSDateTimeAgo", "bundle").has_value());
}

}  // namespace
}  // namespace ov
