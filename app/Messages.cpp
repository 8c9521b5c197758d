#include "app/Messages.h"

#include "platform/gui/MessageBox.h"

namespace vd {

void showMessage(const Text& text) { platform::messageBox(text, kMessageCaption); }

}  // namespace vd
