#include "app/WorkflowHandlers.h"

namespace vd {

// The workflows connect their buttons here as they join the program.
void bindWorkflowHandlers(App&) {}

}  // namespace vd
