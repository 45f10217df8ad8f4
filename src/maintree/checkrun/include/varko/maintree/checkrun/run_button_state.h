#pragma once

namespace varko::maintree {

// What the Run button offers: a run while none runs, stopping the one that runs.
enum class RunButtonState { Idle, Running };

} // namespace varko::maintree
