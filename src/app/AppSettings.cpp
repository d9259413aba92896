#include "AppSettings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include "AppMessages.h"

namespace {

const QString GridKey = QStringLiteral("Editor/Grid");
const QString LastFolderKey = QStringLiteral("Dialogs/LastFolder");

}  // namespace

void NameApplication() {
  QCoreApplication::setOrganizationName(QStringLiteral("Korvane"));
  QCoreApplication::setApplicationName(QString::fromUtf8(SApplicationTitle));
}

bool GridShown() { return QSettings().value(GridKey, false).toBool(); }
void SetGridShown(bool shown) { QSettings().setValue(GridKey, shown); }

QString LastFolder() { return QSettings().value(LastFolderKey).toString(); }
void RememberFolderOf(const QString& fileName) {
  QSettings().setValue(LastFolderKey, QFileInfo(fileName).absolutePath());
}
