#include "json/JsonParser.h"

#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

namespace vd {
namespace {

using Library = nlohmann::json;

// Builds the value from the library's SAX events; containers under construction sit on a stack.
class ModelBuilder {
public:
    bool null() { return add(JsonValue::null()); }
    bool boolean(bool value) { return add(JsonValue::boolean(value)); }
    // Non-negative integers come as unsigned, so a signed 0 was written "-0".
    bool number_integer(Library::number_integer_t value) {
        return add(JsonValue::number(value == 0 ? -0.0 : static_cast<double>(value)));
    }
    bool number_unsigned(Library::number_unsigned_t value) {
        return add(JsonValue::number(static_cast<double>(value)));
    }
    bool number_float(Library::number_float_t value, const Library::string_t& /*text*/) {
        return add(JsonValue::number(value));
    }
    bool string(Library::string_t& value) { return add(JsonValue::string(std::move(value))); }
    bool binary(Library::binary_t& /*value*/) { return false; }

    bool start_object(std::size_t /*count*/) { return open(JsonValue::object()); }
    bool key(Library::string_t& name) {
        stack_.back().pendingName = std::move(name);
        return true;
    }
    bool end_object() { return close(); }
    bool start_array(std::size_t /*count*/) { return open(JsonValue::array()); }
    bool end_array() { return close(); }

    bool parse_error(std::size_t /*position*/, const std::string& /*token*/, const nlohmann::detail::exception& /*e*/) {
        return false;
    }

    std::optional<JsonValue> take() {
        if (!complete_ || !stack_.empty()) return std::nullopt;
        return std::move(root_);
    }

private:
    struct Frame {
        JsonValue container;
        std::string pendingName;
    };

    bool open(JsonValue container) {
        if (stack_.size() >= static_cast<std::size_t>(kJsonMaxDepth)) return false;
        stack_.push_back(Frame{std::move(container), {}});
        return true;
    }

    bool close() {
        JsonValue done = std::move(stack_.back().container);
        stack_.pop_back();
        return add(std::move(done));
    }

    bool add(JsonValue value) {
        if (stack_.empty()) {
            root_ = std::move(value);
            complete_ = true;
            return true;
        }
        Frame& top = stack_.back();
        if (top.container.isArray()) {
            top.container.arrayValue().push_back(std::move(value));
        } else {
            top.container.objectValue().set(std::move(top.pendingName), std::move(value));
            top.pendingName.clear();
        }
        return true;
    }

    std::vector<Frame> stack_;
    JsonValue root_;
    bool complete_ = false;
};

}  // namespace

std::optional<JsonValue> parseJson(std::string_view utf8) {
    ModelBuilder builder;
    // The library reports failures through the handler; nothing is thrown for bad input.
    try {
        if (!Library::sax_parse(utf8.begin(), utf8.end(), &builder, nlohmann::json::input_format_t::json, true, false)) {
            return std::nullopt;
        }
    } catch (const std::exception&) {
        return std::nullopt;
    }
    return builder.take();
}

}  // namespace vd
