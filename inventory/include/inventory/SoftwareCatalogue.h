#pragma once

#include "xml/XmlDocument.h"

#include <memory>
#include <string>
#include <string_view>

namespace inventory {

// The software catalogue: one XML document, kept for the life of the main
// window and stored as vers.xml. Records are the root element's children,
// addressed by index; titles are not unique.
class TSoftwareCatalogue {
public:
    // A catalogue stored at path; no document exists until CreateCatalogue.
    explicit TSoftwareCatalogue(std::string path);
    ~TSoftwareCatalogue();
    TSoftwareCatalogue(const TSoftwareCatalogue&) = delete;
    TSoftwareCatalogue& operator=(const TSoftwareCatalogue&) = delete;

    // vers.xml in the folder of the running executable.
    static std::string DefaultPath();

    // The path of the catalogue's file.
    const std::string& Path() const noexcept { return m_path; }

    // Creates the document: empty and unnamed when the file exists (the
    // reload fills it), otherwise with the root element Root.
    void CreateCatalogue();
    // Loads the file into the same document when it exists, then selects the
    // readable layout. Throws the reader's errors; the document then holds what
    // was read before the failure.
    void LoadCatalogue();
    // Saves the document readable to the file, then frees it, also when saving
    // fails. Throws the writer's errors (the previous file is then unchanged).
    void SaveCatalogue();

    // The document, or null before CreateCatalogue and after SaveCatalogue.
    xml::TXmlDocument* Document() const noexcept { return m_document.get(); }

    // Number of records; 0 without a document or root element.
    int RecordCount() const noexcept;
    // Record i, or null when out of range.
    xml::TXmlNode* Record(int index) const noexcept;
    // A field of record i (field names match ignoring case); "" when the field
    // or the record does not exist.
    std::string ReadField(int index, std::string_view field) const;
    // Replaces a field's text of record i in place (added when missing); does
    // nothing for a record that does not exist. Used for the online fields.
    void WriteField(int index, std::string_view field, std::string_view value);
    // Index of the first record whose Title equals title byte for byte; -1 if none.
    int FindTitle(std::string_view title) const;

private:
    std::string m_path;
    std::unique_ptr<xml::TXmlDocument> m_document;
};

}  // namespace inventory
