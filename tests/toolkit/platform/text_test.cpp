#include "tessel/platform/text.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct Utf8Case {
    const char* name;
    std::string bytes;
    std::wstring wide;
};

}  // namespace

TEST(TextConversion, Utf8DecodesValidAndReplacesInvalidSequences) {
    const Utf8Case cases[] = {
        {"ascii", "Profile 1", L"Profile 1"},
        {"two byte", "\xC3\xA9", L"\u00E9"},
        {"three byte", "\xE9\x85\x8D\xE7\xBD\xAE", L"\u914D\u7F6E"},
        {"four byte", "\xF0\x9F\x98\x80", L"\U0001F600"},
        {"lone continuation", "a\x80z", L"a\uFFFDz"},
        {"overlong slash", "\xC0\xAF", L"\uFFFD\uFFFD"},
        {"encoded surrogate", "\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},
        {"truncated at end", "ok\xE9\x85", L"ok\uFFFD"},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"embedded nul", std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DUI::Utf8ToWide(c.bytes), c.wide) << c.name;
    }
}

TEST(TextConversion, RoundTripsThroughEveryEncoding) {
    const std::wstring text = L"DPI 800 \u914D\u7F6E \U0001F600 \u00E9";
    EXPECT_EQ(DUI::Utf8ToWide(DUI::WideToUtf8(text)), text);
    EXPECT_EQ(DUI::Utf16ToWide(DUI::WideToUtf16(text)), text);
    for (auto order : {DUI::ByteOrder::Little, DUI::ByteOrder::Big}) {
        EXPECT_EQ(DUI::Utf16BytesToWide(DUI::WideToUtf16Bytes(text, order), order), text);
    }
    EXPECT_EQ(DUI::WideToUtf16(text).size(), DUI::Utf16Length(text));
}

TEST(TextConversion, Utf16BytesHonourOrderAndSurvivesDamage) {
    EXPECT_EQ(DUI::Utf16BytesToWide(std::string("A\0", 2), DUI::ByteOrder::Little), L"A");
    EXPECT_EQ(DUI::Utf16BytesToWide(std::string("\0A", 2), DUI::ByteOrder::Big), L"A");
    EXPECT_EQ(DUI::WideToUtf16Bytes(L"\U0001F600", DUI::ByteOrder::Little),
              std::string("\x3D\xD8\x00\xDE", 4));
    // A lone high surrogate, a lone low surrogate and an odd trailing byte.
    EXPECT_EQ(DUI::Utf16BytesToWide(std::string("\x3D\xD8"
                                                "A\0",
                                                4),
                                    DUI::ByteOrder::Little),
              L"\uFFFDA");
    EXPECT_EQ(DUI::Utf16BytesToWide(std::string("\x00\xDE", 2), DUI::ByteOrder::Little), L"\uFFFD");
    EXPECT_EQ(DUI::Utf16BytesToWide(std::string("A\0B", 3), DUI::ByteOrder::Little), L"A\uFFFD");
}

TEST(TextConversion, WideTextThatIsNotUnicodeBecomesReplacement) {
    std::wstring bad;
    bad.push_back(static_cast<wchar_t>(0xD800));
    bad.push_back(L'x');
    if constexpr (sizeof(wchar_t) == 4) {
        bad.push_back(static_cast<wchar_t>(0x110000));
        EXPECT_EQ(DUI::WideToUtf8(bad), "\xEF\xBF\xBDx\xEF\xBF\xBD");
    } else {
        EXPECT_EQ(DUI::WideToUtf8(bad), "\xEF\xBF\xBDx");
    }
}

TEST(TextConversion, Utf8Validation) {
    EXPECT_TRUE(DUI::IsValidUtf8("plain"));
    EXPECT_TRUE(DUI::IsValidUtf8("\xEF\xBF\xBD"));  // U+FFFD written literally is valid
    EXPECT_FALSE(DUI::IsValidUtf8("\xFF"));
    EXPECT_FALSE(DUI::IsValidUtf8("\xE9\x85"));
}

TEST(TextConversion, WToIFollowsTheRuntimeRules) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"101", 101},
        {L"  42abc", 42},
        {L"-7", -7},
        {L"+9", 9},
        {L"", 0},
        {L"abc", 0},
        {L"- 5", 0},
        {L"\t\n 3", 3},
        {L"99999999999", INT_MAX},
        {L"-99999999999", INT_MIN},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(DUI::WToI(text), value) << DUI::WideToUtf8(text);
    }
    EXPECT_EQ(DUI::AToI(" 2052"), 2052);
}
