#include "orvane/components/TOSPPTextView.h"

#include "orvane/components/NSMutableAttributedString+Color.h"
#include "orvane/extensions/NSString+NSString.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/network/URL.h"
#include "orvane/platform/text/StringTransforms.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"
#include "orvane/platform/values/Format.h"

namespace ov {

namespace {

namespace styled = NSMutableAttributedString_Color;

String localized(const char* key) {
    return Bundle::mainBundle()->localizedStringForKey(String(key), String(), std::nullopt);
}

// The texts are the host's, so a format is read as data: a missing argument or a stray
// conversion prints harmlessly.
template <class... Arguments>
String formatted(const char* key, const Arguments&... arguments) {
    return stringWithFormat(localized(key).toUtf8(), arguments...);
}

// Sentences after the title: each but the first after a space, each followed by a full stop
// unless it is white space only and not the last. First and last are told by value.
String joinedSentences(const std::vector<String>& sentences) {
    String text;
    for (const String& sentence : sentences) {
        if (sentence != sentences.front()) text += " ";
        text += sentence;
        if (!NSString_NSString::containOnlyWhitespaces(sentence) || sentence == sentences.back())
            text += ".";
    }
    return text;
}

// A link to `address` in the grey of links, at the first exact occurrence of `word`.
void addLink(ui::MutableAttributedString& text, const String& word, const String& address) {
    const Range range = text.string().rangeOfString(word);
    if (word.isEmpty() || range.location == NSNotFound) return;
    if (const auto url = URL::withString(address))
        text.addAttribute(ui::NSLinkAttributeName, Value(url->absoluteString()), range);
    text.addAttribute(ui::NSForegroundColorAttributeName, ui::Color::grayColor().toValue(), range);
}

}  // namespace

TOSPPTextView::TOSPPTextView(const ui::Rect& frame) : ui::TextView(frame) {
    awakeFromNib();
}

void TOSPPTextView::awakeFromNib() {
    setEditable(false);
    setup();
}

void TOSPPTextView::setPp_url(const std::optional<String>& url) {
    m_pp_url = url;
    setup();
}

void TOSPPTextView::setTos_url(const std::optional<String>& url) {
    m_tos_url = url;
    setup();
}

void TOSPPTextView::setChargePeriod(unsigned long hours) {
    m_chargePeriod = hours;
    setup();
}

void TOSPPTextView::setProducts(const Array&) {
    setup();
}

bool TOSPPTextView::empty(const std::optional<String>& text) {
    return !text || text->isEmpty();
}

void TOSPPTextView::setup() {
    setSelectable(true);
    // Setting the period builds the text itself.
    if (m_chargePeriod == 0) return setChargePeriod(24);
    setAttributedText(buildText());
}

ui::AttributedString TOSPPTextView::buildText() const {
    const bool hasPrivacy = !empty(m_pp_url);
    const bool hasTerms = !empty(m_tos_url);
    const String title = localized("pptos.title");
    const String termsWord = capitalizedString(localized("tos"));
    const String privacyWord = capitalizedString(localized("privacy.policy"));

    std::vector<String> sentences{
        localized("pptos.part1.0"), formatted("pptos.part1", m_chargePeriod),
        localized("pptos.part2"), localized("pptos.part2.1"), localized("pptos.part2.2")};
    if (hasTerms && hasPrivacy)
        sentences.push_back(formatted("pptos.part3.1.2", termsWord, privacyWord));
    else if (hasPrivacy || hasTerms)
        sentences.push_back(formatted("pptos.part3.1", hasPrivacy ? privacyWord : termsWord));

    ui::ParagraphStyle centred;
    centred.alignment = ui::NSTextAlignmentCenter;
    Dictionary attributes;
    attributes.setObject(centred.toValue(), ui::NSParagraphStyleAttributeName);
    attributes.setObject(ui::Color::lightGrayColor().toValue(), ui::NSForegroundColorAttributeName);
    ui::MutableAttributedString text(title + "\n" + joinedSentences(sentences), attributes);

    if (hasPrivacy) addLink(text, privacyWord, *m_pp_url);
    if (hasTerms) addLink(text, termsWord, *m_tos_url);
    styled::setRegularForText(text, title, ui::Font::systemFontOfSize(13));
    styled::setColorForText(text, termsWord, ui::Color::lightGrayColor());
    styled::setColorForText(text, privacyWord, ui::Color::lightGrayColor());
    return text;
}

}  // namespace ov
