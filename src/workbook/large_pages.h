#pragma once
// Worksheet arrays of large workbooks take tens of megabytes each, and every
// fresh 4 KiB page costs a fault on first write; on a virtual machine the
// faults alone took a tenth of a large read. Memory about to be filled is
// therefore offered to the kernel for 2 MiB pages, where it has them to give.
#include <cstddef>

namespace voske {

// Advises the kernel that the whole 2 MiB pages inside [data, data + bytes)
// may be backed by huge pages. A hint only: nothing changes where the kernel
// declines, and ranges under a few megabytes are left alone.
void AdviseLargePages(const void* data, std::size_t bytes);

}  // namespace voske
