#include "platform/gui/MessageBox.h"

#include <QMessageBox>

#include "platform/gui/QtText.h"
#include "platform/gui/TestHooks.h"

namespace vd::platform {

void messageBox(const Text& text, const Text& caption) {
    if (guiHooks().messageBox) {
        guiHooks().messageBox(text, caption);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, toQString(caption), toQString(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace vd::platform
