// Turns the user guide, Markdown with its pictures beside it, into a PDF:
//   tavrel_guide_pdf GUIDE.md OUT.pdf
// A picture that cannot be read fails the build instead of leaving a gap.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <cstdio>

namespace {

// Widest picture on the page, in the layout's pixels (96 a inch): about 15 cm.
constexpr double kMaxPictureWidth = 570;

// Loads every picture from beside the guide and narrows those wider than the page.
bool LoadPictures(QTextDocument& document, const QString& guideDir) {
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.charFormat().isImageFormat()) continue;
      QTextImageFormat format = fragment.charFormat().toImageFormat();
      const QString path = guideDir + "/" + format.name();
      const QImage image(path);
      if (image.isNull()) {
        std::fprintf(stderr, "cannot read the picture %s\n", qPrintable(path));
        return false;
      }
      document.addResource(QTextDocument::ImageResource, QUrl(format.name()), image);
      const double scale = std::min(1.0, kMaxPictureWidth / image.width());
      format.setWidth(image.width() * scale);
      format.setHeight(image.height() * scale);
      QTextCursor cursor(&document);
      cursor.setPosition(fragment.position());
      cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
      cursor.setCharFormat(format);
    }
  }
  return true;
}

// Every chapter (a first-level heading) after the first starts a new page.
void BreakPagesAtChapters(QTextDocument& document) {
  bool first = true;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() != 1) continue;
    if (first) {
      first = false;
      continue;
    }
    QTextBlockFormat format = block.blockFormat();
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    QTextCursor(block).setBlockFormat(format);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: tavrel_guide_pdf GUIDE.md OUT.pdf\n");
    return 2;
  }
  const QString guidePath = QString::fromLocal8Bit(argv[1]);
  QFile guide(guidePath);
  if (!guide.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  QTextDocument document;
  document.setDefaultFont(QFont(QStringLiteral("DejaVu Sans"), 10));
  document.setMarkdown(QString::fromUtf8(guide.readAll()));
  if (!LoadPictures(document, QFileInfo(guidePath).absolutePath())) return 1;
  BreakPagesAtChapters(document);

  QPdfWriter writer(QString::fromLocal8Bit(argv[2]));
  writer.setTitle(QStringLiteral("Tavrel. Руководство пользователя"));
  writer.setCreator(QStringLiteral("Tavrel"));
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                   QPageLayout::Millimeter));
  document.print(&writer);
  return QFileInfo(QString::fromLocal8Bit(argv[2])).size() > 0 ? 0 : 1;
}
