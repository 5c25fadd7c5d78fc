#pragma once
// The process's standard descriptors, settled before anything else runs.

namespace zefa {

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed. A closed one would be taken
// by the next file or connection opened (the display's), and every diagnostic written into it.
void KeepStandardDescriptorsOpen();

}  // namespace zefa
