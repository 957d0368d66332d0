// "Системная информация" and "О программе": the table of machine facts in the
// user's locale, and the About box with its tune started and stopped with it.
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/shell/tfm_about_bx.h"
#include "app/shell/tfm_main.h"
#include "app/shell/tfm_sys.h"
#include "app/shell/tune_player.h"

using namespace tavrel;
using namespace tavrel::test;

namespace {

// Records what the About box asks of its player.
class FakePlayer : public TunePlayer {
 public:
  explicit FakePlayer(std::shared_ptr<QStringList> calls) : calls_(std::move(calls)) {}
  void PlayLoop(const QString& midiFile) override { *calls_ << "play " + midiFile; }
  void Stop() override { *calls_ << "stop"; }

 private:
  std::shared_ptr<QStringList> calls_;
};

QStringList Column(const QTableWidget* table, int column) {
  QStringList texts;
  for (int row = 0; row < table->rowCount(); ++row) texts << table->item(row, column)->text();
  return texts;
}

const QString kMemoryKey = QStringLiteral("Ресур") + QChar(u'c') + QStringLiteral("ы RAM памяти");  // Latin c

}  // namespace

class TestInfoBoxes : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::shared_ptr<QStringList> calls_;

  std::unique_ptr<TunePlayer> Player() { return std::make_unique<FakePlayer>(calls_); }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    messages_ = std::make_unique<Messages>();
    calls_ = std::make_shared<QStringList>();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  }
  void cleanup() {
    QLocale::setDefault(QLocale::c());
    messages_.reset();
    home_.reset();
  }

  void TheTableShowsEveryFactWithOneDecimalInTheUsersLocale_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("amounts");
    // 15.55 GiB of memory, a resident set above 4 GiB, 1.5 of 2000 GiB of disk.
    QTest::newRow("russian") << QLocale(QLocale::Russian, QLocale::Russia)
                             << QStringList{"15,6 Гб", "5120,0 Мб", "1,5 Гб", "2000,0 Гб"};
    QTest::newRow("english") << QLocale(QLocale::English, QLocale::UnitedStates)
                             << QStringList{"15.6 Гб", "5120.0 Мб", "1.5 Гб", "2000.0 Гб"};
  }
  void TheTableShowsEveryFactWithOneDecimalInTheUsersLocale() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, amounts);
    QLocale::setDefault(locale);
    SystemInfo info;
    info.memoryTotalBytes = 16305532.0 * 1024;
    info.processMemoryBytes = 5.0 * 1073741824;
    info.diskFreeBytes = 1.5 * 1073741824;
    info.diskTotalBytes = 2000.0 * 1073741824;
    info.processor = "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz";
    info.boardVendor = "LENOVO";
    info.boardName = "20KGS3JY00";
    info.systemName = "Debian GNU/Linux 12 (bookworm)";
    info.kernelVersion = "6.1.0-18-amd64";
    TfmSys window(info);
    QCOMPARE(window.windowTitle(), QStringLiteral("Системная информация"));
    QCOMPARE(window.vlSys->horizontalHeaderItem(0)->text(), QStringLiteral("Показатель"));
    QCOMPARE(window.vlSys->horizontalHeaderItem(1)->text(), QStringLiteral("Значение"));
    QCOMPARE(window.vlSys->columnWidth(0), 165);
    QCOMPARE(Column(window.vlSys, 0),
             (QStringList{kMemoryKey, "Занято RAM программой", "Свободно на диске", "Ресурсы диска", "Процессор",
                          "Материнская плата", "Операционная система", "Версия системы"}));
    QCOMPARE(Column(window.vlSys, 1),
             (amounts + QStringList{"Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz", "LENOVO(20KGS3JY00)",
                                    "Debian GNU/Linux 12 (bookworm)", "6.1.0-18-amd64"}));
  }

  void UnknownFactsLeaveTheirRowsEmptyAndValuesCanBeEditedButNotKeys() {
    SystemInfo info;
    info.processMemoryBytes = 52224.0 * 1024;
    TfmSys window(info);
    QCOMPARE(Column(window.vlSys, 1), (QStringList{"", "51,0 Мб", "", "", "", "", "", ""}));
    QVERIFY(window.vlSys->item(4, 1)->flags() & Qt::ItemIsEditable);
    QVERIFY(!(window.vlSys->item(4, 0)->flags() & Qt::ItemIsEditable));
  }

  void TheCommandShowsTheRunningSystemAndEscapeClosesIt() {
    home_->WriteSettings();
    TfmMain main;
    main.show();
    QStringList values;
    ModalScript script({On<TfmSys>([&values](TfmSys* w) {
      values = Column(w->vlSys, 1);
      QTest::keyClick(w, Qt::Key_Escape);
    })});
    main.mnSysInfo->trigger();
    QVERIFY(script.Done());
    QCOMPARE(values.size(), 8);
    QVERIFY(values[0].endsWith(" Гб"));  // this machine's memory, disk and own use are always known
    QVERIFY(values[1].endsWith(" Мб"));
    QVERIFY(values[3].endsWith(" Гб"));
    QVERIFY(messages_->shown.empty());
  }

  void TheAboutBoxShowsThePictureTitlesAndVersion() {
    TfmAboutBx box(Player());
    QCOMPARE(box.windowTitle(), QStringLiteral("О программе"));
    QCOMPARE(box.lblTitle->text(), QStringLiteral("Статистика"));
    QCOMPARE(box.lblSubtitle->text(), QStringLiteral("многодневных данных"));
    QCOMPARE(box.lblVersion->text(), QStringLiteral("Tavrel, версия 1.0.0.1"));
    QVERIFY(!box.lblNote->text().isEmpty());
    QCOMPARE(box.OKButton->text(), QStringLiteral("OK"));
    QVERIFY(!box.imgPicture->pixmap().isNull());
  }

  // The tune beside the program loops while the box is open and stops however it closes.
  void TheTunePlaysWhileTheBoxIsOpen_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("OK") << false;
    QTest::newRow("Escape") << true;
  }
  void TheTunePlaysWhileTheBoxIsOpen() {
    QFETCH(bool, escape);
    const QString tune = home_->Write("program/tavrel.mid", "MThd");
    Data().ExeDir = home_->Path("program/").toStdString();
    QStringList whileOpen;
    ModalScript script({On<TfmAboutBx>([&](TfmAboutBx* box) {
      whileOpen = *calls_;
      if (escape) {
        QTest::keyClick(box, Qt::Key_Escape);
      } else {
        box->OKButton->click();
      }
    })});
    RunAbout(nullptr, Player());
    QVERIFY(script.Done());
    QCOMPARE(whileOpen, QStringList{"play " + tune});
    QCOMPARE(*calls_, (QStringList{"play " + tune, "stop"}));
  }

  void WithoutTheTuneFileTheBoxIsSilent() {
    Data().ExeDir = home_->Path("empty/").toStdString();
    ModalScript script({On<TfmAboutBx>([](TfmAboutBx* box) { box->OKButton->click(); })});
    RunAbout(nullptr, Player());
    QVERIFY(script.Done());
    QVERIFY(calls_->isEmpty());
    QVERIFY(messages_->shown.empty());
  }

  void TheMenuOpensTheAboutBox() {
    home_->WriteSettings();
    TfmMain main;
    main.show();
    QString version;
    ModalScript script({On<TfmAboutBx>([&version](TfmAboutBx* box) {
      version = box->lblVersion->text();
      box->OKButton->click();
    })});
    main.mnAbout->trigger();
    QVERIFY(script.Done());
    QCOMPARE(version, QStringLiteral("Tavrel, версия 1.0.0.1"));
  }

  // The synthesizer itself: on a machine without a sound device (as here) it
  // must neither fail nor hang, and stopping twice is harmless.
  void TheRealPlayerStartsAndStopsQuietly() {
    auto player = MakeTunePlayer();
    player->PlayLoop(QStringLiteral(TAVREL_TEST_DATA "/../../dist/tavrel.mid"));
    player->Stop();
    player->Stop();
    player->PlayLoop(home_->Path("no such tune.mid"));
  }
};

QTEST_MAIN(TestInfoBoxes)
#include "test_info_boxes.moc"
