#include "app/graphs/tfm_gr_edit.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontMetrics>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrintDialog>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "app/shell/program_session.h"
#include "draw/graphs/canvas.h"
#include "draw/graphs/editor_graph_painter.h"
#include "app/graphs/graph_printer.h"
#include "app/graphs/picture_file_dialog.h"
#include "app/graphs/graph_run_options.h"
#include "draw/graphs/picture_file.h"
#include "draw/qt_error_text.h"
#include "app/graphs/print_image_graph.h"
#include "app/shell/busy_cursor.h"
#include "app/shell/message_service.h"
#include "core/shell/settings.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/tool_icons.h"

namespace tavrel {

namespace {

constexpr QSize kSmallestPicture(200, 150);

// A small picture of a drawing tool for its button.
QIcon ToolIcon(const std::function<void(QPainter&)>& paint) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 1.2));
  paint(p);
  return QIcon(pixmap);
}

// A frame that shows on any background: white under black dots.
void DrawDottedFrame(QPainter& p, const QRect& r) {
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 0));
  p.drawRect(r);
  p.setPen(QPen(Qt::black, 0, Qt::DotLine));
  p.drawRect(r);
}

}  // namespace

PictureBox::PictureBox(TfmGrEdit* editor) : QWidget(nullptr), editor_(editor) {
  setObjectName("pictureBox");
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
}

QSize PictureBox::sizeHint() const { return editor_->Picture().size(); }

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  p.drawImage(0, 0, editor_->Picture());
  editor_->PaintOverlay(p);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) RunGuarded([&] { editor_->PictureMouseDown(event->position().toPoint()); });
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
  RunGuarded([&] { editor_->PictureMouseMove(event->position().toPoint()); });
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) RunGuarded([&] { editor_->PictureMouseUp(event->position().toPoint()); });
}

PasteBox::PasteBox(QWidget* parent) : QWidget(parent) {
  setObjectName("pbPasteBox");
  setCursor(Qt::SizeAllCursor);
  hide();
  setEnabled(false);
}

void PasteBox::SetPicture(const QImage& picture) {
  picture_ = picture;
  resize(picture.size().expandedTo(QSize(1, 1)));
}

void PasteBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!moving_) p.drawImage(0, 0, picture_);
  else p.fillRect(rect(), Qt::transparent);
  DrawDottedFrame(p, rect().adjusted(0, 0, -1, -1));
}

void PasteBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  moving_ = true;
  grab_ = event->position().toPoint();
  setCursor(Qt::ClosedHandCursor);
  update();
}

void PasteBox::mouseMoveEvent(QMouseEvent* event) {
  if (!moving_) return;
  const QPoint to = pos() + event->position().toPoint() - grab_;
  // Some of the box stays on the picture, where it can be grabbed again.
  const QSize area = parentWidget() ? parentWidget()->size() : size();
  move(std::clamp(to.x(), 8 - width(), std::max(0, area.width() - 8)),
       std::clamp(to.y(), 8 - height(), std::max(0, area.height() - 8)));
}

void PasteBox::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !moving_) return;
  moving_ = false;
  setCursor(Qt::SizeAllCursor);
  update();
}

TfmGrEdit::TfmGrEdit(QWidget* parent) : QDialog(parent) {
  setObjectName("TfmGrEdit");
  setWindowTitle(QStringLiteral("Редактор графики"));
  setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  toolBar = new QToolBar(this);
  toolBar->setObjectName("toolBar");
  toolBar->setIconSize(QSize(16, 16));
  column->addWidget(toolBar);
  scrollBox = new QScrollArea(this);
  scrollBox->setObjectName("scrollBox");
  scrollBox->setBackgroundRole(QPalette::Dark);
  pictureBox = new PictureBox(this);
  scrollBox->setWidget(pictureBox);
  column->addWidget(scrollBox, 1);
  pbPasteBox = new PasteBox(pictureBox);
  stbMain = new QStatusBar(this);
  stbMain->setObjectName("stbMain");
  stbMain->setSizeGripEnabled(false);
  stbPosition = new QLabel(stbMain);
  stbPosition->setMinimumWidth(140);
  stbTool = new QLabel(stbMain);
  stbMain->addWidget(stbPosition);
  stbMain->addWidget(stbTool, 1);
  column->addWidget(stbMain);

  const auto icon = [this](QStyle::StandardPixmap p) { return style()->standardIcon(p); };
  const auto tool = [this](const char* name, const QIcon& pic, const QString& hint) {
    QAction* a = toolBar->addAction(pic, hint);
    a->setObjectName(name);
    a->setToolTip(hint);
    return a;
  };
  tbtnSave = tool("tbtnSave", icon(QStyle::SP_DialogSaveButton), QStringLiteral("Сохранить в файле"));
  tbtnOpen = tool("tbtnOpen", icon(QStyle::SP_DialogOpenButton), QStringLiteral("Загрузить файл"));
  tbtnPrint = tool("tbtnPrint", DrawToolIcon(ToolPicture::Printer), QStringLiteral("Печать"));
  tbtnSetupPrinter =
      tool("tbtnSetupPrinter", DrawToolIcon(ToolPicture::PrinterSetup), QStringLiteral("Настройка принтера"));
  toolBar->addSeparator();
  tbtnUndo = tool("tbtnUndo", icon(QStyle::SP_ArrowBack), QStringLiteral("Отменить"));
  tbtnClear = tool("tbtnClear", icon(QStyle::SP_FileIcon), QStringLiteral("Очистить"));
  toolBar->addSeparator();
  tbtnDraw = tool("tbtnDraw", ToolIcon([](QPainter& p) {
                    QPainterPath path(QPointF(2, 12));
                    path.cubicTo(5, 2, 9, 16, 14, 4);
                    p.drawPath(path);
                  }),
                  QStringLiteral("Произвольная линия"));
  tbtnLine = tool("tbtnLine", ToolIcon([](QPainter& p) { p.drawLine(2, 14, 14, 2); }), QStringLiteral("Прямая линия"));
  tbtnRect = tool("tbtnRect", ToolIcon([](QPainter& p) { p.drawRect(2, 4, 12, 9); }), QStringLiteral("Прямоугольник"));
  tbtnRectRound = tool("tbtnRectRound", ToolIcon([](QPainter& p) { p.drawRoundedRect(2, 4, 12, 9, 3, 3); }),
                       QStringLiteral("Закругленный прямоугольник"));
  tbtnEllipse = tool("tbtnEllipse", ToolIcon([](QPainter& p) { p.drawEllipse(1, 4, 14, 9); }), QStringLiteral("Эллипс"));
  tbtnColor = tool("tbtnColor", ToolIcon([](QPainter& p) {
                     p.setBrush(QColor(0xC0, 0x20, 0x20));
                     p.drawEllipse(2, 2, 12, 12);
                   }),
                   QStringLiteral("Выбор цвета"));
  tbtnFontSel = tool("tbtnFontSel", ToolIcon([](QPainter& p) {
                       QFont f = p.font();
                       f.setPixelSize(13);
                       f.setBold(true);
                       p.setFont(f);
                       p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("F"));
                     }),
                     QStringLiteral("Выбор шрифта"));
  tbtnText = tool("tbtnText", ToolIcon([](QPainter& p) {
                    QFont f = p.font();
                    f.setPixelSize(13);
                    p.setFont(f);
                    p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("A"));
                  }),
                  QStringLiteral("Текст"));
  edText = new QLineEdit(toolBar);
  edText->setObjectName("edText");
  edText->setMaximumWidth(160);
  edText->setToolTip(QStringLiteral("Текст"));
  toolBar->addWidget(edText);
  toolBar->addSeparator();
  selectTool = tool("selectTool", ToolIcon([](QPainter& p) {
                       p.setPen(QPen(Qt::black, 1, Qt::DotLine));
                       p.drawRect(2, 3, 12, 10);
                     }),
                     QStringLiteral("Выделить"));
  tbtnCopy = tool("tbtnCopy", ToolIcon([](QPainter& p) {
                    p.drawRect(2, 2, 8, 9);
                    p.drawRect(6, 5, 8, 9);
                  }),
                  QStringLiteral("Копировать в буффер"));
  tbtnCut = tool("tbtnCut", ToolIcon([](QPainter& p) {
                   p.drawEllipse(2, 10, 4, 4);
                   p.drawEllipse(10, 10, 4, 4);
                   p.drawLine(5, 10, 12, 1);
                   p.drawLine(11, 10, 4, 1);
                 }),
                 QStringLiteral("Вырезать в буффер"));
  tbtnPaste = tool("tbtnPaste", ToolIcon([](QPainter& p) {
                     p.drawRect(3, 3, 10, 12);
                     p.setBrush(Qt::black);
                     p.drawRect(6, 1, 4, 3);
                   }),
                   QStringLiteral("Вставить из буффера"));
  toolBar->addSeparator();
  tbtnExit = tool("tbtnExit", icon(QStyle::SP_DialogCloseButton), QStringLiteral("Выход"));

  auto* tools = new QActionGroup(this);
  for (QAction* a : {tbtnDraw, tbtnLine, tbtnRect, tbtnRectRound, tbtnEllipse, tbtnText, selectTool}) {
    a->setCheckable(true);
    tools->addAction(a);
  }
  const auto onTool = [this](QAction* a, TDrawType t) {
    connect(a, &QAction::triggered, this, Guarded([this, t] { SetTool(t); }));
  };
  onTool(tbtnDraw, dtCrooked);
  onTool(tbtnLine, dtLineDraw);
  onTool(tbtnRect, dtRectangle);
  onTool(tbtnRectRound, dtRoundRect);
  onTool(tbtnEllipse, dtEllipse);
  onTool(selectTool, dtClipRect);
  onTool(tbtnText, dtText);
  connect(tbtnSave, &QAction::triggered, this, Guarded([this] { SaveClick(); }));
  connect(tbtnOpen, &QAction::triggered, this, Guarded([this] { OpenClick(); }));
  connect(tbtnPrint, &QAction::triggered, this, Guarded([this] { PrintPicture(); }));
  connect(tbtnSetupPrinter, &QAction::triggered, this, Guarded([this] { SetupPrinterClick(); }));
  connect(tbtnUndo, &QAction::triggered, this, Guarded([this] { Undo(); }));
  connect(tbtnClear, &QAction::triggered, this, Guarded([this] { Clear(); }));
  connect(tbtnColor, &QAction::triggered, this, Guarded([this] { ColorClick(); }));
  connect(tbtnFontSel, &QAction::triggered, this, Guarded([this] { FontClick(); }));
  connect(tbtnCopy, &QAction::triggered, this, Guarded([this] { CopyCut(false); }));
  connect(tbtnCut, &QAction::triggered, this, Guarded([this] { CopyCut(true); }));
  connect(tbtnPaste, &QAction::triggered, this, Guarded([this] { Paste(); }));
  connect(tbtnExit, &QAction::triggered, this, &QDialog::accept);
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { ClipboardChanged(); });
  ClipboardChanged();
  tbtnUndo->setEnabled(false);
  resize(1000, 700);
}

void TfmGrEdit::Execute() {
  // The picture fills the window as it first appears.
  setModal(true);
  show();
  layout()->activate();
  QCoreApplication::sendPostedEvents(scrollBox, QEvent::Resize);
  FormShow(scrollBox->viewport()->size().expandedTo(kSmallestPicture));
  exec();
}

void TfmGrEdit::FormShow(const QSize& size) {
  Modified = false;
  Pasted = false;
  Drawing = false;
  selected_ = false;
  FileName.clear();
  undo_.reset();
  tbtnUndo->setEnabled(false);
  pbPasteBox->hide();
  pbPasteBox->setEnabled(false);
  QImage picture(size, QImage::Format_RGB32);
  std::vector<std::string> messages;
  {
    QPainter p(&picture);
    const SequentialSource source = ProgramGraphSource();
    messages = DrawEditorGraph(p, size, ScreenLook(source.settings), source);
  }
  SetPicture(std::move(picture));
  SetTool(dtLineDraw);
  for (const std::string& m : messages) ShowMessage(MessageKind::Warning, m, this);
}

void TfmGrEdit::SetPicture(QImage picture) {
  picture_ = std::move(picture);
  pictureBox->resize(picture_.size());
  pictureBox->update();
}

void TfmGrEdit::SetTool(TDrawType tool) {
  // The selection frame goes with the selection tool.
  selected_ = false;
  Drawing = false;
  DrawType = tool;
  static const QString kNames[] = {QStringLiteral("Прямая линия"),   QStringLiteral("Прямоугольник"),
                                   QStringLiteral("Эллипс"),         QStringLiteral("Прямоугольник закругленный"),
                                   QStringLiteral("Выделение"),      QStringLiteral("Произвольная линия"),
                                   QStringLiteral("Текст")};
  static_assert(dtText == 6);
  stbTool->setText(kNames[tool]);
  QAction* const actions[] = {tbtnLine, tbtnRect, tbtnEllipse, tbtnRectRound, selectTool, tbtnDraw, tbtnText};
  actions[tool]->setChecked(true);
  pictureBox->update();
  if (tool == dtText) PlaceText();
}

QRect TfmGrEdit::Selection() const {
  if (DrawType != dtClipRect || !selected_) return {};
  const QRect frame(QPoint(std::min(MouseOrg.x(), NextPoint.x()), std::min(MouseOrg.y(), NextPoint.y())),
                    QPoint(std::max(MouseOrg.x(), NextPoint.x()) - 1, std::max(MouseOrg.y(), NextPoint.y()) - 1));
  return frame.intersected(picture_.rect());
}

void TfmGrEdit::DrawShape(QPainter& p, const QPoint& a, const QPoint& b) const {
  const int left = std::min(a.x(), b.x()), right = std::max(a.x(), b.x());
  const int top = std::min(a.y(), b.y()), bottom = std::max(a.y(), b.y());
  p.setBrush(Qt::NoBrush);
  switch (DrawType) {
    case dtLineDraw:
      DrawLine(p, a.x(), a.y(), b.x(), b.y());
      break;
    case dtRectangle:
      DrawRectangle(p, left, top, right, bottom);
      break;
    case dtEllipse:
      if (right > left && bottom > top) p.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
      break;
    case dtRoundRect:
      if (right > left && bottom > top)
        p.drawRoundedRect(QRect(left, top, right - left - 1, bottom - top - 1), (right - left) / 4.0,
                          (bottom - top) / 4.0);
      break;
    default:
      break;
  }
}

void TfmGrEdit::PaintOverlay(QPainter& p) const {
  if (DrawType == dtClipRect && (Drawing || selected_)) {
    const QRect frame = QRect(MouseOrg, NextPoint).normalized();
    DrawDottedFrame(p, frame.adjusted(0, 0, -1, -1));
  } else if (Drawing && DrawType != dtCrooked && DrawType != dtText) {
    p.setPen(StyledPen(SelPenColor, 0));
    DrawShape(p, MouseOrg, NextPoint);
  }
}

void TfmGrEdit::KeepUndo() {
  undo_ = picture_;
  tbtnUndo->setEnabled(true);
}

void TfmGrEdit::PictureMouseDown(const QPoint& at) {
  const bool changes = DrawType != dtClipRect && DrawType != dtText;
  if (Pasted || changes) {
    KeepUndo();
    Modified = true;
  }
  if (Pasted) DropPasteBox();
  if (DrawType == dtClipRect) selected_ = true;
  Drawing = true;
  MouseOrg = NextPoint = LastDot = at;
  pictureBox->update();
}

void TfmGrEdit::PictureMouseMove(const QPoint& at) {
  stbPosition->setText(QStringLiteral("X: %1, У: %2").arg(at.x()).arg(at.y()));
  if (!Drawing) return;
  if (DrawType == dtCrooked) {
    QPainter p(&picture_);
    p.setPen(StyledPen(SelPenColor, 0));
    DrawLine(p, LastDot.x(), LastDot.y(), at.x(), at.y());
    LastDot = at;
  } else {
    NextPoint = at;
  }
  pictureBox->update();
}

void TfmGrEdit::PictureMouseUp(const QPoint& at) {
  if (!Drawing) return;
  Drawing = false;
  if (DrawType == dtClipRect) {
    NextPoint = at;
  } else if (DrawType != dtCrooked && DrawType != dtText) {
    QPainter p(&picture_);
    p.setPen(StyledPen(SelPenColor, 0));
    DrawShape(p, MouseOrg, at);
  }
  pictureBox->update();
}

void TfmGrEdit::CopyCut(bool cut) {
  const QRect selection = Selection();
  if (selection.isEmpty()) return;
  QGuiApplication::clipboard()->setImage(picture_.copy(selection));
  tbtnPaste->setEnabled(true);
  if (!cut) return;
  KeepUndo();
  Modified = true;
  QPainter(&picture_).fillRect(selection, Qt::white);
  pictureBox->update();
}

void TfmGrEdit::ClipboardChanged() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  tbtnPaste->setEnabled(data && data->hasImage());
}

void TfmGrEdit::Paste() {
  const QImage piece = QGuiApplication::clipboard()->image();
  if (piece.isNull()) return;
  if (DrawType == dtClipRect) {
    selected_ = false;
    pictureBox->update();
  }
  ShowPasteBox(piece);
}

void TfmGrEdit::ShowPasteBox(const QImage& picture) {
  pbPasteBox->SetPicture(picture);
  // At the top left of the part of the picture in view.
  pbPasteBox->move(scrollBox->horizontalScrollBar()->value(), scrollBox->verticalScrollBar()->value());
  pbPasteBox->setEnabled(true);
  pbPasteBox->show();
  pbPasteBox->raise();
  pbPasteBox->update();
  Pasted = true;
}

void TfmGrEdit::DropPasteBox() {
  QPainter(&picture_).drawImage(pbPasteBox->pos(), pbPasteBox->Picture());
  pbPasteBox->hide();
  pbPasteBox->setEnabled(false);
  Pasted = false;
  pictureBox->update();
}

void TfmGrEdit::PlaceText() {
  const QString text = edText->text();
  if (text.isEmpty()) {
    ShowMessage(MessageKind::Warning, QStringLiteral("Напишите текст в поле рядом с кнопкой \"Текст\"."), this);
    edText->setFocus();
    return;
  }
  const QFontMetrics metrics(TextFont);
  QImage piece(std::max(1, metrics.horizontalAdvance(text)), std::max(1, metrics.height()), QImage::Format_RGB32);
  piece.fill(Qt::white);
  {
    QPainter p(&piece);
    p.setFont(TextFont);
    p.setPen(SelPenColor);
    TextOut(p, 0, 0, text);
  }
  ShowPasteBox(piece);
}

void TfmGrEdit::Undo() {
  if (!undo_) return;
  SetPicture(*undo_);
  Modified = true;
}

void TfmGrEdit::Clear() {
  KeepUndo();
  Modified = true;
  picture_.fill(Qt::white);
  pictureBox->update();
}

void TfmGrEdit::ColorClick() {
  const QColor chosen = QColorDialog::getColor(SelPenColor, this, QStringLiteral("Выбор цвета"));
  if (!chosen.isValid()) return;
  SelPenColor = chosen;
  SelBrushColor = chosen;
}

void TfmGrEdit::FontClick() {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, TextFont, this, QStringLiteral("Выбор шрифта"));
  if (ok) TextFont = chosen;
}

bool TfmGrEdit::SaveToFile(const QString& path) {
  QString failure;
  {
    BusyCursor busy;
    failure = SavePicture(path, picture_.size(), [this](QPainter& p) { p.drawImage(0, 0, picture_); });
  }
  if (!failure.isEmpty()) {
    ShowMessage(MessageKind::Warning, failure, this);
    return false;
  }
  FileName = path;
  Modified = false;
  return true;
}

void TfmGrEdit::SaveClick() {
  QFileDialog dialog(this, QStringLiteral("Сохранить в файле"));
  dialog.setObjectName("SaveDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilters({QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("PNG (*.png)"),
                         QStringLiteral("JPEG (*.jpg *.jpeg)")});
  dialog.setDefaultSuffix(QStringLiteral("bmp"));
  dialog.setDirectory(FileName.isEmpty() ? QString::fromStdString(EffectiveDirectory(Config().OutputCat))
                                         : QFileInfo(FileName).absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().first();
  if (AcceptedPictureFile(this, path)) SaveToFile(path);
}

bool TfmGrEdit::LoadFromFile(const QString& path) {
  QImageReader reader(path);
  reader.setDecideFormatFromContent(true);
  QImage loaded;
  {
    BusyCursor busy;
    loaded = reader.read();
  }
  if (loaded.isNull()) {
    ShowMessage(MessageKind::Warning,
                QStringLiteral("Не удалось загрузить рисунок из файла ") + path + QStringLiteral(": ") +
                    ImageReadErrorText(reader),
                this);
    return false;
  }
  KeepUndo();
  selected_ = false;
  Drawing = false;
  SetPicture(loaded.convertToFormat(QImage::Format_RGB32));
  FileName = path;
  Modified = false;
  return true;
}

void TfmGrEdit::OpenClick() {
  QFileDialog dialog(this, QStringLiteral("Загрузить файл"));
  dialog.setObjectName("OpenPictureDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters({QStringLiteral("All (*.jpg *.jpeg *.bmp *.png)"), QStringLiteral("JPEG Image File (*.jpg)"),
                         QStringLiteral("JPEG Image File (*.jpeg)"), QStringLiteral("Bitmaps (*.bmp)"),
                         QStringLiteral("PNG (*.png)")});
  dialog.setDirectory(FileName.isEmpty() ? QString::fromStdString(EffectiveDirectory(Config().OutputCat))
                                         : QFileInfo(FileName).absolutePath());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  LoadFromFile(dialog.selectedFiles().first());
}

void TfmGrEdit::SetupPrinterClick() {
  QPrintDialog dialog(&GraphPrinter(), this);
  dialog.setWindowTitle(QStringLiteral("Настройка принтера"));
  dialog.exec();
}

void TfmGrEdit::PrintPicture() { PrintImageGraph(this, picture_); }

void TfmGrEdit::done(int result) {
  if (Modified) {
    switch (AskYesNoCancel(QStringLiteral("Рисунок изменён. Сохранить его в файле?"), this)) {
      case Answer::Cancel:
        return;
      case Answer::Yes:
        SaveClick();
        if (Modified) return;  // not saved: the editor stays open
        break;
      case Answer::No:
        break;
    }
  }
  QDialog::done(result);
}

}  // namespace tavrel
