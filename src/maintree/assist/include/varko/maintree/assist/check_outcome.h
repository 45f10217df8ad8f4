#pragma once

#include "varko/language/check_outcome.h"

namespace varko::maintree {

// The jobs hand on the core's value as it is.
using language::CheckOutcome;

} // namespace varko::maintree
