#pragma once
// Null markers (how a decoded JSON null arrives) turned into empty texts, and a count of empty
// texts.
//
//   namespace Dictionaries = ov::NSDictionary_NSDictionary;
//   Dictionaries::replaceNullsWithBlanks(reply);   // <null> -> "" at any depth
//   Dictionaries::emptyValues(form);               // how many values are ""

#include <cstdint>

#include "orvane/platform/values/Value.h"

namespace ov::NSDictionary_NSDictionary {

Dictionary replaceNullsWithBlanks(const Dictionary& receiver);
// Only the top level of `dictionary` is cleaned; the receiver is not read.
Dictionary stripNulls(const Dictionary& receiver, const Dictionary& dictionary);
int32_t emptyValues(const Dictionary& receiver);

}  // namespace ov::NSDictionary_NSDictionary
