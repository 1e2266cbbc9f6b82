#pragma once
// Fontconfig is not safe to start from two threads at once, and Pango starts it in a thread of
// its own while the caller goes on making patterns. The platform's font code therefore loads
// fontconfig's configuration itself, once, before Pango makes any font map, and keeps its
// one-off lookups (installed families, metrics) on a single font map behind one lock.

#include <pango/pango.h>

#include <mutex>

namespace ov::ui {

// Call before any Pango font map or context is made on this thread. Thread-safe.
void ensureFontconfigLoaded();

class SharedFontMap {
  public:
    // Runs `use` with the shared map, one caller at a time; the map stays the caller's only
    // for the call.
    template <class Use>
    static auto with(Use use) {
        SharedFontMap& shared = instance();
        std::lock_guard lock(shared.m_mutex);
        return use(shared.m_map);
    }

  private:
    SharedFontMap();
    static SharedFontMap& instance();

    std::mutex m_mutex;
    PangoFontMap* m_map;
};

}  // namespace ov::ui
