#include "orvane/platform/text/StringTransforms.h"

#include <unicode/casemap.h>
#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace ov {
namespace {

using CaseFunction = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

// Runs an ICU preflighting case function: the first call measures, the second writes.
template <class Function>
String mapCaseWith(const String& text, Function function) {
    const auto& source = text.utf16();
    const auto length = static_cast<int32_t>(source.size());
    UErrorCode status = U_ZERO_ERROR;
    const int32_t needed = function(nullptr, 0, source.data(), length, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status)) return text;
    std::u16string out(static_cast<size_t>(needed), u'\0');
    status = U_ZERO_ERROR;
    function(out.data(), needed, source.data(), length, &status);
    return U_SUCCESS(status) ? String(std::move(out)) : text;
}

String mapCase(const String& text, CaseFunction function) {
    return mapCaseWith(text, [function](UChar* out, int32_t capacity, const UChar* in,
                                        int32_t length, UErrorCode* status) {
        return function(out, capacity, in, length, "", status);
    });
}

String titleCaseWord(const String& word) {
    return mapCaseWith(word, [](UChar* out, int32_t capacity, const UChar* in, int32_t length,
                                UErrorCode* status) {
        return icu::CaseMap::toTitle("", U_TITLECASE_WHOLE_STRING | U_TITLECASE_NO_BREAK_ADJUSTMENT,
                                     nullptr, in, length, out, capacity, nullptr, *status);
    });
}

// Calls visit(start, end, codePoint) for every code point of the text.
template <class Visit>
void forEachCodePoint(std::u16string_view units, Visit visit) {
    const auto length = static_cast<int32_t>(units.size());
    for (int32_t index = 0; index < length;) {
        const int32_t start = index;
        UChar32 codePoint;
        U16_NEXT(units.data(), index, length, codePoint);
        visit(static_cast<size_t>(start), static_cast<size_t>(index),
              static_cast<char32_t>(codePoint));
    }
}

bool isWordSeparator(char32_t codePoint) {
    return u_isUWhiteSpace(static_cast<UChar32>(codePoint));
}

}  // namespace

String uppercaseString(const String& text) {
    return mapCase(text, &u_strToUpper);
}

String lowercaseString(const String& text) {
    return mapCase(text, &u_strToLower);
}

String caseFoldedString(const String& text) {
    return mapCaseWith(text, [](UChar* out, int32_t capacity, const UChar* in, int32_t length,
                                UErrorCode* status) {
        return u_strFoldCase(out, capacity, in, length, U_FOLD_CASE_DEFAULT, status);
    });
}

String capitalizedString(const String& text) {
    const std::u16string_view units = text.utf16();
    String out;
    size_t wordStart = 0;
    auto flushWord = [&](size_t end) {
        if (end > wordStart) out += titleCaseWord(text.substring(wordStart, end - wordStart));
    };
    forEachCodePoint(units, [&](size_t start, size_t end, char32_t codePoint) {
        if (!isWordSeparator(codePoint)) return;
        flushWord(start);
        out += text.substring(start, end - start);
        wordStart = end;
    });
    flushWord(units.size());
    return out;
}

String stringByTrimmingCharactersInSet(const String& text, const CharacterSet& set) {
    size_t first = text.length();
    size_t last = 0;
    forEachCodePoint(text.utf16(), [&](size_t start, size_t end, char32_t codePoint) {
        if (set.contains(codePoint)) return;
        if (first == text.length()) first = start;
        last = end;
    });
    return first < last ? text.substring(first, last - first) : String();
}

String stringByRemovingCharactersInSet(const String& text, const CharacterSet& set) {
    String out;
    for (const String& piece : componentsSeparatedByCharactersInSet(text, set))
        out += piece;
    return out;
}

std::vector<String> componentsSeparatedByCharactersInSet(const String& text,
                                                         const CharacterSet& set) {
    std::vector<String> pieces;
    size_t pieceStart = 0;
    forEachCodePoint(text.utf16(), [&](size_t start, size_t end, char32_t codePoint) {
        if (!set.contains(codePoint)) return;
        pieces.push_back(text.substring(pieceStart, start - pieceStart));
        pieceStart = end;
    });
    pieces.push_back(text.substringFromIndex(pieceStart));
    return pieces;
}

std::vector<String> componentsSeparatedByString(const String& text, const String& separator) {
    if (separator.isEmpty()) return {text};
    const std::u16string_view units = text.utf16();
    std::vector<String> pieces;
    size_t pieceStart = 0;
    for (size_t found = units.find(separator.utf16()); found != std::u16string::npos;
         found = units.find(separator.utf16(), pieceStart)) {
        pieces.push_back(text.substring(pieceStart, found - pieceStart));
        pieceStart = found + separator.length();
    }
    pieces.push_back(text.substringFromIndex(pieceStart));
    return pieces;
}

String stringByReplacingOccurrencesOfString(const String& text, const String& target,
                                            const String& replacement) {
    if (target.isEmpty()) return text;
    const std::vector<String> pieces = componentsSeparatedByString(text, target);
    String out = pieces.front();
    for (size_t index = 1; index < pieces.size(); ++index)
        out += replacement + pieces[index];
    return out;
}

}  // namespace ov
