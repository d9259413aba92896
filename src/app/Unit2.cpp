#include "Unit2.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "AppMessages.h"
#include "AppSettings.h"
#include "Bitmap.h"
#include "Controls.h"
#include "Dialogs.h"
#include "ImageView.h"
#include "ToolPictures.h"
#include "Unit1.h"
#include "WindowFont.h"

namespace {

// Controls without a caption say what they do in a tooltip.
QComboBox* AddComboBox(QWidget* parent, const char* name, const QRect& bounds, const QStringList& items,
                       const QString& tip) {
  auto* box = Place<QComboBox>(parent, name, bounds);
  box->addItems(items);
  box->setToolTip(tip);
  return box;
}

}  // namespace

TForm2::TForm2(TForm1& converter, TDialogs& dialogs, QWidget* parent)
    : QWidget(parent), FConverter(converter), FDialogs(dialogs) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QString::fromUtf8(SEditorCaption));
  setFont(WindowFont());
  resize(603, 397);
  BuildEditorGroup();
  BuildToolControls();
  BuildCommandButtons();
  BuildActions();
  FormCreate();
}

TForm2::~TForm2() = default;

QPushButton* TForm2::AddButton(QWidget* parent, const char* name, const QRect& bounds, const QString& caption,
                               void (TForm2::*handler)()) {
  auto* button = Place<QPushButton>(parent, name, bounds, caption);
  connect(button, &QPushButton::clicked, this, Guarded(FDialogs, this, handler));
  return button;
}

QToolButton* TForm2::AddSpeedButton(const char* name, int left, int top, TToolPicture picture, const QString& tip,
                                    void (TForm2::*handler)()) {
  auto* button = Place<QToolButton>(this, name, QRect(left, top, 33, 25));
  button->setIcon(ToolPicture(picture));
  button->setToolTip(tip);
  SetFlat(button, false);
  connect(button, &QToolButton::clicked, this, Guarded(FDialogs, this, handler));
  return button;
}

// The group "Editor": the view, the pointer position, the sizes, the flips
// and the shifts.
void TForm2::BuildEditorGroup() {
  auto* group = Place<QGroupBox>(this, "GroupBox1", QRect(8, 8, 401, 289));
  group->setTitle(QStringLiteral("Editor"));
  FImage1 = new TImageView(group, "Image1", QRect(8, 24, 305, 193));
  FImage1->setMouseTracking(true);
  FImage1->OnMouseDown = Guarded(FDialogs, this, &TForm2::Image1MouseDown);
  FImage1->OnMouseMove = Guarded(FDialogs, this, &TForm2::Image1MouseMove);
  FImage1->OnMouseUp = Guarded(FDialogs, this, &TForm2::Image1MouseUp);

  Place<QLabel>(group, "Label1", QRect(152, 8, 14, 13), QStringLiteral("X:"));
  FLabel2 = Place<QLabel>(group, "Label2", QRect(168, 8, 22, 13), QStringLiteral("0"));
  Place<QLabel>(group, "Label3", QRect(192, 8, 14, 13), QStringLiteral("Y:"));
  FLabel4 = Place<QLabel>(group, "Label4", QRect(208, 8, 22, 13), QStringLiteral("0"));

  auto* radioButton1 = Place<QRadioButton>(group, "RadioButton1", QRect(8, 240, 89, 17), QStringLiteral("Logo 101*46"));
  auto* radioButton2 =
      Place<QRadioButton>(group, "RadioButton2", QRect(96, 240, 129, 17), QStringLiteral("Screen Saver 101*64"));
  auto* radioButton3 = Place<QRadioButton>(group, "RadioButton3", QRect(8, 264, 89, 17), QStringLiteral("16*16 EMS"));
  auto* radioButton4 = Place<QRadioButton>(group, "RadioButton4", QRect(96, 264, 113, 17), QStringLiteral("72*32 EMS"));
  radioButton2->setChecked(true);
  FSizes = {{{radioButton2, ScreenSaverSize}, {radioButton1, LogoSize}, {radioButton3, Ems16Size}, {radioButton4, Ems72Size}}};
  FCheckBox1 = Place<QCheckBox>(group, "CheckBox1", QRect(224, 264, 89, 17), QStringLiteral("Big Size"));
  connect(FCheckBox1, &QCheckBox::clicked, this, Guarded(FDialogs, this, &TForm2::CheckBox1Click));

  AddButton(group, "Button8", QRect(320, 8, 73, 25), QStringLiteral("Vert. Flip"), &TForm2::Button8Click);
  AddButton(group, "Button9", QRect(320, 40, 73, 25), QStringLiteral("Hor. Flip"), &TForm2::Button9Click);
  // The arrows' captions are pictures of a direction: the tooltips say what moves.
  AddButton(group, "Button12", QRect(344, 80, 25, 25), QStringLiteral("/\\"), &TForm2::Button12Click)
      ->setToolTip(QStringLiteral("Shift the picture up"));
  AddButton(group, "Button11", QRect(320, 104, 25, 25), QStringLiteral("<"), &TForm2::Button11Click)
      ->setToolTip(QStringLiteral("Shift the picture left"));
  AddButton(group, "Button10", QRect(368, 104, 25, 25), QStringLiteral(">"), &TForm2::Button10Click)
      ->setToolTip(QStringLiteral("Shift the picture right"));
  AddButton(group, "Button13", QRect(344, 128, 25, 25), QStringLiteral("\\/"), &TForm2::Button13Click)
      ->setToolTip(QStringLiteral("Shift the picture down"));
  QStringList steps;
  for (int step = 1; step <= 10; ++step) steps << QStringLiteral("%1 pixel").arg(step, -2);
  auto* comboBox4 = AddComboBox(group, "ComboBox4", QRect(328, 168, 65, 21), steps,
                                QStringLiteral("How far a shift moves the picture"));
  connect(comboBox4, &QComboBox::currentIndexChanged, this, Guarded(FDialogs, this, &TForm2::ComboBox4Change));
}

// Tools, pen style, fill, pen width, pen colour and brush colour.
void TForm2::BuildToolControls() {
  using enum TToolPicture;
  const auto tip = [](const char* text) { return QString::fromLatin1(text); };
  FToolButtons = {
      {{AddSpeedButton("SpeedButton9", 424, 16, Pencil, tip("Pencil: draw freehand in the line colour"),
                       &TForm2::SpeedButton9Click),
        TTool::pencil},
       {AddSpeedButton("SpeedButton1", 456, 16, Line, tip("Draw a line"), &TForm2::SpeedButton1Click), TTool::line},
       {AddSpeedButton("SpeedButton2", 488, 16, Circle, tip("Draw a circle or ellipse"), &TForm2::SpeedButton2Click),
        TTool::circle},
       {AddSpeedButton("SpeedButton3", 520, 16, Rect, tip("Draw a rectangle"), &TForm2::SpeedButton3Click), TTool::rect},
       {AddSpeedButton("SpeedButton4", 552, 16, RoundRect, tip("Draw a rounded rectangle"),
                       &TForm2::SpeedButton4Click),
        TTool::roundrect},
       {AddSpeedButton("SpeedButton11", 424, 40, Text, tip("Write the text of the box beside"),
                       &TForm2::SpeedButton11Click),
        TTool::text}}};
  FEdit1 = Place<QLineEdit>(this, "Edit1", QRect(456, 40, 129, 21));
  FEdit1->setText(QStringLiteral("Text"));
  FPenStyleButtons = {
      {{AddSpeedButton("SpeedButton5", 424, 120, PenSolid, tip("Solid lines"), &TForm2::SpeedButton5Click),
        TPenStyle::psSolid},
       {AddSpeedButton("SpeedButton6", 456, 120, PenDot, tip("Dotted lines"), &TForm2::SpeedButton6Click),
        TPenStyle::psDot},
       {AddSpeedButton("SpeedButton7", 488, 120, PenClear, tip("No lines: shapes without an outline"),
                       &TForm2::SpeedButton7Click),
        TPenStyle::psClear}}};
  FSpeedButton8 =
      AddSpeedButton("SpeedButton8", 424, 152, Fill, tip("Fill shapes with black"), &TForm2::SpeedButton8Click);
  FSpeedButton10 =
      AddSpeedButton("SpeedButton10", 456, 152, NoFill, tip("Shapes without a fill"), &TForm2::SpeedButton10Click);
  SetFlat(FToolButtons[1].first, true);
  SetFlat(FPenStyleButtons[0].first, true);
  SetFlat(FSpeedButton10, true);

  auto* comboBox1 = AddComboBox(this, "ComboBox1", QRect(424, 184, 65, 21),
                                {"1 Pixel", "2 Pixel", "3 Pixel", "4 Pixel", "5 Pixel"}, tip("Pen width"));
  connect(comboBox1, &QComboBox::currentIndexChanged, this, Guarded(FDialogs, this, &TForm2::ComboBox1Change));
  FComboBox2 = AddComboBox(this, "ComboBox2", QRect(424, 216, 65, 21), {"clBlack", "clWhite"},
                           tip("Line colour, also the pencil's"));
  connect(FComboBox2, &QComboBox::currentIndexChanged, this, Guarded(FDialogs, this, &TForm2::ComboBox2Change));
  // Shows "clBlack" with no entry selected until one is chosen.
  auto* comboBox3 =
      AddComboBox(this, "ComboBox3", QRect(424, 248, 65, 21), {"clBlack", "clWhite"}, tip("Fill colour"));
  comboBox3->setEditable(true);
  comboBox3->setInsertPolicy(QComboBox::NoInsert);
  comboBox3->setCurrentIndex(-1);
  comboBox3->setEditText(QStringLiteral("clBlack"));
  connect(comboBox3, &QComboBox::currentIndexChanged, this, Guarded(FDialogs, this, &TForm2::ComboBox3Change));
}

// New, the hand-off to the Converter, Save Logo and Exit.
void TForm2::BuildCommandButtons() {
  FButton2 = AddButton(this, "Button2", QRect(8, 304, 49, 57), QStringLiteral("Neu"), &TForm2::Button2Click);
  FSaveAsButtons = {
      AddButton(this, "Button3", QRect(64, 304, 81, 25), QStringLiteral("Save As FRM1"), &TForm2::Button3Click),
      AddButton(this, "Button4", QRect(64, 336, 81, 25), QStringLiteral("Save As FRM2"), &TForm2::Button4Click),
      AddButton(this, "Button5", QRect(160, 304, 81, 25), QStringLiteral("Save As FRM3"), &TForm2::Button5Click),
      AddButton(this, "Button6", QRect(160, 336, 81, 25), QStringLiteral("Save As FRM4"), &TForm2::Button6Click)};
  FButton7 = AddButton(this, "Button7", QRect(256, 336, 81, 25), QStringLiteral("Save Logo"), &TForm2::Button7Click);
  FButton1 = AddButton(this, "Button1", QRect(504, 336, 73, 25), QStringLiteral("Exit"), &TForm2::Button1Click);
}

// Every action of the window: the view's context menu, whose items repeat
// buttons by clicking them, and the keys. Undo and Redo are in the menu and
// answer their keys anywhere in the window.
void TForm2::BuildActions() {
  FPopupMenu1 = new QMenu(this);
  FPopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  const auto addItem = [this](const char* name, const QString& caption, const std::function<void()>& run) {
    QAction* item = FPopupMenu1->addAction(caption);
    item->setObjectName(QString::fromLatin1(name));
    connect(item, &QAction::triggered, this, Guarded(FDialogs, run));
    return item;
  };
  static constexpr std::array<const char*, 4> SaveItems{"SaveAsFrame11", "SaveAsFrame21", "SaveAsFrame31",
                                                        "SaveAsFrame41"};
  for (int k = 0; k < 4; ++k)
    addItem(SaveItems[k], QStringLiteral("Save As Frame%1").arg(k + 1), [this, k] { FSaveAsButtons[k]->click(); });
  addItem("Save1", QStringLiteral("Save"), [this] { FButton7->click(); });
  addItem("LoadFromInput1", QStringLiteral("Load From Input"), [this] { LoadFrom(1); });
  static constexpr std::array<const char*, 4> LoadItems{"LoadFromFrame11", "LoadFromFrame21", "LoadFromFrame31",
                                                        "LoadFromFram41"};
  for (int k = 0; k < 4; ++k)
    addItem(LoadItems[k], QStringLiteral("Load From Frame%1").arg(k + 1), [this, k] { LoadFrom(k + 2); });
  addItem("LoadFromFile1", QStringLiteral("Load From File..."), [this] { LoadFromFile(); });
  FPopupMenu1->addSeparator();
  FUndo1 = addItem("Undo1", QStringLiteral("Undo"), [this] { Undo1Click(); });
  FUndo1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  FRedo1 = addItem("Redo1", QStringLiteral("Redo"), [this] { Redo1Click(); });
  FRedo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  addActions({FUndo1, FRedo1});
  FPopupMenu1->addSeparator();
  FGrid1 = addItem("Grid1", QStringLiteral("Grid"), [this] { Grid1Click(); });
  FGrid1->setCheckable(true);
  FGrid1->setChecked(GridShown());
  FImage1->SetContextMenu(FPopupMenu1);

  const auto addKey = [this](const char* name, const QKeySequence& key, QPushButton* button) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    connect(action, &QAction::triggered, button, &QPushButton::click);
    addAction(action);
  };
  addKey("NewKey", QKeySequence::New, FButton2);
  addKey("SaveKey", QKeySequence::Save, FButton7);
  addKey("ExitKey", QKeySequence::Close, FButton1);
}

// The editor starts with a new picture of the checked size, so that the
// first stroke lands under the pointer; making it is not a step to undo.
void TForm2::FormCreate() {
  FImage1->setCursor(Qt::CrossCursor);
  View().SetStretch(true);
  View().SetProportional(true);
  CurrentTool = TTool::line;
  ShiftStep = 1;
  SetZoomDivisor(2);
  New();
  ShowHistoryState();
}

// Every close, by Exit or by the close box, gives the Converter its input
// back and is allowed; the window is only hidden.
void TForm2::closeEvent(QCloseEvent* event) {
  FormCloseQuery();
  event->accept();
}

void TForm2::FormCloseQuery() { FConverter.setEnabled(true); }
