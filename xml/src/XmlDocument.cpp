#include "xml/XmlDocument.h"

#include "FileStream.h"
#include "XmlNodeStore.h"
#include "XmlReader.h"
#include "XmlTextStore.h"
#include "XmlWriter.h"

#include "platform/MessageText.h"
#include "xml/XmlErrors.h"
#include "xml/XmlMessages.h"

#include "platform/FileSystem.h"
#include "platform/OsError.h"

namespace xml {

TXmlDocument::TXmlDocument()
    : m_store(std::make_unique<TXmlNodeStore>()),
      m_texts(std::make_unique<TXmlTextStore>()),
      m_container(std::make_unique<TXmlNode>(this)) {
    Clear();
}

TXmlDocument::TXmlDocument(std::string_view rootName) : TXmlDocument() { RootElement()->SetName(rootName); }

TXmlDocument::~TXmlDocument() = default;

void TXmlDocument::SetDefaults() {
    m_outputStyle = osCompact;
    m_indentText = "  ";
    m_writeDefaults = true;
    m_utf8Content = false;
    m_fullEmptyElements = false;
    m_sourceEncoding = enAnsi;
}

void TXmlDocument::Clear() {
    SetDefaults();
    m_container->DeleteChildren();
    m_texts->Clear();
    TXmlNode* declaration = m_container->AddChild("xml", nkDeclaration);
    declaration->AddAttribute("version", "1.0");
    declaration->AddAttribute("encoding", "windows-1252");
    m_container->AddChild("");
}

TXmlNode* TXmlDocument::RootElement() const noexcept {
    for (int i = 0; i < m_container->ChildCount(); ++i) {
        TXmlNode* node = m_container->Child(i);
        if (node->Kind() == nkElement) return node;
    }
    return nullptr;
}

void TXmlDocument::SaveStream(TStream& stream) const {
    TXmlWriter writer(*this, stream);
    writer.WriteDocument();
}

void TXmlDocument::SaveFile(const std::string& path) const {
    // The document goes to a temporary file beside the target, which replaces
    // the target only after a complete, flushed write: a failure on the way
    // leaves the previous file as it was.
    std::unique_ptr<platform::ReplacementFile> file;
    try {
        file = platform::CreateReplacementFile(path);
    } catch (const platform::OsError& e) {
        throw EFCreateError(platform::FillMessage(kMessageCannotCreateFile, {path, e.what()}));
    }
    TFileStream stream(*file);
    SaveStream(stream);
    try {
        file->Commit();
    } catch (const platform::OsError& e) {
        throw EFCreateError(platform::FillMessage(kMessageCannotCreateFile, {path, e.what()}));
    }
}

void TXmlDocument::LoadStream(TStream& stream) {
    TXmlReader reader(*this);
    reader.Load(stream);
}

void TXmlDocument::LoadFile(const std::string& path) {
    std::unique_ptr<platform::File> file;
    try {
        file = platform::OpenFileForReading(path);
    } catch (const platform::OsError& e) {
        throw EFOpenError(platform::FillMessage(kMessageCannotOpenFile, {path, e.what()}));
    }
    TFileStream stream(*file);
    LoadStream(stream);
}

}  // namespace xml
