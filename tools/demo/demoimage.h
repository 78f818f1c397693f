#pragma once

class MemoryImage;

// The memory of the demo radio that `./run.sh --demo` starts: a plausible plan built
// through the program's own record API, so that data/demo.dat is what the program itself
// would have written.
void buildDemoImage(MemoryImage &image);
