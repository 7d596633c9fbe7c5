// The level library reports every failure as a Result. The document tells two kinds apart: a file
// the reader refuses, whose reason the caller shows in its own words, and a failure of the work itself
// (the file could not be read or written, a stream was damaged, the layout cannot hold the level),
// which it raises, as the windows show such failures for whatever work they run.
#pragma once

#include "level/result.h"

// Returns `result` when it is done, no_such_file, not_a_level or nothing_loaded; raises
// std::runtime_error with its reason otherwise.
pw::Result RaiseFailedWork(pw::Result result);

// The document's result codes: 0 done, 1 no such file (or no level to save), 2 not a level.
int ResultCode(const pw::Result& result);
