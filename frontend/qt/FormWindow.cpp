#include "frontend/qt/FormWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "frontend/qt/QtPlatform.h"

namespace qtfront {

namespace {
Qt::WindowFlags FlagsOf(const tk::Form& f) {
  if (f.BorderStyle == tk::BorderStyle::None) return Qt::Window | Qt::FramelessWindowHint;
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
  if (f.BorderIcons.SystemMenu) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (f.BorderIcons.Minimize) flags |= Qt::WindowMinimizeButtonHint;
  if (f.BorderIcons.Maximize && f.BorderStyle == tk::BorderStyle::Sizeable) flags |= Qt::WindowMaximizeButtonHint;
  return flags;
}
}  // namespace

FormWindow::FormWindow(tk::Form& form, QtPlatform& platform)
    : QMainWindow(nullptr, FlagsOf(form)), form_(form), platform_(platform), client_(new QWidget(this)) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setCentralWidget(client_);
  setFocusPolicy(Qt::StrongFocus);
  client_->setFocusPolicy(Qt::StrongFocus);
  client_->setAutoFillBackground(true);
  QPalette p = client_->palette();
  p.setColor(QPalette::Window, ToQColor(form.Color));
  client_->setPalette(p);
  client_->setFont(ToQFont(form.Font));
  if (form.Menu) {
    QMenuBar* bar = menuBar();
    bar->setFont(QFont(QGuiApplication::font()));
    for (auto& item : form.Menu->Items) {
      tk::MenuItem* top = item.get();
      if (top->Items.empty()) {
        QAction* a = bar->addAction(QString::fromStdString(top->Caption));
        connect(a, &QAction::triggered, this, [this, top] { platform_.Forward([top] { top->UserClick(); }); });
        actions_.emplace_back(a, top);
      } else {
        QMenu* menu = bar->addMenu(QString::fromStdString(top->Caption));
        for (auto& sub : top->Items) {
          tk::MenuItem* s = sub.get();
          QAction* a = menu->addAction(QString::fromStdString(s->Caption));
          a->setCheckable(true);
          connect(a, &QAction::triggered, this, [this, s] { platform_.Forward([s] { s->UserClick(); }); });
          actions_.emplace_back(a, s);
        }
      }
    }
  }
  byWidget_[client_] = nullptr;
  client_->installEventFilter(&platform_);
  installEventFilter(&platform_);
  MakeViews(form, client_);
  setWindowTitle(QString::fromStdString(form.Caption));
}

FormWindow::~FormWindow() = default;

void FormWindow::MakeViews(tk::Control& parent, QWidget* host) {
  for (tk::Control* c : parent.Children()) {
    auto view = MakeView(*c, host, [this](std::function<void()> f) { platform_.Forward(std::move(f)); });
    ControlView* v = view.get();
    views_.push_back(std::move(view));
    byWidget_[v->Widget()] = v;
    byControl_[c] = v;
    v->Widget()->installEventFilter(&platform_);
    for (QObject* child : v->Widget()->children())
      if (child->isWidgetType()) child->installEventFilter(&platform_);
    MakeViews(*c, v->ChildHost());
  }
}

ControlView* FormWindow::ViewOf(const tk::Control* control) const {
  auto it = byControl_.find(control);
  return it == byControl_.end() ? nullptr : it->second;
}

tk::Control* FormWindow::ControlOf(const QObject* widget) const {
  if (widget == client_ || widget == this) return &form_;
  for (const QObject* w = widget; w; w = w->parent()) {
    auto it = byWidget_.find(w);
    if (it != byWidget_.end()) return it->second ? &it->second->Control() : &form_;
    if (w == this) break;
  }
  return nullptr;
}

void FormWindow::SyncMenu() {
  for (auto& [action, item] : actions_) {
    const QString caption = QString::fromStdString(item->Caption);
    if (action->text() != caption) action->setText(caption);
    if (action->isCheckable() && action->isChecked() != item->Checked) action->setChecked(item->Checked);
    action->setEnabled(item->Enabled);
  }
}

void FormWindow::Sync() {
  const QString title = QString::fromStdString(form_.Caption);
  if (windowTitle() != title) setWindowTitle(title);
  if (!placed_ || clientWidth_ != form_.ClientWidth || clientHeight_ != form_.ClientHeight) {
    client_->setFixedSize(form_.ClientWidth, form_.ClientHeight);
    if (form_.BorderStyle != tk::BorderStyle::Sizeable) {
      adjustSize();
      setFixedSize(sizeHint());
    } else {
      resize(sizeHint());
    }
    clientWidth_ = form_.ClientWidth;
    clientHeight_ = form_.ClientHeight;
  }
  if (!placed_ && form_.Position == tk::FormPosition::ScreenCenter) {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    form_.Left = screen.x() + (screen.width() - frameGeometry().width()) / 2;
    form_.Top = screen.y() + (screen.height() - frameGeometry().height()) / 2;
  }
  if (!placed_ || left_ != form_.Left || top_ != form_.Top) {
    move(form_.Left, form_.Top);
    left_ = form_.Left;
    top_ = form_.Top;
  }
  placed_ = true;
  SyncMenu();
  for (auto& v : views_) v->Sync();
}

void FormWindow::closeEvent(QCloseEvent* event) {
  // The form decides: a close box click is the user's close of the form.
  event->ignore();
  platform_.Forward([this] { form_.UserClose(); });
}

void FormWindow::ReportFrame() {
  if (!isVisible()) return;
  const QRect frame = frameGeometry();
  form_.Left = left_ = frame.x();
  form_.Top = top_ = frame.y();
  form_.SetOuterSize(frame.width(), frame.height());
}

void FormWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  ReportFrame();
}

void FormWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  ReportFrame();
}

void FormWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ReportFrame();
}

}  // namespace qtfront
