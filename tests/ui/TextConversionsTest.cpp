#include <gtest/gtest.h>

#include "ui/TextConversions.h"

using namespace quendar::ui;

namespace {

// A model's label as a button shows it (mnemonic marks kept), as a plain label
// shows it, and a mission text shown literally on a group box.
TEST(TextConversions, LabelsKeepOrDropTheirMnemonicMarks) {
    struct Row {
        const char* model;
        const char* button;
        const char* plain;
        const char* literal;
    };
    const Row rows[] = {
        {"Cargo && crew", "Cargo && crew", "Cargo & crew", "Cargo &&&& crew"},
        {"&Open", "&Open", "Open", "&&Open"},
        {"Raid & run", "Raid & run", "Raid  run", "Raid && run"},
        {"Gr\xfc\xdf", "Gr\xfc\xdf", "Gr\xfc\xdf", "Gr\xfc\xdf"},
        {"", "", "", ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.model);
        EXPECT_EQ(buttonText(r.model), QString::fromLatin1(r.button));
        EXPECT_EQ(plainText(r.model), QString::fromLatin1(r.plain));
        EXPECT_EQ(literalButtonText(r.model), QString::fromLatin1(r.literal));
    }
}

// What a number edit passes to its model: no number reads 0, and so does one
// beyond an int.
TEST(TextConversions, TypedNumbers) {
    const std::pair<const char*, int> rows[] = {
        {"", 0},           {"-", 0}, {"-12", -12}, {"255", 255}, {"2147483647", 2147483647},
        {"2147483648", 0},
    };
    for (const auto& [typed, value] : rows) EXPECT_EQ(typedNumber(typed), value) << typed;
    for (int v : {-2147483647 - 1, -1, 0, 1, 2147483647}) EXPECT_EQ(typedNumber(numberText(v)), v);
}

}  // namespace
