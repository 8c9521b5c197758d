#pragma once

// Unicode character properties, from ICU's character database.
namespace vd::platform {

// Characters that may begin a script identifier: ID_Start, "$" and "_".
bool isIdentifierStart(char32_t c);
// Characters that may continue one: ID_Continue, "$", ZWNJ and ZWJ.
bool isIdentifierPart(char32_t c);

}  // namespace vd::platform
