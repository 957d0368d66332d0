// The configuration dialog: what it shows, what "Далее" writes, and what stays unwritten.
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/shell/tfm_config.h"

using namespace tavrel;
using namespace tavrel::test;

class TestConfigDialog : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  QString ini_;

  QString Key(const QString& key) const {
    for (const QString& line : QString::fromUtf8(ReadAll(ini_)).split('\n')) {
      if (line.startsWith(key + "=")) return line.mid(key.size() + 1).trimmed();
    }
    return "(none)";
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
    ini_ = home_->WriteSettings({{"StepX", "50"}, {"YScaleType", "2"}, {"ExtEditor", "/usr/bin/kate"}});
    QVERIFY(LoadSessionSettings(ini_.toStdString(), ProgramSession()));
  }
  void cleanup() {
    messages_.reset();
    home_.reset();
  }

  void ShowsTheSettingsWithinTheControlsRanges() {
    TfmConfig dialog(ini_.toStdString());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Настройка программы"));
    QStringList tabs;
    for (int i = 0; i < dialog.tabs->count(); ++i) tabs << dialog.tabs->tabText(i);
    QCOMPARE(tabs, (QStringList{"Общая", "Графика", "Кластеры"}));
    QCOMPARE(dialog.edEmpty->text(), QStringLiteral("-999"));
    QCOMPARE(dialog.seStepX->value(), 40);
    QCOMPARE(dialog.cbScaleY->currentIndex(), -1);
    QCOMPARE(dialog.clustDistance->checkedButton()->text(), QStringLiteral("Метод Уорда"));
    QCOMPARE(dialog.OkBtn->text(), QStringLiteral("Далее"));
    QCOMPARE(dialog.btnCancel->text(), QStringLiteral("Отмена"));
    QCOMPARE(dialog.cbxInnerEditor->text(), QStringLiteral("Внутренний редактор:"));  // any size of file
    // The inner editor disables the external one and enables the two fonts, and back.
    for (const bool inner : {true, false}) {
      if (dialog.cbxInnerEditor->isChecked() != inner) dialog.cbxInnerEditor->click();
      QCOMPARE(dialog.edExternal->isEnabled(), !inner);
      QCOMPARE(dialog.btnExternalEditor->isEnabled(), !inner);
      QCOMPARE(dialog.lblExternal->isEnabled(), !inner);
      QCOMPARE(dialog.btnTextFont->isEnabled(), inner);
      QCOMPARE(dialog.btnPrintFont->isEnabled(), inner);
    }
  }

  void NextWritesTheFileAndTheSettingsInMemory() {
    TfmConfig dialog(ini_.toStdString());
    dialog.show();
    dialog.edEmpty->setText("-1");
    dialog.edCatInput->setText(home_->Path("data"));
    dialog.edExternal->clear();
    dialog.cbxSaveSelPrm->setChecked(true);
    dialog.objDistance->button(2)->setChecked(true);
    dialog.sePrStepX->setValue(31);  // odd values are kept as typed
    dialog.OkBtn->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(Key("EmptyValue"), QStringLiteral("-1"));
    QCOMPARE(Key("InputCat"), home_->Path("data"));
    QCOMPARE(Config().InputCat, home_->Path("data/").toStdString());
    QCOMPARE(Key("ExtEditor"), QStringLiteral("/usr/bin/kate"));  // an empty editor leaves the file's
    QCOMPARE(Key("StepX"), QStringLiteral("40"));
    QCOMPARE(Key("YScaleType"), QStringLiteral("-1"));
    QCOMPARE(Key("SavePrmSel"), QStringLiteral("1"));
    QCOMPARE(Key("ObjectDistance"), QStringLiteral("2"));
    QCOMPARE(Config().ObjectDistanceName, std::string("Хемминга"));
    QCOMPARE(Key("PrintStepX"), QStringLiteral("31"));
    QCOMPARE(Data().EmptyValue, -1);
    QVERIFY(messages_->shown.empty());
  }

  void AMissingValueCodeThatIsNoNumberTakesNothing() {
    const QByteArray before = ReadAll(ini_);
    TfmConfig dialog(ini_.toStdString());
    dialog.show();
    dialog.seStepY->setValue(7);
    dialog.edEmpty->setText("abc");
    dialog.OkBtn->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(messages_->Texts(), QStringList{QStringLiteral("Поле «Пропуск»: «abc» не является целым числом")});
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
    QCOMPARE(dialog.edEmpty->selectedText(), QStringLiteral("abc"));  // ready to be typed over
    QCOMPARE(Config().StepY, 30);
    QCOMPARE(ReadAll(ini_), before);
    dialog.btnCancel->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ReadAll(ini_), before);
  }
};

QTEST_MAIN(TestConfigDialog)
#include "test_config_dialog.moc"
