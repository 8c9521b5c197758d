#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vd {

class JsonValue;
class JsonObject;
class JsonArray;

// Containers may nest at most this deep in a document; deeper texts and writes are refused.
inline constexpr int kJsonMaxDepth = 512;

// One value of a document: the JSON kinds plus undefined (a missing value, or a member set to
// nothing) and hole (an array slot that was never written). Strings hold UTF-8.
class JsonValue {
public:
    enum class Kind : std::uint8_t { Undefined, Hole, Null, Boolean, Number, String, Array, Object };

    JsonValue();
    ~JsonValue();
    JsonValue(JsonValue&& other) noexcept;
    JsonValue& operator=(JsonValue&& other) noexcept;
    JsonValue(const JsonValue&) = delete;
    JsonValue& operator=(const JsonValue&) = delete;

    static JsonValue hole();
    static JsonValue null();
    static JsonValue boolean(bool value);
    static JsonValue number(double value);
    static JsonValue string(std::string utf8);
    static JsonValue array();
    static JsonValue object();

    JsonValue clone() const;

    Kind kind() const { return static_cast<Kind>(data_.index()); }
    bool isUndefined() const { return kind() == Kind::Undefined || kind() == Kind::Hole; }
    // null or undefined: the values a member access fails on.
    bool isNullish() const { return kind() <= Kind::Null; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isObject() const { return kind() == Kind::Object; }

    bool booleanValue() const { return std::get<bool>(data_); }
    double numberValue() const { return std::get<double>(data_); }
    const std::string& stringValue() const { return std::get<std::string>(data_); }
    const JsonArray& arrayValue() const { return *std::get<std::unique_ptr<JsonArray>>(data_); }
    JsonArray& arrayValue() { return *std::get<std::unique_ptr<JsonArray>>(data_); }
    const JsonObject& objectValue() const { return *std::get<std::unique_ptr<JsonObject>>(data_); }
    JsonObject& objectValue() { return *std::get<std::unique_ptr<JsonObject>>(data_); }

    // Levels of containers from this value down: 0 for a scalar, 1 for [] or {}.
    int depth() const;

private:
    struct UndefinedTag {};
    struct HoleTag {};
    struct NullTag {};
    using Data = std::variant<UndefinedTag, HoleTag, NullTag, bool, double, std::string, std::unique_ptr<JsonArray>,
                              std::unique_ptr<JsonObject>>;
    explicit JsonValue(Data data);
    Data data_;
};

// The elements of an array and its length. Elements up to the first hole sit in a vector, those
// after it are kept by index, so a hole costs nothing: a write far past the end only moves the
// length and stores one element.
class JsonArray {
public:
    std::size_t size() const { return length_; }
    // Elements that are not holes.
    std::size_t presentCount() const { return dense_.size() + sparse_.size(); }

    // The element at the index, or nullptr for a hole or an index at or past the end.
    const JsonValue* at(std::size_t index) const;
    JsonValue* at(std::size_t index);

    // Stores the value at the index; an index past the end leaves holes before it.
    void set(std::size_t index, JsonValue value);
    // Appends at the end; a hole value only lengthens the array.
    void push_back(JsonValue value);
    // Removes the element or hole at the index (below size()); later ones move down by one.
    void erase(std::size_t index);

    // Calls visit(index, element) for every element that is not a hole, in index order.
    template <typename Visit>
    void forEachPresent(Visit&& visit) const;
    // Calls visit(element or nullptr for a hole) for every index from 0 to size() - 1.
    template <typename Visit>
    void forEachSlot(Visit&& visit) const;

    JsonArray clone() const;

private:
    void absorbSparse();

    std::vector<JsonValue> dense_;                // indices 0 .. dense_.size() - 1, no holes
    std::map<std::size_t, JsonValue> sparse_;     // indices above dense_.size()
    std::size_t length_ = 0;
};

struct JsonMember {
    std::string name;
    JsonValue value;
};

// Members in insertion order; names are unique. Large objects keep a hash index so that look-up
// and insertion stay constant time.
class JsonObject {
public:
    const std::vector<JsonMember>& members() const { return members_; }
    std::size_t size() const { return members_.size(); }

    const JsonValue* find(std::string_view name) const;
    JsonValue* find(std::string_view name);
    // A new name is appended; an existing one keeps its place and takes the new value.
    void set(std::string name, JsonValue value);

    JsonObject clone() const;

private:
    std::size_t findIndex(std::string_view name) const;
    void rebuildIndex(std::size_t slotCount);
    void indexMember(std::size_t position);

    std::vector<JsonMember> members_;
    std::vector<std::uint32_t> slots_;  // open addressing: member position + 1, 0 for empty
};

template <typename Visit>
void JsonArray::forEachPresent(Visit&& visit) const {
    for (std::size_t i = 0; i < dense_.size(); ++i) visit(i, dense_[i]);
    for (const auto& [index, element] : sparse_) visit(index, element);
}

template <typename Visit>
void JsonArray::forEachSlot(Visit&& visit) const {
    for (const JsonValue& element : dense_) visit(&element);
    std::size_t next = dense_.size();
    for (const auto& [index, element] : sparse_) {
        for (; next < index; ++next) visit(static_cast<const JsonValue*>(nullptr));
        visit(&element);
        next = index + 1;
    }
    for (; next < length_; ++next) visit(static_cast<const JsonValue*>(nullptr));
}

}  // namespace vd
