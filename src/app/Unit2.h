// TForm2: the Logo editor, a zoomed pixel editor for the monochrome pictures
// of phones. It owns its picture (held by its view Image1, drawn on through
// that view's canvas), the four picture sizes with their zoom, the six
// drawing tools with pen and brush choices, the flips and shifts, Save Logo,
// and the hand-off to the Converter window: pictures sent to its frame slots
// (with the BMX strip of the four frames in its output view) and loaded back.
// Every change of the picture is a step that can be undone and redone; a
// pixel grid can be shown over the view (on the screen only). It is created
// hidden with a new picture of the checked size, shown by the Converter's
// Editor button, and only hidden again when closed, keeping its picture and
// its history.
//
// Unit2.cpp builds the window; EditorDrawing.cpp holds New, the tools, the
// pointer protocol and the grid; EditorTransforms.cpp the flips and shifts;
// EditorHandOff.cpp saving, loading and leaving; EditorUndo.cpp undo and redo.
#pragma once

#include <array>
#include <memory>
#include <utility>

#include <QWidget>

#include "Canvas.h"
#include "EditorHistory.h"
#include "EditorSizes.h"
#include "Geometry.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QToolButton;
class TBitmap;
class TDialogs;
class TForm1;
class TImage;
class TImageView;

enum class TToolPicture;

enum class TTool { line, circle, rect, roundrect, pencil, text };

class TForm2 : public QWidget {
  Q_OBJECT

public:
  TForm2(TForm1& converter, TDialogs& dialogs, QWidget* parent = nullptr);
  ~TForm2() override;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  // Unit2.cpp
  void BuildEditorGroup();
  void BuildToolControls();
  void BuildCommandButtons();
  void BuildActions();
  void FormCreate();
  void FormCloseQuery();
  QPushButton* AddButton(QWidget* parent, const char* name, const QRect& bounds, const QString& caption,
                         void (TForm2::*handler)());
  QToolButton* AddSpeedButton(const char* name, int left, int top, TToolPicture picture, const QString& tip,
                              void (TForm2::*handler)());

  // EditorDrawing.cpp
  void Button2Click();  // New, as a step of the history
  void New();
  void ShowAtZoom();
  void SetZoomDivisor(int divisor);
  void Grid1Click();
  void ShowGrid();
  void CheckBox1Click();
  void SpeedButton1Click();
  void SpeedButton2Click();
  void SpeedButton3Click();
  void SpeedButton4Click();
  void SpeedButton9Click();
  void SpeedButton11Click();
  void SpeedButton5Click();
  void SpeedButton6Click();
  void SpeedButton7Click();
  void SpeedButton8Click();
  void SpeedButton10Click();
  void ComboBox1Change(int index);
  void ComboBox2Change(int index);
  void ComboBox3Change(int index);
  void Image1MouseDown(int x, int y);
  void Image1MouseMove(int x, int y);
  void Image1MouseUp(int x, int y);
  void DrawShape(int x1, int y1, int x2, int y2, TPenMode mode);
  TPoint ShapeStart() const;
  void PencilLine(int x1, int y1, int x2, int y2);
  void ChooseTool(TTool tool);
  void ChoosePenStyle(TPenStyle style);
  TPoint ToPicture(TPoint viewPoint) const;
  TCanvas& Canvas();
  TImage& View();
  // The size whose radio button is checked, or nullptr.
  const TEditorSize* CheckedSize() const;

  // EditorTransforms.cpp
  void Button8Click();  // Vert. Flip
  void Button9Click();  // Hor. Flip
  void Button11Click();  // shift left
  void Button10Click();  // shift right
  void Button12Click();  // shift up
  void Button13Click();  // shift down
  void ComboBox4Change(int index);
  void Mirror(bool leftToRight);
  void Shift(int dx, int dy);
  std::unique_ptr<TBitmap> NewPicture() const;

  // EditorHandOff.cpp
  void Button3Click();  // Save As FRM1
  void Button4Click();  // Save As FRM2
  void Button5Click();  // Save As FRM3
  void Button6Click();  // Save As FRM4
  void Button7Click();  // Save Logo
  void Button1Click();  // Exit
  void SaveAsFrame(int frame);
  void LoadFrom(int converterView);
  void LoadFromFile();

  // EditorUndo.cpp
  void Undo1Click();
  void Redo1Click();
  // Called before each change of the picture.
  void RecordStep();
  TEditorState CurrentState();
  void RestoreState(TEditorState state);
  void ShowHistoryState();

  TForm1& FConverter;
  TDialogs& FDialogs;

  std::unique_ptr<TBitmap> EditorBitmap;
  int PictureWidth = 0;
  int PictureHeight = 0;
  TTool CurrentTool = TTool::line;
  int ShiftStep = 1;
  int ZoomDivisor = 2;
  TPoint StrokeStart;
  TPoint StrokeLast;
  bool Stroking = false;
  TEditorHistory History;

  TImageView* FImage1 = nullptr;
  QLabel* FLabel2 = nullptr;
  QLabel* FLabel4 = nullptr;
  QCheckBox* FCheckBox1 = nullptr;
  std::array<std::pair<QRadioButton*, TEditorSize>, 4> FSizes{};  // in the order New visits them
  std::array<std::pair<QToolButton*, TTool>, 6> FToolButtons{};
  std::array<std::pair<QToolButton*, TPenStyle>, 3> FPenStyleButtons{};
  QToolButton* FSpeedButton8 = nullptr;
  QToolButton* FSpeedButton10 = nullptr;
  QComboBox* FComboBox2 = nullptr;
  QLineEdit* FEdit1 = nullptr;
  QPushButton* FButton1 = nullptr;
  QPushButton* FButton2 = nullptr;
  std::array<QPushButton*, 4> FSaveAsButtons{};  // Save As FRM1..FRM4
  QPushButton* FButton7 = nullptr;
  QMenu* FPopupMenu1 = nullptr;
  QAction* FUndo1 = nullptr;
  QAction* FRedo1 = nullptr;
  QAction* FGrid1 = nullptr;
};
