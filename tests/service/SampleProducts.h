#pragma once

#include "service/CatalogueFile.h"
#include "service/SampleCatalogue.h"

#include <sstream>
#include <string>
#include <vector>

namespace servicetest {

// The built-in sample catalogue as products.
inline std::vector<service::TProduct> SampleProducts() {
    std::istringstream in{std::string(service::SampleCatalogueText())};
    return service::ReadCatalogueFile(in);
}

}  // namespace servicetest
