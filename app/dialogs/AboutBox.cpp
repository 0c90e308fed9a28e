#include "AboutBox.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <functional>

#include "ClassicFrames.h"
#include "WindowFont.h"
#include "WindowTexts.h"
#include "desktop/Shell.h"

namespace sorimu {

namespace {

// A label that behaves like a web link: blue, underlined, a hand cursor, and
// a click on release inside it.
class LinkLabel final : public QLabel {
 public:
  LinkLabel(const QString& text, QWidget* parent, std::function<void()> onClick)
      : QLabel(text, parent), onClick_(std::move(onClick)) {
    QFont linkFont = font();
    linkFont.setUnderline(true);
    setFont(linkFont);
    QPalette linkPalette = palette();
    linkPalette.setColor(QPalette::WindowText, Qt::blue);
    setPalette(linkPalette);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
      onClick_();
    QLabel::mouseReleaseEvent(event);
  }

 private:
  std::function<void()> onClick_;
};

QLabel* PlacedLabel(QLabel* label, const char* name, int left, int top) {
  label->setObjectName(QString::fromLatin1(name));
  label->move(left, top);
  label->adjustSize();
  return label;
}

}  // namespace

TAboutBox::TAboutBox(Shell& shell, QWidget* parent) : QDialog(parent), shell_(shell) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QString::fromUtf8(wintext::kAboutTitle));
  setFixedSize(298, 213);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);

  setFont(WindowFont());

  auto* panel = new BevelPanel(this);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setGeometry(8, 8, 281, 161);

  auto* icon = PlacedLabel(new QLabel(panel), "ProgramIcon", 40, 8);
  icon->setPixmap(ProgramIconPixmap(32));
  icon->setFixedSize(32, 32);
  PlacedLabel(new QLabel(QString::fromUtf8(wintext::kTitle), panel), "ProductName", 88, 16);
  PlacedLabel(new QLabel(QString::fromUtf8(wintext::kAboutVersion), panel), "Version", 88, 40);
  PlacedLabel(new QLabel(QString::fromUtf8(wintext::kAboutCopyright), panel), "Copyright", 52, 80);
  PlacedLabel(
      new LinkLabel(QString::fromUtf8(wintext::kAboutAuthor), panel, [this] { Label2Click(); }),
      "Label2", 148, 80);
  QLabel* homePage = PlacedLabel(new LinkLabel(QString::fromUtf8(wintext::kAboutHomePageLink),
                                               panel, [this] { Label1Click(); }),
                                 "Label1", 196, 144);
  // The link ends close to the bevel; a face a pixel wider would run into it.
  const int inside = panel->contentsRect().right() + 1;
  if (homePage->geometry().right() + 1 > inside) homePage->move(inside - homePage->width(), 144);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setGeometry(111, 180, 75, 25);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::Label1Click() { shell_.OpenUrl(HomePageUrl()); }

void TAboutBox::Label2Click() { shell_.OpenUrl(AuthorMailUrl()); }

QPixmap ProgramIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0xC0, 0x10, 0x10));
  painter.setPen(QPen(Qt::black, 1));
  painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1, size - 1), size / 6.0, size / 6.0);
  QFont digits(QStringLiteral("Noto Sans CJK JP"));
  digits.setBold(true);
  digits.setPixelSize(size * 5 / 8);
  painter.setFont(digits);
  painter.setPen(Qt::white);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("7"));
  return pixmap;
}

}  // namespace sorimu
