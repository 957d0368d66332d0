// What every window shares: Qt's own texts in Russian, the three-way question
// whose Esc and close box cancel, typed numbers, and the Alt letters.
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeView>
#include <memory>

#include "app_test_support.h"
#include "app/shell/file_dialog_size.h"
#include "app/shell/mnemonics.h"
#include "app/shell/tool_icons.h"
#include "app/shell/tavrel_application.h"
#include "app/shell/typed_number.h"

using namespace tavrel;
using namespace tavrel::test;

class TestDesktopUse : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY(LoadQtTranslation(*qApp)); }

  void QtsOwnTextsAreRussian() {
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                             QDialogButtonBox::No);
    QCOMPARE(WithoutMnemonic(buttons.button(QDialogButtonBox::Cancel)->text()), QStringLiteral("Отмена"));
    QCOMPARE(WithoutMnemonic(buttons.button(QDialogButtonBox::Yes)->text()), QStringLiteral("Да"));
    QCOMPARE(WithoutMnemonic(buttons.button(QDialogButtonBox::No)->text()), QStringLiteral("Нет"));
    // The file dialog's own labels.
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList labels;
    for (QLabel* label : dialog.findChildren<QLabel*>()) labels << WithoutMnemonic(label->text());
    QVERIFY2(labels.contains(QStringLiteral("Имя файла:")), qPrintable(labels.join('|')));
    QVERIFY2(!labels.join('|').contains("Look in"), qPrintable(labels.join('|')));
  }

  void TheQuestionsEscAndCloseBoxCancel() {
    struct Case {
      const char* way;
      ModalScript::Step step;
      Answer answer;
    };
    auto press = [](QMessageBox::StandardButton which) {
      return On<QMessageBox>([which](QMessageBox* box) { box->button(which)->click(); });
    };
    const Case cases[] = {
        {"Да", press(QMessageBox::Yes), Answer::Yes},
        {"Нет", press(QMessageBox::No), Answer::No},
        {"Отмена", press(QMessageBox::Cancel), Answer::Cancel},
        {"Esc", [](QWidget* w) { QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, Qt::Key_Escape); },
         Answer::Cancel},
        {"close box", [](QWidget* w) { w->close(); }, Answer::Cancel},
    };
    for (const Case& c : cases) {
      QStringList captions;
      ModalScript script({[&](QWidget* w) {
                            for (QPushButton* b : w->findChildren<QPushButton*>()) captions << b->text();
                            c.step(w);
                          }});
      const Answer answer = AskYesNoCancel(QStringLiteral("Добавить в файл pulse.out?"));
      QVERIFY2(script.Done(), c.way);
      QVERIFY2(answer == c.answer, c.way);
      captions.sort();
      QCOMPARE(captions, (QStringList{"&Да", "&Нет", "&Отмена"}));
    }
  }

  void ATypedNumberTakesEitherDecimalPointAndNamesTheFieldOfBadText() {
    Messages messages;
    QWidget window;
    auto* field = new QLineEdit(&window);
    const std::tuple<QString, bool, double> cases[] = {
        {"1,5", true, 1.5}, {"1.5", true, 1.5}, {" -0,25 ", true, -0.25}, {"1e3", true, 1000},
        {"abc", false, 0},  {"1,5,", false, 0}, {"1 5", false, 0},        {"", false, 0}};
    for (const auto& [text, accepted, value] : cases) {
      messages.shown.clear();
      field->setText(text);
      const std::optional<double> number = TypedNumber(field, QStringLiteral("β"));
      QCOMPARE(number.has_value(), accepted);
      if (accepted) {
        QCOMPARE(*number, value);
        QVERIFY(messages.shown.empty());
      } else {
        QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Поле «β»: «%1» не является числом").arg(text)});
        QCOMPARE(messages.shown[0].first, MessageKind::Warning);
        QCOMPARE(field->selectedText(), text);
      }
    }
    field->setText("2,5");
    QVERIFY(!TypedInteger(field, QStringLiteral("Пропуск")));
    field->setText("-999");
    QCOMPARE(TypedInteger(field, QStringLiteral("Пропуск")), std::optional<std::int32_t>(-999));
  }

  void EachCaptionGetsTheFirstLetterNoOtherUses() {
    const std::pair<QStringList, QStringList> cases[] = {
        {{"Далее", "Отмена"}, {"&Далее", "&Отмена"}},
        {{"Ввод ", "Выход", "&1 name", "..."}, {"&Ввод ", "В&ыход", "&1 name", "..."}},
        {{"Открыть", "&Отмена"}, {"О&ткрыть", "&Отмена"}},  // a letter already taken stays with its caption
        {{"Шрифт", "Шрифт", "Шрифт"}, {"&Шрифт", "Ш&рифт", "Шр&ифт"}},
    };
    for (const auto& [captions, marked] : cases) QCOMPARE(WithMnemonics(captions), marked);
    QCOMPARE(WithoutMnemonic("В&ыход"), QStringLiteral("Выход"));
    QCOMPARE(WithoutMnemonic("A && B"), QStringLiteral("A & B"));
  }

  void EveryDialogShownGetsItsLetters() {
    InstallMnemonicsOnShow(qApp);
    QDialog dialog;
    auto* ok = new QPushButton(QStringLiteral("Далее"), &dialog);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), &dialog);
    dialog.show();
    QCOMPARE(ok->text(), QStringLiteral("&Далее"));
    QCOMPARE(cancel->text(), QStringLiteral("&Отмена"));
  }

  void FileDialogsOpenWideEnoughForTheirColumns() {
    InstallFileDialogSizeOnShow(qApp);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setViewMode(QFileDialog::Detail);
    dialog.show();
    QVERIFY2(dialog.width() >= 860, qPrintable(QString::number(dialog.width())));
    auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QVERIFY(list);
    QHeaderView* header = list->header();
    const int columns = header->sectionPosition(header->count() - 1) + header->sectionSize(header->count() - 1);
    QVERIFY2(columns <= list->viewport()->width(),
             qPrintable(QStringLiteral("%1 > %2").arg(columns).arg(list->viewport()->width())));
  }

  void ADisabledToolButtonLooksFaint() {
    QPixmap picture(24, 24);
    picture.fill(QColor(0x20, 0x40, 0xc0));
    const QIcon icon = WithFaintDisabled(QIcon(picture), 24);
    const QImage normal = icon.pixmap(24, QIcon::Normal).toImage();
    const QImage disabled = icon.pixmap(24, QIcon::Disabled).toImage();
    QCOMPARE(normal.pixelColor(12, 12), QColor(0x20, 0x40, 0xc0));
    const QColor faint = disabled.pixelColor(12, 12);
    QCOMPARE(faint.red(), faint.blue());  // grey
    QVERIFY(faint.alpha() < 128);
  }
};

QTEST_MAIN(TestDesktopUse)
#include "test_desktop_use.moc"
