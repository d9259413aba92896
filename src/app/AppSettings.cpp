#include "AppSettings.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSettings>

#include "AppMessages.h"
#include "OptionNames.h"

namespace {

const QString GridKey = QStringLiteral("Editor/Grid");
const QString LastFolderKey = QStringLiteral("Dialogs/LastFolder");

QString StripKey(const char* name) { return QStringLiteral("Strip/") + QString::fromLatin1(name); }

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

StripOptions RememberedStripOptions() {
  const QSettings settings;
  StripOptions options;
  for (const TOptionField<StripOptions>& field : StripOptionFields()) {
    const QVariant stored = settings.value(StripKey(field.Key));
    if (!stored.isValid()) continue;
    try {
      field.Parse(stored.toString().toStdString(), options);
    } catch (const EBadOptionValue&) {
      // Left at its default: a value edited by hand, or written by another version.
    }
  }
  return options;
}

void RememberStripOptions(const StripOptions& options) {
  QSettings settings;
  for (const TOptionField<StripOptions>& field : StripOptionFields())
    settings.setValue(StripKey(field.Key), QString::fromStdString(field.Text(options)));
}
