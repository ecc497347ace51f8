#include "XmlTestSupport.h"

#include "xml/MemoryStream.h"
#include "xml/XmlDocument.h"
#include "xml/XmlErrors.h"
#include "xml/XmlEscape.h"
#include "xml/XmlLimits.h"
#include "xml/XmlMessages.h"

#include <gtest/gtest.h>

namespace {

using namespace xml;
using xml_test::MessageOf;
using xml_test::Saved;
using namespace std::string_literals;

const char* const kDeclaration = "<?xml version=\"1.0\" encoding=\"windows-1252\"?>";

TEST(XmlWriter, WorkedExampleIsWrittenByteForByte) {
    TXmlDocument doc("Root");
    TXmlNode* software = doc.RootElement()->AddChild("Software");
    software->WriteText("Title", "A&B", "");
    software->WriteText("Company", "", "");
    software->WriteInt("Status", 1, 0);
    doc.SetOutputStyle(osReadable);
    EXPECT_EQ(Saved(doc),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
              "<Root>\r\n"
              "  <Software>\r\n"
              "    <Title>A&amp;B</Title>\r\n"
              "    <Company/>\r\n"
              "    <Status>1</Status>\r\n"
              "  </Software>\r\n"
              "</Root>\r\n");
}

TEST(XmlWriter, EmptyRootIsNeverShortInAnyStyle) {
    struct Case {
        TXmlOutputStyle style;
        std::string expected;
    };
    const Case cases[] = {
        {osReadable, std::string(kDeclaration) + "\r\n<Root></Root>\r\n"},
        {osCompact, std::string(kDeclaration) + "\n<Root></Root>\n"},
        {osLineFeeds, std::string(kDeclaration) + "\n<Root></Root>\n"},
        {static_cast<TXmlOutputStyle>(7), std::string(kDeclaration) + "\n<Root></Root>\n"},
    };
    for (const Case& c : cases) {
        TXmlDocument doc("Root");
        doc.SetOutputStyle(c.style);
        EXPECT_EQ(Saved(doc), c.expected) << "style " << int(c.style);
    }
}

TEST(XmlWriter, StylesLayOutNestedElements) {
    struct Case {
        TXmlOutputStyle style;
        std::string indent;
        std::string expected;
    };
    const Case cases[] = {
        {osCompact, "  ", "<R><S><T>x</T><E/></S></R>\n"},
        {osLineFeeds, "  ", "<R>\n<S>\n<T>x</T>\n<E/>\n</S>\n</R>\n"},
        {osReadable, "\t", "<R>\r\n\t<S>\r\n\t\t<T>x</T>\r\n\t\t<E/>\r\n\t</S>\r\n</R>\r\n"},
    };
    for (const Case& c : cases) {
        TXmlDocument doc("R");
        doc.Nodes()->DeleteChildren();
        TXmlNode* s = doc.Nodes()->AddChild("R")->AddChild("S");
        s->WriteText("T", "x", "");
        s->AddChild("E");
        doc.SetOutputStyle(c.style);
        doc.SetIndentText(c.indent);
        EXPECT_EQ(Saved(doc), c.expected) << "style " << int(c.style);
    }
}

TEST(XmlWriter, EveryNodeKindHasItsWrittenForm) {
    struct Case {
        TXmlNodeKind kind;
        const char* name;
        const char* value;
        std::string expected;  // as the second child of the root, compact style
    };
    const Case cases[] = {
        {nkComment, "Comment", " note ", "<!-- note -->"},
        {nkCData, "CData", "a<b", "<![CDATA[a<b]]>"},
        {nkDeclaration, "xml", "", "<?xml?>"},
        {nkStylesheet, "xml-stylesheet", "", "<?xml-stylesheet?>"},
        {nkDoctype, "html", "PUBLIC \"x\"", "<!DOCTYPE html PUBLIC \"x\">"},
        {nkDtdElement, "a", "(#PCDATA)", "<!ELEMENT a (#PCDATA)>"},
        {nkDtdAttList, "a", "b CDATA #IMPLIED", "<!ATTLIST a b CDATA #IMPLIED>"},
        {nkDtdEntity, "e", "\"v\"", "<!ENTITY e \"v\">"},
        {nkDtdNotation, "n", "SYSTEM \"x\"", "<!NOTATION n SYSTEM \"x\">"},
        {nkExclam, "Special", "foo", "<!foo>"},
        {nkQuestion, "Special", "pi data", "<?pi data?>"},
        {nkCharData, "", "raw & text", "raw & text"},
        {nkUnknown, "", "odd", "<odd>"},
    };
    for (const Case& c : cases) {
        TXmlDocument doc("R");
        doc.Nodes()->DeleteChildren();
        TXmlNode* root = doc.Nodes()->AddChild("R");
        root->AddChild("A");
        TXmlNode* node = root->AddChild(c.name, c.kind);
        node->SetValue(c.value);
        root->AddChild("B");
        const bool charData = c.kind == nkCharData;
        for (const TXmlOutputStyle style : {osCompact, osLineFeeds}) {
            const std::string e = style == osCompact ? "" : "\n";
            doc.SetOutputStyle(style);
            EXPECT_EQ(Saved(doc), "<R>" + e + "<A/>" + (charData ? "" : e) + c.expected + (charData ? "" : e) + "<B/>" +
                                      e + "</R>\n")
                << "kind " << int(c.kind) << " style " << int(style);
        }
    }
}

TEST(XmlWriter, DoctypeWithChildrenListsThemInBrackets) {
    TXmlDocument doc;
    doc.Nodes()->DeleteChildren();
    TXmlNode* doctype = doc.Nodes()->AddChild("R", nkDoctype);
    doctype->AddChild("R", nkDtdElement)->SetValue("(A)");
    doctype->AddChild("A", nkDtdElement)->SetValue("EMPTY");
    doc.Nodes()->AddChild("R");
    doc.SetOutputStyle(osReadable);
    EXPECT_EQ(Saved(doc), "<!DOCTYPE R  [\r\n  <!ELEMENT R (A)>\r\n  <!ELEMENT A EMPTY>\r\n]>\r\n<R></R>\r\n");
}

TEST(XmlWriter, ElementWithValueAndChildrenWritesValueAfterStartTag) {
    TXmlDocument doc("R");
    doc.Nodes()->DeleteChildren();
    TXmlNode* root = doc.Nodes()->AddChild("R");
    root->SetText("v");
    root->AddChild("C");
    doc.SetOutputStyle(osReadable);
    EXPECT_EQ(Saved(doc), "<R>v\r\n  <C/>\r\n</R>\r\n");
}

TEST(XmlWriter, AttributesAndFullEmptyElements) {
    TXmlDocument doc("R");
    doc.Nodes()->DeleteChildren();
    TXmlNode* root = doc.Nodes()->AddChild("R");
    TXmlNode* e = root->AddChild("E");
    e->AddAttribute("a", "1 < 2");
    e->AddAttribute("b", "say \"hi\"");
    EXPECT_EQ(Saved(doc), "<R><E a=\"1 &lt; 2\" b=\"say &quot;hi&quot;\"/></R>\n");
    doc.SetFullEmptyElements(true);
    EXPECT_EQ(Saved(doc), "<R><E a=\"1 &lt; 2\" b=\"say &quot;hi&quot;\"></E></R>\n");
    EXPECT_EQ(e->GetAttribute("B"), "say \"hi\"");
    EXPECT_EQ(e->GetAttribute("missing"), "");
}

TEST(XmlWriter, FiveSpecialCharactersBecomeEntitiesAndReadBack) {
    TXmlDocument doc("Root");
    doc.RootElement()->WriteText("V", "&<>'\"", "");
    EXPECT_EQ(Saved(doc), std::string(kDeclaration) + "\n<Root><V>&amp;&lt;&gt;&apos;&quot;</V></Root>\n");
    EXPECT_EQ(doc.RootElement()->ReadText("v", "x"), "&<>'\"");
    EXPECT_EQ(EscapeText("&amp;"), "&amp;amp;");
}

TEST(XmlWriter, ParserWarningsRequireARootBeforeAnythingIsWritten) {
    TXmlDocument doc("Root");
    doc.Nodes()->DeleteChildren();
    doc.Nodes()->AddChild("c", nkComment);
    EXPECT_EQ(Saved(doc), "<!---->\n");  // without the check it is written
    doc.SetParserWarnings(true);
    TMemoryStream out;
    EXPECT_EQ(MessageOf<EXmlError>([&] { doc.SaveStream(out); }), "XML root element not defined.");
    EXPECT_TRUE(out.Bytes().empty());
}

TEST(XmlWriter, IllegalElementTypeIsRefused) {
    TXmlDocument doc("Root");
    doc.RootElement()->AddChild("x")->SetKind(static_cast<TXmlNodeKind>(14));
    EXPECT_EQ(MessageOf<EXmlError>([&] { Saved(doc); }), "Illegal element type");
}

// A stream that takes only the first `capacity` bytes it is given.
class TShortStream : public TStream {
public:
    explicit TShortStream(std::size_t capacity) : m_capacity(capacity) {}
    std::size_t Read(void*, std::size_t) override { return 0; }
    std::size_t Write(const void*, std::size_t size) override {
        const std::size_t n = std::min(size, m_capacity);
        m_capacity -= n;
        return n;
    }

private:
    std::size_t m_capacity;
};

TEST(XmlWriter, StreamTakingFewerBytesFailsTheSave) {
    TXmlDocument doc("Root");
    for (int i = 0; i < 5000; ++i) doc.RootElement()->AddChild("Software")->WriteText("Title", "Some title", "");
    for (const std::size_t capacity : {std::size_t{0}, std::size_t{10}, std::size_t{65536}, std::size_t{70000}}) {
        TShortStream out(capacity);
        EXPECT_EQ(MessageOf<EXmlStreamError>([&] { doc.SaveStream(out); }), "Cannot write to output stream")
            << capacity;
    }
}

TEST(XmlWriter, UnsupportedEncodingsWriteNothing) {
    for (const TXmlEncoding e : {enUcs4Be, enUcs4_2143, enUcs4_3412, enEbcdic, static_cast<TXmlEncoding>(11)}) {
        TXmlDocument doc("Root");
        doc.SetSourceEncoding(e);
        TMemoryStream out;
        EXPECT_EQ(MessageOf<EXmlStreamError>([&] { doc.SaveStream(out); }), "Unsupported string encoding") << int(e);
        EXPECT_TRUE(out.Bytes().empty());
    }
}

TEST(XmlWriter, EncodingsOfThe8BitWriter) {
    struct Case {
        TXmlEncoding encoding;
        std::string expected;
    };
    const std::string le = xml_test::Wide("<R>\xE9</R>\n", false);
    const std::string be = xml_test::Wide("<R>\xE9</R>\n", true);
    const Case cases[] = {
        {enAnsi, "<R>\xE9</R>\n"},
        {enUtf8, "\xEF\xBB\xBF<R>\xC3\xA9</R>\n"},
        {enUnicodeLe, "\xFF\xFE" + le},
        {enUnicodeBe, "\xFE\xFF" + be},
        {enUtf16Le, le},
        {enUtf16Be, be},
        {enUcs4Le, std::string("\xFF\xFE\0\0<\0\0\0", 8)},
    };
    for (const Case& c : cases) {
        TXmlDocument doc;
        doc.Nodes()->DeleteChildren();
        doc.Nodes()->AddChild("R")->SetText("\xE9");
        doc.SetSourceEncoding(c.encoding);
        const std::string saved = Saved(doc);
        EXPECT_EQ(saved.substr(0, c.expected.size()), c.expected) << int(c.encoding);
        if (c.encoding != enUcs4Le) {
            EXPECT_EQ(saved.size(), c.expected.size()) << int(c.encoding);
        }
    }
}

TEST(XmlWriter, Utf8WriterConvertsToTheFileEncoding) {
    struct Case {
        TXmlEncoding encoding;
        std::string expected;
    };
    // U+00E9 and U+1F600 (a character beyond 16 bits, as a surrogate pair in 16-bit files).
    const std::string value = "\xC3\xA9\xF0\x9F\x98\x80";
    const Case cases[] = {
        {enUtf8, "\xEF\xBB\xBF<R>" + value + "</R>\n"},
        {enAnsi, "<R>\xE9?</R>\n"},
        {enUnicodeLe,
         "\xFF\xFE" + xml_test::Wide("<R>\xE9", false) + "\x3D\xD8\x00\xDE"s + xml_test::Wide("</R>\n", false)},
        {enUnicodeBe,
         "\xFE\xFF" + xml_test::Wide("<R>\xE9", true) + "\xD8\x3D\xDE\x00"s + xml_test::Wide("</R>\n", true)},
    };
    for (const Case& c : cases) {
        TXmlDocument doc;
        doc.Nodes()->DeleteChildren();
        doc.Nodes()->AddChild("R")->SetValue(value);
        doc.SetUtf8Content(true);
        doc.SetSourceEncoding(c.encoding);
        EXPECT_EQ(Saved(doc), c.expected) << int(c.encoding);
    }
}

TEST(XmlWriter, CharactersCutByTheBufferBoundaryAreConvertedWhole) {
    // 'x' then two-byte sequences: every buffer boundary falls inside one.
    std::string value = "x";
    for (int i = 0; i < 100000; ++i) value += "\xC3\xA9";
    TXmlDocument doc;
    doc.Nodes()->DeleteChildren();
    doc.Nodes()->AddChild("R")->SetValue(value);
    doc.SetUtf8Content(true);
    doc.SetSourceEncoding(enAnsi);
    EXPECT_EQ(Saved(doc), "<R>x" + std::string(100000, '\xE9') + "</R>\n");
}

TEST(XmlWriter, AFailedWriteStopsTheSaveWithItsMessage) {
    // Large enough for several buffer-sized writes.
    TXmlDocument doc("Root");
    for (int i = 0; i < 6000; ++i) doc.RootElement()->AddChild("Software")->WriteText("Title", "Title & more", "");
    const std::string whole = Saved(doc);
    const std::size_t writes = (whole.size() + kWriteBufferSize - 1) / kWriteBufferSize;
    ASSERT_GE(writes, 3u);
    for (int n = 1; n <= static_cast<int>(writes) + 1; ++n) {
        SCOPED_TRACE(n);
        xml_test::TFailingStream out(n);
        if (n <= static_cast<int>(writes)) {
            EXPECT_EQ(MessageOf<EXmlStreamError>([&] { doc.SaveStream(out); }), kMessageCannotWrite);
            // Nothing is written after the failed write.
            EXPECT_EQ(out.Writes(), n);
            EXPECT_EQ(out.Bytes(), whole.substr(0, static_cast<std::size_t>(n - 1) * kWriteBufferSize));
        } else {
            doc.SaveStream(out);
            EXPECT_EQ(out.Bytes(), whole);
        }
    }
}

}  // namespace

#ifndef _WIN32
#include "platform/PortableCodePage.h"

namespace {

using platform::portable::ScopedCodePage;
using platform::portable::TCodePage;

TEST(XmlDoubleByteCodePage, LeadByteAtTheBufferBoundaryStaysWithItsTrailByte) {
    ScopedCodePage cp932(TCodePage::cp932);
    // "<R>" puts every pair's lead byte at an odd offset, so the 64 KiB
    // boundary falls between a lead and its trail byte.
    std::string value;
    for (int i = 0; i < 50000; ++i) value += "\x82\xA0";
    xml::TXmlDocument doc;
    doc.Nodes()->DeleteChildren();
    doc.Nodes()->AddChild("R")->SetValue(value);
    doc.SetSourceEncoding(xml::enUtf8);
    std::string expected = "\xEF\xBB\xBF<R>";
    // The portable code page knows the double-byte structure, not the characters.
    for (int i = 0; i < 50000; ++i) expected += "\xEF\xBF\xBD";
    EXPECT_EQ(xml_test::Saved(doc), expected + "</R>\n");
}

TEST(XmlDoubleByteCodePage, TrailBytesAreNotLettersWhenMatchingNames) {
    ScopedCodePage cp932(TCodePage::cp932);
    xml::TXmlDocument doc("Root");
    xml::TXmlNode* root = doc.RootElement();
    root->AddChild(
        "\x82"
        "a");
    EXPECT_EQ(root->IndexOfChild("\x82"
                                 "A"),
              -1);
    EXPECT_EQ(root->IndexOfChild("\x82"
                                 "a"),
              0);
    root->AddChild(
        "x\x82"
        "b");
    EXPECT_EQ(root->IndexOfChild("X\x82"
                                 "b"),
              1);
}

}  // namespace
#endif
