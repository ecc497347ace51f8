#include "XmlTestSupport.h"

#include "xml/MemoryStream.h"
#include "xml/XmlDocument.h"
#include "xml/XmlErrors.h"
#include "xml/XmlEscape.h"
#include "xml/XmlLimits.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using namespace xml;
using xml_test::Load;
using xml_test::MessageOf;
using xml_test::Saved;
using namespace std::string_literals;

// Literal input, exact output bytes after loading and saving in the default
// compact style.
TEST(XmlReader, OneLineCasesReadAndWriteBack) {
    struct Case {
        std::string input;
        std::string output;
    };
    const Case cases[] = {
        {"<a>x</a>", "<a>x</a>\n"},
        {"<?xml version=\"1.0\"?><a/>", "<?xml version=\"1.0\"?>\n<a></a>\n"},
        {"<a><b/></a>", "<a><b/></a>\n"},
        {"<a>  <b>t</b>  </a>", "<a><b>t</b></a>\n"},
        {"<a> v </a>", "<a> v </a>\n"},
        {"<a> \t\r\n </a>", "<a></a>\n"},
        {"<a>text<b/>tail</a>", "<a>text<b/>tail</a>\n"},
        {"<a>1<b/>\r\n2 \r\n</a>", "<a>1<b/>\r\n2</a>\n"},
        {"<a>1<b/>\n2 \n</a>", "<a>1<b/>\n2 \n</a>\n"},
        {"<a><![CDATA[x<y]]>z</a>", "<a><![CDATA[x<y]]>z</a>\n"},
        {"<a><!--c--></a>", "<a><!--c--></a>\n"},
        {"<a x=\"1\" y = '2' z= \"3\"/>", "<a x=\"1\" y='2' z=\"3\"></a>\n"},
        {"<a x='>'>v</a>", "<a x='>'>v</a>\n"},
        {"<!DOCTYPE a SYSTEM\r\n \"a.dtd\"><a/>", "<!DOCTYPE a SYSTEM   \"a.dtd\">\n<a></a>\n"},
        {"<!DOCTYPE a [ <!ELEMENT a (#PCDATA)> %p; ]><a/>", "<!DOCTYPE a  [<!ELEMENT a (#PCDATA)>]>\n<a></a>\n"},
        {"<?xml-stylesheet type=\"text/xsl\" href=\"s.xsl\"?><a/>",
         "<?xml-stylesheet type=\"text/xsl\" href=\"s.xsl\"?>\n<a></a>\n"},
        {"<?pi data?><a/>", "<?pi data?>\n<a></a>\n"},
        {"<!foo><a/>", "<!foo>\n<a></a>\n"},
        {"junk<a/>junk", "<a></a>\n"},
        {"<Title>x</title >", "<Title>x</Title>\n"},
        {"<a>&amp;&#65;&bogus;</a>", "<a>&amp;&#65;&bogus;</a>\n"},
        {std::string("<a/>\0<b/>", 9), "<a></a>\n<b></b>\n"},
        {"<a>< b/></a>", "<a><b/></a>\n"},
        {"<a><c>1</c><C>2</C></a>", "<a><c>1</c><C>2</C></a>\n"},
    };
    for (const Case& c : cases) {
        TXmlDocument doc;
        Load(doc, c.input);
        EXPECT_EQ(Saved(doc), c.output) << c.input;
    }
}

TEST(XmlReader, FieldValuesKeepTheirEscapedText) {
    TXmlDocument doc;
    Load(doc, "<R><Title>A&amp;B</Title><V>&#65;&#x41;&#X41;&#255;</V><S> a </S><W>  </W></R>");
    TXmlNode* root = doc.RootElement();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->FindChild("title")->Value(), "A&amp;B");
    EXPECT_EQ(root->ReadText("Title", ""), "A&B");
    EXPECT_EQ(root->ReadText("V", ""), "AAA&#255;");
    EXPECT_EQ(root->ReadText("S", ""), " a ");
    EXPECT_EQ(root->ReadText("W", "def"), "");
    EXPECT_EQ(root->ReadText("Missing", "def"), "def");
}

TEST(XmlReader, StructuralErrorsNameTheElement) {
    struct Case {
        std::string input;
        std::string message;
    };
    const Case cases[] = {
        {"", "No root element found in xml"},
        {"<?xml version=\"1.0\"?>", "No root element found in xml"},
        {"<!-- only a comment -->  ", "No root element found in xml"},
        {"<a>", "Missing close tag in element a"},
        {"<a>text", "Missing close tag in element a"},
        {std::string("<a>\0</a>", 8), "Missing close tag in element a"},
        {"<a><b></b>", "Missing close tag in element a"},
        {"<a><", "Missing data after \"<\" in element a"},
        {"<a>< \r\n", "Missing data after \"<\" in element a"},
        {"<a></a", "Missing \">\" in close tag of element a"},
        {"<Title></Name>", "Incorrect close tag in element Title"},
        {"<a><b></a></b>", "Incorrect close tag in element b"},
        {"<>", "Missing element name"},
        {"<a>< ></a>", "Missing element name"},
        {"<a/ >", "Missing close tag in element a/"},
    };
    for (const Case& c : cases) {
        TXmlDocument doc;
        EXPECT_EQ(MessageOf<EXmlError>([&] { Load(doc, c.input); }), c.message) << c.input;
    }
}

TEST(XmlReader, ParserWarningsCheckTheTopLevel) {
    struct Case {
        std::string input;
        std::string message;
    };
    const Case cases[] = {
        {"<a/><b/>", "More than one root element found in xml"},
        {"<?xml version=\"1.0\"?><?xml version=\"1.0\"?><a/>", "More than one xml declaration found in xml"},
        {"<!--c--><?xml version=\"1.0\"?><a/>", "Xml declaration must be first element"},
        {"<!DOCTYPE a><!DOCTYPE a><a/>", "More than one doctype declaration found in root"},
        {"<a/><!DOCTYPE a>", "Doctype declaration found after root element"},
        {"<![CDATA[x]]><a/>", "No CDATA allowed in root"},
    };
    for (const Case& c : cases) {
        TXmlDocument lenient;
        EXPECT_NO_THROW(Load(lenient, c.input)) << c.input;
        TXmlDocument strict;
        strict.SetParserWarnings(true);
        EXPECT_EQ(MessageOf<EXmlError>([&] { Load(strict, c.input); }), c.message) << c.input;
    }
    TXmlDocument strict;
    strict.SetParserWarnings(true);
    EXPECT_NO_THROW(Load(strict, "<?xml version=\"1.0\"?><!DOCTYPE a><!--c--><a/>"));
}

TEST(XmlReader, FailedLoadKeepsWhatWasRead) {
    TXmlDocument doc("Old");
    EXPECT_THROW(Load(doc, "<?xml version=\"1.0\"?><R><A>1</A><B>2"), EXmlError);
    ASSERT_EQ(doc.Nodes()->ChildCount(), 2);
    TXmlNode* root = doc.RootElement();
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(root->Name(), "R");
    EXPECT_EQ(root->ReadText("A", ""), "1");
    EXPECT_EQ(root->ChildCount(), 2);
}

TEST(XmlReader, DocumentWithoutDeclarationIsWrittenWithoutOne) {
    TXmlDocument doc("Root");
    Load(doc, "<Root><X>1</X></Root>");
    EXPECT_EQ(doc.Nodes()->ChildCount(), 1);
    EXPECT_EQ(Saved(doc), "<Root><X>1</X></Root>\n");
}

TEST(XmlReader, CDataInsideAnElementIsAChild) {
    TXmlDocument doc;
    Load(doc, "<a>v<![CDATA[<raw>]]></a>");
    TXmlNode* a = doc.RootElement();
    EXPECT_EQ(a->Value(), "v");
    ASSERT_EQ(a->ChildCount(), 1);
    EXPECT_EQ(a->Child(0)->Kind(), nkCData);
    EXPECT_EQ(a->Child(0)->Name(), "CData");
    EXPECT_EQ(a->Child(0)->Value(), "<raw>");
}

TEST(XmlReader, NodeKindsAndNamesOfEveryConstruct) {
    TXmlDocument doc;
    Load(doc,
         "<?xml version=\"1.0\"?><?xml-stylesheet href=\"a\" ?><!DOCTYPE r [<!ELEMENT r ANY><!ATTLIST r a CDATA "
         "#IMPLIED><!ENTITY e \"x\"><!NOTATION n SYSTEM \"y\">]><!--c--><!x><?y?><r a='1'/>");
    struct Want {
        TXmlNodeKind kind;
        const char* name;
        const char* value;
    };
    const Want top[] = {{nkDeclaration, "xml", ""}, {nkStylesheet, "xml-stylesheet", "href=\"a\""},
                        {nkDoctype, "r", ""},       {nkComment, "Comment", "c"},
                        {nkExclam, "Special", "x"}, {nkQuestion, "Special", "y"},
                        {nkElement, "r", ""}};
    ASSERT_EQ(doc.Nodes()->ChildCount(), 7);
    for (int i = 0; i < 7; ++i) {
        const TXmlNode* n = doc.Nodes()->Child(i);
        EXPECT_EQ(n->Kind(), top[i].kind) << i;
        EXPECT_EQ(n->Name(), top[i].name) << i;
        EXPECT_EQ(n->Value(), top[i].value) << i;
        EXPECT_EQ(n->Depth(), 0) << i;
    }
    const TXmlNode* doctype = doc.Nodes()->Child(2);
    const Want dtd[] = {{nkDtdElement, "r", "ANY"},
                        {nkDtdAttList, "r", "a CDATA #IMPLIED"},
                        {nkDtdEntity, "e", "\"x\""},
                        {nkDtdNotation, "n", "SYSTEM \"y\""}};
    ASSERT_EQ(doctype->ChildCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(doctype->Child(i)->Kind(), dtd[i].kind) << i;
        EXPECT_EQ(doctype->Child(i)->Name(), dtd[i].name) << i;
        EXPECT_EQ(doctype->Child(i)->Value(), dtd[i].value) << i;
    }
    EXPECT_EQ(doc.Nodes()->Child(0)->GetAttribute("VERSION"), "1.0");
    EXPECT_EQ(doc.RootElement()->GetAttribute("a"), "1");
}

TEST(XmlReader, EncodingsAreDetectedAndWrittenBack) {
    struct Case {
        const char* what;
        std::string input;
        bool utf8Before;
        TXmlEncoding encoding;
        bool utf8After;
        std::string text;    // GetText of the root
        std::string output;  // saved again
    };
    const std::string le = xml_test::Wide("<a>\xE9</a>", false);
    const std::string be = xml_test::Wide("<a>\xE9</a>", true);
    const std::string leOut = xml_test::Wide("<a>\xE9</a>\n", false);
    const std::string beOut = xml_test::Wide("<a>\xE9</a>\n", true);
    const std::string decl = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
    const Case cases[] = {
        {"8-bit", "<a>\xE9</a>", false, enAnsi, false, "\xE9", "<a>\xE9</a>\n"},
        {"utf-8 mark", "\xEF\xBB\xBF<a>\xC3\xA9&#233;</a>", false, enUtf8, true, "\xC3\xA9\xC3\xA9",
         "\xEF\xBB\xBF<a>\xC3\xA9&#233;</a>\n"},
        {"utf-16le mark", "\xFF\xFE" + le, false, enUnicodeLe, false, "\xE9", "\xFF\xFE" + leOut},
        {"utf-16be mark", "\xFE\xFF" + be, false, enUnicodeBe, false, "\xE9", "\xFE\xFF" + beOut},
        {"utf-16le signature", xml_test::Wide("<?xml?><a>\xE9</a>", false), false, enUnicodeLe, false, "\xE9",
         "\xFF\xFE" + xml_test::Wide("<?xml?>\n<a>\xE9</a>\n", false)},
        {"utf-16be signature", xml_test::Wide("<?xml?><a>\xE9</a>", true), false, enUnicodeBe, false, "\xE9",
         "\xFE\xFF" + xml_test::Wide("<?xml?>\n<a>\xE9</a>\n", true)},
        {"wide unit in 8-bit", "\xFF\xFE<\0a\0>\0\xAC\x20<\0/\0a\0>\0"s, false, enUnicodeLe, false, "?",
         "\xFF\xFE" + xml_test::Wide("<a>?</a>\n", false)},
        {"declared utf-8", decl + "<a>\xC3\xA9</a>", false, enUtf8, true, "\xC3\xA9",
         "\xEF\xBB\xBF" + decl + "\n<a>\xC3\xA9</a>\n"},
        {"8-bit into utf-8", "<a>\xE9</a>", true, enAnsi, true, "\xC3\xA9", "<a>\xE9</a>\n"},
        {"utf-16 into utf-8", "\xFF\xFE<\0a\0>\0\xAC\x20<\0/\0a\0>\0"s, true, enUnicodeLe, true, "\xE2\x82\xAC",
         "\xFF\xFE<\0a\0>\0\xAC\x20<\0/\0a\0>\0\n\0"s},
        {"declared utf-8 read as utf-8", "<!--\xE9-->" + decl + "<a>\xC3\xA9</a>", true, enUtf8, true, "\xC3\xA9",
         "\xEF\xBB\xBF<!--\xC3\xA9-->\n" + decl + "\n<a>\xC3\xA9</a>\n"},
        // 16-bit text read by the 8-bit reader stays 8-bit whatever the declaration says,
        // so it is not flagged as UTF-8 (saving would otherwise lose every accented letter).
        {"16-bit declaring utf-8", "\xFF\xFE" + xml_test::Wide(decl + "<a>\xE9</a>", false), false, enUnicodeLe, false,
         "\xE9", "\xFF\xFE" + xml_test::Wide(decl + "\n<a>\xE9</a>\n", false)},
    };
    for (const Case& c : cases) {
        TXmlDocument doc;
        doc.SetUtf8Content(c.utf8Before);
        Load(doc, c.input);
        EXPECT_EQ(doc.SourceEncoding(), c.encoding) << c.what;
        EXPECT_EQ(doc.Utf8Content(), c.utf8After) << c.what;
        ASSERT_NE(doc.RootElement(), nullptr) << c.what;
        EXPECT_EQ(doc.RootElement()->GetText(), c.text) << c.what;
        EXPECT_EQ(Saved(doc), c.output) << c.what;
    }
}

TEST(XmlReader, UnsupportedEncodingsAreRefused) {
    const std::string inputs[] = {
        std::string("\x00\x00\xFE\xFF\x00\x00\x00<", 8),
        std::string("\xFF\xFE\x00\x00<\x00\x00\x00", 8),
        std::string("\x00\x00\xFF\xFE", 4),
        std::string("\xFE\xFF\x00\x00", 4),
        std::string("\x00\x00\x00<", 4),
        std::string("<\x00\x00\x00", 4),
        std::string("\x00\x00<\x00", 4),
        std::string("\x00<\x00\x00", 4),
        std::string("\x4C\x6F\xA7\x94", 4),
    };
    for (const std::string& input : inputs) {
        TXmlDocument doc;
        EXPECT_EQ(MessageOf<EXmlStreamError>([&] { Load(doc, input); }), "Unsupported string encoding");
    }
}

TEST(XmlReader, UnescapeTextVariants) {
    struct Case {
        std::string in;
        std::string ansi;
        std::string utf8;
    };
    const Case cases[] = {
        {"A&amp;B", "A&B", "A&B"},
        {"&lt;&gt;&apos;&quot;", "<>'\"", "<>'\""},
        {"&AMP;&nbsp;", "&AMP;&nbsp;", "&AMP;&nbsp;"},
        {"&#65;&#x41;&#X41;", "AAA", "AAA"},
        {"&#254;&#255;", "\xFE&#255;", "\xC3\xBE\xC3\xBF"},
        {"&#8364;&#65534;&#65535;", "&#8364;&#65534;&#65535;", "\xE2\x82\xAC\xEF\xBF\xBE&#65535;"},
        {"&#-1;&#;&#x;&#1a;&#99999999999999999999;", "&#-1;&#;&#x;&#1a;&#99999999999999999999;",
         "&#-1;&#;&#x;&#1a;&#99999999999999999999;"},
        {"tail & no semicolon", "tail & no semicolon", "tail & no semicolon"},
        {"a &amp b;", "a &amp b;", "a &amp b;"},
        {"&amp;amp;", "&amp;", "&amp;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UnescapeText(c.in), c.ansi) << c.in;
        EXPECT_EQ(UnescapeTextUtf8(c.in), c.utf8) << c.in;
    }
}

TEST(XmlReader, DeepNestingGivesAnErrorNotACrash) {
    std::string deep;
    for (int i = 0; i < 100000; ++i) deep += "<e>";
    TXmlDocument doc;
    EXPECT_EQ(MessageOf<EXmlError>([&] { Load(doc, deep); }), "Nodes nested too deeply in element e");
    // The limit itself is still readable and written back.
    std::string ok;
    for (int i = 0; i <= kMaxNestingDepth; ++i) ok += "<e>";
    for (int i = 0; i <= kMaxNestingDepth; ++i) ok += "</e>";
    Load(doc, ok);
    std::string expected;
    for (int i = 0; i < kMaxNestingDepth; ++i) expected += "<e>";
    expected += "<e/>";
    for (int i = 0; i < kMaxNestingDepth; ++i) expected += "</e>";
    EXPECT_EQ(Saved(doc), expected + "\n");
}

TEST(XmlReader, LongValuesAndManyRecordsLoad) {
    const std::string longValue(3 * 1024 * 1024, 'v');
    std::string input = "<R><Big>" + longValue + "</Big>";
    for (int i = 0; i < 20000; ++i) input += "<S><T>t" + std::to_string(i) + "</T></S>";
    input += "</R>";
    TXmlDocument doc;
    Load(doc, input);
    EXPECT_EQ(doc.RootElement()->ChildCount(), 20001);
    EXPECT_EQ(doc.RootElement()->ReadText("big", ""), longValue);
    EXPECT_EQ(doc.RootElement()->Child(20000)->ReadText("T", ""), "t19999");
    EXPECT_EQ(Saved(doc), input + "\n");
}

TEST(XmlReader, ReadingIsIndependentOfStreamChunking) {
    // A stream that hands out one byte at a time.
    class TTrickle : public TStream {
    public:
        explicit TTrickle(std::string bytes) : m_bytes(std::move(bytes)) {}
        std::size_t Read(void* buffer, std::size_t size) override {
            if (m_pos == m_bytes.size() || size == 0) return 0;
            static_cast<char*>(buffer)[0] = m_bytes[m_pos++];
            return 1;
        }
        std::size_t Write(const void*, std::size_t) override { return 0; }

    private:
        std::string m_bytes;
        std::size_t m_pos = 0;
    };
    const std::string input = "\xEF\xBB\xBF<?xml version=\"1.0\"?><R><A>1</A><B x=\"y\"/></R>";
    TTrickle trickle(input);
    TXmlDocument doc;
    doc.LoadStream(trickle);
    EXPECT_EQ(Saved(doc), "\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<R><A>1</A><B x=\"y\"/></R>\n");
}

}  // namespace

namespace {

// Shapes of input that a careless reader handles in quadratic time; each must
// load in one pass and give the tree described.
TEST(XmlReaderHostile, ManyConstructsBeforeALateCharacterZero) {
    std::string input = "<r>";
    for (int i = 0; i < 200000; ++i) input += "<!x>";
    input += "</r>";
    input += std::string(1, '\0') + "<s/>";
    TXmlDocument doc;
    Load(doc, input);
    EXPECT_EQ(doc.RootElement()->ChildCount(), 200000);
    EXPECT_EQ(doc.Nodes()->ChildCount(), 2);
}

TEST(XmlReaderHostile, LongJoinedAttributeWord) {
    std::string input = "<r " + std::string(300000, 'b') + "=";
    for (int i = 0; i < 100000; ++i) input += " \"x\"";  // each joins the word before
    input += "/>";
    TXmlDocument doc;
    Load(doc, input);
    ASSERT_EQ(doc.RootElement()->AttributeCount(), 1);
    EXPECT_EQ(doc.RootElement()->Attribute(0).size(), 300001u + 300000u);
}

TEST(XmlReaderHostile, StrayCharactersAndUnclosedConstructs) {
    TXmlDocument doc;
    Load(doc, std::string(1000000, 'x') + "<r/>" + std::string(1000000, ' '));
    EXPECT_EQ(doc.Nodes()->ChildCount(), 1);
    std::string unclosed = "<r/>";
    for (int i = 0; i < 100000; ++i) unclosed += std::string("<!--") + '\0';
    Load(doc, unclosed);
    EXPECT_EQ(doc.Nodes()->ChildCount(), 100001);
}

}  // namespace

namespace {

TEST(XmlReaderHostile, EndlessStreamStopsAtTheInputLimit) {
    // A stream that never ends: the reader gives up after kMaxInputBytes.
    class TEndless : public TStream {
    public:
        std::size_t Read(void* buffer, std::size_t size) override {
            std::memset(buffer, ' ', size);
            m_total += size;
            return size;
        }
        std::size_t Write(const void*, std::size_t) override { return 0; }
        std::size_t m_total = 0;
    };
    TEndless endless;
    TXmlDocument doc;
    EXPECT_EQ(MessageOf<EXmlError>([&] { doc.LoadStream(endless); }), "XML input too large");
    EXPECT_LE(endless.m_total, kMaxInputBytes + 2 * kReadPageSize);
}

}  // namespace
