#include "Unit1.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>

#include "AppMessages.h"
#include "Controls.h"
#include "Dialogs.h"
#include "ImageView.h"
#include "WindowFont.h"

TForm1::TForm1(TDialogs& dialogs, QWidget* parent) : QWidget(parent), FDialogs(dialogs) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromUtf8(SConverterCaption));
  setFont(WindowFont());
  move(292, 321);
  resize(586, 244);
  setAcceptDrops(true);
  BuildControls();
  BuildActions();
  EnterStage(TConverterStage::csStart);
}

TForm1::~TForm1() = default;

void TForm1::BuildControls() {
  auto* groupBox1 = Place<QGroupBox>(this, "GroupBox1", QRect(24, 8, 169, 153));
  groupBox1->setTitle(QStringLiteral("Input"));
  FImages[0] = new TImageView(groupBox1, "Image1", QRect(16, 16, 145, 121));
  BuildFramePages();
  auto* groupBox2 = Place<QGroupBox>(this, "GroupBox2", QRect(384, 8, 169, 153));
  groupBox2->setTitle(QStringLiteral("Output"));
  // The output view is as large as its picture; a strip taller or wider than
  // the frame scrolls.
  auto* outputScroll = Place<QScrollArea>(groupBox2, "OutputScroll", QRect(16, 16, 145, 121));
  outputScroll->setFrameShape(QFrame::NoFrame);
  FImages[5] = new TImageView(outputScroll, "Image6", QRect(0, 0, 145, 121));
  outputScroll->setWidget(FImages[5]);

  FButton1 = Place<QPushButton>(this, "Button1", QRect(24, 176, 57, 25), QStringLiteral("Open"));
  FButton3 = Place<QPushButton>(this, "Button3", QRect(200, 176, 49, 25), QStringLiteral("Animate"));
  FButton4 = Place<QPushButton>(this, "Button4", QRect(272, 176, 57, 25), QStringLiteral("Editor"));
  FButton2 = Place<QPushButton>(this, "Button2", QRect(504, 176, 49, 25), QStringLiteral("Save"));
  connect(FButton1, &QPushButton::clicked, this, Guarded(FDialogs, this, &TForm1::Button1Click));
  connect(FButton2, &QPushButton::clicked, this, Guarded(FDialogs, this, &TForm1::Button2Click));
  connect(FButton3, &QPushButton::clicked, this, Guarded(FDialogs, this, &TForm1::Button3Click));
  connect(FButton4, &QPushButton::clicked, this, Guarded(FDialogs, this, &TForm1::Button4Click));
  BuildStripControls();
}

// Frame slots 1 to 4, one per tab page "FRM1".."FRM4".
void TForm1::BuildFramePages() {
  auto* pageControl1 = Place<QTabWidget>(this, "PageControl1", QRect(200, 8, 177, 153));
  // Tabs as narrow as the original's, so that all four show side by side.
  pageControl1->setStyleSheet(QStringLiteral(
      "QTabBar::tab { padding: 3px 7px; border: 1px solid palette(mid); border-bottom: none;"
      " border-top-left-radius: 2px; border-top-right-radius: 2px; background: palette(button); }"
      "QTabBar::tab:selected { background: palette(window); margin-bottom: -1px; }"
      "QTabBar::tab:!selected { margin-top: 2px; }"));
  static constexpr std::array<const char*, 4> SheetNames{"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet4"};
  static constexpr std::array<const char*, 4> ImageNames{"Image2", "Image3", "Image4", "Image5"};
  for (int k = 0; k < 4; ++k) {
    auto* sheet = new QWidget;
    sheet->setObjectName(QString::fromLatin1(SheetNames[k]));
    pageControl1->addTab(sheet, QStringLiteral("FRM%1").arg(k + 1));
    FImages[k + 1] = new TImageView(sheet, ImageNames[k], QRect(0, 4, 145, 121));
  }
}

QAction* TForm1::AddMenuItem(const char* name, const QString& caption, void (TForm1::*handler)()) {
  QAction* item = FPopupMenu1->addAction(caption);
  item->setObjectName(QString::fromLatin1(name));
  connect(item, &QAction::triggered, this, Guarded(FDialogs, this, handler));
  return item;
}

// Every action of the window: the input view's context menu and the keys.
void TForm1::BuildActions() {
  FPopupMenu1 = new QMenu(this);
  FPopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  AddMenuItem("Eins1", QStringLiteral("Stop Anim"), &TForm1::Eins1Click);
  AddMenuItem("Zwei1", QStringLiteral("StartAnim"), &TForm1::Zwei1Click);
  AddMenuItem("Drei1", QStringLiteral("Info"), &TForm1::Drei1Click);
  AddMenuItem("SizeBig1", QStringLiteral("Size Big"), &TForm1::SizeBig1Click);
  AddMenuItem("SizeOrig1", QStringLiteral("Size Orig"), &TForm1::SizeOrig1Click);
  AddMenuItem("About1", QStringLiteral("About"), &TForm1::About1Click);
  FPopupMenu1->addSeparator();
  QAction* stripOptions1 = FPopupMenu1->addAction(FStripOptionsButton->text());
  stripOptions1->setObjectName(QStringLiteral("StripOptions1"));
  connect(stripOptions1, &QAction::triggered, FStripOptionsButton, &QPushButton::click);
  FImages[0]->SetContextMenu(FPopupMenu1);
  BuildFrameSaveMenus();

  const auto addKey = [this](const char* name, const QKeySequence& key, const std::function<void()>& run) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    connect(action, &QAction::triggered, this, run);
    addAction(action);
  };
  addKey("OpenKey", QKeySequence::Open, [this] { FButton1->click(); });
  addKey("SaveKey", QKeySequence::Save, [this] { FButton2->click(); });
  addKey("QuitKey", QKeySequence::Quit, [this] { close(); });
}

TImage& TForm1::Image(int number) { return FImages.at(static_cast<std::size_t>(number - 1))->Model(); }

void TForm1::EnterStage(TConverterStage stage) {
  struct TEnabled {
    bool Save;
    bool Animate;
  };
  TEnabled enabled{false, false};
  switch (stage) {
    case TConverterStage::csStart:
    case TConverterStage::csOpening: enabled = {false, false}; break;
    case TConverterStage::csBitmapOpened: enabled = {false, true}; break;
    case TConverterStage::csGifOpened: enabled = {true, false}; break;
    case TConverterStage::csEditorFrames: enabled = {true, true}; break;
    case TConverterStage::csAnimated: enabled = {true, false}; break;
  }
  FButton2->setEnabled(enabled.Save);
  FButton3->setEnabled(enabled.Animate);
  if (stage != TConverterStage::csGifOpened) ForgetStripNotes();
  // The editor's frames replace the GIF's strip: a new choice leaves them be.
  if (stage == TConverterStage::csEditorFrames) FStripFollowsChoices = false;
}

void TForm1::Button4Click() {
  setEnabled(false);
  if (FEditor) FEditor->show();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  emit Closed();
}

// The views keep their own copies; the document's objects go now. Emptying
// the input view stops its animation first.
void TForm1::FormClose() {
  Image(1).Picture().Assign(nullptr);
  FDocument.InputBitmap.reset();
  FDocument.InputGif.reset();
  FDocument.OutputGif.reset();
}
