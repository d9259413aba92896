// The program's entry: the application with its title, then the windows, then
// the event loop until the main window closes.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Korvane V1.8b");
  QMainWindow window;
  window.setWindowTitle(QApplication::applicationName());
  window.resize(640, 480);
  window.show();
  return QApplication::exec();
}
