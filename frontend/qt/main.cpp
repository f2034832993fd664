// Quadrivia, the desktop program. It takes no command-line arguments.
#include <QApplication>
#include <QIcon>

#include "app/Program.h"
#include "frontend/qt/QtPlatform.h"

int main(int argc, char** argv) {
  QApplication::setStyle("Fusion");
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quadrivia");
  // Ties the windows to the installed desktop entry (its icon and name in task bars).
  QGuiApplication::setDesktopFileName("quadrivia");
  QApplication::setWindowIcon(QIcon(":/quadrivia.ico"));
  qtfront::QtPlatform platform(app);
  return QuadriviaMain(platform);
}
