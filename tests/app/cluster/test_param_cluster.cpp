// The cluster parameter dialog: its captions, what "Далее" takes, and every other way out.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "app/shell/command_options.h"
#include "core/cluster/cluster_options.h"
#include "app/cluster/tfm_param_cluster.h"
#include "core/shell/settings.h"

using namespace tavrel;
using namespace tavrel::test;

class TestParamCluster : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    ResetSettings();
    Config().ObjectDistance = 1;
    Config().ClusterDistance = 4;
    Config().ClusterNumber = 3;
    Config().IsClustCont = true;
    ClusterConfig() = ClusterOptionsFrom(Config());
  }

  void captionsAreTheProgramsOwn() {
    TfmParamCluster dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Кластерный анализ"));
    QCOMPARE(dialog.findChild<QPushButton*>("OKBtn")->text(), QStringLiteral("Далее"));
    const std::pair<const char*, const char*> boxes[] = {
        {"cbxAddClust", "Переменная кластеров:"},
        {"cbxDistance", "Расстояния между объектами:"},
        {"cbxClustCont", "Содержание кластеров:"}};
    for (const auto& [name, caption] : boxes) QCOMPARE(dialog.findChild<QCheckBox*>(name)->text(), QString::fromUtf8(caption));
    QCOMPARE(dialog.findChild<QCheckBox*>("cbxClustCont")->toolTip(),
             QStringLiteral("Вывод порядковых номеров строк, вошедших в кластеры"));
    QCOMPARE(dialog.findChild<QGroupBox*>("rgrpClustDistance")->title(), QStringLiteral("Межкластерное расстояние (методы)"));
    QCOMPARE(dialog.findChild<QGroupBox*>("rgrpObjDistance")->title(), QStringLiteral("Расстояние между объектами"));
    QStringList methods;
    for (QAbstractButton* b : dialog.findChild<QButtonGroup*>("rgrpClustDistance")->buttons()) methods << b->text();
    QCOMPARE(methods, QStringList({"\"Ближнего соседа\"", "\"Дальнего соседа\"", "Средней связи", "Центроидный ",
                                   "Уорда", "\"Гибкий\" "}));
    QStringList distances;
    for (QAbstractButton* b : dialog.findChild<QButtonGroup*>("rgrpObjDistance")->buttons()) distances << b->text();
    QCOMPARE(distances, QStringList({"Евклидово", "Махалонобиса", "Хемминга"}));
    QCOMPARE(dialog.findChild<QLineEdit*>("betaEdit")->text(), QStringLiteral("-0.25"));
  }

  void showsTheOptionsAndStoresThemOnDalee() {
    TfmParamCluster dialog;
    dialog.show();
    auto* methods = dialog.findChild<QButtonGroup*>("rgrpClustDistance");
    auto* edit = dialog.findChild<QLineEdit*>("betaEdit");
    QCOMPARE(dialog.findChild<QButtonGroup*>("rgrpObjDistance")->checkedId(), 1);
    QCOMPARE(methods->checkedId(), 4);
    QCOMPARE(dialog.findChild<QSpinBox*>("sedNbmClust")->value(), 3);
    QVERIFY(dialog.findChild<QCheckBox*>("cbxClustCont")->isChecked());
    QVERIFY(!dialog.findChild<QCheckBox*>("cbxDistance")->isChecked());
    QVERIFY(!edit->isVisible());

    methods->button(5)->click();
    QVERIFY(edit->isVisible());
    dialog.findChild<QButtonGroup*>("rgrpObjDistance")->button(2)->click();
    dialog.findChild<QSpinBox*>("sedNbmClust")->setValue(7);
    dialog.findChild<QCheckBox*>("cbxDistance")->setChecked(true);
    dialog.findChild<QCheckBox*>("cbxAddClust")->setChecked(true);
    edit->setText("0.5");
    dialog.findChild<QPushButton*>("OKBtn")->click();
    const ClusterOptions& o = ClusterConfig();
    QCOMPARE(o.ObjectDistance, 2);
    QCOMPARE(o.ClusterDistance, 5);
    QCOMPARE(o.ClusterNumber, 7);
    QVERIFY(o.PrintDistances && o.AddClustNumber && o.ClustCont);
    QCOMPARE(o.Beta, 0.5);
    QCOMPARE(Config().ObjectDistanceName, std::string("Хемминга"));
    QCOMPARE(Config().ClusterDistanceName, std::string("\"Гибкий\" "));
    QVERIFY(!dialog.isVisible());

    dialog.show();  // reopened: the options as stored, beta's text kept
    QVERIFY(dialog.findChild<QCheckBox*>("cbxDistance")->isChecked());
    QVERIFY(edit->isVisible());
    edit->setText("1,5");
    dialog.findChild<QPushButton*>("OKBtn")->click();
    QCOMPARE(ClusterConfig().Beta, 1.5);
  }

  void aBetaThatIsNoNumberOrBeyondADoubleIsRefusedNamingTheField() {
    Messages messages;
    TfmParamCluster dialog;
    dialog.show();
    dialog.findChild<QButtonGroup*>("rgrpClustDistance")->button(5)->click();
    auto* edit = dialog.findChild<QLineEdit*>("betaEdit");
    const std::pair<const char*, const char*> refused[] = {
        {"abc", "«abc» не является числом"},
        {"0.5.1", "«0.5.1» не является числом"},
        {"", "«» не является числом"},
        {"1e309", "«1e309» выходит за пределы допустимых чисел"},  // a number, but beyond a double
        {"-2,5e400", "«-2,5e400» выходит за пределы допустимых чисел"},
    };
    for (const auto& [text, why] : refused) {
      messages.shown.clear();
      edit->setText(text);
      dialog.findChild<QPushButton*>("OKBtn")->click();
      QVERIFY(dialog.isVisible());
      QCOMPARE(messages.Texts(), QStringList{QStringLiteral("Поле «β»: ") + QString::fromUtf8(why)});
    }
    QCOMPARE(ClusterConfig().Beta, -0.25);
    QCOMPARE(ClusterConfig().ClusterDistance, 4);  // nothing taken
    // Beta counts only for the flexible method: with another, its hidden text is not read.
    dialog.findChild<QButtonGroup*>("rgrpClustDistance")->button(0)->click();
    dialog.findChild<QPushButton*>("OKBtn")->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(ClusterConfig().ClusterDistance, 0);
  }

  void everyWayOutButOkKeepsTheOptionsAndStopsTheRun() {
    TfmParamCluster dialog;
    for (auto& [way, step] : WaysToCancel("btnCancel")) {
      ModalScript script({[&step](QWidget* w) {
        w->findChild<QSpinBox*>("sedNbmClust")->setValue(9);
        w->findChild<QButtonGroup*>("rgrpObjDistance")->button(0)->click();
        step(w);
      }});
      const bool goesOn = dialog.Execute();
      QVERIFY2(script.Done(), qPrintable(way));
      QVERIFY2(!goesOn, qPrintable(way));
      QCOMPARE(ClusterConfig().ClusterNumber, 3);
      QCOMPARE(ClusterConfig().ObjectDistance, 1);
      QCOMPARE(Config().ObjectDistanceName, std::string());
    }
    ModalScript script({[](QWidget* w) { w->findChild<QPushButton*>("OKBtn")->click(); }});
    QVERIFY(dialog.Execute());
  }
};

QTEST_MAIN(TestParamCluster)
#include "test_param_cluster.moc"
