#pragma once
// How the lines of a paragraph are laid out (the platform's NSParagraphStyle): alignment,
// line breaking, spacing and line heights. A plain value; toValue() puts it in an attribute
// dictionary under NSParagraphStyleAttributeName.
//
//   ov::ui::ParagraphStyle style;
//   style.alignment = ov::ui::NSTextAlignmentCenter;
//   style.lineBreakMode = ov::ui::NSLineBreakByTruncatingTail;
//   attributes.setObject(style.toValue(), ov::ui::NSParagraphStyleAttributeName);
//
// Only the paragraph style of a text's first character is used for the whole text, which is
// what single-paragraph labels need.

#include <optional>

#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/String.h"

namespace ov {
class Value;
}

namespace ov::ui {

// The platform label's values.
enum NSTextAlignment : long {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
    NSTextAlignmentJustified = 3,
    NSTextAlignmentNatural = 4,
};

enum NSLineBreakMode : long {
    NSLineBreakByWordWrapping = 0,
    NSLineBreakByCharWrapping = 1,
    NSLineBreakByClipping = 2,
    NSLineBreakByTruncatingHead = 3,
    NSLineBreakByTruncatingTail = 4,
    NSLineBreakByTruncatingMiddle = 5,
};

struct ParagraphStyle {
    NSTextAlignment alignment = NSTextAlignmentNatural;
    NSLineBreakMode lineBreakMode = NSLineBreakByWordWrapping;
    // Points added between lines.
    double lineSpacing = 0;
    // Points; 0 means no limit (the font's line height is used).
    double minimumLineHeight = 0;
    double maximumLineHeight = 0;
    // The font's line height is multiplied by it (0 counts as 1) before the limits apply.
    double lineHeightMultiple = 0;
    double firstLineHeadIndent = 0;
    double headIndent = 0;
    // Points after the paragraph.
    double paragraphSpacing = 0;

    static ParagraphStyle defaultParagraphStyle() { return {}; }

    friend bool operator==(const ParagraphStyle&, const ParagraphStyle&) = default;

    // A Value holding this style (an Object of class "NSParagraphStyle"), and back.
    Value toValue() const;
    static std::optional<ParagraphStyle> fromValue(const Value& value);
};

class ParagraphStyleObject final : public Object {
  public:
    explicit ParagraphStyleObject(const ParagraphStyle& style) : m_style(style) {}
    const ParagraphStyle& style() const { return m_style; }

    String className() const override { return "NSParagraphStyle"; }
    String description() const override;
    bool isEqual(const Object& other) const override;

  private:
    ParagraphStyle m_style;
};

}  // namespace ov::ui
