#include "json/JsonValue.h"

#include <algorithm>
#include <functional>

namespace vd {

JsonValue::JsonValue() = default;
JsonValue::~JsonValue() = default;
JsonValue::JsonValue(JsonValue&& other) noexcept = default;
JsonValue& JsonValue::operator=(JsonValue&& other) noexcept = default;
JsonValue::JsonValue(Data data) : data_(std::move(data)) {}

JsonValue JsonValue::hole() { return JsonValue(Data(HoleTag{})); }
JsonValue JsonValue::null() { return JsonValue(Data(NullTag{})); }
JsonValue JsonValue::boolean(bool value) { return JsonValue(Data(value)); }
JsonValue JsonValue::number(double value) { return JsonValue(Data(value)); }
JsonValue JsonValue::string(std::string utf8) { return JsonValue(Data(std::move(utf8))); }
JsonValue JsonValue::array() { return JsonValue(Data(std::make_unique<JsonArray>())); }
JsonValue JsonValue::object() { return JsonValue(Data(std::make_unique<JsonObject>())); }

// Recursion is bounded: documents never nest deeper than kJsonMaxDepth.
JsonValue JsonValue::clone() const {
    switch (kind()) {
    case Kind::Undefined: return JsonValue();
    case Kind::Hole: return hole();
    case Kind::Null: return null();
    case Kind::Boolean: return boolean(booleanValue());
    case Kind::Number: return number(numberValue());
    case Kind::String: return string(stringValue());
    case Kind::Array: return JsonValue(Data(std::make_unique<JsonArray>(arrayValue().clone())));
    case Kind::Object: return JsonValue(Data(std::make_unique<JsonObject>(objectValue().clone())));
    }
    return JsonValue();
}

int JsonValue::depth() const {
    int deepest = 0;
    if (isArray()) {
        arrayValue().forEachPresent(
            [&](std::size_t, const JsonValue& element) { deepest = std::max(deepest, element.depth()); });
    } else if (isObject()) {
        for (const JsonMember& member : objectValue().members()) deepest = std::max(deepest, member.value.depth());
    } else {
        return 0;
    }
    return deepest + 1;
}

const JsonValue* JsonArray::at(std::size_t index) const {
    if (index < dense_.size()) return &dense_[index];
    const auto found = sparse_.find(index);
    return found == sparse_.end() ? nullptr : &found->second;
}

JsonValue* JsonArray::at(std::size_t index) {
    return const_cast<JsonValue*>(static_cast<const JsonArray&>(*this).at(index));
}

void JsonArray::absorbSparse() {
    while (!sparse_.empty() && sparse_.begin()->first == dense_.size()) {
        dense_.push_back(std::move(sparse_.begin()->second));
        sparse_.erase(sparse_.begin());
    }
}

void JsonArray::set(std::size_t index, JsonValue value) {
    if (index < dense_.size()) {
        dense_[index] = std::move(value);
    } else if (index == dense_.size()) {
        dense_.push_back(std::move(value));
        absorbSparse();
    } else {
        sparse_.insert_or_assign(index, std::move(value));
    }
    length_ = std::max(length_, index + 1);
}

void JsonArray::push_back(JsonValue value) {
    if (value.kind() == JsonValue::Kind::Hole) {
        ++length_;
    } else {
        set(length_, std::move(value));
    }
}

void JsonArray::erase(std::size_t index) {
    if (index >= length_) return;
    if (index < dense_.size()) {
        dense_.erase(dense_.begin() + static_cast<std::ptrdiff_t>(index));
    } else {
        sparse_.erase(index);
    }
    // Every later element moves down by one; keys stay in order, so each goes back at the end.
    std::map<std::size_t, JsonValue> moved;
    for (auto& [position, element] : sparse_) {
        moved.emplace_hint(moved.end(), position > index ? position - 1 : position, std::move(element));
    }
    sparse_ = std::move(moved);
    --length_;
    absorbSparse();
}

JsonArray JsonArray::clone() const {
    JsonArray copy;
    copy.dense_.reserve(dense_.size());
    for (const JsonValue& element : dense_) copy.dense_.push_back(element.clone());
    for (const auto& [index, element] : sparse_) copy.sparse_.emplace_hint(copy.sparse_.end(), index, element.clone());
    copy.length_ = length_;
    return copy;
}

namespace {

// Small objects are searched in order; the index starts beyond this size.
constexpr std::size_t kIndexFrom = 8;
constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

std::size_t hashName(std::string_view name) { return std::hash<std::string_view>{}(name); }

}  // namespace

std::size_t JsonObject::findIndex(std::string_view name) const {
    if (slots_.empty()) {
        for (std::size_t i = 0; i < members_.size(); ++i) {
            if (members_[i].name == name) return i;
        }
        return kNotFound;
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hashName(name) & mask;; slot = (slot + 1) & mask) {
        const std::uint32_t entry = slots_[slot];
        if (entry == 0) return kNotFound;
        if (members_[entry - 1].name == name) return entry - 1;
    }
}

const JsonValue* JsonObject::find(std::string_view name) const {
    const std::size_t i = findIndex(name);
    return i == kNotFound ? nullptr : &members_[i].value;
}

JsonValue* JsonObject::find(std::string_view name) {
    const std::size_t i = findIndex(name);
    return i == kNotFound ? nullptr : &members_[i].value;
}

void JsonObject::indexMember(std::size_t position) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hashName(members_[position].name) & mask;
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = static_cast<std::uint32_t>(position + 1);
}

void JsonObject::rebuildIndex(std::size_t slotCount) {
    slots_.assign(slotCount, 0);
    for (std::size_t i = 0; i < members_.size(); ++i) indexMember(i);
}

void JsonObject::set(std::string name, JsonValue value) {
    const std::size_t existing = findIndex(name);
    if (existing != kNotFound) {
        members_[existing].value = std::move(value);
        return;
    }
    members_.push_back(JsonMember{std::move(name), std::move(value)});
    if (members_.size() > kIndexFrom) {
        // Load factor at most one half.
        if (members_.size() * 2 > slots_.size()) {
            rebuildIndex(std::max<std::size_t>(32, slots_.size() * 2));
        } else {
            indexMember(members_.size() - 1);
        }
    }
}

JsonObject JsonObject::clone() const {
    JsonObject copy;
    copy.members_.reserve(members_.size());
    for (const JsonMember& member : members_) copy.members_.push_back(JsonMember{member.name, member.value.clone()});
    copy.slots_ = slots_;
    return copy;
}

}  // namespace vd
