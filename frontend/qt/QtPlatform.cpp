#include "frontend/qt/QtPlatform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QUrl>

#include "frontend/qt/KeyCodes.h"
#include "toolkit/Application.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Form.h"
#include "toolkit/Timer.h"

namespace qtfront {

namespace {
tk::MouseButton ButtonOf(Qt::MouseButton b) {
  if (b == Qt::RightButton) return tk::MouseButton::Right;
  if (b == Qt::MiddleButton) return tk::MouseButton::Middle;
  return tk::MouseButton::Left;
}

// "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp" -> Qt's "All (*.bmp *.ico);;Bitmaps (*.bmp)".
QString QtFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i];
    const int open = description.indexOf('(');
    if (open >= 0) description = description.left(open).trimmed();
    out << description + " (" + parts[i + 1].split(';').join(' ') + ")";
  }
  return out.join(";;");
}
}  // namespace

QtPlatform::QtPlatform(QApplication& app) : app_(app) {
  // The windows' texts were laid out in "MS Sans Serif", which Linux desktops lack; the
  // fallback fontconfig picks (DejaVu Sans) is much wider and cuts texts off at their labels'
  // edges, so the narrower face with Arial's metrics stands in.
  QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
}

QtPlatform::~QtPlatform() {
  timers_.clear();
  windows_.clear();
}

void QtPlatform::Forward(const std::function<void()>& action) {
  tk::Guarded(action);
  SyncAll();
}

void QtPlatform::SyncAll() {
  for (auto& [form, window] : windows_)
    if (form->Visible) window->Sync();
}

FormWindow* QtPlatform::WindowOf(const tk::Form& form) const {
  auto it = windows_.find(&form);
  return it == windows_.end() ? nullptr : it->second.get();
}

QWidget* QtPlatform::WidgetOf(const tk::Control& control) const {
  for (auto& [form, window] : windows_) {
    if (&control == form) return window->Client();
    if (ControlView* v = window->ViewOf(&control)) return v->Widget();
  }
  return nullptr;
}

FormWindow* QtPlatform::WindowFor(QObject* widget) const {
  for (QObject* o = widget; o; o = o->parent())
    if (auto* w = dynamic_cast<FormWindow*>(o)) return w;
  return nullptr;
}

void QtPlatform::RunLoop() {
  if (terminated_) return;
  app_.exec();
}

void QtPlatform::Terminate() {
  terminated_ = true;
  for (auto& [form, loop] : modalLoops_) loop->quit();
  app_.quit();
}

void QtPlatform::ProcessPendingEvents() {
  QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  SyncAll();
}

void QtPlatform::FormShown(tk::Form& form) {
  auto& window = windows_[&form];
  if (!window) window = std::make_unique<FormWindow>(form, *this);
  window->setWindowModality(form.Modal() ? Qt::ApplicationModal : Qt::NonModal);
  window->Sync();
  window->show();
  // The frame's size is known once the window shows; the panel docks under it.
  window->ReportFrame();
  window->raise();
  window->activateWindow();
  window->setFocus();
  SyncAll();
}

void QtPlatform::FormHidden(tk::Form& form) {
  if (FormWindow* w = WindowOf(form)) w->hide();
  auto it = modalLoops_.find(&form);
  if (it != modalLoops_.end()) it->second->quit();
}

void QtPlatform::RunModal(tk::Form& form) {
  if (terminated_) {
    form.Hide();
    return;
  }
  QEventLoop loop;
  modalLoops_[&form] = &loop;
  if (form.Visible) loop.exec();
  modalLoops_.erase(&form);
  if (form.Visible) form.Hide();
}

void QtPlatform::TimerChanged(tk::Timer& timer) {
  auto& q = timers_[&timer];
  if (!q) {
    q = std::make_unique<QTimer>();
    // Ticks that fall due during a long handler do not pile up: a timer fires again only
    // when the loop is idle.
    QObject::connect(q.get(), &QTimer::timeout, this, [this, t = &timer] { Forward([t] { t->Fire(); }); });
  }
  if (timer.Enabled())
    q->start(timer.Interval);
  else
    q->stop();
}

void QtPlatform::RepaintNow(tk::Control& control) {
  for (auto& [form, window] : windows_) {
    if (ControlView* v = window->ViewOf(&control)) {
      v->Sync();
      v->Widget()->repaint();
      return;
    }
  }
}

void QtPlatform::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), QString::fromStdString(text),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
  SyncAll();
}

bool QtPlatform::ExecuteSaveDialog(tk::SavePictureDialog& dialog) {
  const QString start = QDir::current().absoluteFilePath(QString::fromStdString(dialog.FileName));
  const QString name = QFileDialog::getSaveFileName(QApplication::activeWindow(), "Save Picture", start,
                                                    QtFilter(dialog.Filter));
  SyncAll();
  if (name.isEmpty()) return false;
  dialog.FileName = name.toStdString();
  return true;
}

int QtPlatform::ScreenWidth() { return QGuiApplication::primaryScreen()->size().width(); }
int QtPlatform::ScreenHeight() { return QGuiApplication::primaryScreen()->size().height(); }

void QtPlatform::OpenWithDefaultViewer(const std::string& file) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(QString::fromStdString(file))));
}

bool QtPlatform::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                     type == QEvent::MouseMove || type == QEvent::MouseButtonDblClick;
  const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
  if (!mouse && !key) return false;
  FormWindow* window = WindowFor(watched);
  if (!window) return false;
  auto* input = static_cast<QInputEvent*>(event);
  // Qt offers an event a widget ignores to its parent, as a copy with the same time stamp; the
  // toolkit sees it once, at the control it happened on.
  InputKey id{static_cast<int>(type), input->timestamp(), 0, 0};
  if (mouse) {
    const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    id.a = global.x();
    id.b = global.y();
  } else {
    id.a = static_cast<QKeyEvent*>(event)->key();
  }
  if (id == lastInput_) return false;
  tk::Control* control = window->ControlOf(watched);
  if (!control) return false;
  lastInput_ = id;

  if (key) {
    auto* k = static_cast<QKeyEvent*>(event);
    const tk::Key vk = VirtualKey(*k);
    if (type == QEvent::KeyPress)
      Forward([control, vk] { control->UserKeyDown(vk); });
    else if (!k->isAutoRepeat())
      Forward([control, vk] { control->UserKeyUp(vk); });
    return false;
  }
  auto* m = static_cast<QMouseEvent*>(event);
  // Positions are in the control's own pixels.
  QWidget* target = WidgetOf(*control);
  QPoint pos = m->position().toPoint();
  if (target && watched != target && watched->isWidgetType())
    pos = static_cast<QWidget*>(watched)->mapTo(target->window(), pos) - target->mapTo(target->window(), QPoint(0, 0));
  const int x = pos.x(), y = pos.y();
  const tk::MouseButton b = ButtonOf(m->button());
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:  // a double click presses twice
      Forward([control, b, x, y] { control->UserMouseDown(b, x, y); });
      break;
    case QEvent::MouseButtonRelease:
      Forward([control, b, x, y] { control->UserMouseUp(b, x, y); });
      break;
    default:
      Forward([control, x, y] { control->UserMouseMove(x, y); });
      break;
  }
  return false;
}

}  // namespace qtfront
