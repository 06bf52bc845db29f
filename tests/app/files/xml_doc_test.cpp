// The XML class: reading every supported encoding to the same text, walking with the cursor,
// decoding references, editing in place, and the damaged inputs that must fail quietly.
#include "files/xml_doc.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"
#include "tessel/platform/text.h"

namespace pellora {
namespace {

using testing::TempDir;
using testing::WriteFile;

const std::wstring kDeclaration = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

TEST(XmlDocLoad, EveryEncodingReadsToTheSameText) {
    TempDir dir;
    const std::wstring text =
        L"<?xml version=\"1.0\"?>\r\n<root name=\"\u914D\u7F6E \u00E9\"/>\r\n";
    const std::string utf8 = DUI::WideToUtf8(text);
    struct Case {
        const char* file;
        std::string bytes;
    };
    const Case cases[] = {
        {"plain.xml", utf8},
        {"bom.xml", "\xEF\xBB\xBF" + utf8},
        {"le.xml", "\xFF\xFE" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little)},
        {"be.xml", "\xFE\xFF" + DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Big)},
        {"le-nomark.xml", DUI::WideToUtf16Bytes(text, DUI::ByteOrder::Little)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(WriteFile(dir / c.file, c.bytes));
        XmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(dir / c.file)) << DUI::WideToUtf8(doc.GetResult());
        EXPECT_EQ(doc.GetDoc(), text);
        ASSERT_TRUE(doc.FindNext(L"root"));
        EXPECT_EQ(doc.GetAttribute(L"name"), L"\u914D\u7F6E \u00E9");
    }
}

TEST(XmlDocLoad, DeclaredSingleAndMultiByteEncodingsAreConverted) {
    TempDir dir;
    // "é" in Latin-1 and "配置" in GB2312; neither byte sequence is valid UTF-8.
    ASSERT_TRUE(WriteFile(dir / "latin.xml",
                          "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r a=\"caf\xE9\"/>"));
    ASSERT_TRUE(WriteFile(
        dir / "gb.xml", "<?xml version=\"1.0\" encoding=\"GB2312\"?><r a=\"\xC5\xE4\xD6\xC3\"/>"));
    ASSERT_TRUE(WriteFile(dir / "meta.xml",
                          "<html><meta http-equiv=\"Content-Type\" "
                          "content=\"text/html; charset=windows-1252\"/><r a=\"\x80\"/></html>"));
    // Declared as Latin-1 but really UTF-8: read as UTF-8.
    ASSERT_TRUE(WriteFile(dir / "liar.xml",
                          "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r a=\"caf\xC3\xA9\"/>"));
    struct Case {
        const char* file;
        const wchar_t* value;
        const wchar_t* diagnostic;
    };
    const Case cases[] = {{"latin.xml", L"caf\u00E9", L"<converted_to"},
                          {"gb.xml", L"\u914D\u7F6E", L"<converted_to"},
                          {"liar.xml", L"caf\u00E9", L"<utf8_detection"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        XmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(dir / c.file));
        ASSERT_TRUE(doc.FindNext(L"r"));
        EXPECT_EQ(doc.GetAttribute(L"a"), c.value);
        EXPECT_NE(doc.GetResult().find(c.diagnostic), std::wstring::npos);
    }
    XmlDoc meta;
    ASSERT_TRUE(meta.LoadFile(dir / "meta.xml"));
    ASSERT_TRUE(meta.FindNext(L"html") && meta.EnterElement() && meta.FindNext(L"r"));
    EXPECT_EQ(meta.GetAttribute(L"a"), L"\u20AC");
}

TEST(XmlDocLoad, FailuresReturnFalseAndRecordWhy) {
    TempDir dir;
    XmlDoc doc;
    EXPECT_FALSE(doc.LoadFile(dir / "missing.xml"));
    EXPECT_NE(doc.GetResult().find(L"<file_error"), std::wstring::npos);
    EXPECT_FALSE(doc.LoadFile(dir.path()));  // a folder is not a file
    EXPECT_FALSE(doc.FindNext(L"anything"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"");

    ASSERT_TRUE(WriteFile(dir / "two.xml", "<a/>\r\n<b/>\r\n"));
    EXPECT_FALSE(doc.LoadFile(dir / "two.xml"));
    EXPECT_NE(doc.GetResult().find(L"<root_has_sibling"), std::wstring::npos);
}

TEST(XmlDocParse, MalformedDocumentsAreRejectedWithTheirCase) {
    struct Case {
        const wchar_t* text;
        const wchar_t* record;
    };
    const Case cases[] = {
        {L"", L"no_root_element"},
        {L"just text", L"no_root_element"},
        {L"<a><b></a>", L"unended_start_tag"},
        {L"<a></b></a>", L"lone_end_tag"},
        {L"<a><!-- open", L"comment_tag_syntax"},
        {L"<a><![CDATA[ open", L"cdata_section_syntax"},
        {L"<!DOCTYPE a [ <!ENTITY x \"y\">", L"doctype_tag_syntax"},
        {L"<a><!stray", L"exclamation_tag_syntax"},
        {L"<a b=\"1", L"unterminated_tag_syntax"},
        {L"<a><b c=1 <d/></a>", L"unterminated_tag_syntax"},
        {L"<a>< b</a>", L"first_tag_syntax"},
        {L"<a>", L"unended_start_tag"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(DUI::WideToUtf8(c.text));
        XmlDoc doc;
        EXPECT_FALSE(doc.SetText(c.text));
        EXPECT_NE(doc.GetResult().find(std::wstring(L"<") + c.record), std::wstring::npos)
            << DUI::WideToUtf8(doc.GetResult());
    }
}

TEST(XmlDocParse, SkipsEverythingThatIsNotAnElement) {
    XmlDoc doc;
    ASSERT_TRUE(
        doc.SetText(L"<?xml version=\"1.0\"?>\n<!DOCTYPE r [ <!ELEMENT r ANY> ]>\n<!-- <x/> -->\n"
                    L"<r><![CDATA[<y/>]]><k v='a>b'/>text<?pi <z/>?><k v=\"2\"></k></r>"));
    ASSERT_TRUE(doc.FindNext(L"r"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.FindNext(L"y"));
    ASSERT_TRUE(doc.FindNext(L"k"));
    EXPECT_EQ(doc.GetAttribute(L"v"), L"a>b");
    ASSERT_TRUE(doc.FindNext(L"k"));
    EXPECT_EQ(doc.GetAttribute(L"v"), L"2");
    EXPECT_EQ(doc.ElementCount(), 3u);
}

TEST(XmlDocCursor, FindNextVisitsSiblingsAndStaysOnTheLastMatch) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(
        L"<device><mouse n=\"1\"><mode v=\"a\"/></mouse><other/><mouse n=\"2\"/></device>"));
    ASSERT_TRUE(doc.FindNext(L"device"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_TRUE(doc.FindNext(L"mouse"));
    EXPECT_EQ(doc.GetAttribute(L"n"), L"1");
    EXPECT_TRUE(doc.FindNext(L"mouse"));
    EXPECT_FALSE(doc.FindNext(L"mouse"));
    EXPECT_EQ(doc.GetAttribute(L"n"), L"2");
    EXPECT_FALSE(doc.FindNext(L"Mouse"));  // names compare with case
}

TEST(XmlDocCursor, LeaveContinuesAfterTheElementLeft) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(L"<c><a><x/></a><b/><a id=\"2\"/></c>"));
    EXPECT_FALSE(doc.EnterElement());  // nothing to enter yet
    EXPECT_FALSE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindNext(L"c") && doc.EnterElement());
    ASSERT_TRUE(doc.FindNext(L"a") && doc.EnterElement());
    ASSERT_TRUE(doc.FindNext(L"x"));
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), L"a");
    ASSERT_TRUE(doc.FindNext(L"a"));
    EXPECT_EQ(doc.GetAttribute(L"id"), L"2");
    // The search in <c> started after the first <a>: <b> before it is found, going on from there.
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.GetTagName(), L"c");
    EXPECT_FALSE(doc.FindNext(L"c"));
}

TEST(XmlDocAttributes, ReferencesAndQuotingVariants) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(
        L"<r a=\"a&amp;b&#x41;&#66;\" u=\"&bogus;&amp\" q='it&apos;s' n=bare e=\"&#0;&#x110000;\" "
        L"g=\"&Agrave;&agrave;&AMP;&eacute;&#x1F600;\" empty=\"\" flag/>"));
    ASSERT_TRUE(doc.FindNext(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"a&bAB");
    EXPECT_EQ(doc.GetAttribute(L"u"), L"&bogus;&amp");
    EXPECT_EQ(doc.GetAttribute(L"q"), L"it's");
    EXPECT_EQ(doc.GetAttribute(L"n"), L"bare");
    EXPECT_EQ(doc.GetAttribute(L"e"), L"&#0;&#x110000;");
    EXPECT_EQ(doc.GetAttribute(L"g"), L"\u00C0\u00E0&\u00E9\U0001F600");
    EXPECT_EQ(doc.GetAttribute(L"empty"), L"");
    EXPECT_EQ(doc.GetAttribute(L"flag"), L"");
    EXPECT_EQ(doc.GetAttribute(L"missing"), L"");
    EXPECT_EQ(doc.GetAttribute(L"A"), L"");
}

TEST(XmlDocEdit, BuildsOneElementPerLineAfterTheDeclaration) {
    XmlDoc doc;
    doc.SetText(kDeclaration);
    ASSERT_TRUE(doc.AppendElement(L"macro"));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement(L"macroinfo"));
    ASSERT_TRUE(doc.SetAttribute(L"macro_name", L"x"));
    EXPECT_EQ(doc.GetDoc(),
              kDeclaration + L"<macro>\r\n<macroinfo macro_name=\"x\"/>\r\n</macro>\r\n");
    EXPECT_TRUE(doc.IsWellFormed());
}

TEST(XmlDocEdit, IndexFollowsEditsSoTheCursorAndReadsStayValid) {
    XmlDoc doc;
    doc.SetText(kDeclaration);
    ASSERT_TRUE(doc.AppendElement(L"profile"));
    ASSERT_TRUE(doc.SetAttribute(L"version", 1));
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.AppendElement(L"keyitems"));
    ASSERT_TRUE(doc.EnterElement());
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(doc.AppendElement(L"item"));
        ASSERT_TRUE(doc.SetAttribute(L"key_code", i));
        ASSERT_TRUE(doc.SetAttribute(L"desc", L"<\"'&>"));
    }
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.AppendElement(L"lightitems"));
    ASSERT_TRUE(doc.SetAttribute(L"count", 0));
    // Changing an existing value keeps its place; a longer value shifts what follows.
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.SetAttribute(L"version", L"12345"));

    const std::wstring expected = kDeclaration +
                                  L"<profile version=\"12345\">\r\n<keyitems>\r\n"
                                  L"<item key_code=\"0\" desc=\"&lt;&quot;&apos;&amp;&gt;\"/>\r\n"
                                  L"<item key_code=\"1\" desc=\"&lt;&quot;&apos;&amp;&gt;\"/>\r\n"
                                  L"<item key_code=\"2\" desc=\"&lt;&quot;&apos;&amp;&gt;\"/>\r\n"
                                  L"</keyitems>\r\n<lightitems count=\"0\"/>\r\n</profile>\r\n";
    EXPECT_EQ(doc.GetDoc(), expected);

    // Walking the edited index gives what parsing the text gives.
    for (bool reparse : {false, true}) {
        SCOPED_TRACE(reparse);
        if (reparse) {
            ASSERT_TRUE(doc.SetText(expected));
        }
        doc.ResetPos();
        ASSERT_TRUE(doc.FindNext(L"profile") && doc.EnterElement());
        ASSERT_TRUE(doc.FindNext(L"keyitems") && doc.EnterElement());
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(doc.FindNext(L"item"));
            EXPECT_EQ(doc.GetAttribute(L"key_code"), std::to_wstring(i));
            EXPECT_EQ(doc.GetAttribute(L"desc"), L"<\"'&>");
        }
        ASSERT_TRUE(doc.LeaveElement());
        ASSERT_TRUE(doc.FindNext(L"lightitems"));
        EXPECT_EQ(doc.GetAttribute(L"count"), L"0");
    }
}

TEST(XmlDocEdit, AppendsIntoExistingLayouts) {
    struct Case {
        const wchar_t* text;
        const wchar_t* expected;
    };
    const Case cases[] = {
        // No content between the tags: a line break before the new element too.
        {L"<r></r>", L"<r>\r\n<n/>\r\n</r>"},
        {L"<r a='1' />", L"<r a='1' >\r\n<n/>\r\n</r>"},
        // A doubled slash must not leave an empty-element tag behind.
        {L"<r//>", L"<r/ >\r\n<n/>\r\n</r>"},
        {L"<r>\r\n<k/>\r\n</r>", L"<r>\r\n<k/>\r\n<n/>\r\n</r>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(DUI::WideToUtf8(c.text));
        XmlDoc doc;
        ASSERT_TRUE(doc.SetText(c.text));
        ASSERT_TRUE(doc.FindNext(L"r") && doc.EnterElement());
        ASSERT_TRUE(doc.AppendElement(L"n"));
        EXPECT_EQ(doc.GetDoc(), c.expected);
        EXPECT_TRUE(doc.SetText(doc.GetDoc()));
    }
    // After a found sibling the new element goes right behind it, past its line break.
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(L"<r>\r\n<a/>\r\n<b/>\r\n</r>"));
    ASSERT_TRUE(doc.FindNext(L"r") && doc.EnterElement() && doc.FindNext(L"a"));
    ASSERT_TRUE(doc.AppendElement(L"n"));
    EXPECT_EQ(doc.GetDoc(), L"<r>\r\n<a/>\r\n<n/>\r\n<b/>\r\n</r>");
    ASSERT_TRUE(doc.FindNext(L"b"));
    ASSERT_TRUE(doc.SetAttribute(L"x", L"1"));
    EXPECT_EQ(doc.GetDoc(), L"<r>\r\n<a/>\r\n<n/>\r\n<b x=\"1\"/>\r\n</r>");
}

TEST(XmlDocEdit, RefusesWhatWouldCorruptTheText) {
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(L"<r a=\"1\"/>"));
    EXPECT_FALSE(doc.SetAttribute(L"a", L"2"));  // no main position
    ASSERT_TRUE(doc.FindNext(L"r"));
    EXPECT_FALSE(doc.SetAttribute(L"", L"2"));
    EXPECT_FALSE(doc.SetAttribute(L"a b", L"2"));
    EXPECT_FALSE(doc.AppendElement(L""));
    EXPECT_FALSE(doc.AppendElement(L"x/><y"));
    EXPECT_EQ(doc.GetDoc(), L"<r a=\"1\"/>");
    // Unquoted and valueless attributes are rewritten quoted.
    ASSERT_TRUE(doc.SetText(L"<r a=1 b/>"));
    ASSERT_TRUE(doc.FindNext(L"r"));
    ASSERT_TRUE(doc.SetAttribute(L"a", L"x y"));
    ASSERT_TRUE(doc.SetAttribute(L"b", L"z"));
    EXPECT_EQ(doc.GetDoc(), L"<r a=\"x y\" b=\"z\"/>");
    // A quote inside an unquoted value hides the '>' after it, for the parser and the editor.
    ASSERT_TRUE(doc.SetText(L"<r a=x\"y>z\"w/>"));
    ASSERT_TRUE(doc.FindNext(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"x\"y>z\"w");
    ASSERT_TRUE(doc.SetAttribute(L"a", L"1"));
    EXPECT_EQ(doc.GetDoc(), L"<r a=\"1\"/>");
}

TEST(XmlDocSave, WritesTheTextInItsEncodingAndReadsItBack) {
    TempDir dir;
    struct Case {
        const char* file;
        std::string original;
        std::string saved;  // empty: same as original
    };
    const std::wstring body = L"<r a=\"\u00E9\u914D\"/>\r\n";
    const std::string utf8 = DUI::WideToUtf8(kDeclaration + body);
    const std::wstring latin_text =
        L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r a=\"\u00E9\"/>";
    const Case cases[] = {
        {"utf8.xml", utf8, ""},
        {"bom.xml", "\xEF\xBB\xBF" + utf8, ""},
        {"le.xml", "\xFF\xFE" + DUI::WideToUtf16Bytes(kDeclaration + body, DUI::ByteOrder::Little),
         ""},
        {"be.xml", "\xFE\xFF" + DUI::WideToUtf16Bytes(kDeclaration + body, DUI::ByteOrder::Big),
         ""},
        {"latin.xml", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<r a=\"\xE9\"/>", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        ASSERT_TRUE(WriteFile(dir / c.file, c.original));
        XmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(dir / c.file));
        const std::string out = std::string(c.file) + ".out";
        ASSERT_TRUE(doc.SaveFile(dir / out));
        EXPECT_EQ(testing::ReadFile(dir / out), c.saved.empty() ? c.original : c.saved);
    }

    // Characters the declared code page lacks become '?' and are counted.
    XmlDoc doc;
    doc.SetText(L"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r a=\"\u914D\u00E9\"/>");
    ASSERT_TRUE(doc.SaveFile(dir / "lossy.xml"));
    EXPECT_EQ(testing::ReadFile(dir / "lossy.xml"),
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><r a=\"?\xE9\"/>");
    EXPECT_NE(doc.GetResult().find(L"<conversion_loss count=\"1\""), std::wstring::npos);

    EXPECT_FALSE(doc.SaveFile(dir / "no" / "such" / "folder.xml"));
    EXPECT_NE(doc.GetResult().find(L"<file_error"), std::wstring::npos);
}

TEST(XmlDocLoad, DamagedBytesReadAsReplacementCharactersNotFailures) {
    TempDir dir;
    struct Case {
        const char* name;
        std::string bytes;
        const wchar_t* value;
    };
    const Case cases[] = {
        // A sequence cut short inside the value, and a file cut inside a UTF-16 unit.
        {"truncated utf-8", "<r a=\"x\xE9\x85\"/>", L"x\uFFFD"},
        {"unknown encoding", "<?xml version=\"1.0\" encoding=\"x-bogus\"?><r a=\"\xFF\"/>",
         L"\uFFFD"},
        {"nul bytes", std::string("<r a=\"1\0\0\"/>", 12), L"1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(WriteFile(dir / "f.xml", c.bytes));
        XmlDoc doc;
        ASSERT_TRUE(doc.LoadFile(dir / "f.xml")) << DUI::WideToUtf8(doc.GetResult());
        ASSERT_TRUE(doc.FindNext(L"r"));
        EXPECT_EQ(doc.GetAttribute(L"a"), c.value);
    }
    ASSERT_TRUE(
        WriteFile(dir / "odd.xml",
                  "\xFF\xFE" + DUI::WideToUtf16Bytes(L"<r/>", DUI::ByteOrder::Little) + "<"));
    XmlDoc odd;
    EXPECT_TRUE(odd.LoadFile(dir / "odd.xml"));  // the odd byte is text after the root
    EXPECT_EQ(odd.GetDoc(), L"<r/>\uFFFD");
}

TEST(XmlDocLoad, AHundredMegabyteFileLoads) {
    TempDir dir;
    std::string big = "<r a=\"1\">";
    big.append(100u << 20, 'x');
    big += "</r>";
    ASSERT_TRUE(WriteFile(dir / "big.xml", big));
    XmlDoc doc;
    ASSERT_TRUE(doc.LoadFile(dir / "big.xml"));
    ASSERT_TRUE(doc.FindNext(L"r"));
    EXPECT_EQ(doc.GetAttribute(L"a"), L"1");
    big.resize(big.size() - 4);  // cut before the end tag
    ASSERT_TRUE(WriteFile(dir / "big.xml", big));
    EXPECT_FALSE(doc.LoadFile(dir / "big.xml"));
}

TEST(XmlDocLoad, NestingAndSizeDoNotExhaustTheStack) {
    std::wstring deep;
    constexpr int kDepth = 200000;
    for (int i = 0; i < kDepth; ++i) {
        deep += L"<e>";
    }
    for (int i = 0; i < kDepth; ++i) {
        deep += L"</e>";
    }
    XmlDoc doc;
    ASSERT_TRUE(doc.SetText(deep));
    EXPECT_EQ(doc.ElementCount(), static_cast<std::size_t>(kDepth));
    int depth = 0;
    while (doc.FindNext(L"e") && doc.EnterElement()) {
        ++depth;
    }
    EXPECT_EQ(depth, kDepth);

    // Unended all the way down: every element is closed at the end, not ended.
    EXPECT_FALSE(doc.SetText(deep.substr(0, deep.size() / 2)));
    EXPECT_LT(doc.GetResult().size(), 10000u);  // the records are capped
}

}  // namespace
}  // namespace pellora
