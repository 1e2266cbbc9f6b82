#pragma once
// Styled text (the platform's NSAttributedString and NSMutableAttributedString): a String with
// attribute dictionaries over ranges of UTF-16 code units, plus measuring.
//
//   ov::ui::MutableAttributedString text("Hello world");
//   text.addAttribute(ov::ui::NSFontAttributeName,
//                     ov::ui::Font::boldSystemFontOfSize(17).toValue(), {0, 5});
//   text.addAttribute(ov::ui::NSForegroundColorAttributeName,
//                     ov::ui::Color::redColor().toValue(), {6, 5});
//   ov::Range run;
//   text.attributesAtIndex(7, &run);      // the colour only; run = {6, 5}
//   text.size();                          // one line, in points
//   text.boundingRectWithSize({100, 1e9}, ov::ui::NSStringDrawingUsesLineFragmentOrigin);
//
// Attribute values are Values: fonts, colours and paragraph styles through their toValue(),
// kerning as a number of points, underline as a number (0 none, 1 single; true counts as
// single), links as a string or URL. The Core Text names (kCTFontAttributeName, ...) are the
// same keys as the UIKit names, so text styled through either is read by both.
//
// Ranges that run past the end are clipped to the text, and a location past the end touches
// nothing (the platform raises instead). Runs with equal attributes next to each other are
// merged, so an effective range is always the longest one.

#include <functional>
#include <optional>
#include <vector>

#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/values/String.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {

inline const String NSFontAttributeName = "NSFont";
inline const String NSForegroundColorAttributeName = "NSColor";
inline const String NSBackgroundColorAttributeName = "NSBackgroundColor";
inline const String NSKernAttributeName = "NSKern";
inline const String NSParagraphStyleAttributeName = "NSParagraphStyle";
inline const String NSUnderlineStyleAttributeName = "NSUnderline";
inline const String NSStrikethroughStyleAttributeName = "NSStrikethrough";
inline const String NSLinkAttributeName = "NSLink";
inline const String kCTFontAttributeName = NSFontAttributeName;
inline const String kCTForegroundColorAttributeName = NSForegroundColorAttributeName;
inline const String kCTKernAttributeName = NSKernAttributeName;
inline const String kCTParagraphStyleAttributeName = NSParagraphStyleAttributeName;
inline const String kCTUnderlineStyleAttributeName = NSUnderlineStyleAttributeName;
// A true number here: draw this text in the colour of the context rather than its own.
inline const String kCTForegroundColorFromContextAttributeName = "CTForegroundColorFromContext";

inline constexpr long NSUnderlineStyleNone = 0;
inline constexpr long NSUnderlineStyleSingle = 1;

// Measuring and drawing options, a bit set.
using StringDrawingOptions = unsigned long;
// Lay the text out in lines within the width, measured from the top of the first line.
// Without it, the text is one line and the rectangle's origin is the baseline's.
inline constexpr StringDrawingOptions NSStringDrawingUsesLineFragmentOrigin = 1 << 0;
// Add the font's leading to each line's height.
inline constexpr StringDrawingOptions NSStringDrawingUsesFontLeading = 1 << 1;
// Shorten the last line that fits with "…" when the text does not fit.
inline constexpr StringDrawingOptions NSStringDrawingTruncatesLastVisibleLine = 1 << 5;

class AttributedString {
  public:
    using AttributesCallback =
        std::function<void(const Dictionary& attributes, Range range, bool& stop)>;
    using AttributeCallback = std::function<void(const Value& value, Range range, bool& stop)>;

    AttributedString() = default;
    explicit AttributedString(const String& string, const Dictionary& attributes = {});

    const String& string() const { return m_string; }
    size_t length() const { return m_string.length(); }

    // The attributes at the index; empty past the end (the range is then {NSNotFound, 0}).
    Dictionary attributesAtIndex(size_t index, Range* effectiveRange = nullptr) const;
    // One attribute; absent where it is not set, with the range where it is not set.
    Value attributeAtIndex(const String& name, size_t index, Range* effectiveRange = nullptr) const;

    // Each run of equal attributes within the range, in order, until `stop` is set.
    void enumerateAttributesInRange(Range range, const AttributesCallback& callback) const;
    // Each run of one attribute's value (absent included) within the range.
    void enumerateAttribute(const String& name, Range range,
                            const AttributeCallback& callback) const;

    AttributedString attributedSubstringFromRange(Range range) const;

    // Same text with the same attributes everywhere.
    friend bool operator==(const AttributedString& left, const AttributedString& right);
    bool isEqualToAttributedString(const AttributedString& other) const { return *this == other; }

    // One line with its attributes, in points (NSAttributedString's size).
    Size size() const;
    // The box the text takes within `limits` (a width or height of 0 or infinity is
    // unlimited). `numberOfLines` 0 means no limit.
    Rect boundingRectWithSize(Size limits, StringDrawingOptions options,
                              size_t numberOfLines = 0) const;

  protected:
    friend class MutableAttributedString;
    struct Run {
        size_t length;
        Dictionary attributes;
    };
    // Clipped to the text.
    Range clipped(Range range) const;
    // Splits runs so that `index` starts one; the index of that run.
    size_t splitAt(size_t index);
    void mergeRuns();

    String m_string;
    std::vector<Run> m_runs;  // lengths add up to the text's length; no empty runs
};

class MutableAttributedString : public AttributedString {
  public:
    MutableAttributedString() = default;
    explicit MutableAttributedString(const String& string, const Dictionary& attributes = {})
        : AttributedString(string, attributes) {}
    explicit MutableAttributedString(const AttributedString& other) : AttributedString(other) {}

    // New text takes the attributes of the first character it replaces, or of the character
    // before it when it replaces none (the one after at the start).
    void replaceCharactersInRange(Range range, const String& string);
    void deleteCharactersInRange(Range range) { replaceCharactersInRange(range, String()); }
    void insertAttributedString(const AttributedString& string, size_t index);
    void appendAttributedString(const AttributedString& string);
    void replaceCharactersInRange(Range range, const AttributedString& string);
    void setAttributedString(const AttributedString& string);

    void setAttributes(const Dictionary& attributes, Range range);
    void addAttribute(const String& name, const Value& value, Range range);
    void addAttributes(const Dictionary& attributes, Range range);
    void removeAttribute(const String& name, Range range);

  private:
    // Applies `change` to the attributes of every run within the range.
    void changeAttributes(Range range, const std::function<void(Dictionary&)>& change);
};

// Plain text with one attribute dictionary.
Size sizeWithAttributes(const String& string, const Dictionary& attributes);
Rect boundingRectWithSize(const String& string, Size limits, StringDrawingOptions options,
                          const Dictionary& attributes);

}  // namespace ov::ui
