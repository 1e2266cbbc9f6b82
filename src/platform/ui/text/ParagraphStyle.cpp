#include "orvane/platform/ui/text/ParagraphStyle.h"

#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {

Value ParagraphStyle::toValue() const {
    return Value(std::make_shared<ParagraphStyleObject>(*this));
}

std::optional<ParagraphStyle> ParagraphStyle::fromValue(const Value& value) {
    const auto object = value.ifObjectOf<ParagraphStyleObject>();
    if (!object) return std::nullopt;
    return object->style();
}

String ParagraphStyleObject::description() const {
    return stringWithFormat(
        "Alignment %ld, LineSpacing %g, ParagraphSpacing %g, FirstLineHeadIndent %g, "
        "HeadIndent %g, LineBreakMode %ld, LineHeightMultiple %g, MaximumLineHeight %g, "
        "MinimumLineHeight %g",
        static_cast<long>(m_style.alignment), m_style.lineSpacing, m_style.paragraphSpacing,
        m_style.firstLineHeadIndent, m_style.headIndent, static_cast<long>(m_style.lineBreakMode),
        m_style.lineHeightMultiple, m_style.maximumLineHeight, m_style.minimumLineHeight);
}

bool ParagraphStyleObject::isEqual(const Object& other) const {
    const auto* style = dynamic_cast<const ParagraphStyleObject*>(&other);
    return style && style->m_style == m_style;
}

}  // namespace ov::ui
