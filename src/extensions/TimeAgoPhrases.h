#pragma once
// Internal: the relative-time phrase table as one call of NSDate+TimeAgo sees it.
//
// The plural marker follows the table actually read, not the first preferred language alone:
// Russian keys are asked for exactly when the Russian table answers them, so "ru-RU" or a
// Russian second choice gets Russian plurals, and a missing bundle never shows a marker.

#include <memory>

#include "orvane/platform/files/Bundle.h"

namespace ov::time_ago {

class PhraseTable {
  public:
    // NSDateTimeAgo.bundle inside the framework bundle, with the current preferred languages.
    static PhraseTable current();
    // A null bundle translates nothing: every key stands for itself, without markers.
    explicit PhraseTable(std::shared_ptr<Bundle> bundle);

    String marker(double value) const;
    String phrase(const String& key) const;
    // "%%d %@minutes ago" with its marker, looked up, then with `value` in place of %d.
    String fill(const String& format, long value) const;

  private:
    std::shared_ptr<Bundle> m_bundle;
    bool m_russian = false;
};

// "" for 0 and 5 to 20 (and 111 to 114), "_" for 2 to 4 and 22 to 24, "__" for 1, 21, 101.
String russianPluralMarker(double value);

}  // namespace ov::time_ago
