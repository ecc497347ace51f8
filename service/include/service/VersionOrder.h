#pragma once

#include <string_view>
#include <vector>

namespace service {

// Version ordering used for every comparison the service makes:
// - blanks around the text and a leading "v" before a digit are ignored;
// - build metadata after "+" is ignored ("3.1.2+196" equals "3.1.2");
// - the leading run of dot-separated numbers is compared part by part as numbers of any
//   length ("1.70" is above "1.8"), missing trailing parts count as zero ("2.0" equals "2.0.0.0");
// - what follows the numbers is a pre-release suffix that ranks below the plain number
//   ("10.0b3" and "2.0-rc1" are below "10.0" and "2.0"), except "final", "release", "stable"
//   and "ga", which count as no suffix; two suffixes are compared run by run, digit runs as
//   numbers and letter runs as lower-case text ("alpha" < "beta" < "rc", "beta2" < "beta10");
// - a version that does not start with a digit is compared as lower-case text, the last resort.
// Returns a negative number, zero or a positive number as a is below, equal to or above b.
int CompareVersions(std::string_view a, std::string_view b);

// Whether the two versions are equal under CompareVersions or byte for byte.
bool SameVersion(std::string_view a, std::string_view b);

// How many leading numeric parts the two versions share (0 when either has none); used to
// pick, among several candidates, the one closest to a local version.
int SharedLeadingParts(std::string_view a, std::string_view b);

// Whether candidate is newer than local: false when local is empty or equals any of known
// (the versions the catalogue knows for its current release), else candidate above local.
bool IsNewerVersion(std::string_view candidate, std::string_view local, const std::vector<std::string_view>& known);

}  // namespace service
