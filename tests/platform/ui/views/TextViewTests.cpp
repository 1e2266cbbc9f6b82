#include <gtest/gtest.h>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/TextView.h"
#include "support/URLOpenerRecorder.h"

namespace ov::ui {
namespace {

class LinkGate : public TextViewDelegate {
  public:
    using TextViewDelegate::textView;
    std::optional<bool> textView(TextView&, const URL& url, Range range,
                                 UITextItemInteraction) override {
        asked.push_back({range, url});
        return answer;
    }
    std::optional<bool> textView(TextView&, Range, const String& replacement) override {
        return replacement != "!";
    }
    void textViewDidChange(TextView&) override { ++changes; }

    std::vector<TextView::Link> asked;
    std::optional<bool> answer;
    int changes = 0;
};

class TextViewTest : public ::testing::Test {
  protected:
    void SetUp() override { m_view->setDelegate(m_delegate); }
    void TearDown() override {
        endEditing(*m_view, true);
        RunLoop::main().runPending();
    }

    std::shared_ptr<TextView> m_view = std::make_shared<TextView>(Rect{0, 0, 200, 60});
    std::shared_ptr<LinkGate> m_delegate = std::make_shared<LinkGate>();
    test::URLOpenerRecorder m_opener;
};

TEST_F(TextViewTest, TappingALinkAsksTheDelegateBeforeOpening) {
    MutableAttributedString text("Read the terms now");
    text.addAttribute(NSLinkAttributeName, Value(String("https://example.com/tos")), {9, 5});
    m_view->setAttributedText(AttributedString(text));

    EXPECT_FALSE(m_view->interactWithLinkAtIndex(2));  // not a link
    m_delegate->answer = false;
    EXPECT_FALSE(m_view->interactWithLinkAtIndex(10));
    m_delegate->answer = true;
    EXPECT_TRUE(m_view->interactWithLinkAtIndex(13));
    ASSERT_EQ(m_delegate->asked.size(), 2u);
    EXPECT_EQ(m_delegate->asked[0].range, (Range{9, 5}));
    EXPECT_EQ(m_opener.opened(), (std::vector<std::string>{"https://example.com/tos"}));

    m_view->setSelectable(false);
    EXPECT_FALSE(m_view->interactWithLinkAtIndex(10));
}

TEST_F(TextViewTest, DetectorsFindWebLinksOnlyWhenNotEditable) {
    m_view->setText("see www.example.org or http://a.b/c today");
    m_view->setDataDetectorTypes(UIDataDetectorTypeLink);
    EXPECT_TRUE(m_view->links().empty());  // editable
    m_view->setEditable(false);
    const auto links = m_view->links();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].range, (Range{4, 15}));
    EXPECT_EQ(links[0].url.absoluteString(), String("http://www.example.org"));
    EXPECT_EQ(links[1].url.absoluteString(), String("http://a.b/c"));
}

TEST_F(TextViewTest, TypingIsOfferedToTheDelegate) {
    m_view->insertText("no focus");
    EXPECT_EQ(m_view->text(), String());
    ASSERT_TRUE(m_view->becomeFirstResponder());
    m_view->insertText("Hi");
    m_view->insertText("!");
    m_view->deleteBackward();
    EXPECT_EQ(m_view->text(), String("H"));
    EXPECT_EQ(m_delegate->changes, 2);
    m_view->setEditable(false);  // ends editing
    EXPECT_FALSE(m_view->isFirstResponder());
}

TEST_F(TextViewTest, ScrollingToTheEndOfALongText) {
    String text;
    for (int i = 0; i < 30; ++i)
        text += String("line\n");
    m_view->setText(text);
    EXPECT_GT(m_view->contentSize().height, 200);
    m_view->scrollRangeToVisible({text.length(), 0});
    EXPECT_NEAR(m_view->contentOffset().y, m_view->contentSize().height - 60, 1);
    const double bottom = m_view->contentOffset().y;
    m_view->scrollRangeToVisible({text.length() - 6, 1});  // already on screen: no move
    EXPECT_EQ(m_view->contentOffset().y, bottom);
    m_view->scrollRangeToVisible({0, 0});
    EXPECT_EQ(m_view->contentOffset().y, 0);
}

}  // namespace
}  // namespace ov::ui
