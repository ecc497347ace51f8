#include "XmlTestSupport.h"

#include "xml/XmlDocument.h"
#include "xml/XmlErrors.h"
#include "xml/XmlEscape.h"

#include <gtest/gtest.h>

namespace {

using namespace xml;
using xml_test::Load;
using xml_test::MessageOf;
using xml_test::Saved;

TEST(XmlNode, NewDocumentHasDeclarationAndNamedRoot) {
    TXmlDocument doc("Root");
    ASSERT_EQ(doc.Nodes()->ChildCount(), 2);
    const TXmlNode* declaration = doc.Nodes()->Child(0);
    EXPECT_EQ(declaration->Kind(), nkDeclaration);
    EXPECT_EQ(declaration->Name(), "xml");
    ASSERT_EQ(declaration->AttributeCount(), 2);
    EXPECT_EQ(declaration->Attribute(0), "version=\"1.0\"");
    EXPECT_EQ(declaration->Attribute(1), "encoding=\"windows-1252\"");
    EXPECT_EQ(doc.RootElement(), doc.Nodes()->Child(1));
    EXPECT_EQ(doc.RootElement()->Name(), "Root");
    EXPECT_EQ(doc.RootElement()->Depth(), 0);
    EXPECT_EQ(doc.Nodes()->Depth(), -1);
    EXPECT_EQ(doc.RootElement()->AddChild("S")->AddChild("T")->Depth(), 2);
    EXPECT_EQ(TXmlDocument().RootElement()->Name(), "");
}

TEST(XmlNode, ClearRestoresDefaultsButKeepsParserWarnings) {
    TXmlDocument doc("Root");
    doc.SetOutputStyle(osReadable);
    doc.SetIndentText("\t");
    doc.SetWriteDefaults(false);
    doc.SetUtf8Content(true);
    doc.SetFullEmptyElements(true);
    doc.SetSourceEncoding(enUtf8);
    doc.SetParserWarnings(true);
    doc.RootElement()->AddChild("x");
    doc.Clear();
    const TXmlDocument fresh;
    EXPECT_EQ(Saved(doc), Saved(fresh));  // compact, 8-bit, declaration and an unnamed root
    EXPECT_EQ(doc.IndentText(), "  ");
    EXPECT_TRUE(doc.WriteDefaults());
    EXPECT_FALSE(doc.Utf8Content());
    EXPECT_FALSE(doc.FullEmptyElements());
    EXPECT_TRUE(doc.ParserWarnings());
}

TEST(XmlNode, WhitespaceInNamesIsRefusedAndAddsNothing) {
    TXmlDocument doc("Root");
    TXmlNode* root = doc.RootElement();
    for (const char* name : {"Sample Player", "a\tb", "a\nb", "a\rb", " "}) {
        EXPECT_EQ(MessageOf<EGeneralError>([&] { root->AddChild(name); }),
                  std::string("Illegal character in node name \"") + name + "\"");
        EXPECT_EQ(MessageOf<EGeneralError>([&] { root->WriteText(name, "v", ""); }),
                  std::string("Illegal character in node name \"") + name + "\"");
    }
    EXPECT_EQ(root->ChildCount(), 0);
    EXPECT_EQ(MessageOf<EGeneralError>([] { TXmlDocument bad("R t"); }), "Illegal character in node name \"R t\"");
    // Any other character, and the empty name, are accepted.
    EXPECT_NO_THROW(root->AddChild(""));
    EXPECT_NO_THROW(root->AddChild("\xE9-<&"));
    EXPECT_EQ(root->ChildCount(), 2);
}

TEST(XmlNode, ChildLookupByIndexAndName) {
    TXmlDocument doc("Root");
    TXmlNode* root = doc.RootElement();
    TXmlNode* a = root->AddChild("Title");
    TXmlNode* b = root->AddChild("TITLE");
    EXPECT_EQ(root->Child(-1), nullptr);
    EXPECT_EQ(root->Child(root->ChildCount()), nullptr);
    EXPECT_EQ(root->Child(1), b);
    EXPECT_EQ(root->IndexOfChild("title"), 0);
    EXPECT_EQ(root->FindChild("tItLe"), a);
    EXPECT_EQ(root->IndexOfChild("Titl"), -1);
    EXPECT_EQ(root->FindOrAddChild("title"), a);
    EXPECT_EQ(root->FindOrAddChild("Other")->Name(), "Other");
    EXPECT_EQ(root->ChildCount(), 3);
    // Non-ASCII names use the system locale's comparison (windows-1252 by default).
    TXmlNode* accented = root->AddChild("\xC9t\xE9");
    EXPECT_EQ(root->FindChild("\xE9T\xC9"), accented);
}

TEST(XmlNode, WriteTextAndWriteIntFollowWriteDefaults) {
    struct Case {
        bool writeDefaults;
        const char* value;
        const char* def;
        bool written;
    };
    const Case cases[] = {
        {true, "", "", true},   {true, "x", "", true},    {false, "", "", false},
        {false, "x", "", true}, {false, "x", "x", false},
    };
    for (const Case& c : cases) {
        TXmlDocument doc("Root");
        doc.SetWriteDefaults(c.writeDefaults);
        doc.RootElement()->WriteText("F", c.value, c.def);
        EXPECT_EQ(doc.RootElement()->ChildCount(), c.written ? 1 : 0) << c.writeDefaults << c.value << c.def;
    }
    TXmlDocument doc("Root");
    TXmlNode* root = doc.RootElement();
    root->WriteText("Title", "old", "");
    root->WriteText("title", "new", "");
    ASSERT_EQ(root->ChildCount(), 1);
    EXPECT_EQ(root->Child(0)->Name(), "Title");
    EXPECT_EQ(root->ReadText("TITLE", ""), "new");
    doc.SetWriteDefaults(false);
    root->WriteText("Title", "", "");  // equal to the default: the old child stays
    EXPECT_EQ(root->ReadText("Title", ""), "new");
    root->WriteInt("N", 0, 0);
    EXPECT_EQ(root->FindChild("N"), nullptr);
    for (const auto& [value, text] : {std::pair{-42, "-42"}, {0, "0"}, {7, "7"}, {2147483647, "2147483647"}}) {
        root->WriteInt("N", value, 1);
        EXPECT_EQ(root->FindChild("N")->Value(), text);
    }
}

TEST(XmlNode, TextIsStoredEscapedAndReadUnescaped) {
    TXmlDocument doc("Root");
    TXmlNode* n = doc.RootElement()->AddChild("V");
    n->SetText("<a href=\"x\">&amp;</a>");
    EXPECT_EQ(n->Value(), "&lt;a href=&quot;x&quot;&gt;&amp;amp;&lt;/a&gt;");
    EXPECT_EQ(n->GetText(), "<a href=\"x\">&amp;</a>");
    n->SetValue("&#233;");
    EXPECT_EQ(n->GetText(), "\xE9");
    doc.SetUtf8Content(true);
    EXPECT_EQ(n->GetText(), "\xC3\xA9");
    n->SetTag(-5);
    EXPECT_EQ(n->Tag(), -5);
}

TEST(XmlNode, AttributesQuoteAndUnquote) {
    struct Case {
        std::string entryValue;  // as stored after "a="
        std::string read;
    };
    const Case cases[] = {
        {"\"1\"", "1"},     {"'2'", "2"},   {"'it''s'", "it's"},     {"\"say \"\"x\"\"\"", "say \"x\""},
        {"plain", "plain"}, {"'\"'", "\""}, {"\"&lt;&#65;\"", "<A"}, {"\"a\"tail", "a"},
    };
    for (const Case& c : cases) {
        TXmlDocument doc;
        Load(doc, "<r a=" + c.entryValue + "/>");
        EXPECT_EQ(doc.RootElement()->GetAttribute("A"), c.read) << c.entryValue;
    }
    EXPECT_EQ(Quote("a\"b"), "'a\"b'");
    EXPECT_EQ(Quote("it's"), "\"it's\"");
    EXPECT_EQ(Quote("'\"'"), "'''\"'''");
    EXPECT_EQ(Unquote(Quote("'\"'")), "'\"'");
}

TEST(XmlNode, LoadedTextsSurviveEditsAndReloads) {
    TXmlDocument doc;
    const std::string first =
        "<Root><Software><Title>A &amp; B</Title><VersionPublisher>1.2</VersionPublisher>"
        "</Software></Root>\n";
    Load(doc, first);
    TXmlNode* software = doc.RootElement()->Child(0);
    TXmlNode* title = software->FindChild("title");
    ASSERT_NE(title, nullptr);
    const std::string& name = title->Name();
    EXPECT_EQ(name, "Title");
    EXPECT_EQ(title->GetText(), "A & B");
    // A value set from part of itself, a rename, and a new sibling.
    title->SetValue(std::string_view(title->Value()).substr(0, 1));
    software->FindChild("VersionPublisher")->SetName("VersionAll");
    software->WriteText("Status", "1", "");
    EXPECT_EQ(name, "Title");
    EXPECT_EQ(Saved(doc),
              "<Root><Software><Title>A</Title><VersionAll>1.2</VersionAll><Status>1</Status>"
              "</Software></Root>\n");
    // A second load into the same document replaces every text.
    Load(doc, "<Other><X>y</X></Other>\n");
    EXPECT_EQ(doc.RootElement()->Name(), "Other");
    EXPECT_EQ(doc.RootElement()->ReadText("x", "none"), "y");
    EXPECT_EQ(Saved(doc), "<Other><X>y</X></Other>\n");
}

}  // namespace
