// Linux has no registry: the machine registry of the portable build is empty.
// Exports of a Windows registry are read with MemoryRegistry instead.
#include "platform/MemoryRegistry.h"

namespace platform {

std::unique_ptr<Registry> OpenMachineRegistry() { return std::make_unique<MemoryRegistry>(); }

}  // namespace platform
