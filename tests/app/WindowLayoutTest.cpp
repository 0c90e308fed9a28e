// The window as it opens: controls in their places and readable in the face
// the window really uses, menus, status bar and clock, the About box, Qt's
// own texts, and the commands handed to the desktop.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOption>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include "AboutBox.h"
#include "ChartData.h"
#include "ClassicFrames.h"
#include "QtTranslations.h"
#include "ResultCharts.h"
#include "ResultStats.h"
#include "StatusPanels.h"
#include "WindowControls.h"
#include "WindowFont.h"
#include "WindowTestSupport.h"
#include "desktop/Dialogs.h"

using namespace sorimu;

namespace {

int TextWidth(const QWidget* widget, QString text) {
  text.remove(QLatin1Char('&'));
  return widget->fontMetrics().horizontalAdvance(text);
}

// Where a button or check box draws its caption, as its style lays it out.
QRect CaptionRect(const QAbstractButton* button) {
  if (auto* box = qobject_cast<const QCheckBox*>(button)) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    return box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
  }
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
}

// Rows of `image` with dark (text) pixels in the columns [left, right].
QList<int> InkRows(const QImage& image, int left, int right) {
  QList<int> rows;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = std::max(0, left); x <= std::min(right, image.width() - 1); ++x) {
      if (qGray(image.pixel(x, y)) < 110) {
        rows << y;
        break;
      }
    }
  }
  return rows;
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void windowFace();
  void controlsInPlaceAndReadable_data();
  void controlsInPlaceAndReadable();
  void groupTitlesClearTheirContents();
  void summaryFitsSevenDigitCounts();
  void tablesShowRatiosAsReadAndWhole();
  void windowIsFixed();
  void menus();
  void statusBarAndClock();
  void clockText_data();
  void clockText();
  void markerBoxesSwitchTheirSeries();
  void helpCommandsGoToTheShell();
  void aboutBox();
  void qtDialogsSpeakJapanese();
};

void WindowLayoutTest::windowFace() {
  // The layout's pixels were drawn for this face; without it captions collide.
  WindowFixture w;
  const QFontInfo face(w.form.font());
  QVERIFY2(face.family() == QLatin1String(kWindowFace),
           qPrintable("the window draws in " + face.family() + "; install fonts-ipafont-gothic"));
  QCOMPARE(face.pixelSize(), 12);
  QVERIFY(w.form.font().families().contains(QLatin1String(kFallbackFace)));
  QCOMPARE(QFontInfo((*w.form.findChild<TAboutBox*>()).font()).family(), face.family());
}

void WindowLayoutTest::controlsInPlaceAndReadable_data() {
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
  row("CancelButton", {272, 32, 63, 41}, "中断");
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
  for (const MarkerSeriesStyle& style : kMarkerSeriesStyles) {
    const std::string_view caption = MarkerCaption(style.role);
    QTest::newRow(style.checkBoxName)
        << QString::fromLatin1(style.checkBoxName) << QRect()
        << QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
  }
  row("ExpectedCheckBox", {472, 35, 0, 0}, "期待差枚");
}

void WindowLayoutTest::controlsInPlaceAndReadable() {
  QFETCH(QString, name);
  QFETCH(QRect, place);
  QFETCH(QString, text);
  WindowFixture w;
  QWidget* widget = w.form.findChild<QWidget*>(name);
  QVERIFY(widget);
  if (!place.isNull()) QCOMPARE(widget->pos(), place.topLeft());
  if (!place.size().isEmpty()) QCOMPARE(widget->size(), place.size());
  QVariant shown = widget->property("text");
  if (!shown.isValid()) shown = widget->property("title");
  if (!shown.isValid()) shown = widget->property("currentText");
  if (shown.isValid() && !qobject_cast<QProgressBar*>(widget)) QCOMPARE(shown.toString(), text);
  if (text.isEmpty()) return;

  // The caption fits in full, in the face drawn.
  const int needed = TextWidth(widget, text);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    QVERIFY2(CaptionRect(button).width() >= needed, qPrintable(text));
  } else if (auto* group = qobject_cast<ClassicGroupBox*>(widget)) {
    QVERIFY(group->TitleRect().width() >= needed);
    QVERIFY(group->rect().contains(group->TitleRect()));
  } else if (qobject_cast<QLabel*>(widget)) {
    QVERIFY(widget->width() >= needed);
  }

  // And it runs into nothing beside it: a label sizes itself, so the edit
  // box after it is where a wide face shows.
  const QRect own = widget->geometry();
  QVERIFY(widget->parentWidget()->rect().contains(own));
  if (!qobject_cast<QLabel*>(widget) && !qobject_cast<QCheckBox*>(widget)) return;
  for (QWidget* other :
       widget->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (other == widget || other->isHidden()) continue;
    QVERIFY2(!own.intersects(other->geometry()),
             qPrintable(name + " runs into " + other->objectName()));
  }
}

void WindowLayoutTest::groupTitlesClearTheirContents() {
  // A title in line with the frame takes the first text line of its box;
  // the first line of contents must start below its letters.
  WindowFixture w;
  w.SetInputs("500", "1");
  w.Start();
  QVERIFY(Find<QLabel>(w.form, "ResultLabel")->text().count('\n') == 3);
  for (ClassicGroupBox* group :
       {static_cast<ClassicGroupBox*>(Find<QGroupBox>(w.form, "GroupBox2")),
        static_cast<ClassicGroupBox*>(Find<QGroupBox>(w.form, "GroupBox1"))}) {
    const QRect title = group->TitleRect();
    const QList<int> rows = InkRows(group->grab().toImage(), title.left() + 2, title.right() - 2);
    QVERIFY(!rows.isEmpty());
    // The title's letters, then a clear row, then the contents.
    int end = 0;
    while (end + 1 < rows.size() && rows[end + 1] == rows[end] + 1) ++end;
    QVERIFY2(rows[end] < title.bottom() + 1, qPrintable(group->objectName()));
    QVERIFY2(end + 1 < rows.size(), qPrintable(group->objectName() + ": no contents below"));
    QVERIFY2(rows[end + 1] > rows[end] + 1, qPrintable(group->objectName()));
  }
}

// The counts of a run near the largest Play数 the window takes: the second
// line is wider than the box at the window's face, and is drawn smaller,
// whole and readable.
void WindowLayoutTest::summaryFitsSevenDigitCounts() {
  WindowFixture w;
  ResultStats stats;
  stats.TotalGames = 145'000'000;
  stats.FinalMedal = -9'999'999;
  stats.BigCount = 1'234'567;
  stats.RegCount = 987'654;
  stats.BigFirstCount = 1'000'001;
  stats.RegFirstCount = 125'000;
  auto* summary = Find<SummaryLabel>(w.form, "ResultLabel");
  summary->setText(QString::fromStdString(SummaryText(stats)));
  const QStringList lines = summary->text().split('\n');
  QCOMPARE(lines.size(), 4);
  QVERIFY(QFontMetrics(summary->font()).horizontalAdvance(lines[1]) > summary->width());
  for (const QString& line : lines) {
    const QFont face = summary->LineFace(line);
    QVERIFY2(QFontMetrics(face).horizontalAdvance(line) <= summary->width(), qPrintable(line));
    QVERIFY(QFontInfo(face).pixelSize() >= 9);
  }
  QVERIFY(!summary->grab().isNull());
}

// The four tables of a run: ratios with one decimal and every digit in the
// tool tip, and no column narrower than its caption or its cells.
void WindowLayoutTest::tablesShowRatiosAsReadAndWhole() {
  WindowFixture w;
  w.SetInputs("8000", "6");
  w.Start();
  auto* koyaku = Find<QTreeWidget>(w.form, "KoyakuListView");
  const QRegularExpression oneIn(QStringLiteral("^1/[0-9]+\\.[0-9]$"));
  const QRegularExpression share(QStringLiteral("^[0-9]+\\.[0-9] %$"));
  int ratios = 0;
  for (int i = 0; i < koyaku->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = koyaku->topLevelItem(i);
    QVERIFY2(share.match(item->text(2)).hasMatch(), qPrintable(item->text(2)));
    if (item->text(3) == "0") continue;
    QVERIFY2(oneIn.match(item->text(3)).hasMatch(), qPrintable(item->text(3)));
    const double full = item->toolTip(3).mid(2).toDouble();
    QCOMPARE(item->text(3), QStringLiteral("1/") + QString::number(full, 'f', 1));
    ++ratios;
  }
  QVERIFY(ratios >= 5);
  for (const char* name : {"Ren3ListView", "RenListView", "KoyakuListView", "RTCancelListView"}) {
    auto* list = Find<QTreeWidget>(w.form, name);
    for (int c = 0; c < list->columnCount(); ++c) {
      QVERIFY(list->columnWidth(c) >= list->header()->sectionSizeHint(c));
      for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QString text = list->topLevelItem(i)->text(c);
        QVERIFY2(list->fontMetrics().horizontalAdvance(text) + 8 <= list->columnWidth(c),
                 qPrintable(text));
      }
    }
  }
}

void WindowLayoutTest::windowIsFixed() {
  WindowFixture w;
  QCOMPARE(w.form.centralWidget()->size(), QSize(606, 724));
  QCOMPARE(w.form.minimumSize(), w.form.maximumSize());
  QVERIFY(!(w.form.windowFlags() & Qt::WindowMaximizeButtonHint));
  QVERIFY(w.form.windowFlags() & Qt::WindowMinimizeButtonHint);
  QCOMPARE(w.form.windowTitle(), QStringLiteral("Sorimu"));
  QCOMPARE(Find<QTabWidget>(w.form, "PageControl1")->currentIndex(), 0);
  QVERIFY((*w.form.findChild<TAboutBox*>()).isHidden());
  QVERIFY(Find<QPushButton>(w.form, "CancelButton")->isHidden());

  // Every page caption shows, without scroll buttons.
  const QTabBar* tabs = Find<QTabWidget>(w.form, "PageControl1")->tabBar();
  for (int i = 0; i < tabs->count(); ++i) {
    QVERIFY(tabs->tabRect(i).width() >= TextWidth(tabs, tabs->tabText(i)));
  }
  QVERIFY(tabs->tabRect(tabs->count() - 1).right() <
          Find<QTabWidget>(w.form, "PageControl1")->width());
}

void WindowLayoutTest::menus() {
  WindowFixture w;
  const QList<QAction*> menus = Find<QMenuBar>(w.form, "MainMenu")->actions();
  QCOMPARE(menus.size(), 3);
  QCOMPARE(menus[0]->text(), QStringLiteral("ファイル(&F)"));
  QCOMPARE(menus[1]->text(), QStringLiteral("ツール(&T)"));  // where users look for tools
  QCOMPARE(menus[2]->text(), QStringLiteral("ヘルプ(&H)"));
  for (QAction* menu : menus) {
    QVERIFY(Find<QMenuBar>(w.form, "MainMenu")->actionGeometry(menu).width() >=
            TextWidth(Find<QMenuBar>(w.form, "MainMenu"), menu->text()));
  }
  // Access keys only: no entry has a keyboard shortcut. Every caption fits.
  auto entries = [](QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
      if (!action->isVisible()) continue;
      texts << action->objectName() + ":" + (action->isSeparator() ? "-" : action->text()) + ":" +
                   (action->isEnabled() ? "on" : "off") + action->shortcut().toString();
      if (!action->isSeparator() &&
          menu->actionGeometry(action).width() < TextWidth(menu, action->text())) {
        texts << "cut: " + action->text();
      }
    }
    return texts;
  };
  QCOMPARE(entries(Find<QMenu>(w.form, "FileMenu")),
           QStringList({"FileOpenMenu:開く(&O):on", "FileSaveMenu:保存(&S):off",
                        "FileRecentMenu:最近使ったファイル(&R):off", "N1:-:on",
                        "FileStartMenu:開始(&G):on", "FileExitMenu:終了(&X):on"}));
  QCOMPARE(entries(Find<QMenu>(w.form, "HelpMenu")),
           QStringList({"HelpAboutMenu:バージョン情報(&A):on", "HelpManMenu:取扱説明書(&C):on"}));
  // Entries that read the run on display wait for one.
  QCOMPARE(entries(Find<QMenu>(w.form, "ToolMenu")),
           QStringList(
               {"ToolAnalysisMenu:複数回分析(&M)...:on", "ToolFigureSheetMenu:スペック表(&S)...:on",
                "ToolEstimateMenu:設定推測(&E)...:off", "ToolHallMenu:実戦データ(&H)...:on",
                "N5:-:on", "ToolCsvMenu:CSV出力(&V)...:off", "ToolImageMenu:画像保存(&I)...:off"}));
}

void WindowLayoutTest::statusBarAndClock() {
  WindowFixture w;
  StatusPanels* bar = Find<StatusPanels>(w.form, "StatusBar1");
  // 350, 140, and the rest of the bar for the clock.
  QCOMPARE(bar->Panel(0)->x(), 0);
  QCOMPARE(bar->Panel(1)->x(), 350);
  QCOMPARE(bar->Panel(2)->x(), 490);
  QCOMPARE(bar->Panel(2)->geometry().right(), bar->width() - 1);
  for (int i = 0; i < StatusPanels::kPanelCount; ++i) {
    QCOMPARE(bar->Panel(i)->alignment() & Qt::AlignHCenter, i == 0 ? 0 : Qt::AlignHCenter);
  }
  QCOMPARE(bar->Text(0), QString());
  QCOMPARE(Find<QProgressBar>(w.form, "ProgressBar1")->maximum(), 100);
  QCOMPARE(Find<QProgressBar>(w.form, "ProgressBar1")->value(), 0);
  QCOMPARE(Find<QTimer>(w.form, "Timer1")->interval(), 100);
  QVERIFY(Find<QTimer>(w.form, "Timer1")->isActive());

  // The widest date and time the clock shows fits its panel whole.
  const QLabel* clock = bar->Panel(2);
  const QString widest =
      ClockText(QDateTime(QDate(2088, 12, 28), QTime(20, 58, 58)), QLocale::system());
  QVERIFY2(clock->fontMetrics().horizontalAdvance(widest) <= clock->contentsRect().width(),
           qPrintable(widest));
  QVERIFY(QFontInfo(clock->font()).pixelSize() >= 10);

  // The clock runs while the window is idle.
  QTRY_VERIFY_WITH_TIMEOUT(!bar->Text(2).isEmpty(), 1000);
  const QString first = bar->Text(2);
  QTRY_VERIFY_WITH_TIMEOUT(bar->Text(2) != first, 2500);
}

void WindowLayoutTest::clockText_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QDateTime>("now");
  QTest::addColumn<QString>("text");
  const QLocale japanese(QLocale::Japanese, QLocale::Japan);
  const QDate day(2026, 12, 9);
  QTest::newRow("morning") << japanese << QDateTime(day, QTime(9, 5, 7)) << "2026/12/09 9:05:07";
  QTest::newRow("afternoon") << japanese << QDateTime(day, QTime(23, 59, 59))
                             << "2026/12/09 23:59:59";
  QTest::newRow("midnight") << japanese << QDateTime(day, QTime(0, 0)) << "2026/12/09";
  QTest::newRow("one second past")
      << japanese << QDateTime(day, QTime(0, 0, 1)) << "2026/12/09 0:00:01";
  QTest::newRow("another locale's date") << QLocale(QLocale::English, QLocale::UnitedStates)
                                         << QDateTime(day, QTime(13, 4, 5)) << "12/9/26 13:04:05";
}

void WindowLayoutTest::clockText() {
  QFETCH(QLocale, locale);
  QFETCH(QDateTime, now);
  QFETCH(QString, text);
  QCOMPARE(ClockText(now, locale), text);
}

void WindowLayoutTest::markerBoxesSwitchTheirSeries() {
  WindowFixture w;
  for (int m = 0; m < kMarkerSeriesCount; ++m) {
    const MarkerSeriesStyle& style = kMarkerSeriesStyles[m];
    auto* box = w.form.findChild<QCheckBox*>(QString::fromLatin1(style.checkBoxName));
    QVERIFY(box);
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

// The home page and its advertisement have no address yet, and the JWord
// installer is a Windows program: none of them is offered here, and none
// does anything.
void WindowLayoutTest::helpCommandsGoToTheShell() {
  WindowFixture w;
  for (const char* name : {"JWord1", "N3", "N4"}) {
    auto* entry = Find<QAction>(w.form, name);
    QVERIFY2(!entry->isVisible(), name);
    entry->trigger();
  }
  QVERIFY(w.shell.files.empty());
  QVERIFY(w.shell.urls.empty());
}

void WindowLayoutTest::aboutBox() {
  WindowFixture w;
  Find<QAction>(w.form, "HelpAboutMenu")->trigger();
  QCOMPARE(w.dialogs.modal.size(), size_t{1});
  TAboutBox* box = qobject_cast<TAboutBox*>(w.dialogs.modal[0]);
  QVERIFY(box);
  QVERIFY(box->isHidden());
  auto* ok = box->findChild<QPushButton*>("OKButton");
  QVERIFY(ok->isDefault());
  QVERIFY(CaptionRect(ok).width() >= TextWidth(ok, ok->text()));

  // Inside the bevel, whole and apart, in the face the box draws.
  auto* panel = box->findChild<BevelPanel*>("Panel1");
  QVERIFY(panel);
  QCOMPARE(panel->geometry(), QRect(8, 8, 281, 161));
  const QList<QLabel*> labels = panel->findChildren<QLabel*>();
  QCOMPARE(labels.size(), 6);
  for (QLabel* label : labels) {
    QVERIFY2(panel->contentsRect().contains(label->geometry()), qPrintable(label->objectName()));
    if (!label->text().isEmpty()) QVERIFY(label->width() >= TextWidth(label, label->text()));
    for (QLabel* other : labels) {
      QVERIFY(other == label || !other->geometry().intersects(label->geometry()));
    }
  }
  const QLabel* link = box->findChild<QLabel*>("Label1");
  QCOMPARE(link->text(), QStringLiteral("Yusoraのページ"));
  QCOMPARE(link->y(), 144);
  QVERIFY(link->x() >= 190 && link->x() <= 196);

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

void WindowLayoutTest::qtDialogsSpeakJapanese() {
  // Installed last: from here on every Qt text of this process is Japanese.
  QVERIFY2(InstallQtTranslations(*QCoreApplication::instance()),
           "Qt's Japanese catalogues are missing; install qt6-translations-l10n");
  QDialogButtonBox buttons(QDialogButtonBox::Open | QDialogButtonBox::Cancel);
  QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
  QCOMPARE(buttons.button(QDialogButtonBox::Open)->text().remove(QRegularExpression("\\(&.\\)")),
           QStringLiteral("開く"));

  // The Open command's own dialog, over a folder with a folder and a run in it.
  QTemporaryDir dir;
  QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("runs")));
  QFile run(dir.filePath(QStringLiteral("run.sim")));
  QVERIFY(run.open(QIODevice::WriteOnly) && run.write(QByteArray(1536, '\0')) == 1536);
  run.close();
  QMap<QString, QStringList> rows;  // name -> the texts of its row
  QString offered;
  bool listed = false;
  bool typeFits = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    const QTreeView* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    const QAbstractItemModel* model = view->model();
    // The folder is listed in the background.
    listed = QTest::qWaitFor([&] { return model->rowCount(view->rootIndex()) == 2; }, 10000);
    for (int r = 0; r < model->rowCount(view->rootIndex()); ++r) {
      QStringList texts;
      for (int c = 0; c < model->columnCount(view->rootIndex()); ++c) {
        texts << model->index(r, c, view->rootIndex()).data().toString();
      }
      rows.insert(texts.front(), texts);
    }
    typeFits = view->header()->sectionSize(2) >=
               QFontMetrics(view->font()).horizontalAdvance(QStringLiteral("Sorimuファイル"));
    offered = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
    dialog->reject();
  });
  QtDialogs dialogs;
  QVERIFY(!dialogs.AskOpenPath(nullptr, dir.filePath(QStringLiteral("run.sim"))));
  QVERIFY(listed);
  QCOMPARE(offered, QStringLiteral("run.sim"));
  QCOMPARE(rows.keys(), QStringList({"run.sim", "runs"}));
  QCOMPARE(rows["runs"][1], QString());
  QCOMPARE(rows["runs"][2], QStringLiteral("フォルダ"));
  QCOMPARE(rows["run.sim"][1], QStringLiteral("1.5 KB"));
  QCOMPARE(rows["run.sim"][2], QStringLiteral("Sorimuファイル"));
  QVERIFY(typeFits);
  for (const QStringList& texts : rows) {
    QVERIFY2(!texts.join('|').contains(QStringLiteral("Folder")) &&
                 !texts.join('|').contains(QStringLiteral("iB")),
             qPrintable(texts.join('|')));
  }
}

SORIMU_WINDOW_TEST_MAIN(WindowLayoutTest)
#include "WindowLayoutTest.moc"
