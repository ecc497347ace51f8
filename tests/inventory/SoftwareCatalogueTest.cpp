#include "inventory/CatalogueFields.h"
#include "inventory/SoftwareCatalogue.h"

#include "platform/FileSystem.h"

#include "ScanFixture.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

using inventory::TSoftwareCatalogue;
using namespace testing_support;

const std::string kHandEdited =
    "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
    "<Root>\r\n"
    "  <Software>\r\n"
    "    <title>Foo &amp; Bar</title>\r\n"
    "    <VersionLocal>1.0</VersionLocal>\r\n"
    "    <VersionAll>old</VersionAll>\r\n"
    "    <Status>7</Status>\r\n"
    "  </Software>\r\n"
    "  <Software>\r\n"
    "    <Title>Foo &amp; Bar</Title>\r\n"
    "  </Software>\r\n"
    "</Root>\r\n";

TEST(SoftwareCatalogue, WithoutAFileItStartsEmptyWithRoot) {
    TempDir tmp;
    TSoftwareCatalogue catalogue(tmp.Join("vers.xml"));
    EXPECT_EQ(catalogue.Document(), nullptr);
    EXPECT_EQ(catalogue.RecordCount(), 0);
    catalogue.CreateCatalogue();
    ASSERT_NE(catalogue.Document(), nullptr);
    EXPECT_EQ(catalogue.Document()->RootElement()->Name(), "Root");
    catalogue.LoadCatalogue();  // no file: nothing to load
    EXPECT_EQ(catalogue.RecordCount(), 0);
    EXPECT_EQ(catalogue.ReadField(0, inventory::kFieldTitle), "");
    EXPECT_EQ(catalogue.FindTitle(""), -1);
    catalogue.SaveCatalogue();
    EXPECT_EQ(catalogue.Document(), nullptr);
    EXPECT_EQ(ReadBytes(catalogue.Path()), "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n<Root></Root>\r\n");
}

TEST(SoftwareCatalogue, ReadsHandEditedRecordsIgnoringFieldNameCase) {
    TempDir tmp;
    TSoftwareCatalogue catalogue(tmp.Join("vers.xml"));
    WriteBytes(catalogue.Path(), kHandEdited);
    catalogue.CreateCatalogue();
    EXPECT_EQ(catalogue.Document()->RootElement()->Name(), "");  // filled by the reload
    catalogue.LoadCatalogue();
    EXPECT_EQ(catalogue.Document()->OutputStyle(), xml::osReadable);
    ASSERT_EQ(catalogue.RecordCount(), 2);
    EXPECT_EQ(catalogue.ReadField(0, inventory::kFieldTitle), "Foo & Bar");
    EXPECT_EQ(catalogue.ReadField(0, inventory::kFieldCompany), "");  // absent field
    EXPECT_EQ(catalogue.ReadField(0, inventory::kFieldVersionAll), "old");
    EXPECT_EQ(catalogue.ReadField(5, inventory::kFieldTitle), "");
    EXPECT_EQ(catalogue.FindTitle("Foo & Bar"), 0);  // the first of two equal titles
    EXPECT_EQ(catalogue.FindTitle("foo & bar"), -1);
}

TEST(SoftwareCatalogue, OnlineFieldsChangeInPlaceAndAreSavedReadable) {
    TempDir tmp;
    TSoftwareCatalogue catalogue(tmp.Join("vers.xml"));
    WriteBytes(catalogue.Path(), kHandEdited);
    catalogue.CreateCatalogue();
    catalogue.LoadCatalogue();
    catalogue.WriteField(0, inventory::kFieldVersionAll, "<b>2.0</b>");
    catalogue.WriteField(1, inventory::kFieldVersionOld, "1.0");
    catalogue.WriteField(2, inventory::kFieldVersionOld, "ignored");  // no such record
    catalogue.SaveCatalogue();
    EXPECT_EQ(ReadBytes(catalogue.Path()),
              "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\r\n"
              "<Root>\r\n"
              "  <Software>\r\n"
              "    <title>Foo &amp; Bar</title>\r\n"
              "    <VersionLocal>1.0</VersionLocal>\r\n"
              "    <VersionAll>&lt;b&gt;2.0&lt;/b&gt;</VersionAll>\r\n"
              "    <Status>7</Status>\r\n"
              "  </Software>\r\n"
              "  <Software>\r\n"
              "    <Title>Foo &amp; Bar</Title>\r\n"
              "    <VersionOld>1.0</VersionOld>\r\n"
              "  </Software>\r\n"
              "</Root>\r\n");
}

TEST(SoftwareCatalogue, FailedSaveFreesTheDocumentAndKeepsNoPartialFile) {
    TempDir tmp;
    TSoftwareCatalogue catalogue(tmp.Join("missing") + platform::PathSeparator() + "vers.xml");
    catalogue.CreateCatalogue();
    EXPECT_ANY_THROW(catalogue.SaveCatalogue());
    EXPECT_EQ(catalogue.Document(), nullptr);
    EXPECT_FALSE(platform::FileExists(catalogue.Path()));
}

TEST(SoftwareCatalogue, BrokenFileReportsTheReadersMessage) {
    TempDir tmp;
    TSoftwareCatalogue catalogue(tmp.Join("vers.xml"));
    WriteBytes(catalogue.Path(), "<?xml version=\"1.0\"?>\r\n<Root><Software><Title>A</Name></Software></Root>");
    catalogue.CreateCatalogue();
    try {
        catalogue.LoadCatalogue();
        ADD_FAILURE() << "a broken catalogue loaded";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Incorrect close tag in element Title");
    }
    EXPECT_LE(catalogue.RecordCount(), 1);  // what was read before the failure
}

}  // namespace
