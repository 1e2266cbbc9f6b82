#pragma once
// The JSON facade callers hold: one parser and one writer with shared settings. When a call
// fails, the facade keeps a copy of the inner object's trace (a later success leaves it), and
// the forms with an error parameter also hand back the trace's last error, which carries the
// whole chain under NSUnderlyingErrorKey.
//
//   ov::SBJSON json;
//   std::optional<ov::Error> error;
//   ov::Value reply = json.objectWithString(text, &error);
//   if (reply.isAbsent()) ov::systemLog("%@", error->localizedDescription());
//   json.setHumanReadable(true);
//   std::optional<ov::String> pretty = json.stringWithObject(reply);

#include "orvane/json/SBJsonParser.h"
#include "orvane/json/SBJsonWriter.h"

namespace ov {

class SBJSON : public SBJsonBase {
  public:
    SBJSON();
    ~SBJSON() override;

    std::optional<String> stringWithObject(const Value& value);
    // The writer's stringWithFragment when allowScalar is true, else its stringWithObject.
    std::optional<String> stringWithObject(const Value& value, bool allowScalar,
                                           std::optional<Error>* error);
    std::optional<String> stringWithFragment(const Value& value, std::optional<Error>* error);
    std::optional<String> stringWithObject(const Value& value, std::optional<Error>* error);

    Value objectWithString(const std::optional<String>& text);
    // The parser's fragmentWithString when allowScalar is true, else its objectWithString.
    Value objectWithString(const std::optional<String>& text, bool allowScalar,
                           std::optional<Error>* error);
    Value fragmentWithString(const std::optional<String>& text, std::optional<Error>* error);
    Value objectWithString(const std::optional<String>& text, std::optional<Error>* error);

    // The parser's limit; setting it sets the writer's too.
    uint64_t maxDepth() const override { return m_jsonParser.maxDepth(); }
    void setMaxDepth(uint64_t maxDepth) override;

    bool humanReadable() const { return m_jsonWriter.humanReadable(); }
    void setHumanReadable(bool humanReadable) { m_jsonWriter.setHumanReadable(humanReadable); }
    bool sortKeys() const { return m_jsonWriter.sortKeys(); }
    void setSortKeys(bool sortKeys) { m_jsonWriter.setSortKeys(sortKeys); }

  private:
    // On failure: copies the inner trace and hands its last error to `error`.
    void takeFailure(const SBJsonBase& inner, std::optional<Error>* error);

    SBJsonParser m_jsonParser;
    SBJsonWriter m_jsonWriter;
};

}  // namespace ov
