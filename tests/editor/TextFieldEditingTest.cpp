// The rename field's editing as a user types: each case starts from a text
// (fully selected, as the field opens) and applies keys in order.
#include "editor/TextFieldEditing.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

using namespace orv::editor;

namespace {

using Edit = std::function<void(TextFieldEditing&)>;

Edit Type(const char* text)
{
    return [text](TextFieldEditing& f) { f.Insert(text); };
}
const Edit kBackspace = [](TextFieldEditing& f) { f.Backspace(); };
const Edit kDelete = [](TextFieldEditing& f) { f.Delete(); };
const Edit kLeft = [](TextFieldEditing& f) { f.Left(false); };
const Edit kShiftLeft = [](TextFieldEditing& f) { f.Left(true); };
const Edit kHome = [](TextFieldEditing& f) { f.Home(false); };
const Edit kEnd = [](TextFieldEditing& f) { f.End(false); };
const Edit kShiftHome = [](TextFieldEditing& f) { f.Home(true); };

TEST(TextFieldEditing, KeysEditTheTextAroundCaretAndSelection)
{
    struct Case {
        const char* start;
        size_t limit;
        std::vector<Edit> keys;
        const char* expected;
    };
    const Case cases[] = {
        {"Init", 31, {Type("Pad")}, "Pad"},  // typing replaces the opened name
        {"Init", 31, {kEnd, Type(" 2")}, "Init 2"},
        {"Init", 31, {kEnd, kBackspace, kBackspace}, "In"},
        {"Init", 31, {kHome, kDelete}, "nit"},
        {"Init", 31, {kEnd, kLeft, kShiftLeft, kShiftLeft, Type("x")}, "Ixt"},
        {"Init", 31, {kEnd, kShiftHome, kBackspace}, ""},
        {"Init", 31, {kHome, kBackspace, kEnd, kDelete}, "Init"},  // nothing before or after
        {"Piano", 6, {kEnd, Type("forte")}, "Pianof"},             // the length limit
        {"A long name", 4, {kEnd, Type("x")}, "A lo"},             // cut when opened
        {"Caf\xc3\xa9", 31, {kEnd, kBackspace}, "Caf"},            // a whole character goes
        {"\xc3\xa9t\xc3\xa9", 2, {kEnd, Type("x")}, "\xc3\xa9t"},  // limits count characters
    };
    for (const Case& c : cases) {
        TextFieldEditing field(c.start, c.limit);
        for (const Edit& key : c.keys)
            key(field);
        EXPECT_EQ(field.Text(), c.expected) << "from \"" << c.start << "\"";
    }
}

}  // namespace
