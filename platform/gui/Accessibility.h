#pragma once

// Roles that assistive technologies see for the controls Qt has no role for: a picture box is
// an image, a shape box an indicator. Their names and descriptions are the widgets' own
// accessibleName and accessibleDescription.
namespace vd::platform {

// Installs the roles once; later calls do nothing.
void installAccessibleRoles();

}  // namespace vd::platform
