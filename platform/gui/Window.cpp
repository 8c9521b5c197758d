#include "platform/gui/Window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <utility>
#include <vector>

#include "platform/gui/Accessibility.h"
#include "platform/gui/BackgroundWork.h"
#include "platform/gui/EditBoxWidget.h"
#include "platform/gui/Fonts.h"
#include "platform/gui/LabelWidget.h"
#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/QtText.h"
#include "platform/gui/ShapeBoxWidget.h"
#include "platform/gui/TabControlWidget.h"

namespace vd::platform {

namespace {

class TopLevelWidget : public QWidget {
public:
    std::function<void()> closed;

protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        if (closed) closed();
    }
};

}  // namespace

struct Window::Impl {
    struct Entry {
        ControlKind kind;
        QWidget* widget = nullptr;
        std::unique_ptr<FileDialogState> dialog;
    };

    TopLevelWidget* top = nullptr;  // owned: deleted in ~Window
    std::map<Text, Entry, std::less<>> controls;
    std::unique_ptr<BackgroundWork> work;
    bool unknownControlsFatal = false;

    const Entry* find(std::string_view name, ControlKind kind) const {
        const auto it = controls.find(name);
        if (it == controls.end() || it->second.kind != kind) {
            if (unknownControlsFatal) stopOnUnknown(name);
            return nullptr;
        }
        return &it->second;
    }

    [[noreturn]] static void stopOnUnknown(std::string_view name) {
        std::fprintf(stderr, "no control named \"%s\" of the kind asked for\n", toQString(Text(name)).toUtf8().constData());
        std::fflush(stderr);
        std::abort();
    }

    template <typename W>
    W* widget(std::string_view name, ControlKind kind) const {
        const Entry* entry = find(name, kind);
        return entry != nullptr ? static_cast<W*>(entry->widget) : nullptr;
    }

    QWidget* holderFor(const ControlDescription& desc) const {
        if (desc.parent.empty()) return top;
        const auto it = controls.find(desc.parent);
        if (it == controls.end()) return nullptr;
        if (it->second.kind == ControlKind::TabControl) return static_cast<TabControlWidget*>(it->second.widget)->page(desc.page);
        if (it->second.kind == ControlKind::GroupBox) return it->second.widget;
        return nullptr;
    }

    QWidget* make(const ControlDescription& desc, QWidget* holder) {
        switch (desc.kind) {
            case ControlKind::TabControl: return new TabControlWidget(desc, holder);
            case ControlKind::Label: return new LabelWidget(desc, holder);
            case ControlKind::PictureBox: return new PictureBoxWidget(desc, holder);
            case ControlKind::ShapeBox: return new ShapeBoxWidget(desc, holder);
            case ControlKind::EditBox: return new EditBoxWidget(desc, holder);
            case ControlKind::Button: {
                auto* button = new QPushButton(toQString(desc.text), holder);
                button->setAutoDefault(false);
                return button;
            }
            case ControlKind::RadioButton: {
                auto* radio = new QRadioButton(toQString(desc.text), holder);
                radio->setChecked(desc.checked);
                return radio;
            }
            case ControlKind::GroupBox: {
                // Opaque: shown, it covers what lies beneath it.
                auto* group = new QGroupBox(toQString(desc.text), holder);
                group->setAutoFillBackground(true);
                return group;
            }
            case ControlKind::FileDialog: break;
        }
        return nullptr;
    }

    void add(const ControlDescription& desc) {
        Entry entry{desc.kind, nullptr, nullptr};
        if (desc.kind == ControlKind::FileDialog) {
            entry.dialog = std::make_unique<FileDialogState>();
        } else {
            QWidget* holder = holderFor(desc);
            if (holder == nullptr) return;
            QWidget* widget = make(desc, holder);
            widget->setObjectName(toQString(desc.name));
            if (desc.kind != ControlKind::Label && (!desc.font.face.empty() || desc.font.pixelSize > 0))
                widget->setFont(fontFor(desc.font));
            widget->setGeometry(desc.x, desc.y, desc.width, desc.height);
            widget->setVisible(desc.visible);
            entry.widget = widget;
            keepClearOfTabBar(desc, widget);
        }
        controls.insert_or_assign(desc.name, std::move(entry));
    }

    // Tab visits the controls in reading order: rows from top to bottom, each row from left to
    // right. One chain for all pages: Tab skips the controls of hidden pages.
    void orderTabStops() const {
        struct Stop {
            QWidget* widget;
            QPoint place;
        };
        std::vector<Stop> stops;
        for (QWidget* child : top->findChildren<QWidget*>()) {
            if ((child->focusPolicy() & Qt::TabFocus) == 0 || child->focusProxy() != nullptr) continue;
            stops.push_back({child, child->mapTo(top, QPoint(0, 0))});
        }
        std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) { return a.place.y() < b.place.y(); });
        // Controls whose tops lie this close are one row (图片框1 and 图片框2 differ by a pixel).
        constexpr int kRowTolerance = 12;
        for (auto row = stops.begin(); row != stops.end();) {
            auto end = row;
            while (end != stops.end() && end->place.y() - row->place.y() <= kRowTolerance) ++end;
            std::stable_sort(row, end, [](const Stop& a, const Stop& b) { return a.place.x() < b.place.x(); });
            row = end;
        }
        for (std::size_t i = 1; i < stops.size(); ++i) QWidget::setTabOrder(stops[i - 1].widget, stops[i].widget);
    }

    // Ctrl+Tab and Ctrl+Shift+Tab switch the pages of the window's outer tab control.
    void addPageShortcuts(const WindowLayout& layout) const {
        for (const ControlDescription& desc : layout.controls) {
            if (desc.kind != ControlKind::TabControl || !desc.parent.empty()) continue;
            auto* tabs = widget<TabControlWidget>(desc.name, ControlKind::TabControl);
            if (tabs == nullptr) continue;
            auto step = [tabs](int by) {
                const int count = tabs->pageCount();
                if (count > 0) tabs->setCurrentPage((tabs->currentPage() + by + count) % count);
            };
            auto* next = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), top);
            QObject::connect(next, &QShortcut::activated, tabs, [step] { step(1); });
            auto* previous = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), top);
            QObject::connect(previous, &QShortcut::activated, tabs, [step] { step(-1); });
            return;
        }
    }

    // A multi-line edit box placed under the tab row of its page keeps its text below the row.
    void keepClearOfTabBar(const ControlDescription& desc, QWidget* created) const {
        if (desc.kind != ControlKind::EditBox || desc.parent.empty()) return;
        const auto* tab = widget<TabControlWidget>(desc.parent, ControlKind::TabControl);
        if (tab != nullptr && desc.y < tab->barHeight())
            static_cast<EditBoxWidget*>(created)->reserveTop(tab->barHeight() - desc.y);
    }
};

Window::Window(const WindowLayout& layout) : impl_(std::make_unique<Impl>()) {
    installAccessibleRoles();
    impl_->top = new TopLevelWidget;
    impl_->top->setFont(defaultGuiFont());
    impl_->top->setWindowTitle(toQString(layout.caption));
    impl_->top->setFixedSize(layout.clientWidth, layout.clientHeight);
    impl_->top->move(layout.x, layout.y);
    for (const ControlDescription& desc : layout.controls) impl_->add(desc);
    impl_->orderTabStops();
    impl_->addPageShortcuts(layout);
    impl_->work = std::make_unique<BackgroundWork>(impl_->top);
}

Window::~Window() {
    impl_->work.reset();
    delete impl_->top;
}

bool Window::runInBackground(std::function<void()> work, std::function<void()> done) {
    return impl_->work->start(std::move(work), std::move(done));
}

bool Window::busy() const { return impl_->work->busy(); }

void Window::setWorkControls(const std::vector<std::string_view>& names) {
    std::vector<QWidget*> widgets;
    for (std::string_view name : names) {
        QWidget* widget = controlWidget(name);
        if (widget == nullptr && impl_->unknownControlsFatal) Impl::stopOnUnknown(name);
        if (widget != nullptr) widgets.push_back(widget);
    }
    impl_->work->setWorkControls(std::move(widgets));
}

void Window::setAbandonHandler(std::function<void()> handler) { impl_->work->setAbandonHandler(std::move(handler)); }

void Window::abandonBackgroundWork() { impl_->work->abandon(); }

void Window::setUnknownControlsFatal(bool fatal) { impl_->unknownControlsFatal = fatal; }

void Window::open(const std::function<void()>& onCreated) {
    if (onCreated) onCreated();
    impl_->top->show();
}

void Window::close() { impl_->top->close(); }

void Window::setClosedHandler(std::function<void()> handler) { impl_->top->closed = std::move(handler); }

Text Window::caption() const { return fromQString(impl_->top->windowTitle()); }

void Window::setCaption(const Text& caption) { impl_->top->setWindowTitle(toQString(caption)); }

Label Window::label(std::string_view name) const { return Label(impl_->widget<LabelWidget>(name, ControlKind::Label)); }

Button Window::button(std::string_view name) const { return Button(impl_->widget<QPushButton>(name, ControlKind::Button)); }

PictureBox Window::pictureBox(std::string_view name) const {
    return PictureBox(impl_->widget<PictureBoxWidget>(name, ControlKind::PictureBox));
}

RadioButton Window::radioButton(std::string_view name) const {
    return RadioButton(impl_->widget<QRadioButton>(name, ControlKind::RadioButton));
}

EditBox Window::editBox(std::string_view name) const { return EditBox(impl_->widget<EditBoxWidget>(name, ControlKind::EditBox)); }

ShapeBox Window::shapeBox(std::string_view name) const {
    return ShapeBox(impl_->widget<ShapeBoxWidget>(name, ControlKind::ShapeBox));
}

GroupBox Window::groupBox(std::string_view name) const { return GroupBox(impl_->widget<QGroupBox>(name, ControlKind::GroupBox)); }

TabControl Window::tabControl(std::string_view name) const {
    return TabControl(impl_->widget<TabControlWidget>(name, ControlKind::TabControl));
}

FileDialog Window::fileDialog(std::string_view name) const {
    const Impl::Entry* entry = impl_->find(name, ControlKind::FileDialog);
    return FileDialog(entry != nullptr ? entry->dialog.get() : nullptr);
}

QWidget* Window::controlWidget(std::string_view name) const {
    const auto it = impl_->controls.find(name);
    return it != impl_->controls.end() ? it->second.widget : nullptr;
}

QWidget* Window::widget() const { return impl_->top; }

}  // namespace vd::platform
