#pragma once
// The application core in one include: start-up and shutdown, launch parameters, shared globals,
// configuration, money formatting, SQL text builders, the progress bar, list routines, the account lookup,
// starting sibling programs, and the popup menu host.

#include "AccountLookup.h"
#include "Configuration.h"
#include "FrmMenus.h"
#include "Globals.h"
#include "LaunchString.h"
#include "ListRoutines.h"
#include "Money.h"
#include "ProgressBar.h"
#include "core/base/SqlBuilders.h"
#include "Startup.h"
#include "SuitePrograms.h"
