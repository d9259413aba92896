// The main() of the GUI tests: Qt is prepared before any test runs (and
// before test discovery lists the tests, which runs this program without
// CTest's environment): the offscreen platform, a private runtime folder,
// Qt's own dialogs, and the platform's one harmless warning filtered out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>

#include "HandOverWakeUp.h"

namespace {

QtMessageHandler PreviousHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  PreviousHandler(type, context, message);
}

// mkdtemp makes the folder readable by its owner only (0700), as Qt wants.
std::string MakeRuntimeDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvane-gui-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string runtimeDir = MakeRuntimeDir();
  if (!runtimeDir.empty()) setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
  PreviousHandler = qInstallMessageHandler(FilterMessages);
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  int result = 0;
  {
    QApplication application(argc, argv);
    const THandOverWakeUp wakeUp(application);
    ::testing::InitGoogleTest(&argc, argv);
    result = RUN_ALL_TESTS();
  }
  if (!runtimeDir.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(runtimeDir, ignored);
  }
  return result;
}
