#include "platform/gui/TabControlWidget.h"

#include <QPainter>
#include <QStackedWidget>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

#include "platform/gui/QtText.h"

namespace vd::platform {

TabControlWidget::TabControlWidget(const ControlDescription& desc, QWidget* parent)
    : QWidget(parent), bar_(new QTabBar(this)), stack_(new QStackedWidget(this)) {
    bar_->setDrawBase(false);
    bar_->setExpanding(false);
    for (const Text& caption : desc.pages) {
        bar_->addTab(toQString(caption));
        stack_->addWidget(new QWidget(stack_));
    }
    connect(bar_, &QTabBar::currentChanged, stack_, &QStackedWidget::setCurrentIndex);
    bar_->raise();
}

int TabControlWidget::pageCount() const { return stack_->count(); }

QWidget* TabControlWidget::page(int index) const { return stack_->widget(index); }

QString TabControlWidget::pageCaption(int index) const { return bar_->tabText(index); }

int TabControlWidget::currentPage() const { return stack_->currentIndex(); }

void TabControlWidget::setCurrentPage(int index) {
    if (index < 0 || index >= pageCount()) return;
    bar_->setCurrentIndex(index);
}

int TabControlWidget::barHeight() const { return bar_->sizeHint().height(); }

void TabControlWidget::resizeEvent(QResizeEvent*) {
    stack_->setGeometry(rect());
    bar_->setGeometry(2, 0, std::min(bar_->sizeHint().width(), width() - 4), barHeight());
}

void TabControlWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = QRect(0, barHeight() - 1, width(), height() - barHeight() + 1);
    frame.tabBarSize = bar_->sizeHint();
    frame.shape = QTabBar::RoundedNorth;
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}

}  // namespace vd::platform
