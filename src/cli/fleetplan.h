#pragma once

// The plan moved below the command line, where the window uses it as well.
#include "fleet/fleetplan.h"
