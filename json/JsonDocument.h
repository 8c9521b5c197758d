#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "common/Text.h"
#include "json/JsonValue.h"

namespace vd {

// One JSON value, read and edited by path. Paths are member expressions relative to the value:
// an identifier, then ".name", "[index]" or "['name']" steps. Texts in and out are GBK.
//
// Copies share the value: a change made through one is seen through the other until `parse`
// gives a document a value of its own. Failures (no such member, a step through null, a path or
// JSON text that cannot be read) yield the empty text, 0 or false and change nothing.
class JsonDocument {
public:
    // Type codes of `typeOf`, also taken by `reset`.
    static constexpr int kTypeNull = 0;
    static constexpr int kTypeBoolean = 1;
    static constexpr int kTypeNumber = 2;
    static constexpr int kTypeObject = 4;
    static constexpr int kTypeArray = 5;
    static constexpr int kTypeString = 6;
    static constexpr int kTypeOther = -1;

    // The value starts as an empty object.
    JsonDocument();
    virtual ~JsonDocument();
    JsonDocument(const JsonDocument& other);
    JsonDocument& operator=(const JsonDocument& other);

    // A further document sharing this one's value.
    virtual std::unique_ptr<JsonDocument> copy() const;
    // Gives the document a value holder of its own, holding an empty object.
    virtual void createEngine();
    // Loads a JSON text as the new value, in a holder of its own. True when the value is neither
    // null nor undefined: an empty text gives undefined, a text that is not JSON gives null.
    virtual bool parse(std::string_view text);
    // The whole value as compact JSON; the empty text for undefined.
    virtual Text toText() const;
    virtual void setText(std::string_view path, std::string_view value, bool asJson = false);
    virtual void setJson(std::string_view path, std::string_view json);
    // Stores the number rounded to 13 significant digits.
    virtual void setNumber(std::string_view path, double number);
    virtual double getNumber(std::string_view path) const;
    virtual Text getJson(std::string_view path) const;
    // A number comes back in "%.13g" form, a text string as its characters.
    virtual Text getText(std::string_view path, bool asJson = false) const;
    // A document holding an independent copy of the value at the path, carried over as JSON.
    virtual JsonDocument getDocument(std::string_view path) const;
    virtual int memberCount(std::string_view path = {}) const;
    virtual void appendElement(std::string_view value, std::string_view path = {}, bool asJson = false);
    virtual JsonDocument getElementDocument(int index, std::string_view path = {}) const;
    virtual Text getElementText(int index, std::string_view path = {}, bool asJson = false) const;
    virtual void setElement(int index, std::string_view value, bool asJson = false);
    virtual void removeElement(int index);
    // Removes the element that "arrayPath[index]" names from the array at arrayPath.
    virtual void removeElementAt(std::string_view path);
    virtual void reset(int typeCode);
    virtual void setRoot(std::string_view value, bool asJson = false);
    virtual bool hasValue(std::string_view path) const;
    // Replaces `names` by the own member names (array indices as decimal texts); their number.
    virtual int memberNames(std::vector<Text>& names, std::string_view path = {}) const;
    virtual int typeOf(std::string_view path) const;
    // The value becomes an empty object.
    virtual void clear();

protected:
    // Name of the value in the operations' expressions.
    Text variableName;
    // The shared holder of the value; empty only when a holder could not be made.
    std::shared_ptr<JsonValue> engine;

private:
    bool parseUtf8(std::string_view utf8);
    int typeOfUtf8(std::string_view path) const;
};

}  // namespace vd
