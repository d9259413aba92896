// TForm1: the Converter window, the program's main window. It owns the
// document state of one conversion (TConverterDocument) and the six image
// views: the input view, the four frame slots FRM1..FRM4 and the output view.
// Its commands: Open (a GIF gives its first four frames and their BMX strip;
// a BMX strip or any BMP is cut into four frames), Animate (the four frames
// become a looping GIF), Save, Info, Size Big / Size Orig, Editor, About; one
// file dropped on the window, or named when the program starts, is opened
// just as Open opens the file chosen in its dialog. "Strip options..." opens a
// panel of the choices that turn a GIF into its strip; each change converts
// the opened GIF again at once, so the frame slots and the output view always
// show what Save writes. The output view takes its picture's size and scrolls
// inside the "Output" frame. The Logo editor reaches in directly: it reads and
// replaces the frame slots, draws the strip into the
// output view, sets the source kind and enables Save and Animate.
//
// Unit1.cpp builds the window, its actions and the enabled states;
// ConverterCommands.cpp holds the command handlers; ConverterStrip.cpp turns
// the opened GIF into its strip by the choices; ConverterDrop.cpp takes
// dropped and named files; ConverterFormats.cpp the files of other phones.
#pragma once

#include <array>
#include <functional>
#include <vector>

#include <QWidget>

#include "ConverterDocument.h"
#include "GifToStrip.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class TDialogs;
class TImage;
class TImageView;
class TStripOptionsPanel;

// The steps of the workflow that decide whether Save and Animate are enabled.
enum class TConverterStage {
  csStart,         // nothing opened yet
  csOpening,       // Open chose a file and has not finished reading it; also after a failed Open
  csBitmapOpened,  // a strip was cut into the frame slots: Animate
  csGifOpened,     // a GIF filled the frame slots and its strip is the output: Save
  csEditorFrames,  // the Logo editor sent a picture to frame slot 1: Save and Animate
  csAnimated,      // Animate built the output GIF: Save
};

// The Open dialog's filter: GIF, BMX and BMP first, then the formats of other phones.
std::string ConverterOpenFilter();
// Save's filter: BMX and GIF, and for a strip the formats of other phones too.
std::string ConverterSaveFilter(bool strip);

class TForm1 : public QWidget {
  Q_OBJECT

public:
  explicit TForm1(TDialogs& dialogs, QWidget* parent = nullptr);
  ~TForm1() override;

  TConverterDocument& Document() { return FDocument; }
  // The views by number: 1 the input view, 2 to 5 the frame slots, 6 the output view.
  TImage& Image(int number);
  void EnterStage(TConverterStage stage);
  // How Animate builds its GIF from now on.
  const AnimationOptions& AnimationChoices() const { return FDocument.AnimationChoices; }
  void SetAnimationOptions(const AnimationOptions& options) { FDocument.AnimationChoices = options; }
  // The window that the Editor button shows.
  void SetEditor(QWidget* editor) { FEditor = editor; }
  // Opens a file handed over from outside the Open dialog (dropped on the
  // window, or named when the program starts) on Open's own road; a failure
  // is shown as Open shows it.
  void OpenGivenFile(const std::string& fileName);

signals:
  // The window was closed: the program ends.
  void Closed();

protected:
  void closeEvent(QCloseEvent* event) override;
  // ConverterDrop.cpp
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

private:
  void BuildControls();
  void BuildFramePages();
  void BuildActions();
  QAction* AddMenuItem(const char* name, const QString& caption, void (TForm1::*handler)());

  void Button1Click();  // Open
  void Button2Click();  // Save
  void Button3Click();  // Animate
  void Button4Click();  // Editor
  void Eins1Click();    // Stop Anim
  void Zwei1Click();    // StartAnim
  void Drei1Click();    // Info
  void SizeBig1Click();
  void SizeOrig1Click();
  void About1Click();
  void StripOptionsClick();
  void FormClose();

  void Open(const std::string& fileName);
  void OpenGif();
  void OpenBitmap();
  void ShowInput(bool big);

  // ConverterFormats.cpp
  void BuildFrameSaveMenus();
  void SaveFrame(int k);
  std::vector<int> StripFrameDelays() const;
  // Writes the strip in the format the name's extension names; false for a name of no such format.
  bool SaveInOtherFormat(TBitmap& strip, const std::string& fileName);

  // ConverterStrip.cpp
  void BuildStripControls();
  void ShowGifStrip();
  StripConversion ConvertInputGif();
  std::vector<int> PreviewDelays(const StripConversion& conversion) const;
  void StripChoicesChanged();
  // The output view shows the picture whole, at the picture's size.
  void ShowOutput(const TGraphic* picture);
  void ShowStripNote(const QString& text);
  void ForgetStripNotes();

  TDialogs& FDialogs;
  TConverterDocument FDocument;
  QWidget* FEditor = nullptr;
  std::array<TImageView*, 6> FImages{};
  QPushButton* FButton1 = nullptr;
  QPushButton* FButton2 = nullptr;
  QPushButton* FButton3 = nullptr;
  QPushButton* FButton4 = nullptr;
  QMenu* FPopupMenu1 = nullptr;
  QPushButton* FStripOptionsButton = nullptr;
  QLabel* FStripNote = nullptr;
  TStripOptionsPanel* FStripOptions = nullptr;
  // The opened GIF was read: its strip follows the choices (until the next
  // Open, or the Logo editor sends its frames).
  bool FStripFollowsChoices = false;
};
