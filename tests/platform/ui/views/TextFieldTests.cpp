#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/TextField.h"

namespace ov::ui {
namespace {

// Vetoes changes that would put a digit in, and answers the other questions as told.
class DigitsForbidden : public TextFieldDelegate {
  public:
    std::optional<bool> textField(TextField&, Range range, const String& replacement) override {
        asked.push_back(range);
        for (const char16_t unit : replacement.utf16()) {
            if (unit >= u'0' && unit <= u'9') return false;
        }
        return true;
    }
    std::optional<bool> textFieldShouldReturn(TextField&) override { return allowReturn; }
    std::optional<bool> textFieldShouldEndEditing(TextField&) override { return allowEnd; }
    std::optional<bool> textFieldShouldClear(TextField&) override { return allowClear; }

    std::vector<Range> asked;
    std::optional<bool> allowReturn;
    std::optional<bool> allowEnd;
    std::optional<bool> allowClear;
};

class TextFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_field->setDelegate(m_delegate);
        m_field->addAction([this](Control&) { m_events.push_back("changed"); },
                           UIControlEventEditingChanged);
        m_field->addAction([this](Control&) { m_events.push_back("begin"); },
                           UIControlEventEditingDidBegin);
        m_field->addAction([this](Control&) { m_events.push_back("end"); },
                           UIControlEventEditingDidEnd);
        m_field->addAction([this](Control&) { m_events.push_back("return"); },
                           UIControlEventEditingDidEndOnExit);
    }
    void TearDown() override {
        endEditing(*m_field, true);
        RunLoop::main().runPending();
    }

    std::shared_ptr<TextField> m_field = std::make_shared<TextField>(Rect{0, 0, 200, 30});
    std::shared_ptr<DigitsForbidden> m_delegate = std::make_shared<DigitsForbidden>();
    std::vector<std::string> m_events;
};

TEST_F(TextFieldTest, TypingNeedsFocusAndTheDelegateMayVetoEachChange) {
    m_field->insertText("ignored");
    EXPECT_EQ(m_field->text(), String());

    ASSERT_TRUE(m_field->becomeFirstResponder());
    m_field->insertText("abc");
    m_field->insertText("4");
    EXPECT_EQ(m_field->text(), String("abc"));
    EXPECT_EQ(m_delegate->asked, (std::vector<Range>{{0, 0}, {3, 0}}));
    m_field->insertText("\U0001F600");
    m_field->deleteBackward();  // the whole surrogate pair goes
    EXPECT_EQ(m_field->text(), String("abc"));
    EXPECT_EQ(m_delegate->asked.back(), (Range{3, 2}));
    EXPECT_EQ(m_events, (std::vector<std::string>{"begin", "changed", "changed", "changed"}));

    // Code sets text without asking or telling anyone.
    m_field->setText("x9");
    EXPECT_EQ(m_field->text(), String("x9"));
    EXPECT_EQ(m_events.size(), 4u);
}

TEST_F(TextFieldTest, ReturnKeyAsksTheDelegate) {
    m_field->becomeFirstResponder();
    m_delegate->allowReturn = false;
    m_field->insertText("\n");
    m_delegate->allowReturn = std::nullopt;  // not implemented counts as yes
    m_field->insertText("\n");
    EXPECT_EQ(m_events, (std::vector<std::string>{"begin", "return"}));
    EXPECT_EQ(m_field->text(), String());
}

TEST_F(TextFieldTest, OneFirstResponderAtATime) {
    auto other = std::make_shared<TextField>();
    auto screen = std::make_shared<View>();
    screen->addSubview(m_field);
    ASSERT_TRUE(m_field->becomeFirstResponder());
    EXPECT_TRUE(m_field->isEditing());

    m_delegate->allowEnd = false;  // the focused field will not let go
    EXPECT_FALSE(other->becomeFirstResponder());
    EXPECT_FALSE(endEditing(*screen, false));
    EXPECT_TRUE(m_field->isFirstResponder());

    m_delegate->allowEnd = true;
    EXPECT_TRUE(other->becomeFirstResponder());
    EXPECT_FALSE(m_field->isEditing());
    EXPECT_EQ(m_events, (std::vector<std::string>{"begin", "end"}));
    // endEditing only reaches responders inside the view it is given.
    EXPECT_TRUE(endEditing(*screen, false));
    EXPECT_TRUE(other->isFirstResponder());
    endEditing(*other, true);
    EXPECT_EQ(FirstResponder::current(), nullptr);
}

TEST_F(TextFieldTest, TapBeginsEditingUnlessDisabled) {
    m_field->setEnabled(false);
    m_field->simulateTap();
    EXPECT_FALSE(m_field->isEditing());
    m_field->setEnabled(true);
    m_field->simulateTap();
    EXPECT_TRUE(m_field->isEditing());
}

TEST_F(TextFieldTest, ClearButtonShowsWithTextAndClearsThroughTheDelegate) {
    EXPECT_EQ(m_field->clearButton(), nullptr);
    m_field->setClearButtonMode(UITextFieldViewModeWhileEditing);
    ASSERT_NE(m_field->clearButton(), nullptr);
    EXPECT_EQ(m_field->clearButton()->superview(), m_field.get());

    m_field->becomeFirstResponder();
    m_field->layoutIfNeeded();
    EXPECT_TRUE(m_field->clearButton()->isHidden());  // no text yet
    m_field->insertText("abc");
    m_field->layoutIfNeeded();
    EXPECT_FALSE(m_field->clearButton()->isHidden());
    EXPECT_LE(m_field->textRectForBounds(m_field->bounds()).maxX(),
              m_field->clearButton()->frame().minX());

    m_delegate->allowClear = false;
    m_field->clearButton()->simulateTap();
    EXPECT_EQ(m_field->text(), String("abc"));
    m_delegate->allowClear = true;
    m_field->clearButton()->simulateTap();
    EXPECT_EQ(m_field->text(), String());
}

TEST_F(TextFieldTest, SideViewsTakeRoomFromTheText) {
    auto icon = std::make_shared<View>(Rect{0, 0, 20, 20});
    m_field->setBorderStyle(UITextBorderStyleRoundedRect);
    const Rect plain = m_field->textRectForBounds(m_field->bounds());
    m_field->setLeftView(icon);
    EXPECT_EQ(m_field->textRectForBounds(m_field->bounds()), plain);  // mode Never
    m_field->setLeftViewMode(UITextFieldViewModeAlways);
    m_field->layoutIfNeeded();
    EXPECT_EQ(icon->frame(), (Rect{0, 5, 20, 20}));
    EXPECT_EQ(m_field->textRectForBounds(m_field->bounds()).minX(), 20);
}

}  // namespace
}  // namespace ov::ui
