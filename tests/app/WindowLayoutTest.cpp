// The window as it opens: controls in their places, menus, status bar and
// clock, the About box and the commands handed to the desktop.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include "AboutBox.h"
#include "ChartData.h"
#include "ResultCharts.h"
#include "StatusPanels.h"
#include "WindowTestSupport.h"

using namespace sorimu;

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void controls_data();
  void controls();
  void windowIsFixed();
  void menus();
  void statusBarAndClock();
  void markerBoxesSwitchTheirSeries();
  void helpCommandsGoToTheShell();
  void aboutBox();
};

void WindowLayoutTest::controls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("place");  // an empty size: a label sizing itself
  QTest::addColumn<QString>("text");
  auto row = [](const char* name, QRect place, const char* text) {
    QTest::newRow(name) << QString::fromLatin1(name) << place << QString::fromUtf8(text);
  };
  row("Label1", {8, 12, 0, 0}, "Play数");
  row("PlayNumEdit", {48, 8, 73, 20}, "1");
  row("Label2", {128, 12, 0, 0}, "設定");
  row("FlevelComboBox", {156, 8, 57, 20}, "1");
  row("FlevelButton", {156, 32, 57, 21}, "設定確認");
  row("Label6", {224, 12, 0, 0}, "Sim回数");
  row("SimNumEdit", {272, 8, 61, 20}, "1");
  row("StartButton", {272, 32, 63, 41}, "開始");
  row("Label4", {8, 60, 0, 0}, "BIGストック");
  row("BigStockEdit", {68, 56, 37, 20}, "255");
  row("Label7", {112, 60, 0, 0}, "REGストック");
  row("RegStockEdit", {176, 56, 37, 20}, "255");
  row("GroupBox2", {340, 4, 261, 69}, "シミュレーション結果");
  row("ResultLabel", {8, 12, 0, 0}, "");
  row("PageControl1", {4, 76, 597, 209}, "");
  row("SlumpChart2", {4, 284, 597, 149}, "");
  row("SlumpChart", {4, 428, 597, 217}, "");
  row("GroupBox1", {4, 644, 597, 57}, "役出現表示");
  row("ProgressBar1", {352, 704, 137, 21}, "");
  row("StatusBar1", {0, 703, 606, 21}, "");
}

void WindowLayoutTest::controls() {
  QFETCH(QString, name);
  QFETCH(QRect, place);
  QFETCH(QString, text);
  WindowFixture w;
  QWidget* widget = w.form.findChild<QWidget*>(name);
  QVERIFY(widget);
  QCOMPARE(widget->pos(), place.topLeft());
  if (!place.size().isEmpty()) QCOMPARE(widget->size(), place.size());
  QVariant shown = widget->property("text");
  if (!shown.isValid()) shown = widget->property("title");
  if (!shown.isValid()) shown = widget->property("currentText");
  if (shown.isValid() && !qobject_cast<QProgressBar*>(widget)) QCOMPARE(shown.toString(), text);
}

void WindowLayoutTest::windowIsFixed() {
  WindowFixture w;
  QCOMPARE(w.form.centralWidget()->size(), QSize(606, 724));
  QCOMPARE(w.form.minimumSize(), w.form.maximumSize());
  QVERIFY(!(w.form.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(w.form.windowFlags() & Qt::WindowMinimizeButtonHint);
  QCOMPARE(w.form.windowTitle(), QStringLiteral("Sorimu"));
  QCOMPARE(w.form.font().families().value(0), QStringLiteral("ＭＳ Ｐゴシック"));
  QVERIFY(w.form.font().families().contains(QStringLiteral("Noto Sans CJK JP")));
  QCOMPARE(w.form.font().pointSize(), 9);
  QCOMPARE(w.form.PageControl1->currentIndex(), 0);
  QVERIFY(w.form.AboutBox().isHidden());
}

void WindowLayoutTest::menus() {
  WindowFixture w;
  const QList<QAction*> menus = w.form.MainMenu->actions();
  QCOMPARE(menus.size(), 3);
  QCOMPARE(menus[0]->text(), QStringLiteral("ファイル(&F)"));
  QCOMPARE(menus[1]->text(), QStringLiteral("ヘルプ(&H)"));
  QCOMPARE(menus[2]->text(), QStringLiteral("ツール(&T)"));
  // Access keys only: no entry has a keyboard shortcut.
  auto entries = [](QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
      texts << action->objectName() + ":" + (action->isSeparator() ? "-" : action->text()) + ":" +
                   (action->isEnabled() ? "on" : "off") + action->shortcut().toString();
    }
    return texts;
  };
  QCOMPARE(entries(w.form.FileMenu),
           QStringList({"FileOpenMenu:開く(&O):on", "FileSaveMenu:保存(&S):off",
                        "FileRecentMenu:最近使ったファイル(&R):off", "N1:-:on",
                        "FileStartMenu:開始(&G):on", "FileExitMenu:終了(&X):on"}));
  QCOMPARE(entries(w.form.HelpMenu),
           QStringList({"HelpAboutMenu:バージョン情報(&A):on", "HelpManMenu:取扱説明書(&C):on",
                        "JWord1:JWordのインストール:on", "N2:-:on", "N3:ホームページ:on",
                        "N4:広告:on"}));
  // Entries that read the run on display wait for one.
  QCOMPARE(
      entries(w.form.ToolMenu),
      QStringList({"ToolAnalysisMenu:複数回分析(&M)...:on", "ToolEstimateMenu:設定推測(&E)...:off",
                   "N5:-:on", "ToolCsvMenu:CSV出力:off", "ToolImageMenu:画像保存:off"}));
}

void WindowLayoutTest::statusBarAndClock() {
  WindowFixture w;
  StatusPanels* bar = w.form.StatusBar1;
  int left = 0;
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(bar->Panel(i)->x(), left);
    left += StatusPanels::kPanelWidths[i];
    QCOMPARE(bar->Panel(i)->alignment() & Qt::AlignHCenter, i == 0 ? 0 : Qt::AlignHCenter);
  }
  QCOMPARE(bar->Text(0), QString());
  QCOMPARE(w.form.ProgressBar1->maximum(), 100);
  QCOMPARE(w.form.ProgressBar1->value(), 0);
  QCOMPARE(w.form.Timer1->interval(), 100);
  QVERIFY(w.form.Timer1->isActive());
  // The clock runs while the window is idle.
  QTRY_VERIFY_WITH_TIMEOUT(!bar->Text(2).isEmpty(), 1000);
  const QString first = bar->Text(2);
  QTRY_VERIFY_WITH_TIMEOUT(bar->Text(2) != first, 2500);
}

void WindowLayoutTest::markerBoxesSwitchTheirSeries() {
  WindowFixture w;
  const char* const captions[kMarkerSeriesCount] = {
      "BIG",    "REG",  "2枚チェリー", "4枚チェリーA", "4枚チェリーB", "非出現チェリー",
      "プラム", "ベル", "純ハズレ"};
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    const MarkerSeriesStyle& style = kMarkerSeriesStyles[m];
    auto* box = w.form.findChild<QCheckBox*>(QString::fromLatin1(style.checkBoxName));
    QVERIFY(box);
    QCOMPARE(box->text(), QString::fromUtf8(captions[m]));
    QVERIFY(!box->isChecked() && !w.form.Charts().MarkerActive(m));
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(w.form.Charts().MarkerActive(m));
    for (int other = 0; other < kMarkerSeriesCount; ++other) {
      QCOMPARE(w.form.Charts().MarkerActive(other), other == m);
    }
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    QVERIFY(!w.form.Charts().MarkerActive(m));
  }
}

void WindowLayoutTest::helpCommandsGoToTheShell() {
  WindowFixture w;
  w.form.JWord1->trigger();
  w.form.N3->trigger();
  w.form.N4->trigger();
  const QString folder = QCoreApplication::applicationDirPath() + "/";
  QCOMPARE(w.shell.files.size(), size_t{1});
  QCOMPARE(w.shell.files[0].first, folder + "jwv_for_QX418207.exe");
  QCOMPARE(w.shell.files[0].second.join(' '), QStringLiteral("QX418207 1"));
  QCOMPARE(w.shell.urls.size(), size_t{2});
  QCOMPARE(w.shell.urls[0], HomePageUrl());
  QCOMPARE(w.shell.urls[1].toString(), HomePageUrl().toString() + "ad.html");
  QVERIFY(HomePageUrl().host().contains("sorimu"));
}

void WindowLayoutTest::aboutBox() {
  WindowFixture w;
  w.form.HelpAboutMenu->trigger();
  QCOMPARE(w.dialogs.modal.size(), size_t{1});
  TAboutBox* box = qobject_cast<TAboutBox*>(w.dialogs.modal[0]);
  QVERIFY(box);
  QVERIFY(box->isHidden());
  auto* ok = box->findChild<QPushButton*>("OKButton");
  QVERIFY(ok->isDefault());

  box->show();
  QTest::mouseClick(box->findChild<QLabel*>("Label1"), Qt::LeftButton);
  QTest::mouseClick(box->findChild<QLabel*>("Label2"), Qt::LeftButton);
  QCOMPARE(w.shell.urls.size(), size_t{2});
  QCOMPARE(w.shell.urls[0], HomePageUrl());
  QCOMPARE(w.shell.urls[1].scheme(), QStringLiteral("mailto"));
  QTest::mouseClick(ok, Qt::LeftButton);
  QVERIFY(box->isHidden());
  QCOMPARE(box->result(), int(QDialog::Accepted));
}

SORIMU_WINDOW_TEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
