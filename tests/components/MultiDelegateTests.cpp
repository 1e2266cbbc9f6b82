#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "orvane/components/AIMultiDelegate.h"
#include "orvane/components/CCMultiDelegate.h"
#include "orvane/platform/ui/views/TextView.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/URLOpenerRecorder.h"

namespace ov {
namespace {

// A listener interface with a message of each answer kind, which says what it implements.
struct Listener {
    explicit Listener(std::string name, std::vector<std::string>* heard = nullptr)
        : name(std::move(name)), heard(heard) {}

    bool respondsToSelector(const String& selector) const {
        return std::find(implemented.begin(), implemented.end(), selector.toUtf8()) !=
               implemented.end();
    }
    void didTap() {
        if (heard) heard->push_back(name);
        if (onTap) onTap();
    }
    std::optional<int> rowHeight() const { return height; }

    std::string name;
    std::vector<std::string>* heard;
    std::vector<std::string> implemented{"didTap:", "rowHeight"};
    std::optional<int> height = 1;
    std::function<void()> onTap;
};

using Delegates = AIMultiDelegate<Listener>;

std::vector<std::string> names(const Delegates& forwarder) {
    std::vector<std::string> result;
    for (const auto& entry : forwarder.delegates()) {
        const auto listener = entry.lock();
        result.push_back(listener ? listener->name : "null");
    }
    return result;
}

bool tap(Delegates& forwarder) {
    return forwarder.forward("didTap:", [](Listener& listener) { listener.didTap(); });
}

TEST(AIMultiDelegate, InsertsBeforeAndAfterOthers) {
    auto a = std::make_shared<Listener>("A");
    auto b = std::make_shared<Listener>("B");
    auto c = std::make_shared<Listener>("C");
    auto d = std::make_shared<Listener>("D");
    auto e = std::make_shared<Listener>("E");
    const Listener absent("X");
    Delegates forwarder({a, c});
    forwarder.addDelegate_afterDelegate(b, a.get());
    EXPECT_EQ(names(forwarder), (std::vector<std::string>{"A", "B", "C"}));
    forwarder.addDelegate_beforeDelegate(d, &absent);
    forwarder.addDelegate_afterDelegate(e, &absent);
    EXPECT_EQ(names(forwarder), (std::vector<std::string>{"E", "A", "B", "C", "D"}));
    forwarder.addDelegate_beforeDelegate(a, c.get());  // a listener may be in twice
    EXPECT_EQ(forwarder.indexOfDelegate(a.get()), 1u);
    EXPECT_EQ(forwarder.indexOfDelegate(&absent), NSNotFound);
    EXPECT_EQ(forwarder.indexOfDelegate(nullptr), NSNotFound);

    forwarder.addDelegate(nullptr);
    forwarder.removeDelegate(a.get());
    EXPECT_EQ(names(forwarder), (std::vector<std::string>{"E", "B", "A", "C", "D"}));
    forwarder.removeAllDelegates();
    EXPECT_TRUE(forwarder.delegates().empty());
}

TEST(AIMultiDelegate, DeliversInOrderAndSkipsDestroyedListeners) {
    std::vector<std::string> heard;
    auto a = std::make_shared<Listener>("A", &heard);
    auto b = std::make_shared<Listener>("B", &heard);
    auto c = std::make_shared<Listener>("C", &heard);
    Delegates forwarder({a, b, a, c});
    EXPECT_TRUE(tap(forwarder));
    EXPECT_EQ(heard, (std::vector<std::string>{"A", "B", "A", "C"}));
    c->height = std::nullopt;  // implemented, but no answer: the last answer given counts
    b->height = 2;
    EXPECT_EQ(forwarder.forward("rowHeight", [](Listener& l) { return l.rowHeight(); }), 1);

    b.reset();
    EXPECT_EQ(names(forwarder), (std::vector<std::string>{"A", "null", "A", "C"}));
    EXPECT_TRUE(forwarder.respondsToSelector("didTap:"));
    heard.clear();
    tap(forwarder);  // the lookup compacts the list
    EXPECT_EQ(heard, (std::vector<std::string>{"A", "A", "C"}));
    EXPECT_EQ(names(forwarder), (std::vector<std::string>{"A", "A", "C"}));

    c.reset();
    forwarder.removeDelegate(nullptr);  // a removal compacts too
    EXPECT_EQ(names(forwarder), (std::vector<std::string>{"A", "A"}));
}

TEST(AIMultiDelegate, ListenersChangedDuringADeliveryCountFromTheNextOne) {
    std::vector<std::string> heard;
    auto a = std::make_shared<Listener>("A", &heard);
    auto b = std::make_shared<Listener>("B", &heard);
    auto c = std::make_shared<Listener>("C", &heard);
    auto late = std::make_shared<Listener>("late", &heard);
    Delegates forwarder({a, b, c});
    bool changed = false;
    a->onTap = [&] {
        if (changed) return;
        changed = true;
        forwarder.addDelegate(late);
        forwarder.removeDelegate(b.get());  // still alive: it gets this message
        c.reset();                          // gone: it does not
    };
    tap(forwarder);
    EXPECT_EQ(heard, (std::vector<std::string>{"A", "B"}));
    heard.clear();
    tap(forwarder);
    EXPECT_EQ(heard, (std::vector<std::string>{"A", "late"}));
}

TEST(AIMultiDelegate, SilentWhenEmptyDecidesWhatAnUntakenMessageDoes) {
    Delegates forwarder;
    EXPECT_TRUE(forwarder.silentWhenEmpty());
    EXPECT_FALSE(tap(forwarder));
    EXPECT_TRUE(forwarder.respondsToSelector("addDelegate:"));
    EXPECT_FALSE(forwarder.respondsToSelector("didTap:"));

    forwarder.setSilentWhenEmpty(false);
    SystemLogCapture log;
    try {
        tap(forwarder);
        ADD_FAILURE() << "an untaken message must not pass silently";
    } catch (const UnrecognizedSelectorException& error) {
        EXPECT_EQ(error.name(), NSInvalidArgumentException);
        EXPECT_EQ(error.selector(), String("didTap:"));
        EXPECT_EQ(std::string(error.what())
                      .rfind("-[AIMultiDelegate didTap:]: unrecognized "
                             "selector sent to instance 0x",
                             0),
                  0u);
        EXPECT_EQ(log.entries(), std::vector<std::string>{error.what()});
    }

    // A listener that answers nothing has not taken the message.
    auto quiet = std::make_shared<Listener>("Q");
    quiet->height = std::nullopt;
    forwarder.addDelegate(quiet);
    const auto height = [](Listener& l) { return l.rowHeight(); };
    EXPECT_THROW(forwarder.forward("rowHeight", height), UnrecognizedSelectorException);
    forwarder.setSilentWhenEmpty(true);
    EXPECT_FALSE(forwarder.forward("rowHeight", height));
    // Listeners are there but none implements it: no signature, whatever the setting.
    quiet->implemented = {"didTap:"};
    EXPECT_FALSE(forwarder.respondsToSelector("rowHeight"));
    EXPECT_THROW(forwarder.forward("rowHeight", height), UnrecognizedSelectorException);
}

// The fan-out adapter of the header's example, on a real text view.
class LinkListeners : public ui::TextViewDelegate {
  public:
    using ui::TextViewDelegate::textView;
    std::optional<bool> textView(ui::TextView& view, const URL& url, Range range,
                                 ui::UITextItemInteraction how) override {
        return listeners.forward(
            "textView:shouldInteractWithURL:inRange:interaction:",
            [&](ui::TextViewDelegate& d) { return d.textView(view, url, range, how); });
    }
    AIMultiDelegate<ui::TextViewDelegate> listeners;
};

class LinkGate : public ui::TextViewDelegate {
  public:
    explicit LinkGate(std::optional<bool> answer) : answer(answer) {}
    using ui::TextViewDelegate::textView;
    std::optional<bool> textView(ui::TextView&, const URL&, Range,
                                 ui::UITextItemInteraction) override {
        ++asked;
        return answer;
    }
    std::optional<bool> answer;
    int asked = 0;
};

TEST(AIMultiDelegate, FansATextViewDelegateOutToEveryListener) {
    test::URLOpenerRecorder opener;
    ui::MutableAttributedString text(String("Read the terms"));
    text.addAttribute(ui::NSLinkAttributeName, Value(String("https://example.com/tos")), {9, 5});
    auto view = std::make_shared<ui::TextView>(ui::Rect{0, 0, 200, 60});
    view->setAttributedText(ui::AttributedString(text));
    auto fan = std::make_shared<LinkListeners>();
    view->setDelegate(fan);

    auto no = std::make_shared<LinkGate>(false);
    auto undecided = std::make_shared<LinkGate>(std::nullopt);
    fan->listeners.addDelegate(no);
    fan->listeners.addDelegate(undecided);
    EXPECT_FALSE(view->interactWithLinkAtIndex(10));
    auto yes = std::make_shared<LinkGate>(true);
    fan->listeners.addDelegate_beforeDelegate(yes, undecided.get());
    EXPECT_TRUE(view->interactWithLinkAtIndex(10));  // the last answer decides
    EXPECT_EQ(no->asked + undecided->asked + yes->asked, 5);
    EXPECT_EQ(opener.opened(), std::vector<std::string>{"https://example.com/tos"});
}

TEST(CCMultiDelegate, KeepsAStrongSetAndForwardsToIt) {
    std::vector<std::string> heard;
    CCMultiDelegate<Listener> forwarder({std::make_shared<Listener>("A", &heard)});
    auto b = std::make_shared<Listener>("B", &heard);
    b->implemented = {"didTap:"};
    forwarder.addDelegates({b, b});
    EXPECT_EQ(forwarder.delegates().size(), 2u);
    EXPECT_EQ(forwarder.indexOfDelegate(b.get()), 1u);
    EXPECT_TRUE(forwarder.respondsToSelector("rowHeight"));

    forwarder.forward("didTap:", [](Listener& l) { l.didTap(); });
    EXPECT_EQ(heard, (std::vector<std::string>{"A", "B"}));
    forwarder.removeDelegates({forwarder.delegates()[0]});
    EXPECT_FALSE(forwarder.respondsToSelector("rowHeight"));
    EXPECT_THROW(forwarder.forward("rowHeight", [](Listener& l) { return l.rowHeight(); }),
                 UnrecognizedSelectorException);

    forwarder.removeDelegate(b.get());
    EXPECT_EQ(forwarder.indexOfDelegate(b.get()), NSNotFound);
    EXPECT_FALSE(forwarder.forward("didTap:", [](Listener& l) { l.didTap(); }));
    forwarder.setSilentWhenEmpty(false);
    EXPECT_THROW(forwarder.forward("didTap:", [](Listener& l) { l.didTap(); }),
                 UnrecognizedSelectorException);
}

TEST(CCMultiDelegate, ThreadedChangesAndDeliveriesDoNotCollide) {
    CCMultiDelegate<Listener> forwarder;
    std::atomic<int> delivered = 0;
    std::vector<std::thread> threads;
    for (int worker = 0; worker < 3; ++worker) {
        threads.emplace_back([&, worker] {
            for (int round = 0; round < 200; ++round) {
                auto listener = std::make_shared<Listener>(std::to_string(worker));
                forwarder.addDelegate(listener);
                forwarder.addDelegates({listener});
                forwarder.forward("didTap:", [&](Listener&) { ++delivered; });
                if (round % 2)
                    forwarder.removeDelegate(listener.get());
                else
                    forwarder.removeDelegates({listener});
            }
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_TRUE(forwarder.delegates().empty());
    EXPECT_GE(delivered.load(), 600);
}

}  // namespace
}  // namespace ov
