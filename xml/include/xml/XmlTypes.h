#pragma once

#include <cstdint>

// The small enumerations of the XML document model. They are 8-bit and
// unscoped on purpose: any byte value can be stored, and the writer reports
// values it does not know.
namespace xml {

// What a node is; decides how the writer lays it out.
enum TXmlNodeKind : std::uint8_t {
    nkElement = 0,
    nkComment = 1,
    nkCData = 2,
    nkDeclaration = 3,
    nkStylesheet = 4,
    nkDoctype = 5,
    nkDtdElement = 6,
    nkDtdAttList = 7,
    nkDtdEntity = 8,
    nkDtdNotation = 9,
    nkExclam = 10,
    nkQuestion = 11,
    nkCharData = 12,
    nkUnknown = 13,
};

// Layout of a written document; any value above osLineFeeds lays out like it.
enum TXmlOutputStyle : std::uint8_t {
    osReadable = 0,   // indented, CR LF everywhere
    osCompact = 1,    // no indentation, LF only after each top-level node
    osLineFeeds = 2,  // no indentation, LF after every node
};

// Encoding of the bytes of a file; set by loading, used by saving.
enum TXmlEncoding : std::uint8_t {
    enAnsi = 0,        // 8-bit bytes in the system code page
    enUcs4Be = 1,      // 32-bit big-endian (not supported)
    enUcs4Le = 2,      // 32-bit little-endian (written only)
    enUcs4_2143 = 3,   // 32-bit, unusual byte order (not supported)
    enUcs4_3412 = 4,   // 32-bit, unusual byte order (not supported)
    enUtf16Be = 5,     // 16-bit big-endian, never given a byte-order mark
    enUtf16Le = 6,     // 16-bit little-endian, never given a byte-order mark
    enUtf8 = 7,        // UTF-8 with byte-order mark
    enUnicodeBe = 8,   // 16-bit big-endian with byte-order mark
    enUnicodeLe = 9,   // 16-bit little-endian with byte-order mark
    enEbcdic = 10,     // EBCDIC (not supported)
};

}  // namespace xml
