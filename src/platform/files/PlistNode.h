#pragma once
// libplist nodes for the property-list and keyed-archive code: ownership, safe parsing and the
// conversions to and from Value. Internal to the platform layer.

#include <plist/plist.h>

#include <memory>
#include <string>

#include "orvane/platform/files/PropertyList.h"

namespace ov::plist {

struct NodeDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

Error readError(const std::string& reason);
Error writeError(const std::string& reason);

// libplist 2.2 recurses without a limit and expands shared binary references into copies, so
// input is screened first: too deep, cyclic or explosive documents fail before it sees them.
Result<Node> parse(const Data& data);
Result<Data> serialize(plist_t node, PropertyListFormat format);

Result<Node> nodeFromValue(const Value& value, size_t depth = 0);
Result<Value> valueFromNode(plist_t node, size_t depth = 0);

// Plain leaves, shared with the keyed archiver.
std::string utf8(plist_t stringNode);
Result<Node> stringNode(const String& text);
Result<Node> dateNode(const Date& date);
Date dateOf(plist_t dateNode);
long long integerOf(plist_t integerNode);

}  // namespace ov::plist
