#include "platform/gui/Accessibility.h"

#include <QAccessibleWidget>

#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/ShapeBoxWidget.h"

namespace vd::platform {

namespace {

QAccessibleInterface* accessibleFor(const QString&, QObject* object) {
    if (auto* box = dynamic_cast<PictureBoxWidget*>(object)) return new QAccessibleWidget(box, QAccessible::Graphic);
    if (auto* shape = dynamic_cast<ShapeBoxWidget*>(object)) return new QAccessibleWidget(shape, QAccessible::Indicator);
    return nullptr;
}

}  // namespace

void installAccessibleRoles() {
    static const bool installed = [] {
        QAccessible::installFactory(&accessibleFor);
        return true;
    }();
    (void)installed;
}

}  // namespace vd::platform
