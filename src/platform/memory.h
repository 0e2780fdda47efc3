#pragma once
// Worksheet arrays of large workbooks take tens of megabytes each, and every
// fresh 4 KiB page costs a fault on first write; on a virtual machine the
// faults alone took a tenth of a large read. Memory about to be filled is
// therefore offered to the system for 2 MiB pages, where it has them to give.
#include <cstddef>

namespace voske::platform {

// Advises the system that the whole 2 MiB pages inside [data, data + bytes)
// may be backed by large pages. A hint only: nothing changes where the system
// declines or has no such advice, and ranges under a few megabytes are left
// alone.
void AdviseLargePages(const void* data, std::size_t bytes);

}  // namespace voske::platform
