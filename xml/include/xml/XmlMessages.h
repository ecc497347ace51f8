#pragma once

#include <string>
#include <string_view>

// Every message the XML subsystem shows, defined once. "%s" marks where a
// name, a path or a system error text is inserted (see platform::FillMessage).
namespace xml {

inline constexpr std::string_view kMessageCannotCreateFile = "Cannot create file \"%s\". %s";
inline constexpr std::string_view kMessageCannotOpenFile = "Cannot open file \"%s\". %s";
inline constexpr std::string_view kMessageIllegalNameChar = "Illegal character in node name \"%s\"";
inline constexpr std::string_view kMessageIllegalElementType = "Illegal element type";
inline constexpr std::string_view kMessageRootNotDefined = "XML root element not defined.";
inline constexpr std::string_view kMessageUnsupportedEncoding = "Unsupported string encoding";
inline constexpr std::string_view kMessageCannotWrite = "Cannot write to output stream";
inline constexpr std::string_view kMessageNoRoot = "No root element found in xml";
inline constexpr std::string_view kMessageMissingDataAfterLt = "Missing data after \"<\" in element %s";
inline constexpr std::string_view kMessageMissingGtInCloseTag = "Missing \">\" in close tag of element %s";
inline constexpr std::string_view kMessageIncorrectCloseTag = "Incorrect close tag in element %s";
inline constexpr std::string_view kMessageMissingCloseTag = "Missing close tag in element %s";
inline constexpr std::string_view kMessageMissingElementName = "Missing element name";
inline constexpr std::string_view kMessageMoreThanOneRoot = "More than one root element found in xml";
inline constexpr std::string_view kMessageMoreThanOneDeclaration = "More than one xml declaration found in xml";
inline constexpr std::string_view kMessageDeclarationNotFirst = "Xml declaration must be first element";
inline constexpr std::string_view kMessageMoreThanOneDoctype = "More than one doctype declaration found in root";
inline constexpr std::string_view kMessageDoctypeAfterRoot = "Doctype declaration found after root element";
inline constexpr std::string_view kMessageCDataInRoot = "No CDATA allowed in root";
// Limits of the reader against broken or hostile input.
inline constexpr std::string_view kMessageNestingTooDeep = "Nodes nested too deeply in element %s";
inline constexpr std::string_view kMessageInputTooLarge = "XML input too large";

}  // namespace xml
