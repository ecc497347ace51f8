#include "inventory/SoftwareCatalogue.h"
#include "inventory/CatalogueFields.h"

#include "platform/FileSystem.h"

namespace inventory {

TSoftwareCatalogue::TSoftwareCatalogue(std::string path) : m_path(std::move(path)) {}
TSoftwareCatalogue::~TSoftwareCatalogue() = default;

std::string TSoftwareCatalogue::DefaultPath() { return platform::ExecutableDir() + std::string(kCatalogueFileName); }

void TSoftwareCatalogue::CreateCatalogue() {
    if (platform::FileExists(m_path)) {
        m_document = std::make_unique<xml::TXmlDocument>();
    } else {
        m_document = std::make_unique<xml::TXmlDocument>(kRootName);
    }
}

void TSoftwareCatalogue::LoadCatalogue() {
    if (!m_document) CreateCatalogue();
    if (platform::FileExists(m_path)) m_document->LoadFile(m_path);
    m_document->SetOutputStyle(xml::osReadable);
}

void TSoftwareCatalogue::SaveCatalogue() {
    if (!m_document) return;
    // The document goes away whether or not the file could be written.
    const std::unique_ptr<xml::TXmlDocument> document = std::move(m_document);
    document->SetOutputStyle(xml::osReadable);
    document->SaveFile(m_path);
}

int TSoftwareCatalogue::RecordCount() const noexcept {
    const xml::TXmlNode* root = m_document ? m_document->RootElement() : nullptr;
    return root == nullptr ? 0 : root->ChildCount();
}

xml::TXmlNode* TSoftwareCatalogue::Record(int index) const noexcept {
    const xml::TXmlNode* root = m_document ? m_document->RootElement() : nullptr;
    return root == nullptr ? nullptr : root->Child(index);
}

std::string TSoftwareCatalogue::ReadField(int index, std::string_view field) const {
    const xml::TXmlNode* record = Record(index);
    return record == nullptr ? std::string() : record->ReadText(field, "");
}

void TSoftwareCatalogue::WriteField(int index, std::string_view field, std::string_view value) {
    if (xml::TXmlNode* record = Record(index)) record->WriteText(field, value, "");
}

int TSoftwareCatalogue::FindTitle(std::string_view title) const {
    const int count = RecordCount();
    for (int i = 0; i < count; ++i) {
        if (ReadField(i, kFieldTitle) == title) return i;
    }
    return -1;
}

}  // namespace inventory
