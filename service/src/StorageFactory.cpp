#include "service/StorageFactory.h"

#include "service/SqliteStorage.h"
#ifdef PELMIRA_SERVICE_POSTGRES
#include "service/PostgresStorage.h"
#endif

namespace service {

std::unique_ptr<TServiceStorage> OpenServiceStorage(const std::string& location) {
    if (location.rfind("postgresql://", 0) == 0 || location.rfind("postgres://", 0) == 0) {
#ifdef PELMIRA_SERVICE_POSTGRES
        return std::make_unique<TPostgresStorage>(location);
#else
        throw EServiceStorage("this build has no PostgreSQL back end: " + location);
#endif
    }
    return std::make_unique<TSqliteStorage>(location);
}

}  // namespace service
