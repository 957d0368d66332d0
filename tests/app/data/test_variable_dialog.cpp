// The variable dialog: how each way out decides whether the command goes on,
// the count a mode needs, and the remembered selection.
#include <memory>

#include "app/shell/program_session.h"
#include "app_test_support.h"
#include "core/data/data_input.h"
#include "app/data/tfm_var.h"

using namespace tavrel;
using namespace tavrel::test;

class TestVariableDialog : public QObject {
  Q_OBJECT

  std::unique_ptr<TemporaryHome> home_;
  std::unique_ptr<Messages> messages_;
  std::unique_ptr<TfmVar> dialog_;
  bool goesOn_ = false;  // the last Run's answer

  void Load(const QByteArray& text, const QString& name = "data.txt") {
    const QString path = home_->Write(name, text);
    QVERIFY(LoadDataFile(path.toStdString(), ProgramSession()).loaded);
  }
  QStringList Listed() const {
    QStringList names;
    for (int i = 0; i < dialog_->variableList->count(); ++i) names << dialog_->variableList->item(i)->text();
    return names;
  }
  QList<int> Selected() const {
    QList<int> rows;
    for (int i = 0; i < dialog_->variableList->count(); ++i) {
      if (dialog_->variableList->item(i)->isSelected()) rows << i;
    }
    return rows;
  }
  void Run(std::vector<ModalScript::Step> steps) {
    ModalScript script(std::move(steps));
    goesOn_ = dialog_->Execute();
    QVERIFY(script.Done());
  }

 private slots:
  void init() {
    home_ = std::make_unique<TemporaryHome>();
    ResetState();
    Config().IsZeroVarInput = true;
    messages_ = std::make_unique<Messages>();
    dialog_ = std::make_unique<TfmVar>();
  }
  void cleanup() {
    dialog_.reset();
    messages_.reset();
    home_.reset();
  }

  void EveryWayOutDecidesWhetherTheCommandGoesOn() {
    Load("A B C D\n1 2 3 4\n5 6 7 8\n");
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Выбор переменных"));
    QCOMPARE(dialog_->cbxSavePrm->text(), QStringLiteral("Сохранить выбор:"));
    QCOMPARE(dialog_->cbxSavePrm->toolTip(), QStringLiteral("Удаляет невыбранные переменные"));

    struct Case {
      const char* name;
      ModalScript::Step step;
      bool abort;
      int inForce;
    };
    const Case cases[] = {
        {"Далее", ChooseVariables({2, 0}), false, 2},
        {"Далее without a choice", ChooseVariables({}), false, 4},
        {"Отмена", On<TfmVar>([](TfmVar* d) {
           d->variableList->item(1)->setSelected(true);
           d->bbtnCancel->click();
         }),
         true, 4},
        {"Esc", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, true, 4},
        {"close box", [](QWidget* w) { w->close(); }, true, 4},
    };
    for (const Case& c : cases) {
      WidenVariables(Data());
      Data().OperationMode = kModeStatistics;
      Run({c.step});
      QVERIFY2(goesOn_ == !c.abort, c.name);
      QVERIFY2(Data().NumVar == c.inForce, c.name);
    }
    WidenVariables(Data());
    QCOMPARE(QString::fromStdString(Data().VarNames[0] + Data().VarNames[1]), QStringLiteral("AC"));
  }

  void KeepSelectionShowsAndNarrowsTheNextDialog() {
    Load("A B C D\n1 2 3 4\n5 6 7 8\n");
    Run({ChooseVariables({1, 3}, true)});
    QVERIFY(Data().KeepSelection);
    WidenUnlessKept(Data());
    Run({On<TfmVar>([](TfmVar* d) {
      QVERIFY(d->cbxSavePrm->isChecked());
      d->cbxSavePrm->setChecked(false);
      d->btbtnOK->click();
    })});
    QCOMPARE(Listed(), (QStringList{"B", "D"}));
    WidenUnlessKept(Data());
    QCOMPARE(Data().NumVar, 4);
  }

  void AModeThatNeedsAFixedCountKeepsTheDialogOpenUntilItHasIt() {
    Load("A B C\n1 2 3\n5 6 7\n");
    Data().OperationMode = kModeScatterDiagram;
    Run({On<TfmVar>([this](TfmVar* d) {
      for (int r : {0, 1, 2}) d->variableList->item(r)->setSelected(true);
      d->btbtnOK->click();
      QCOMPARE(messages_->Texts(), QStringList{"Нужно выбрать 2 переменные."});
      QVERIFY(d->isVisible());
      QCOMPARE(Data().NumVar, 3);
      d->variableList->item(1)->setSelected(false);
      d->btbtnOK->click();
    })});
    QVERIFY(goesOn_);
    QCOMPARE(Listed(), (QStringList{"A", "B", "C"}));
    QCOMPARE(Data().NumVar, 2);
    QCOMPARE(QString::fromStdString(Data().VarNames[1]), QStringLiteral("C"));

    WidenVariables(Data());
    messages_->shown.clear();
    Data().OperationMode = kModeGraphicEditor;
    Run({On<TfmVar>([this](TfmVar* d) {
      for (int r : {0, 1}) d->variableList->item(r)->setSelected(true);
      d->btbtnOK->click();
      QCOMPARE(messages_->Texts(), QStringList{"Нужно выбрать 1 переменную."});
      d->bbtnCancel->click();
    })});
    QVERIFY(!goesOn_);
    QCOMPARE(Data().NumVar, 3);
  }

  void TooFewObservationsEndTheCommandWithoutADialog() {
    Load("A B\n1 2\n");
    QVERIFY(!dialog_->Execute());  // no dialog may open
    QCOMPARE(messages_->Texts(), QStringList{"Недостаточно данных (0,1)."});
    QCOMPARE(messages_->shown[0].first, MessageKind::Warning);
  }

  void TheFirstChoiceAfterALoadIsPreselectedAfterTheNext() {
    Config().SavePrmSel = true;
    Load("A B C D\n1 2 3 4\n5 6 7 8\n");
    Run({ChooseVariables({1, 3})});
    WidenUnlessKept(Data());
    Load("P Q R S T\n1 2 3 4 5\n6 7 8 9 1\n", "other.txt");
    Run({[](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); }});
    QCOMPARE(Selected(), (QList<int>{1, 3}));
  }
};

QTEST_MAIN(TestVariableDialog)
#include "test_variable_dialog.moc"
