#pragma once

#include "service/ServiceStorage.h"

#include <memory>
#include <string>

namespace service {

// Opens the storage named by location: a "postgresql://" or "postgres://" URI when that
// back end is built in, otherwise the path of an SQLite file (created when missing).
// Throws EServiceStorage when it cannot be opened.
std::unique_ptr<TServiceStorage> OpenServiceStorage(const std::string& location);

}  // namespace service
