#include "service/StorageFactory.h"

#include "service/SqliteStorage.h"

namespace service {

std::unique_ptr<TServiceStorage> OpenServiceStorage(const std::string& location) {
    if (location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0)
        throw EServiceStorage("this build has no PostgreSQL back end: " + location);
    return std::make_unique<TSqliteStorage>(location);
}

}  // namespace service
