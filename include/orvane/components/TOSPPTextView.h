#pragma once
// The subscription terms under an offer: a centred block of small grey text read from the
// main bundle's Localizable table, with the charge period filled in, ending with a sentence
// that links to the terms of use and the privacy policy when their addresses are set.
//
//   auto terms = std::make_shared<ov::TOSPPTextView>(ov::ui::Rect{0, 0, 300, 160});
//   terms->setChargePeriod(168);                          // "... every 168 hours ..."
//   terms->setTos_url(ov::String("https://example.com/terms"));
//   terms->setPp_url(ov::String("https://example.com/privacy"));
//
// The keys: "pptos.title", "pptos.part1.0", "pptos.part1" (a format taking the period as
// "%lu"), "pptos.part2", "pptos.part2.1", "pptos.part2.2", "tos", "privacy.policy",
// "pptos.part3.1.2" (a format taking the two link words as "%@") and "pptos.part3.1" (one).
// Read-only and selectable; a tap on a link opens it. Main thread only.

#include <optional>
#include <vector>

#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/views/TextView.h"
#include "orvane/platform/values/Value.h"

namespace ov {

class TOSPPTextView : public ui::TextView, public ui::TextViewDelegate {
  public:
    // Runs awakeFromNib, as a view loaded from an interface file would.
    explicit TOSPPTextView(const ui::Rect& frame = {});

    // Not editable, then setup.
    void awakeFromNib();
    // Builds the text again from the table and the fields.
    void setup();
    // Rebuilds, as on the platform; nothing here calls it on its own.
    void viewWillLayoutSubviews() { setup(); }

    const std::optional<String>& pp_url() const { return m_pp_url; }
    void setPp_url(const std::optional<String>& url);
    const std::optional<String>& tos_url() const { return m_tos_url; }
    void setTos_url(const std::optional<String>& url);
    // Hours; 0 means unset, which the text shows as 24.
    unsigned long chargePeriod() const { return m_chargePeriod; }
    void setChargePeriod(unsigned long hours);
    // The products on offer; the text does not mention them, it is only built again.
    void setProducts(const Array& products);

    // True for an absent text or "".
    static bool empty(const std::optional<String>& text);

    // Every link may be used.
    using ui::TextViewDelegate::textView;
    std::optional<bool> textView(ui::TextView&, const URL&, Range,
                                 ui::UITextItemInteraction) override {
        return true;
    }

  private:
    ui::AttributedString buildText() const;

    std::optional<String> m_pp_url;
    std::optional<String> m_tos_url;
    unsigned long m_chargePeriod = 0;
};

}  // namespace ov
