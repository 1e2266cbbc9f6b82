#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "orvane/components/TOSPPTextView.h"
#include "orvane/platform/files/Bundle.h"
#include "support/TestBundle.h"
#include "support/URLOpenerRecorder.h"

namespace ov {
namespace {

constexpr std::string_view kEnglish = R"(
"pptos.title" = "Terms";
"pptos.part1.0" = "One";
"pptos.part1" = "Renews every %lu hours";
"pptos.part2" = "Three";
"pptos.part2.1" = "Four";
"pptos.part2.2" = "See the terms of use";
"tos" = "terms of use";
"privacy.policy" = "privacy policy";
"pptos.part3.1.2" = "Read our %@ and %@";
"pptos.part3.1" = "Read our %@";
)";

// Puts a bundle with the given English table in place of the main bundle.
class TOSPPTextViewTest : public ::testing::Test {
  protected:
    void use(std::string_view table, const char* language = "en") {
        m_bundle.write(std::string(language) + ".lproj/Localizable.strings", table);
        Bundle::setMainBundlePath(m_bundle.path());
        Bundle::setPreferredLanguages(std::vector<String>{String(language)});
    }
    void TearDown() override {
        Bundle::setMainBundlePath("");
        Bundle::setPreferredLanguages(std::nullopt);
    }

    static std::string text(const TOSPPTextView& view) { return view.text().toUtf8(); }

    test::TestBundle m_bundle;
};

TEST_F(TOSPPTextViewTest, BuildsTheTextWithTheDefaultPeriodAndNoLinks) {
    use(kEnglish);
    auto view = std::make_shared<TOSPPTextView>(ui::Rect{0, 0, 300, 200});
    EXPECT_FALSE(view->isEditable());
    EXPECT_TRUE(view->isSelectable());
    EXPECT_EQ(view->chargePeriod(), 24u);
    EXPECT_EQ(text(*view), "Terms\nOne. Renews every 24 hours. Three. Four. See the terms of use.");
    EXPECT_TRUE(view->links().empty());

    const auto& styled = view->attributedText();
    EXPECT_EQ(ui::Font::fromValue(styled.attributeAtIndex(ui::NSFontAttributeName, 0)),
              ui::Font::systemFontOfSize(13));
    EXPECT_EQ(ui::ParagraphStyle::fromValue(
                  styled.attributeAtIndex(ui::NSParagraphStyleAttributeName, 20))
                  ->alignment,
              ui::NSTextAlignmentCenter);

    view->setChargePeriod(168);
    EXPECT_NE(text(*view).find("every 168 hours."), std::string::npos);
}

TEST_F(TOSPPTextViewTest, LinksTheWordsOfTheAddressesSet) {
    use(kEnglish);
    test::URLOpenerRecorder opener;
    auto view = std::make_shared<TOSPPTextView>();
    view->setPp_url(String("https://example.com/privacy"));
    EXPECT_NE(text(*view).find("Four. See the terms of use. Read our Privacy Policy."),
              std::string::npos)
        << text(*view);

    view->setTos_url(String("https://example.com/terms"));
    const std::string full = text(*view);
    EXPECT_NE(full.find("Read our Terms Of Use and Privacy Policy."), std::string::npos) << full;
    const auto links = view->links();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].url.absoluteString(), String("https://example.com/terms"));
    EXPECT_EQ(links[1].url.absoluteString(), String("https://example.com/privacy"));

    // The earlier "terms of use" is light grey again; the link keeps its own grey.
    const auto colorAt = [&](size_t index) {
        return ui::Color::fromValue(
            view->attributedText().attributeAtIndex(ui::NSForegroundColorAttributeName, index));
    };
    const size_t earlier = view->text().rangeOfString("terms of use").location;
    EXPECT_EQ(colorAt(earlier), ui::Color::lightGrayColor());
    EXPECT_EQ(colorAt(links[0].range.location), ui::Color::grayColor());

    EXPECT_TRUE(view->interactWithLinkAtIndex(links[1].range.location + 1));
    EXPECT_EQ(opener.opened(), std::vector<std::string>{"https://example.com/privacy"});
}

TEST_F(TOSPPTextViewTest, BlankSentencesGetAFullStopOnlyAtTheEnd) {
    use(R"(
"pptos.title" = "T";
"pptos.part1.0" = "A";
"pptos.part1" = "  ";
"pptos.part2" = "B";
"pptos.part2.1" = "";
"pptos.part2.2" = " ";
"tos" = "";
"privacy.policy" = "";
)");
    auto view = std::make_shared<TOSPPTextView>();
    EXPECT_EQ(text(*view), "T\nA.    B.   .");
    // A link word that is empty gives a link sentence but no link.
    view->setTos_url(String("https://example.com/terms"));
    EXPECT_TRUE(view->links().empty());
}

TEST_F(TOSPPTextViewTest, CapitalisesTheLinkWordsOfOtherScripts) {
    use(R"(
"pptos.title" = "Условия";
"tos" = "условия использования";
"privacy.policy" = "политика конфиденциальности";
"pptos.part3.1" = "Вы принимаете %@";
)",
        "ru");
    auto view = std::make_shared<TOSPPTextView>();
    view->setTos_url(String("https://example.com/terms"));
    const auto links = view->links();
    ASSERT_EQ(links.size(), 1u);
    EXPECT_EQ(view->text().substring(links[0].range.location, links[0].range.length),
              String("Условия Использования"));
}

}  // namespace
}  // namespace ov
