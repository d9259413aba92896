// The program's entry: the application with its title, the Converter window,
// then the Logo editor window (created hidden), and the event loop until the
// Converter window closes.
#include <QApplication>

#include "AppSettings.h"
#include "HandOverWakeUp.h"
#include "QtDialogs.h"
#include "Unit1.h"
#include "Unit2.h"

int main(int argc, char* argv[]) {
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  QApplication application(argc, argv);
  NameApplication();
  // Animation painters hand their frames to this thread through the event loop.
  THandOverWakeUp wakeUp(application);
  // The editor may still be open: closing the Converter ends the program all the same.
  QApplication::setQuitOnLastWindowClosed(false);
  TQtDialogs dialogs;
  TForm1 converter(dialogs);
  TForm2 editor(converter, dialogs);
  converter.SetEditor(&editor);
  QObject::connect(&converter, &TForm1::Closed, &application, &QApplication::quit);
  converter.show();
  return QApplication::exec();
}
