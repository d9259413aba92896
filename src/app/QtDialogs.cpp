#include "QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "AppMessages.h"
#include "AppSettings.h"
#include "Exception.h"

namespace {

// The folder of the chosen file is where the next dialog starts, in this
// run and the next.
std::optional<std::string> RunFileDialog(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const QString chosen = dialog.selectedFiles().first();
  RememberFolderOf(chosen);
  return chosen.toStdString();
}

}  // namespace

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList result;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    result << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
  }
  return result;
}

QString FirstSuffixOf(const QString& nameFilter) {
  static const QRegularExpression firstPattern(QStringLiteral("\\(\\*\\.(\\w+)"));
  const QRegularExpressionMatch match = firstPattern.match(nameFilter);
  return match.hasMatch() ? match.captured(1) : QString();
}

QString DisplayText(const std::string& text) {
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace('\r', '\n');
  return shown;
}

std::optional<std::string> TQtDialogs::OpenFile(const TOpenFileRequest& request) {
  QFileDialog dialog(nullptr, QStringLiteral("Open"), LastFolder());
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(NameFilters(request.Filter));
  return RunFileDialog(dialog);
}

std::optional<std::string> TQtDialogs::SaveFile(const TSaveFileRequest& request) {
  // A preset name with a folder of its own starts there instead.
  QFileDialog dialog(nullptr, QStringLiteral("Save As"), LastFolder());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The command asks itself, about the name it will really write.
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  const QStringList filters = NameFilters(request.Filter);
  dialog.setNameFilters(filters);
  if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.FilterIndex - 1]);
  QString suffix = QString::fromStdString(request.DefaultExt);
  if (suffix.startsWith('.')) suffix.remove(0, 1);
  dialog.setDefaultSuffix(suffix);
  QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& nameFilter) {
    const QString chosen = FirstSuffixOf(nameFilter);
    if (!chosen.isEmpty()) dialog.setDefaultSuffix(chosen);
  });
  if (!request.FileName.empty()) dialog.selectFile(QString::fromStdString(request.FileName));
  return RunFileDialog(dialog);
}

bool TQtDialogs::ConfirmReplace(const std::string& fileName) {
  QMessageBox box(QMessageBox::Warning, QString::fromUtf8(SApplicationTitle),
                  DisplayText(FormatMessage(SConfirmReplace, fileName)), QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

void TQtDialogs::ShowMessage(TMessageKind kind, const std::string& text) {
  const QMessageBox::Icon icon = kind == TMessageKind::mkError ? QMessageBox::Critical : QMessageBox::Information;
  QMessageBox box(icon, QString::fromUtf8(SApplicationTitle), DisplayText(text), QMessageBox::Ok);
  box.exec();
}
