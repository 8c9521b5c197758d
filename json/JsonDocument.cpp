#include "json/JsonDocument.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "common/Numbers.h"
#include "json/JsonParser.h"
#include "json/JsonPath.h"
#include "json/JsonSerializer.h"
#include "json/NumberText.h"
#include "json/TextExtract.h"
#include "json/Utf8.h"
#include "platform/text/CodePage.h"

namespace vd {
namespace {

// The JSON model holds UTF-8.
std::string toUtf8(std::string_view gbk) { return platform::gbkToUtf8Bytes(gbk); }
Text toGbk(std::string_view utf8) { return platform::utf8ToGbkBytes(utf8); }

// How an operation joins the value's name and the path into one expression.
enum class Join {
    Dot,               // always "."
    DotOrBracket,      // "." unless the path begins with "["
    RootOrDot,         // the value itself for an empty path, else "."
    RootOrDotOrBracket // the value itself for an empty path, else as DotOrBracket
};

std::string memberSuffix(std::string_view path, Join join) {
    if (path.empty() && (join == Join::RootOrDot || join == Join::RootOrDotOrBracket)) return {};
    if (!path.empty() && path[0] == '[' && (join == Join::DotOrBracket || join == Join::RootOrDotOrBracket)) {
        return std::string(path);
    }
    std::string suffix = ".";
    suffix += path;
    return suffix;
}

std::optional<std::vector<std::string>> pathSteps(std::string_view gbkPath, Join join) {
    return parseMemberSteps(memberSuffix(toUtf8(gbkPath), join));
}

PathTarget evaluate(const JsonValue& root, std::string_view gbkPath, Join join) {
    const auto steps = pathSteps(gbkPath, join);
    if (!steps) return PathTarget::failed();
    return resolveSteps(root, *steps);
}

// An argument that is only white space is no argument: eval() gives undefined.
bool isBlank(std::string_view utf8) { return trimScriptSpace(utf8).empty(); }

// A JSON text given as a value; nullopt when it is not JSON.
std::optional<JsonValue> jsonArgument(std::string_view gbk) { return parseJson(toUtf8(gbk)); }

// The text as it is, or with asJson the value its JSON denotes.
std::optional<JsonValue> valueArgument(std::string_view gbk, bool asJson) {
    if (!asJson) return JsonValue::string(toUtf8(gbk));
    return jsonArgument(gbk);
}

// As eval(text): undefined for a blank text, the JSON value, or nullopt.
std::optional<JsonValue> evalArgument(std::string_view gbk) {
    const std::string utf8 = toUtf8(gbk);
    if (isBlank(utf8)) return JsonValue();
    return parseJson(utf8);
}

Text jsonTextOf(const PathTarget& target) {
    if (target.failedEvaluation()) return {};
    const std::optional<std::string> json = stringifyJson(target.value());
    return json ? toGbk(*json) : Text();
}

// The script's ToNumber; 0 where that gives NaN, and for null and undefined.
double numberOf(const JsonValue& value) {
    double number = 0;
    switch (value.kind()) {
    case JsonValue::Kind::Boolean: number = value.booleanValue() ? 1 : 0; break;
    case JsonValue::Kind::Number: number = value.numberValue(); break;
    case JsonValue::Kind::String: number = ecmaStringToNumber(value.stringValue()); break;
    case JsonValue::Kind::Array: number = ecmaStringToNumber(scriptDisplayText(value)); break;
    default: break;
    }
    return std::isnan(number) ? 0 : number;
}

int ownMemberCount(const JsonValue& value) {
    if (value.isObject()) return static_cast<int>(value.objectValue().size());
    if (!value.isArray()) return 0;
    return static_cast<int>(value.arrayValue().presentCount());
}

// Array.prototype.splice(index, 1).
void spliceOne(JsonValue& value, long long index) {
    if (!value.isArray()) return;
    JsonArray& elements = value.arrayValue();
    const long long size = static_cast<long long>(elements.size());
    const long long start = index < 0 ? std::max(size + index, 0LL) : std::min(index, size);
    if (start < size) elements.erase(static_cast<std::size_t>(start));
}

}  // namespace

JsonDocument::JsonDocument() : variableName("da") { createEngine(); }

JsonDocument::~JsonDocument() = default;
JsonDocument::JsonDocument(const JsonDocument& other) = default;
JsonDocument& JsonDocument::operator=(const JsonDocument& other) = default;

std::unique_ptr<JsonDocument> JsonDocument::copy() const { return std::make_unique<JsonDocument>(*this); }

void JsonDocument::createEngine() { engine = std::make_shared<JsonValue>(JsonValue::object()); }

bool JsonDocument::parseUtf8(std::string_view utf8) {
    createEngine();
    if (!engine) return false;
    if (isBlank(utf8)) {
        *engine = JsonValue();
    } else if (std::optional<JsonValue> value = parseJson(utf8)) {
        *engine = std::move(*value);
    } else {
        *engine = JsonValue::null();
    }
    return !engine->isNullish();
}

bool JsonDocument::parse(std::string_view text) { return parseUtf8(toUtf8(text)); }

Text JsonDocument::toText() const {
    if (!engine) return {};
    return jsonTextOf(PathTarget::of(*engine));
}

void JsonDocument::setText(std::string_view path, std::string_view value, bool asJson) {
    if (!engine) return;
    const auto steps = pathSteps(path, Join::Dot);
    if (!steps) return;
    std::optional<JsonValue> member = asJson ? evalArgument(value.empty() ? "{}" : value)
                                             : JsonValue::string(toUtf8(value));
    if (member) assignAtSteps(*engine, *steps, std::move(*member));
}

void JsonDocument::setJson(std::string_view path, std::string_view json) {
    if (!engine) return;
    const auto steps = pathSteps(path, Join::Dot);
    if (!steps) return;
    if (std::optional<JsonValue> member = evalArgument(json)) assignAtSteps(*engine, *steps, std::move(*member));
}

void JsonDocument::setNumber(std::string_view path, double number) {
    if (!engine || !std::isfinite(number)) return;
    const auto steps = pathSteps(path, Join::Dot);
    if (!steps) return;
    assignAtSteps(*engine, *steps, JsonValue::number(ecmaStringToNumber(formatNumber13g(number))));
}

double JsonDocument::getNumber(std::string_view path) const {
    if (!engine) return 0;
    const PathTarget target = evaluate(*engine, path, Join::Dot);
    return target.failedEvaluation() ? 0 : numberOf(target.value());
}

Text JsonDocument::getJson(std::string_view path) const {
    if (!engine) return {};
    return jsonTextOf(evaluate(*engine, path, Join::Dot));
}

Text JsonDocument::getText(std::string_view path, bool asJson) const {
    if (!engine) return {};
    const PathTarget target = evaluate(*engine, path, Join::DotOrBracket);
    if (asJson) return jsonTextOf(target);
    if (target.failedEvaluation()) return {};
    // Only a path joined with "." has a type code, so only there a number takes the 13-digit form.
    const bool joinedWithDot = path.empty() || path[0] != '[';
    if (joinedWithDot && target.value().kind() == JsonValue::Kind::Number) {
        return formatNumber13g(target.value().numberValue());
    }
    return toGbk(scriptDisplayText(target.value()));
}

JsonDocument JsonDocument::getDocument(std::string_view path) const {
    JsonDocument document;
    std::optional<std::string> json;
    if (engine) {
        const PathTarget target = evaluate(*engine, path, Join::DotOrBracket);
        if (!target.failedEvaluation()) json = stringifyJson(target.value());
    }
    document.parseUtf8(json ? *json : std::string());
    return document;
}

int JsonDocument::memberCount(std::string_view path) const {
    if (!engine) return 0;
    const PathTarget target = evaluate(*engine, path, Join::RootOrDotOrBracket);
    return target.failedEvaluation() ? 0 : ownMemberCount(target.value());
}

void JsonDocument::appendElement(std::string_view value, std::string_view path, bool asJson) {
    if (!engine) return;
    const auto steps = pathSteps(path, Join::RootOrDot);
    if (!steps) return;
    // With asJson a blank value pushes nothing, but the target still becomes an array.
    std::optional<JsonValue> element;
    if (!asJson || !isBlank(toUtf8(value))) {
        element = valueArgument(value, asJson);
        if (!element) return;
    }
    if (resolveSteps(*engine, *steps).failedEvaluation()) return;
    const int elementDepth = element ? element->depth() : 0;
    if (static_cast<long long>(steps->size()) + 1 + elementDepth > kJsonMaxDepth) return;

    JsonValue* existing = findAtSteps(*engine, *steps);
    if (existing != nullptr && existing->isArray()) {
        if (element) existing->arrayValue().push_back(std::move(*element));
        return;
    }
    JsonValue fresh = JsonValue::array();
    if (element) fresh.arrayValue().push_back(std::move(*element));
    if (steps->empty()) {
        *engine = std::move(fresh);
    } else {
        assignAtSteps(*engine, *steps, std::move(fresh));
    }
}

JsonDocument JsonDocument::getElementDocument(int index, std::string_view path) const {
    JsonDocument document;
    std::optional<std::string> json;
    if (engine) {
        if (auto steps = pathSteps(path, Join::RootOrDot)) {
            steps->push_back(indexStepName(index));
            const PathTarget target = resolveSteps(*engine, *steps);
            if (!target.failedEvaluation()) json = stringifyJson(target.value());
        }
    }
    document.parseUtf8(json ? *json : std::string());
    return document;
}

Text JsonDocument::getElementText(int index, std::string_view path, bool asJson) const {
    if (!engine) return {};
    auto steps = pathSteps(path, Join::RootOrDot);
    if (!steps) return {};
    steps->push_back(indexStepName(index));
    const PathTarget target = resolveSteps(*engine, *steps);
    if (asJson) return jsonTextOf(target);
    return target.failedEvaluation() ? Text() : toGbk(scriptDisplayText(target.value()));
}

void JsonDocument::setElement(int index, std::string_view value, bool asJson) {
    if (!engine) return;
    std::optional<JsonValue> element = valueArgument(value, asJson);
    if (!element) return;
    assignAtSteps(*engine, {indexStepName(index)}, std::move(*element));
}

void JsonDocument::removeElement(int index) {
    if (engine) spliceOne(*engine, index);
}

void JsonDocument::removeElementAt(std::string_view path) {
    if (!engine) return;
    const Text arrayPath = extractBefore(path, "[");
    const Text indexText = extractBetween(path, "[", "]");
    const auto steps = pathSteps(arrayPath, Join::Dot);
    if (!steps) return;
    const PathTarget target = resolveSteps(*engine, *steps);
    if (target.failedEvaluation()) return;
    // The member goes back as a copy made through JSON text; a missing member is not created.
    const std::optional<std::string> json = stringifyJson(target.value());
    if (!json) return;
    std::optional<JsonValue> shortened = parseJson(*json);
    if (!shortened) return;
    spliceOne(*shortened, textToInteger(indexText));
    assignAtSteps(*engine, *steps, std::move(*shortened));
}

void JsonDocument::reset(int typeCode) {
    if (!engine) return;
    if (typeCode == kTypeNull || typeCode == kTypeObject) {
        *engine = JsonValue::object();
    } else if (typeCode == kTypeArray) {
        *engine = JsonValue::array();
    }
}

void JsonDocument::setRoot(std::string_view value, bool asJson) {
    if (!engine) return;
    if (std::optional<JsonValue> root = valueArgument(value, asJson)) *engine = std::move(*root);
}

bool JsonDocument::hasValue(std::string_view path) const {
    if (!engine) return false;
    const PathTarget target = evaluate(*engine, path, Join::Dot);
    return !target.failedEvaluation() && !target.value().isNullish();
}

int JsonDocument::memberNames(std::vector<Text>& names, std::string_view path) const {
    names.clear();
    if (!engine) return 0;
    const PathTarget target = evaluate(*engine, path, Join::RootOrDotOrBracket);
    if (target.failedEvaluation()) return 0;
    const JsonValue& value = target.value();
    if (value.isObject()) {
        for (const JsonMember& member : value.objectValue().members()) names.push_back(toGbk(member.name));
    } else if (value.isArray()) {
        value.arrayValue().forEachPresent(
            [&](std::size_t index, const JsonValue&) { names.push_back(std::to_string(index)); });
    }
    return static_cast<int>(names.size());
}

int JsonDocument::typeOfUtf8(std::string_view path) const {
    const auto steps = parseMemberSteps(memberSuffix(path, Join::RootOrDot));
    if (!steps) return kTypeOther;
    const PathTarget target = resolveSteps(*engine, *steps);
    if (target.failedEvaluation()) return kTypeOther;
    switch (target.value().kind()) {
    case JsonValue::Kind::Undefined:
    case JsonValue::Kind::Hole:
    case JsonValue::Kind::Null: return kTypeNull;
    case JsonValue::Kind::Boolean: return kTypeBoolean;
    case JsonValue::Kind::Number: return kTypeNumber;
    case JsonValue::Kind::String: return kTypeString;
    // The array test reads the JSON form through the path with "." added, which an empty path
    // cannot address: an array held at the top counts as an object.
    case JsonValue::Kind::Array: return path.empty() ? kTypeObject : kTypeArray;
    case JsonValue::Kind::Object: return kTypeObject;
    }
    return kTypeOther;
}

int JsonDocument::typeOf(std::string_view path) const {
    if (!engine) return kTypeOther;
    return typeOfUtf8(toUtf8(path));
}

void JsonDocument::clear() {
    if (engine) *engine = JsonValue::object();
}

}  // namespace vd
