#pragma once
// An object that keyed archives can hold (the platform's NSCoding). It writes its state in
// encodeWithCoder and reads it back in initWithCoder; restoring makes a blank instance through
// the factory registered under its class name, then calls initWithCoder on it.
//
//   class Cat final : public ov::ArchivableObject {
//     public:
//       ov::String className() const override { return "Cat"; }
//       void encodeWithCoder(ov::KeyedArchiver& coder) const override {
//           coder.encodeObject(m_name, "name");
//       }
//       void initWithCoder(ov::KeyedUnarchiver& coder) override {
//           m_name = coder.decodeObjectForKey("name");
//       }
//       ov::Value m_name;
//   };
//   static const bool kCatRegistered =
//       ov::ArchivableObject::registerClass("Cat", [] { return std::make_shared<Cat>(); });
//
// Registration is thread-safe; registering a name again replaces its factory.

#include <functional>
#include <memory>
#include <vector>

#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/String.h"

namespace ov {

class KeyedArchiver;
class KeyedUnarchiver;

class ArchivableObject : public Object {
  public:
    using Factory = std::function<std::shared_ptr<ArchivableObject>()>;

    virtual void encodeWithCoder(KeyedArchiver& coder) const = 0;
    virtual void initWithCoder(KeyedUnarchiver& coder) = 0;
    // The class and its superclasses, most derived first, as archives record them. Restoring
    // uses the first of them that has a factory.
    virtual std::vector<String> classHierarchy() const;

    // Answers true, so that a namespace-scope constant can register a class at start-up.
    static bool registerClass(const String& className, Factory factory);
    // Nullptr when no factory is registered under the name.
    static std::shared_ptr<ArchivableObject> instanceOfClass(const String& className);
};

}  // namespace ov
