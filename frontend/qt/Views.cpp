#include "frontend/qt/Views.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <functional>

#include "toolkit/Controls.h"
#include "toolkit/Image.h"

namespace qtfront {

QColor ToQColor(tk::Color c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QFont ToQFont(const tk::Font& f) {
  QFont q(QString::fromStdString(f.Name));
  q.setPixelSize(f.Height > 0 ? f.Height : 13);
  q.setBold(f.Bold);
  q.setItalic(f.Italic);
  return q;
}

namespace {

std::uint64_t FontKey(const tk::Control& c) {
  std::uint64_t h = std::hash<std::string>{}(c.Font.Name);
  h = h * 31 + static_cast<std::uint64_t>(c.Font.Height);
  h = h * 31 + (c.Font.Bold ? 1 : 0) + (c.Font.Italic ? 2 : 0);
  h = h * 31 + c.Font.Color;
  return h * 31 + c.Color;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

void SetColours(QWidget* w, const tk::Control& c, QPalette::ColorRole background, QPalette::ColorRole text) {
  // The active and inactive looks only: a disabled control keeps the style's greyed text.
  QPalette p = w->palette();
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive}) {
    p.setColor(g, background, ToQColor(c.Color));
    p.setColor(g, text, ToQColor(c.Font.Color));
    p.setColor(g, QPalette::WindowText, ToQColor(c.Font.Color));
    p.setColor(g, QPalette::ButtonText, ToQColor(c.Font.Color));
  }
  w->setPalette(p);
}

// A canvas shown without copying: a buffer of colour numbers is, byte for byte, RGBX8888.
class CanvasWidget : public QWidget {
 public:
  CanvasWidget(tk::Image& image, QWidget* parent) : QWidget(parent), image_(image) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
  }
  std::uint64_t shown = ~0ull;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const tk::Canvas& c = image_.Canvas;
    p.fillRect(rect(), palette().window());
    if (c.Width() > 0 && c.Height() > 0) {
      const QImage img(reinterpret_cast<const uchar*>(c.Data()), c.Width(), c.Height(), c.Width() * 4,
                       QImage::Format_RGBX8888);
      if (image_.Stretch)
        p.drawImage(rect(), img);
      else
        p.drawImage(0, 0, img);
    }
    shown = c.Version();
  }

 private:
  tk::Image& image_;
};

class ImageView : public ControlView {
 public:
  ImageView(tk::Image& img, QWidget* parent) : ControlView(img, new CanvasWidget(img, parent)), img_(img) {}

 protected:
  void SyncContent() override {
    auto* w = static_cast<CanvasWidget*>(widget_);
    if (w->shown != img_.Canvas.Version()) w->update();
  }

 private:
  tk::Image& img_;
};

class EditView : public ControlView {
 public:
  EditView(tk::Edit& e, QWidget* parent, const std::function<void(std::function<void()>)>& forward)
      : ControlView(e, new QLineEdit(parent)), edit_(e) {
    auto* w = static_cast<QLineEdit*>(widget_);
    QObject::connect(w, &QLineEdit::textEdited, w, [this, forward](const QString& t) {
      forward([this, t] { edit_.UserSetText(t.toStdString()); });
    });
  }

 protected:
  void SyncContent() override {
    auto* w = static_cast<QLineEdit*>(widget_);
    const QString t = Q(edit_.Text());
    if (w->text() != t) {  // an unchanged text is not set again, so the caret stays
      w->setText(t);
      if (!w->hasFocus()) w->setCursorPosition(0);  // show a long text from its start
    }
    w->setReadOnly(edit_.ReadOnly);
    w->setFrame(!edit_.Flat);
    w->setFocusPolicy(edit_.TabStop ? Qt::StrongFocus : (edit_.ReadOnly ? Qt::NoFocus : Qt::ClickFocus));
    SetColours(w, edit_, QPalette::Base, QPalette::Text);
  }

 private:
  tk::Edit& edit_;
};

class ButtonView : public ControlView {
 public:
  ButtonView(tk::Button& b, QWidget* parent, const std::function<void(std::function<void()>)>& forward)
      : ControlView(b, new QPushButton(parent)), button_(b) {
    auto* w = static_cast<QPushButton*>(widget_);
    QObject::connect(w, &QPushButton::clicked, w, [this, forward] { forward([this] { button_.UserClick(); }); });
  }

 protected:
  void SyncContent() override {
    auto* w = static_cast<QPushButton*>(widget_);
    if (w->text() != Q(button_.Caption)) w->setText(Q(button_.Caption));
    SetColours(w, button_, QPalette::Button, QPalette::ButtonText);
  }

 private:
  tk::Button& button_;
};

class LabelView : public ControlView {
 public:
  LabelView(tk::Label& l, QWidget* parent) : ControlView(l, new QLabel(parent)), label_(l) {}

 protected:
  void SyncContent() override {
    auto* w = static_cast<QLabel*>(widget_);
    if (w->text() != Q(label_.Caption)) w->setText(Q(label_.Caption));
    w->setWordWrap(label_.WordWrap);
    w->setTextFormat(Qt::PlainText);
    SetColours(w, label_, QPalette::Window, QPalette::WindowText);
  }

 private:
  tk::Label& label_;
};

class CheckBoxView : public ControlView {
 public:
  CheckBoxView(tk::CheckBox& c, QWidget* parent, const std::function<void(std::function<void()>)>& forward)
      : ControlView(c, new QCheckBox(parent)), box_(c) {
    auto* w = static_cast<QCheckBox*>(widget_);
    QObject::connect(w, &QCheckBox::clicked, w, [this, forward] { forward([this] { box_.UserClick(); }); });
  }

 protected:
  void SyncContent() override {
    auto* w = static_cast<QCheckBox*>(widget_);
    if (w->text() != Q(box_.Caption)) w->setText(Q(box_.Caption));
    if (w->isChecked() != box_.Checked()) w->setChecked(box_.Checked());
    SetColours(w, box_, QPalette::Window, QPalette::WindowText);
  }

 private:
  tk::CheckBox& box_;
};

class GroupBoxView : public ControlView {
 public:
  GroupBoxView(tk::GroupBox& g, QWidget* parent) : ControlView(g, new QGroupBox(parent)), group_(g) {}

 protected:
  void SyncContent() override {
    auto* w = static_cast<QGroupBox*>(widget_);
    if (w->title() != Q(group_.Caption)) w->setTitle(Q(group_.Caption));
    SetColours(w, group_, QPalette::Window, QPalette::WindowText);
  }

 private:
  tk::GroupBox& group_;
};

class PanelView : public ControlView {
 public:
  PanelView(tk::Panel& p, QWidget* parent) : ControlView(p, new QFrame(parent)), panel_(p) {
    static_cast<QFrame*>(widget_)->setFrameStyle(QFrame::Box | QFrame::Plain);
  }

 protected:
  void SyncContent() override { SetColours(widget_, panel_, QPalette::Window, QPalette::WindowText); }

 private:
  tk::Panel& panel_;
};

class RadioGroupView : public ControlView {
 public:
  RadioGroupView(tk::RadioGroup& r, QWidget* parent, const std::function<void(std::function<void()>)>& forward)
      : ControlView(r, new QGroupBox(parent)), group_(r), forward_(forward) {}

 protected:
  void SyncContent() override {
    auto* w = static_cast<QGroupBox*>(widget_);
    if (w->title() != Q(group_.Caption)) w->setTitle(Q(group_.Caption));
    SetColours(w, group_, QPalette::Window, QPalette::WindowText);
    if (buttons_.size() != group_.Items.size()) Rebuild();
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
      if (buttons_[i]->text() != Q(group_.Items[i])) buttons_[i]->setText(Q(group_.Items[i]));
      const bool on = static_cast<int>(i) == group_.ItemIndex();
      if (buttons_[i]->isChecked() != on) buttons_[i]->setChecked(on);
      buttons_[i]->setFont(w->font());
      buttons_[i]->setPalette(w->palette());
    }
    // With no item chosen, no button may stay checked.
    if (group_.ItemIndex() < 0 && exclusive_) {
      exclusive_->setExclusive(false);
      for (auto* b : buttons_) b->setChecked(false);
      exclusive_->setExclusive(true);
    }
  }

 private:
  void Rebuild() {
    for (auto* b : buttons_) delete b;
    buttons_.clear();
    delete exclusive_;
    exclusive_ = new QButtonGroup(widget_);
    const int n = static_cast<int>(group_.Items.size());
    const int columns = group_.Columns > 0 ? group_.Columns : 1;
    const int rows = (n + columns - 1) / columns;
    const int top = 16, bottom = 4, side = 8;
    const int colWidth = (group_.Width - 2 * side) / columns;
    const int rowHeight = rows ? (group_.Height - top - bottom) / rows : 0;
    for (int i = 0; i < n; ++i) {
      auto* b = new QRadioButton(widget_);
      b->setGeometry(side + (i / rows) * colWidth, top + (i % rows) * rowHeight, colWidth, rowHeight);
      exclusive_->addButton(b, i);
      QObject::connect(b, &QRadioButton::clicked, b, [this, i] { forward_([this, i] { group_.UserSelect(i); }); });
      b->show();
      buttons_.push_back(b);
    }
  }
  tk::RadioGroup& group_;
  std::function<void(std::function<void()>)> forward_;
  std::vector<QRadioButton*> buttons_;
  QButtonGroup* exclusive_ = nullptr;
};

class TrackBarView : public ControlView {
 public:
  TrackBarView(tk::TrackBar& t, QWidget* parent, const std::function<void(std::function<void()>)>& forward)
      : ControlView(t, new QSlider(Qt::Horizontal, parent)), bar_(t) {
    auto* w = static_cast<QSlider*>(widget_);
    w->setTickPosition(QSlider::TicksBelow);
    QObject::connect(w, &QSlider::valueChanged, w, [this, forward](int v) {
      forward([this, v] { bar_.UserMove(v); });
    });
  }

 protected:
  void SyncContent() override {
    auto* w = static_cast<QSlider*>(widget_);
    if (w->minimum() != bar_.Min || w->maximum() != bar_.Max) w->setRange(bar_.Min, bar_.Max);
    w->setSingleStep(bar_.LineSize);
    w->setPageStep(bar_.PageSize);
    w->setTickInterval(bar_.Frequency);
    if (w->value() != bar_.Position()) w->setValue(bar_.Position());
  }

 private:
  tk::TrackBar& bar_;
};

class ListBoxView : public ControlView {
 public:
  ListBoxView(tk::ListBox& l, QWidget* parent) : ControlView(l, new QListWidget(parent)), list_(l) {
    auto* w = static_cast<QListWidget*>(widget_);
    w->setFrameShape(QFrame::NoFrame);
    w->setSelectionMode(QAbstractItemView::NoSelection);
    w->setFocusPolicy(Qt::NoFocus);
    w->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    w->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }

 protected:
  void SyncContent() override {
    auto* w = static_cast<QListWidget*>(widget_);
    SetColours(w, list_, QPalette::Base, QPalette::Text);
    if (static_cast<std::size_t>(w->count()) != list_.Items.size()) {
      w->clear();
      for (const auto& s : list_.Items) w->addItem(Q(s));
    }
    for (int i = 0; i < w->count(); ++i) {
      w->item(i)->setText(Q(list_.Items[i]));
      w->item(i)->setSizeHint(QSize(list_.Width, list_.ItemHeight));
    }
  }

 private:
  tk::ListBox& list_;
};

class ComboBoxView : public ControlView {
 public:
  ComboBoxView(tk::ComboBox& c, QWidget* parent, const std::function<void(std::function<void()>)>& forward)
      : ControlView(c, new QComboBox(parent)), combo_(c) {
    auto* w = static_cast<QComboBox*>(widget_);
    w->setEditable(true);
    w->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w, QOverload<int>::of(&QComboBox::activated), w,
                     [this, forward](int i) { forward([this, i] { combo_.UserSelect(i); }); });
    QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w, [this, forward](const QString& t) {
      forward([this, t] { combo_.UserSetText(t.toStdString()); });
    });
  }

 protected:
  void SyncContent() override {
    auto* w = static_cast<QComboBox*>(widget_);
    SetColours(w, combo_, QPalette::Base, QPalette::Text);
    bool same = static_cast<std::size_t>(w->count()) == combo_.Items.size();
    for (int i = 0; same && i < w->count(); ++i) same = w->itemText(i) == Q(combo_.Items[i]);
    if (!same) {
      w->clear();
      for (const auto& s : combo_.Items) w->addItem(Q(s));
    }
    if (w->currentIndex() != combo_.ItemIndex()) w->setCurrentIndex(combo_.ItemIndex());
    if (w->currentText() != Q(combo_.Text())) w->setEditText(Q(combo_.Text()));
  }

 private:
  tk::ComboBox& combo_;
};

}  // namespace

void ControlView::Sync() {
  const QSignalBlocker block(widget_);
  if (first_ || left_ != control_.Left || top_ != control_.Top || width_ != control_.Width ||
      height_ != control_.Height) {
    widget_->setGeometry(control_.Left, control_.Top, control_.Width, control_.Height);
    left_ = control_.Left, top_ = control_.Top, width_ = control_.Width, height_ = control_.Height;
  }
  const std::uint64_t key = FontKey(control_);
  const bool restyle = first_ || key != fontKey_;
  if (restyle) {
    widget_->setFont(ToQFont(control_.Font));
    widget_->setAutoFillBackground(true);
    fontKey_ = key;
  }
  if (first_ || enabled_ != control_.Enabled) widget_->setEnabled(enabled_ = control_.Enabled);
  SyncContent();
  if (first_ || visible_ != control_.Visible) widget_->setVisible(visible_ = control_.Visible);
  first_ = false;
}

std::unique_ptr<ControlView> MakeView(tk::Control& c, QWidget* parent,
                                      const std::function<void(std::function<void()>)>& forward) {
  if (auto* x = dynamic_cast<tk::Image*>(&c)) return std::make_unique<ImageView>(*x, parent);
  if (auto* x = dynamic_cast<tk::Edit*>(&c)) return std::make_unique<EditView>(*x, parent, forward);
  if (auto* x = dynamic_cast<tk::Button*>(&c)) return std::make_unique<ButtonView>(*x, parent, forward);
  if (auto* x = dynamic_cast<tk::Label*>(&c)) return std::make_unique<LabelView>(*x, parent);
  if (auto* x = dynamic_cast<tk::CheckBox*>(&c)) return std::make_unique<CheckBoxView>(*x, parent, forward);
  if (auto* x = dynamic_cast<tk::RadioGroup*>(&c)) return std::make_unique<RadioGroupView>(*x, parent, forward);
  if (auto* x = dynamic_cast<tk::GroupBox*>(&c)) return std::make_unique<GroupBoxView>(*x, parent);
  if (auto* x = dynamic_cast<tk::Panel*>(&c)) return std::make_unique<PanelView>(*x, parent);
  if (auto* x = dynamic_cast<tk::TrackBar*>(&c)) return std::make_unique<TrackBarView>(*x, parent, forward);
  if (auto* x = dynamic_cast<tk::ListBox*>(&c)) return std::make_unique<ListBoxView>(*x, parent);
  if (auto* x = dynamic_cast<tk::ComboBox*>(&c)) return std::make_unique<ComboBoxView>(*x, parent, forward);
  return std::make_unique<ControlView>(c, new QWidget(parent));
}

}  // namespace qtfront
