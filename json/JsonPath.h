#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "json/JsonValue.h"

namespace vd {

// The member expression that follows the document's variable, as steps of property names:
// "" (the variable itself), ".name", "[index]", "['name']" or "[\"name\"]", in any number, with
// the script's white space allowed between tokens. An index is turned into the property name
// the script uses for it (its Number-to-String form). Anything else, reserved words as names
// included, is no path: nullopt.
std::optional<std::vector<std::string>> parseMemberSteps(std::string_view utf8Suffix);

// The decimal property name of an integer index.
std::string indexStepName(long long index);

// What a member expression evaluates to.
class PathTarget {
public:
    enum class Status { Failed, Undefined, Value };

    static PathTarget failed() { return PathTarget(Status::Failed, nullptr); }
    static PathTarget undefined() { return PathTarget(Status::Undefined, nullptr); }
    static PathTarget of(const JsonValue& value) { return PathTarget(Status::Value, &value); }
    static PathTarget ofNumber(double number);

    // A script error on the way (a member of null or undefined, no valid path).
    bool failedEvaluation() const { return status_ == Status::Failed; }
    // The value reached; undefined for a missing member or a failure.
    const JsonValue& value() const { return reference_ != nullptr ? *reference_ : own_; }

private:
    PathTarget(Status status, const JsonValue* reference) : status_(status), reference_(reference) {}
    Status status_;
    const JsonValue* reference_;
    JsonValue own_;
};

// Evaluates the steps from the root: objects give their own members, arrays their elements
// and length, strings their length; any other name gives undefined; a step on null or
// undefined fails.
PathTarget resolveSteps(const JsonValue& root, const std::vector<std::string>& steps);

// The value held in the tree at the steps, or nullptr when there is none there.
JsonValue* findAtSteps(JsonValue& root, const std::vector<std::string>& steps);

// Assigns the value to the member that the (non-empty) steps name. Refused, leaving everything
// as it was: a path that fails, a parent that is not an object or array, an array name that
// is no element index (length included), an index more than kJsonMaxArrayGap past the end,
// or a result nested deeper than kJsonMaxDepth. True when the value was stored.
bool assignAtSteps(JsonValue& root, const std::vector<std::string>& steps, JsonValue value);

// How far past an array's end a write may reach; the gap is left as holes, which cost nothing.
inline constexpr std::size_t kJsonMaxArrayGap = 1u << 20;

// The element index an array property name denotes, if any (canonical decimal below 2^32-1).
std::optional<std::size_t> arrayIndexOf(std::string_view name);

}  // namespace vd
