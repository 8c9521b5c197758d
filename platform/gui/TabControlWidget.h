#pragma once

#include <QWidget>
#include <vector>

#include "platform/gui/Layout.h"

class QStackedWidget;
class QTabBar;

namespace vd::platform {

// 高级选择夹: a row of tabs over a framed area. Every page covers the whole control, so the
// places of the controls on a page count from the control's own corner, as in the layout.
class TabControlWidget : public QWidget {
public:
    TabControlWidget(const ControlDescription& desc, QWidget* parent);

    int pageCount() const;
    QWidget* page(int index) const;
    QString pageCaption(int index) const;
    int currentPage() const;
    void setCurrentPage(int index);
    // Height of the tab row at the top.
    int barHeight() const;
    QTabBar* tabBar() const { return bar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* bar_;
    QStackedWidget* stack_;
};

}  // namespace vd::platform
