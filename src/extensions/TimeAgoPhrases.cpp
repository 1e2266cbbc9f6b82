#include "extensions/TimeAgoPhrases.h"

#include <cmath>

#include "orvane/core/OVClient.h"
#include "orvane/platform/values/Format.h"

namespace ov::time_ago {
namespace {

constexpr const char* kBundleName = "NSDateTimeAgo.bundle";
constexpr const char* kTable = "NSDateTimeAgo";
constexpr const char* kRussian = "ru";

std::shared_ptr<Bundle> phraseBundle() {
    const auto framework = OVClient::frameworkBundle();
    if (!framework) return nullptr;
    return Bundle::bundleWithPath(framework->resourcePath() + "/" + kBundleName);
}

bool readsRussian(const Bundle* bundle) {
    if (!bundle) return false;
    const auto localizations = bundle->preferredLocalizations();
    return !localizations.empty() && localizations.front() == String(kRussian);
}

}  // namespace

PhraseTable PhraseTable::current() {
    return PhraseTable(phraseBundle());
}

PhraseTable::PhraseTable(std::shared_ptr<Bundle> bundle)
    : m_bundle(std::move(bundle)), m_russian(readsRussian(m_bundle.get())) {}

String PhraseTable::marker(double value) const {
    return m_russian ? russianPluralMarker(value) : String();
}

String PhraseTable::phrase(const String& key) const {
    if (!m_bundle) return key;
    return m_bundle->localizedStringForKey(key, String(), String(kTable));
}

String PhraseTable::fill(const String& format, long value) const {
    const String key = stringWithFormat(format.toUtf8(), marker(static_cast<double>(value)));
    return stringWithFormat(phrase(key).toUtf8(), value);
}

String russianPluralMarker(double value) {
    // fmod keeps huge and non-finite values defined; they fall through to "".
    const double whole = std::floor(value);
    const double units = std::fmod(whole, 10.0);
    const double tens = std::fmod(whole, 100.0);
    if (units == 0 || units > 4 || (tens > 10 && tens < 15)) return String();
    if (units > 1 && units < 5 && (tens < 10 || tens > 20)) return String("_");
    if (units == 1 && tens != 11) return String("__");
    return String();
}

}  // namespace ov::time_ago
