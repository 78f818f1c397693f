#pragma once

// Installs the steps every bulk write runs first: the channel band check, which refuses a
// channel outside the band limits with its message, and a fresh copy of the 5-tone
// standards tables. Calling it again changes nothing.
void installBulkWriteSteps();
