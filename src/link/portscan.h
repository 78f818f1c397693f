#pragma once

// The start-up port scan: COM1..COM8 in turn, silently, the first that opens is closed
// again and becomes the program's port number; 8 when none opens. Returns the number.
int scanStartupPort();
