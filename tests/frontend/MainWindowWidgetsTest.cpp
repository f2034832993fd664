// The real Qt widgets of the main window, built offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <filesystem>

#include "app/Korvel.h"
#include "app/Main.h"
#include "app/Program.h"
#include "frontend/qt/QtPlatform.h"

namespace {

struct Frontend : ::testing::Test {
  static inline QApplication* app = nullptr;
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "frontend_tests";
    static char* argv[] = {name, nullptr};
    if (!app) app = new QApplication(argc, argv);
  }
  std::filesystem::path previous, dir;
  std::unique_ptr<qtfront::QtPlatform> platform;
  void SetUp() override {
    previous = std::filesystem::current_path();
    dir = std::filesystem::temp_directory_path() / ("quadrivia-frontend-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::filesystem::current_path(dir);
    platform = std::make_unique<qtfront::QtPlatform>(*app);
    tk::UsePlatform(*platform);
    CreateForms();
  }
  void TearDown() override {
    DestroyForms();
    platform.reset();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
  }
  template <class W>
  W* Widget(tk::Control* c) {
    return qobject_cast<W*>(platform->WidgetOf(*c));
  }
};

TEST_F(Frontend, MainWindowShowsTheModelAndAnimatesAfterTheSplash) {
  // The splash is modal: close it with a key once it shows, as a user would.
  bool splashShown = false;
  QTimer::singleShot(50, [&] {
    splashShown = FormKorvel->Visible && platform->WindowOf(*FormKorvel)->isVisible();
    QWidget* w = platform->WindowOf(*FormKorvel);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(w, &press);
  });
  MainForm->Show();
  EXPECT_TRUE(splashShown);
  EXPECT_FALSE(FormKorvel->Visible);
  EXPECT_TRUE(MainForm->Timer1->Enabled());

  qtfront::FormWindow* window = platform->WindowOf(*MainForm);
  ASSERT_TRUE(window);
  EXPECT_EQ(window->windowTitle(), "Quadrivia");
  EXPECT_EQ(window->Client()->size(), QSize(427, 326));

  struct EditCase {
    tk::Edit* edit;
    const char* text;
    QRect geometry;
  } edits[] = {{MainForm->Edit3, "9.899999", {8, 8, 73, 30}},
               {MainForm->Edit1, "0.100000", {88, 8, 65, 30}},
               {MainForm->EditIter, "200", {112, 48, 41, 32}},
               {MainForm->E_LimColors, "3", {88, 40, 57, 30}},
               {MainForm->Edit5, "1", {104, 184, 65, 28}}};
  for (const auto& c : edits) {
    auto* w = Widget<QLineEdit>(c.edit);
    ASSERT_TRUE(w) << c.edit->Name;
    EXPECT_EQ(w->text(), c.text) << c.edit->Name;
    EXPECT_EQ(w->geometry(), c.geometry) << c.edit->Name;
  }
  EXPECT_TRUE(Widget<QLineEdit>(MainForm->EditQuantity)->isReadOnly());
  EXPECT_EQ(Widget<QPushButton>(MainForm->ButtonStart)->text(), "Pause");
  EXPECT_EQ(Widget<QPushButton>(MainForm->Button4)->text(), "Full Screen");
  EXPECT_EQ(Widget<QGroupBox>(MainForm->GroupBox1)->title(), "Animation Parametres");
  EXPECT_TRUE(Widget<QCheckBox>(MainForm->CB_FullRange)->isChecked());
  EXPECT_EQ(Widget<QSlider>(MainForm->TrackBar1)->value(), 60000);
  EXPECT_EQ(Widget<QSlider>(MainForm->TB_Coef)->value(), 40);
  QStringList menu;
  for (QAction* a : window->menuBar()->actions()) menu << a->text();
  EXPECT_EQ(menu, QStringList({"Catalogue", "Coefficients", "Language", "Help", "Exit"}));

  // A tick renders; the widgets follow the model.
  QEventLoop wait;
  QTimer::singleShot(300, &wait, &QEventLoop::quit);
  wait.exec();
  EXPECT_NE(Widget<QLineEdit>(MainForm->Edit3)->text(), "9.899999");
  EXPECT_EQ(Widget<QLineEdit>(MainForm->EditQuantity)->text().toStdString(), MainForm->EditQuantity->Text());

  // User input reaches the program through the toolkit: a typed iteration limit.
  MainForm->ButtonStart->UserClick();
  platform->SyncAll();
  auto* iter = Widget<QLineEdit>(MainForm->EditIter);
  iter->setFocus();
  iter->selectAll();
  for (QChar ch : QString("3")) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_3, Qt::NoModifier, ch);
    QApplication::sendEvent(iter, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_3, Qt::NoModifier, ch);
    QApplication::sendEvent(iter, &release);
  }
  EXPECT_EQ(MainForm->MaxIter, 5);
  EXPECT_EQ(iter->text(), "5");
  EXPECT_EQ(Widget<QPushButton>(MainForm->ButtonStart)->text(), "Start");

  // Saved beside the test program, for a look at what the widgets show.
  const std::filesystem::path shot = previous / "main-window-offscreen.png";
  EXPECT_TRUE(window->grab().save(QString::fromStdString(shot.string())));
}

}  // namespace
