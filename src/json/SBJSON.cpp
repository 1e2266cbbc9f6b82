#include "orvane/json/SBJSON.h"

namespace ov {

SBJSON::SBJSON() {
    setMaxDepth(kDefaultMaxDepth);
}

SBJSON::~SBJSON() = default;

void SBJSON::setMaxDepth(uint64_t maxDepth) {
    m_jsonParser.setMaxDepth(maxDepth);
    m_jsonWriter.setMaxDepth(maxDepth);
}

std::optional<String> SBJSON::stringWithObject(const Value& value) {
    return stringWithObject(value, false, nullptr);
}

std::optional<String> SBJSON::stringWithObject(const Value& value, bool allowScalar,
                                               std::optional<Error>* error) {
    auto text =
        allowScalar ? m_jsonWriter.stringWithFragment(value) : m_jsonWriter.stringWithObject(value);
    if (!text) takeFailure(m_jsonWriter, error);
    return text;
}

std::optional<String> SBJSON::stringWithFragment(const Value& value, std::optional<Error>* error) {
    return stringWithObject(value, true, error);
}

std::optional<String> SBJSON::stringWithObject(const Value& value, std::optional<Error>* error) {
    return stringWithObject(value, false, error);
}

Value SBJSON::objectWithString(const std::optional<String>& text) {
    return objectWithString(text, false, nullptr);
}

Value SBJSON::objectWithString(const std::optional<String>& text, bool allowScalar,
                               std::optional<Error>* error) {
    Value value =
        allowScalar ? m_jsonParser.fragmentWithString(text) : m_jsonParser.objectWithString(text);
    if (value.isAbsent()) takeFailure(m_jsonParser, error);
    return value;
}

Value SBJSON::fragmentWithString(const std::optional<String>& text, std::optional<Error>* error) {
    return objectWithString(text, true, error);
}

Value SBJSON::objectWithString(const std::optional<String>& text, std::optional<Error>* error) {
    return objectWithString(text, false, error);
}

void SBJSON::takeFailure(const SBJsonBase& inner, std::optional<Error>* error) {
    setErrorTrace(inner.errorTrace());
    if (error && errorTrace() && !errorTrace()->empty()) *error = errorTrace()->back();
}

}  // namespace ov
