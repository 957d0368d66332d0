#pragma once
// A read-only view of a large UTF-8 text: an index of line starts over the
// file's bytes, decoding and drawing only the lines on the screen, so that a
// file of tens of megabytes opens at once.
#include <QAbstractScrollArea>
#include <QByteArray>
#include <QString>
#include <vector>

namespace tavrel {

class TextLinesView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TextLinesView(QWidget* parent = nullptr);

  // Takes the bytes to show; the view opens at the top.
  void SetBytes(QByteArray bytes);
  const QByteArray& Bytes() const { return bytes_; }
  // The whole text as one string, lines separated by "\n".
  QString Text() const;

  // Lines as a text editor counts them: a final line break starts an empty last line.
  int LineCount() const { return static_cast<int>(starts_.size()); }
  QString LineText(int line) const;
  // The line that holds byte offset.
  int LineOfByte(qsizetype offset) const;
  int TopLine() const;
  void ScrollToLine(int line);

  // The text selected with the mouse (Shift extends it) or Ctrl+A, lines
  // separated by "\n"; Ctrl+C copies it to the clipboard.
  QString SelectedText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  struct Position {
    int line = 0;
    int column = 0;
    bool operator<(const Position& other) const {
      return line != other.line ? line < other.line : column < other.column;
    }
  };
  void AdjustScrollBars();
  int VisibleLines() const;
  int TextX() const;
  Position PositionAt(QPoint point) const;

  QByteArray bytes_;
  std::vector<qsizetype> starts_{0};  // byte offset where each line begins
  int widestChars_ = 0;               // characters of the longest line, a tab counted as 8
  Position anchor_;                   // where the selection began
  Position cursor_;                   // where it ends
};

}  // namespace tavrel
