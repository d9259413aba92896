// The program's entry: the application with its title, the Converter window,
// then the Logo editor window (created hidden), and the event loop until the
// Converter window closes. A file named on the command line is opened in the
// Converter once the window is shown.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "AppSettings.h"
#include "HandOverWakeUp.h"
#include "KorvaneVersion.h"
#include "QtDialogs.h"
#include "StartArguments.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {

std::vector<std::string> Words(int argc, char* argv[]) { return {argv + std::min(argc, 1), argv + argc}; }

}  // namespace

int main(int argc, char* argv[]) {
  // Help and version need no display, so they are answered before Qt starts.
  const TStartArguments early = ParseStartArguments(Words(argc, argv));
  if (early.Request == TStartRequest::srHelp) {
    PrintStartHelp(std::cout);
    return 0;
  }
  if (early.Request == TStartRequest::srVersion) {
    std::cout << VersionLine("korvane");
    return 0;
  }
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  // Qt takes its own options out of argv here; the rest are ours.
  QApplication application(argc, argv);
  const TStartArguments start = ParseStartArguments(Words(argc, argv));
  if (start.Request == TStartRequest::srUsage) {
    std::cerr << "korvane: " << start.Problem << "\n";
    PrintStartUsage(std::cerr);
    return 2;
  }
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
  if (!start.FileName.empty()) converter.OpenGivenFile(start.FileName);
  return QApplication::exec();
}
