// Files dropped on the Converter window or named when the program starts:
// exactly one local file is taken and opened on Open's own road; several
// files, or anything that is not a file, are refused. While the editor is
// open the window is disabled, and Qt hands a disabled window no drag events
// at all.
#include <optional>
#include <string>

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "Dialogs.h"
#include "Unit1.h"

namespace {

std::optional<std::string> DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1) return std::nullopt;
  const QUrl url = data->urls().first();
  if (!url.isLocalFile()) return std::nullopt;
  return url.toLocalFile().toStdString();
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData())) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const std::optional<std::string> fileName = DroppedFile(event->mimeData());
  if (!fileName) return;
  event->acceptProposedAction();
  OpenGivenFile(*fileName);
}

void TForm1::OpenGivenFile(const std::string& fileName) {
  RunCommand(FDialogs, [&] { Open(fileName); });
}
