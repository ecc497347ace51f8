#include "XmlTestSupport.h"

#include "xml/XmlDocument.h"
#include "xml/XmlErrors.h"

#include "platform/FileSystem.h"
#include "platform/OsError.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

namespace {

using namespace xml;
using testing_support::TempDir;
using xml_test::MessageOf;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::vector<std::string> FilesIn(const TempDir& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.FsPath()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

const char* const kCatalogue =
    "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
    "<Root>\r\n"
    "  <Software>\r\n"
    "    <Title>Example Editor</Title>\r\n"
    "    <Company>Example Soft &amp; Co.</Company>\r\n"
    "    <VersionLocal>5.4.1</VersionLocal>\r\n"
    "    <VersionCorvanthelis/>\r\n"
    "    <VersionPublisher/>\r\n"
    "    <VersionAll/>\r\n"
    "    <VersionOld/>\r\n"
    "    <Status>1</Status>\r\n"
    "  </Software>\r\n"
    "  <Software>\r\n"
    "    <Title>Sample Player</Title>\r\n"
    "    <Company/>\r\n"
    "    <VersionLocal>2.0</VersionLocal>\r\n"
    "    <VersionCorvanthelis>2.1</VersionCorvanthelis>\r\n"
    "    <VersionPublisher>2.1</VersionPublisher>\r\n"
    "    <VersionAll>2.2</VersionAll>\r\n"
    "    <VersionOld>2.0</VersionOld>\r\n"
    "    <Status>1</Status>\r\n"
    "  </Software>\r\n"
    "</Root>\r\n";

TEST(XmlFile, CatalogueIsBuiltSavedAndLoadedByteForByte) {
    TempDir dir;
    const std::string path = dir.Join("vers.xml");
    TXmlDocument doc("Root");
    const char* records[2][8] = {
        {"Example Editor", "Example Soft & Co.", "5.4.1", "", "", "", "", ""},
        {"Sample Player", "", "2.0", "2.1", "2.1", "2.2", "2.0", ""},
    };
    const char* fields[7] = {"Title", "Company", "VersionLocal", "VersionCorvanthelis", "VersionPublisher",
                             "VersionAll", "VersionOld"};
    for (const auto& record : records) {
        TXmlNode* software = doc.RootElement()->AddChild("Software");
        for (int f = 0; f < 7; ++f) software->WriteText(fields[f], record[f], "");
        software->WriteInt("Status", 1, 0);
    }
    doc.SetOutputStyle(osReadable);
    doc.SaveFile(path);
    EXPECT_EQ(ReadAll(path), kCatalogue);

    TXmlDocument loaded;
    loaded.LoadFile(path);
    loaded.SetOutputStyle(osReadable);
    TXmlNode* root = loaded.RootElement();
    ASSERT_EQ(root->ChildCount(), 2);
    EXPECT_EQ(root->Child(0)->ReadText("Company", ""), "Example Soft & Co.");
    EXPECT_EQ(root->Child(1)->ReadText("versionall", ""), "2.2");
    const std::string again = dir.Join("again.xml");
    loaded.SaveFile(again);
    EXPECT_EQ(ReadAll(again), kCatalogue);
}

TEST(XmlFile, EmptyCatalogueIsTwoLines) {
    TempDir dir;
    TXmlDocument doc("Root");
    doc.SetOutputStyle(osReadable);
    doc.SaveFile(dir.Join("vers.xml"));
    EXPECT_EQ(ReadAll(dir.Join("vers.xml")),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root></Root>\r\n");
}

TEST(XmlFile, FailedSaveLeavesThePreviousFileAndNoTemporaryFile) {
    struct Case {
        const char* what;
        void (*spoil)(TXmlDocument&);
        std::string message;
    };
    const Case cases[] = {
        {"no root",
         [](TXmlDocument& d) {
             d.Nodes()->DeleteChildren();
             d.SetParserWarnings(true);
         },
         "XML root element not defined."},
        {"illegal kind",
         [](TXmlDocument& d) {
             for (int i = 0; i < 20000; ++i) d.RootElement()->AddChild("S")->WriteText("T", "some text", "");
             d.RootElement()->AddChild("x")->SetKind(static_cast<TXmlNodeKind>(99));
         },
         "Illegal element type"},
        {"unsupported encoding", [](TXmlDocument& d) { d.SetSourceEncoding(enEbcdic); },
         "Unsupported string encoding"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.Join("vers.xml");
        WriteAll(path, kCatalogue);
        TXmlDocument doc("Root");
        c.spoil(doc);
        EXPECT_EQ(MessageOf<std::exception>([&] { doc.SaveFile(path); }), c.message) << c.what;
        EXPECT_EQ(ReadAll(path), kCatalogue) << c.what;
        EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"vers.xml"}) << c.what;
    }
}

TEST(XmlFile, FileThatCannotBeCreatedIsReported) {
    TempDir dir;
    const std::string path = dir.Join("missing") + platform::PathSeparator() + "vers.xml";
    TXmlDocument doc("Root");
    const std::string message = MessageOf<EFCreateError>([&] { doc.SaveFile(path); });
    const std::string prefix = "Cannot create file \"" + path + "\". ";
    ASSERT_EQ(message.substr(0, prefix.size()), prefix);
#ifdef _WIN32
    EXPECT_EQ(message.substr(prefix.size()), platform::ErrorText(3));  // path not found
#else
    EXPECT_EQ(message.substr(prefix.size()), platform::ErrorText(2));  // no such file or directory
#endif
}

TEST(XmlFile, TargetThatCannotBeReplacedKeepsItsContent) {
    // A folder stands where the file should go: the write succeeds, the replacement does not.
    TempDir dir;
    const std::string path = dir.Join("vers.xml");
    std::filesystem::create_directory(dir.FsPath() / "vers.xml");
    WriteAll(dir.Join("vers.xml") + platform::PathSeparator() + "inner", "keep");
    TXmlDocument doc("Root");
    const std::string message = MessageOf<EFCreateError>([&] { doc.SaveFile(path); });
    EXPECT_EQ(message.rfind("Cannot create file \"" + path + "\". ", 0), 0u) << message;
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"vers.xml"});
    EXPECT_EQ(ReadAll(dir.Join("vers.xml") + platform::PathSeparator() + "inner"), "keep");
}

TEST(XmlFile, MissingFileCannotBeOpened) {
    TempDir dir;
    const std::string path = dir.Join("vers.xml");
    TXmlDocument doc("Root");
    EXPECT_EQ(MessageOf<EFOpenError>([&] { doc.LoadFile(path); }),
              "Cannot open file \"" + path + "\". " + platform::ErrorText(2));
    EXPECT_EQ(doc.RootElement()->Name(), "Root");  // nothing was replaced
}

TEST(XmlFile, BrokenFileReportsTheReadersMessage) {
    TempDir dir;
    const std::string path = dir.Join("vers.xml");
    WriteAll(path, "<?xml version=\"1.0\"?>\r\n<Root>\r\n  <Software>\r\n    <Title>x</Name>");
    TXmlDocument doc;
    EXPECT_EQ(MessageOf<EXmlError>([&] { doc.LoadFile(path); }), "Incorrect close tag in element Title");
}

#ifndef _WIN32
TEST(XmlFile, FullDiskDuringSaveLeavesThePreviousFile) {
    // A file-size limit makes the write fail part-way, as a full disk would.
    TempDir dir;
    const std::string path = dir.Join("vers.xml");
    WriteAll(path, kCatalogue);
    TXmlDocument doc("Root");
    for (int i = 0; i < 50000; ++i) doc.RootElement()->AddChild("Software")->WriteText("Title", "A title", "");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100000;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string message = MessageOf<EXmlStreamError>([&] { doc.SaveFile(path); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(message, "Cannot write to output stream");
    EXPECT_EQ(ReadAll(path), kCatalogue);
    EXPECT_EQ(FilesIn(dir), std::vector<std::string>{"vers.xml"});
}
#endif

}  // namespace
