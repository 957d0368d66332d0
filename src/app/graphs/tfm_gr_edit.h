#pragma once
// "Редактор графики": the graph of one variable as a picture the user draws
// on, with selection, the clipboard, a floating paste box, one level of undo,
// opening, saving and printing.
#include <QColor>
#include <QDialog>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>
#include <optional>

class QAction;
class QActionGroup;
class QLabel;
class QLineEdit;
class QScrollArea;
class QStatusBar;
class QToolBar;

namespace tavrel {

class TfmGrEdit;

enum TDrawType { dtLineDraw, dtRectangle, dtEllipse, dtRoundRect, dtClipRect, dtCrooked, dtText };

// The picture at its own size. The rubber band of a shape being drawn and the
// selection frame are painted over it, never into it.
class PictureBox : public QWidget {
  Q_OBJECT
 public:
  explicit PictureBox(TfmGrEdit* editor);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TfmGrEdit* editor_;
};

// The piece waiting to be dropped onto the picture; the mouse drags it.
class PasteBox : public QWidget {
  Q_OBJECT
 public:
  explicit PasteBox(QWidget* parent);
  void SetPicture(const QImage& picture);
  const QImage& Picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage picture_;
  bool moving_ = false;
  QPoint grab_;
};

class TfmGrEdit : public QDialog {
  Q_OBJECT
 public:
  explicit TfmGrEdit(QWidget* parent = nullptr);

  // Draws the graph of the first variable in force and shows the editor modally.
  void Execute();
  // The graph of the first variable in force on a fresh picture of the given size.
  void FormShow(const QSize& size);

  // The picture as it would be saved; the overlays are never part of it.
  const QImage& Picture() const { return picture_; }
  // Writes the picture to path, format by suffix; a failure is shown. True when written.
  bool SaveToFile(const QString& path);
  // Makes the picture file at path the picture; a file that is not a readable
  // picture is shown and the picture stays. True when loaded.
  bool LoadFromFile(const QString& path);
  // Prints the picture on one page of the run's printer, as the other picture windows do.
  void PrintPicture();

  // The mouse on the picture, in picture coordinates.
  void PictureMouseDown(const QPoint& at);
  void PictureMouseMove(const QPoint& at);
  void PictureMouseUp(const QPoint& at);
  void PaintOverlay(QPainter& p) const;
  // A pasted picture waits to be dropped by the next click on the picture.
  bool IsPasting() const { return Pasted; }

  QToolBar* toolBar;
  QAction* tbtnSave;
  QAction* tbtnOpen;
  QAction* tbtnPrint;
  QAction* tbtnSetupPrinter;
  QAction* tbtnUndo;
  QAction* tbtnClear;
  QAction* tbtnDraw;
  QAction* tbtnLine;
  QAction* tbtnRect;
  QAction* tbtnRectRound;
  QAction* tbtnEllipse;
  QAction* tbtnColor;
  QAction* tbtnFontSel;
  QAction* tbtnText;
  QAction* selectTool;
  QAction* tbtnCopy;
  QAction* tbtnCut;
  QAction* tbtnPaste;
  QAction* tbtnExit;
  QLineEdit* edText;
  QScrollArea* scrollBox;
  PictureBox* pictureBox;
  PasteBox* pbPasteBox;
  QStatusBar* stbMain;
  QLabel* stbPosition;  // panel 0
  QLabel* stbTool;      // panel 1

  // The selection made with the selection tool, or an empty rectangle.
  QRect Selection() const;
  // Copy and cut of the selection; nothing without one.
  void CopyCut(bool cut);
  void Paste();
  void Undo();
  void Clear();
  void SetTool(TDrawType tool);
  void PlaceText();

 public slots:
  // Closing a picture that was changed since it was last saved or opened asks first.
  void done(int result) override;

 private:
  void SaveClick();
  void OpenClick();
  void SetupPrinterClick();
  void ColorClick();
  void FontClick();
  void ClipboardChanged();
  void KeepUndo();
  void DropPasteBox();
  void ShowPasteBox(const QImage& picture);
  void SetPicture(QImage picture);
  // The shape of the current tool from a to b.
  void DrawShape(QPainter& p, const QPoint& a, const QPoint& b) const;

  TDrawType DrawType = dtLineDraw;
  bool Drawing = false;
  bool Modified = false;
  bool Pasted = false;
  QPoint MouseOrg;
  QPoint NextPoint;
  QPoint LastDot;
  QColor SelPenColor = Qt::black;
  QColor SelBrushColor = Qt::black;
  QFont TextFont;
  QString FileName;
  QImage picture_;
  std::optional<QImage> undo_;
  bool selected_ = false;  // a frame made with the selection tool is shown
};

}  // namespace tavrel
