#include "orvane/platform/values/ArchivableObject.h"

#include <mutex>
#include <unordered_map>

namespace ov {
namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<String, ArchivableObject::Factory> factories;
};

// Never destroyed: classes register from static initialisers of any translation unit.
Registry& registry() {
    static auto* instance = new Registry;
    return *instance;
}

}  // namespace

std::vector<String> ArchivableObject::classHierarchy() const {
    return {className(), "NSObject"};
}

bool ArchivableObject::registerClass(const String& className, Factory factory) {
    std::lock_guard lock(registry().mutex);
    registry().factories[className] = std::move(factory);
    return true;
}

std::shared_ptr<ArchivableObject> ArchivableObject::instanceOfClass(const String& className) {
    Factory factory;
    {
        std::lock_guard lock(registry().mutex);
        const auto found = registry().factories.find(className);
        if (found == registry().factories.end()) return nullptr;
        factory = found->second;
    }
    return factory ? factory() : nullptr;
}

}  // namespace ov
