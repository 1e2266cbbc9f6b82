#pragma once
// ICU regular expressions with the platform's matching semantics. Compiled patterns are shared
// and cached, so a fixed pattern used on every call is compiled once per process.
//
//   auto digits = ov::RegularExpression::cached("[0-9]+");
//   if (digits) {
//       digits.value().matchesWholeText("2024");          // true ("SELF MATCHES")
//       digits.value().numberOfMatches("a1b22c333");      // 3
//   }
//   ov::RegularExpression::cached("(");                   // failure: invalid pattern
//
// A match that exceeds the engine's step budget (a pathological pattern on a long text) counts
// as no match, so no input can hang the caller.

#include <cstdint>
#include <memory>

#include "orvane/platform/values/Result.h"
#include "orvane/platform/values/String.h"

namespace ov {

class RegularExpression {
  public:
    enum class Options { None, CaseInsensitive };

    // Compiles afresh.
    static Result<RegularExpression> withPattern(const String& pattern,
                                                 Options options = Options::None);
    // Thread-safe; the same pattern and options give the same compiled expression. Meant for
    // the fixed patterns of the code: the cache is never pruned.
    static Result<RegularExpression> cached(const String& pattern, Options options = Options::None);

    // The pattern must match the whole text.
    bool matchesWholeText(const String& text) const;
    // Non-overlapping matches over the whole text.
    uint64_t numberOfMatches(const String& text) const;
    // {NSNotFound, 0} when there is no match.
    Range rangeOfFirstMatch(const String& text) const;
    // Every match replaced by `replacement`, where $n refers to group n.
    String stringByReplacingMatches(const String& text, const String& replacement) const;

  private:
    struct Compiled;
    explicit RegularExpression(std::shared_ptr<const Compiled> compiled)
        : m_compiled(std::move(compiled)) {}

    std::shared_ptr<const Compiled> m_compiled;
};

}  // namespace ov
