// The main() of the GUI tests: Qt is prepared before any test runs (and
// before test discovery lists the tests, which runs this program without
// CTest's environment): the offscreen platform, a private runtime folder,
// Qt's own dialogs, and the platform's harmless warnings filtered out.
// Settings go to a folder of their own inside the runtime folder, never the
// user's, and every test starts with none remembered.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QSettings>

#include "AppSettings.h"

#include "HandOverWakeUp.h"

namespace {

QtMessageHandler PreviousHandler = nullptr;

void FilterMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.contains(QStringLiteral("propagateSizeHints"))) return;
  if (message.contains(QStringLiteral("does not support raise()"))) return;
  PreviousHandler(type, context, message);
}

// mkdtemp makes the folder readable by its owner only (0700), as Qt wants.
std::string MakeRuntimeDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "korvane-gui-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

class TForgetSettings : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo&) override { QSettings().clear(); }
};

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string runtimeDir = MakeRuntimeDir();
  // Without a folder of their own, the settings would be the user's.
  if (runtimeDir.empty()) {
    std::fprintf(stderr, "cannot make a private runtime folder\n");
    return 1;
  }
  setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
  PreviousHandler = qInstallMessageHandler(FilterMessages);
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  NameApplication();
  const QString settingsDir = QString::fromStdString(runtimeDir + "/settings");
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir);
  int result = 0;
  {
    QApplication application(argc, argv);
    const THandOverWakeUp wakeUp(application);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new TForgetSettings);
    result = RUN_ALL_TESTS();
  }
  std::error_code ignored;
  std::filesystem::remove_all(runtimeDir, ignored);
  return result;
}
