#include <gtest/gtest.h>

#include "json/JsonDocument.h"

TEST(JsonDocumentSmoke, Parses) {
    vd::JsonDocument doc;
    EXPECT_TRUE(doc.parse("{\"a\":1}"));
}
