#include "orvane/platform/text/TextSegmentation.h"

#include <unicode/brkiter.h>
#include <unicode/utext.h>

#include <memory>

namespace ov {
namespace {

// Opening an iterator loads the rules; each thread keeps one and resets its text.
icu::BreakIterator* characterIterator() {
    thread_local std::unique_ptr<icu::BreakIterator> iterator = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> made(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        return U_SUCCESS(status) ? std::move(made) : nullptr;
    }();
    return iterator.get();
}

// Without ICU's rules every code unit stands alone, so callers still see the whole text.
std::vector<Range> singleUnits(const String& text) {
    std::vector<Range> ranges;
    for (size_t index = 0; index < text.length(); ++index)
        ranges.push_back({index, 1});
    return ranges;
}

}  // namespace

std::vector<Range> composedCharacterRanges(const String& text) {
    icu::BreakIterator* iterator = characterIterator();
    if (!iterator) return singleUnits(text);
    UErrorCode status = U_ZERO_ERROR;
    UText* utext = utext_openUChars(nullptr, text.utf16().data(),
                                    static_cast<int64_t>(text.length()), &status);
    iterator->setText(utext, status);
    std::vector<Range> ranges;
    if (U_SUCCESS(status)) {
        int32_t start = iterator->first();
        for (int32_t end = iterator->next(); end != icu::BreakIterator::DONE;
             start = end, end = iterator->next())
            ranges.push_back({static_cast<uint64_t>(start), static_cast<uint64_t>(end - start)});
    }
    utext_close(utext);
    return U_SUCCESS(status) ? ranges : singleUnits(text);
}

}  // namespace ov
