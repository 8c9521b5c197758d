#pragma once

#include <optional>
#include <string>

#include "json/JsonValue.h"

namespace vd {

// Compact JSON text (UTF-8) of a value as the script's JSON.stringify writes it with one
// argument: members in insertion order, undefined members left out, undefined and holes inside
// arrays written as null, non-finite numbers as null. No value (nullopt) for undefined itself.
std::optional<std::string> stringifyJson(const JsonValue& value);

// A string literal in the stringify form: quotes, the short escapes and \u00xx escapes.
void appendQuotedJsonString(std::string& out, std::string_view utf8);

// The script's own conversion of a value to a string: strings as they are, numbers in
// Number-to-String form, true/false, arrays joined by commas (null and undefined elements empty),
// objects as [object Object]; the empty text for null and undefined.
std::string scriptDisplayText(const JsonValue& value);

}  // namespace vd
