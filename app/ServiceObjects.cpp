#include "app/ServiceObjects.h"

namespace vd {

// The service objects are not part of the program yet; these steps have nothing to do until then.

void createGlobalObjects(AppState&) {}

void connectToService(App&) {}

void destroyVisionClient(AppState&) {}

void destroyJsonDocument(AppState&) {}

}  // namespace vd
